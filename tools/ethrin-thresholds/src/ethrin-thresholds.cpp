// ethrin-thresholds: recomputes the promoter scanner's score thresholds for
// a genome, so that a chosen share of random windows of the genome's own
// base composition pass.
//
//   ethrin-thresholds --genome NC_000913.fna --wm WM/ --out threshold/
//                     [--share 0.001] [--windows 2000000] [--seed 1]
//                     [--sigma sigma70] [--genome-id NC_000913]
//
// Without --genome-id the files are the defaults <out>/<sigma>.thr; with it
// they are <out>/<genome-id>.<sigma>.thr, which the scanner prefers for
// that genome.
//
//   ethrin-thresholds --fdr 0.05 [--shuffles 2] [--seed 1] --out threshold/ [--sigma ...]
//
// writes calibrated records instead: the scanner then sets each genome's
// threshold at that estimated false-discovery rate against the genome's
// own gene regions, shuffled (no genome or matrices needed here).
#include "ToolOptions.h"

#include "meridan/ethrin/EthrinRun.h"
#include "meridan/ethrin/GenomeInput.h"
#include "meridan/ethrin/OutputFiles.h"
#include "meridan/ethrin/PromoterModel.h"
#include "meridan/ethrin/Threshold.h"

#include <filesystem>
#include <iostream>
#include <sstream>

using namespace meridan::ethrin;
using namespace meridan::ethrin::tools;

int main(int argc, char** argv)
{
    try {
        const ToolOptions opt(argc, argv, {"genome", "wm", "out", "share", "windows", "seed", "sigma", "genome-id", "fdr",
                               "shuffles"},
                              {"sigma"});
        const double share = opt.number("share", 0.001);
        const long windows = opt.whole("windows", 2000000);
        const long seed = opt.whole("seed", 1);
        if (seed < 0)
            throw std::runtime_error("--seed must not be negative");
        std::string wm = opt.text("wm", "");
        std::string out = opt.text("out");
        if (!wm.empty() && wm.back() != '/')
            wm += '/';
        if (!out.empty() && out.back() != '/')
            out += '/';
        std::vector<std::string> sigmas = opt.all("sigma");
        if (sigmas.empty())
            sigmas.assign(std::begin(kSigmaNames), std::end(kSigmaNames));

        if (opt.has("fdr")) {
            std::vector<OutputFile> files;
            for (const std::string& sigma : sigmas) {
                ThresholdRecord record;
                record.sigma = sigma;
                record.seed = static_cast<std::uint64_t>(seed);
                record.fdr = opt.number("fdr", 0.05);
                record.shuffles = static_cast<int>(opt.whole("shuffles", 2));
                if (!(record.fdr > 0.0 && record.fdr < 1.0) || record.shuffles < 1 || record.shuffles > 100)
                    throw std::runtime_error("--fdr takes a rate in (0, 1), --shuffles 1..100");
                std::ostringstream text;
                writeThreshold(text, record);
                files.push_back({out + sigma + ".thr", text.str()});
            }
            return writeAllOrNothing(files, std::cerr) ? 0 : 1;
        }
        const std::string genomePath = opt.text("genome");
        const Genome genome = readGenome(genomePath);
        const Composition composition = strandSymmetricComposition(genome.codes);
        const std::string genomeName = std::filesystem::path(genomePath).stem().string();
        const std::string prefix = opt.has("genome-id") ? opt.text("genome-id") + "." : "";

        std::vector<OutputFile> files;
        for (const std::string& sigma : sigmas) {
            const PromoterModel model = readModelFile(wm + sigma + ".wm");
            const PromoterScanner scanner(model, composition);
            ThresholdRecord record{.composition = composition,
                                   .sigma = sigma,
                                   .genome = genomeName,
                                   .share = share,
                                   .windows = windows,
                                   .seed = static_cast<std::uint64_t>(seed)};
            record.threshold = computeThreshold(scanner, composition, share, windows, record.seed);
            std::ostringstream text;
            writeThreshold(text, record);
            files.push_back({out + prefix + sigma + ".thr", text.str()});
            std::cout << sigma << ": threshold " << record.threshold << " (best possible " << scanner.bestPossible()
                      << ")\n";
        }
        return writeAllOrNothing(files, std::cerr) ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "ethrin-thresholds: " << e.what() << '\n';
        return 1;
    }
}
