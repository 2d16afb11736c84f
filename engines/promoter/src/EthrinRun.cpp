#include "meridan/ethrin/EthrinRun.h"

#include "meridan/ethrin/GeneScan.h"
#include "meridan/ethrin/GenomeInput.h"
#include "meridan/ethrin/InputError.h"
#include "meridan/ethrin/OutputFiles.h"
#include "meridan/ethrin/PromoterModel.h"
#include "meridan/ethrin/PromoterScanner.h"
#include "meridan/ethrin/Threshold.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <sstream>

namespace meridan::ethrin {

namespace {

// A default threshold made for a composition further than this from the
// genome's (largest difference of one base's share) does not fit the genome.
constexpr double kCompositionTolerance = 0.02;
// Most random windows a threshold is recomputed from during a scan.
constexpr long kMaxRecomputeWindows = 10000000;
constexpr std::size_t kProblemsShown = 20;

bool fileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// The genome identifier becomes part of file names: it must name a file in
// the result directory, not a path.
bool usableGenomeId(const std::string& id)
{
    return !id.empty() && id != "." && id != ".." && id.find('/') == std::string::npos
        && id.find('\\') == std::string::npos;
}

struct SigmaSetup {
    std::string name;
    PromoterModel model;
    ThresholdRecord threshold;
    std::string thresholdPath;
    bool genomeSpecific = false;
};

// The threshold to use for this genome. A threshold made for this genome,
// or one without a recorded composition, is used as it is. A default made
// for a clearly different composition would let a different share of
// random windows pass, so it is recomputed the way it was made (same share,
// windows and seed) for the genome's own composition.
double thresholdFor(const SigmaSetup& s, const PromoterScanner& scanner, const Composition& background,
                    const std::string& genomeId, std::ostream& log)
{
    const ThresholdRecord& r = s.threshold;
    if (s.genomeSpecific || !r.composition || compositionDistance(*r.composition, background) <= kCompositionTolerance)
        return r.threshold;
    if (!(r.share > 0.0 && r.share < 1.0) || r.windows <= 0 || r.share * static_cast<double>(r.windows) < 1.0) {
        log << s.thresholdPath << " was made for another base composition; make one for " << genomeId
            << " with ethrin-thresholds\n";
        return r.threshold;
    }
    const long windows = std::min(r.windows, kMaxRecomputeWindows);
    const double t = computeThreshold(scanner, background, r.share, windows, r.seed);
    log << s.thresholdPath << " was made for another base composition; threshold for " << genomeId << " recomputed: "
        << t << '\n';
    return t;
}

GeneTableRead readGenes(const EthrinArguments& a, long genomeLength, std::ostream& log)
{
    GeneTableRead table;
    if (!a.annotationDir.empty()) {
        readGeneTable(a.annotationDir + a.genomeId + ".ano", genomeLength, table);
    } else {
        readGeneTable(a.pttDir + a.genomeId + ".ptt", genomeLength, table);
        const std::string rnt = a.rntDir + a.genomeId + ".rnt";
        if (fileExists(rnt)) {
            readGeneTable(rnt, genomeLength, table);
            // Protein and RNA rows together in coordinate order, as the
            // merged annotation file has them.
            std::stable_sort(table.genes.begin(), table.genes.end(),
                             [](const GeneRow& x, const GeneRow& y) { return x.left < y.left; });
        }
    }
    for (std::size_t k = 0; k < table.problems.size() && k < kProblemsShown; ++k)
        log << table.problems[k] << '\n';
    if (table.problems.size() > kProblemsShown)
        log << (table.problems.size() - kProblemsShown) << " further rows skipped\n";
    return table;
}

// A folder argument is a prefix ending with "/"; one given without it still
// names the folder (so that "./results" never becomes "./resultsNC_...").
std::string asFolder(const std::string& dir)
{
    return dir.empty() || dir.back() == '/' ? dir : dir + '/';
}

} // namespace

bool runEthrin(const EthrinArguments& arguments, std::ostream& log)
{
    try {
        EthrinArguments a = arguments;
        for (std::string* dir : {&a.resultDir, &a.annotationDir, &a.fnaDir, &a.wmDir, &a.pttDir, &a.rntDir,
                                 &a.thresholdDir})
            *dir = asFolder(*dir);
        if (!usableGenomeId(a.genomeId)) {
            log << "Ethrin: genome identifier \"" << a.genomeId << "\" can't name a file; no promoter files written"
                << std::endl;
            return false;
        }
        // Models and thresholds first: they are small, and a broken one
        // stops the run before the genome is read.
        std::vector<SigmaSetup> sigmas;
        for (const char* name : kSigmaNames) {
            SigmaSetup s;
            s.name = name;
            s.model = readModelFile(a.wmDir + name + ".wm");
            const std::string own = a.thresholdDir + a.genomeId + "." + name + ".thr";
            s.genomeSpecific = fileExists(own);
            s.thresholdPath = s.genomeSpecific ? own : a.thresholdDir + name + ".thr";
            s.threshold = readThresholdFile(s.thresholdPath);
            sigmas.push_back(std::move(s));
        }

        const Genome genome = readGenome(a.fnaDir + a.genomeId + ".fna");
        const long length = static_cast<long>(genome.codes.size());
        log << "genomeSize= " << length << '\n';
        if (genome.moreRecords)
            log << "only the first record of " << a.fnaDir << a.genomeId << ".fna is scanned\n";
        if (length == 0)
            throw InputError(a.fnaDir + a.genomeId + ".fna: no sequence");
        const GeneTableRead table = readGenes(a, length, log);
        log << "geneSize= " << table.genes.size() << '\n';

        const Composition background = strandSymmetricComposition(genome.codes);
        const RegionSettings settings = normalizedSettings(a.upstream, a.downstream, a.keep, length);
        ScanContext scan;
        scan.genic = genicMask(length, table.genes);
        std::vector<OutputFile> files;
        std::ostringstream summary;
        const engine::RunContext* context = a.context;
        const auto genes = static_cast<long long>(table.genes.size());
        // One pass over the genes per sigma factor, and one more for a
        // calibrated threshold's shuffled regions.
        long long passes = 0;
        for (const SigmaSetup& s : sigmas)
            passes += s.threshold.calibrated() ? 2 : 1;
        const long long total = genes * passes;
        long long done = 0;
        const auto scanned = [&](std::size_t g) {
            if (context && g % 64 == 0) {
                context->throwIfCancelled();
                context->progress("genes scanned", done + static_cast<long long>(g), total);
            }
        };
        for (const SigmaSetup& s : sigmas) {
            const PromoterScanner scanner(s.model, background);
            scan.model = &s.model;
            prepareBonus(scan, length, table.genes, settings);
            const auto progress = context ? std::function<void(std::size_t)>(scanned) : nullptr;
            std::vector<double> best;
            auto hits = scanGenes(genome.codes, table.genes, scanner, scan, settings, &best, progress);
            done += genes;
            double threshold = 0.0;
            if (s.threshold.calibrated()) {
                // Calibrated on this genome: its own regions, shuffled, are
                // the chance the scores are measured against.
                threshold = fdrThreshold(best, shuffledBestScores(genome.codes, table.genes, scanner, scan, settings,
                                                                  s.threshold.shuffles, s.threshold.seed, progress),
                                         s.threshold.shuffles, s.threshold.fdr);
                done += genes;
                log << s.name << ": threshold " << threshold << " bits at an estimated false-discovery rate of "
                    << s.threshold.fdr << '\n';
            } else {
                threshold = thresholdFor(s, scanner, background, a.genomeId, log);
            }
            for (PromoterHit& h : hits)
                h.score -= threshold;
            std::ostringstream text;
            writeScoreTable(text, scanner.twoBoxes(), table.genes, hits);
            files.push_back({a.resultDir + a.genomeId + "." + s.name + ".sca.dat", std::move(text).str()});
            const auto confident = std::count_if(hits.begin(), hits.end(), [](const PromoterHit& h) { return h.score > 0.0; });
            summary << s.name << ": " << hits.size() << " hits, " << confident << " with score > 0\n";
        }
        if (context) {
            context->throwIfCancelled();
            context->progress("genes scanned", total, total);
        }
        if (!writeAllOrNothing(files, log)) {
            log << "Ethrin: no promoter files written" << std::endl;
            return false;
        }
        log << summary.str() << std::flush;
        return true;
    } catch (const InputError& e) {
        log << e.what() << '\n' << "Ethrin: no promoter files written" << std::endl;
    } catch (const std::exception& e) {
        log << "Ethrin: " << e.what() << '\n' << "Ethrin: no promoter files written" << std::endl;
    }
    return false;
}

} // namespace meridan::ethrin
