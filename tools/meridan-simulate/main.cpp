// meridan-simulate: writes a synthetic genome with planted operons,
// promoters and terminators, and scores a prediction run against it.
#include "SimulatedGenome.h"
#include "SimulationFiles.h"
#include "SimulationScore.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

const char* usage =
    "Usage: meridan-simulate [--length BASES] [--seed N] [--accession ID] [--out FOLDER]\n"
    "       meridan-simulate --score TRUTH_FILE [PROGRAM_FOLDER]\n"
    "\n"
    "Writes a synthetic bacterial genome, ID.fna, ID.ptt and ID.rnt, into FOLDER (default: the\n"
    "current folder), with operons of 1 to 8 genes (short gaps inside, long gaps between, shared\n"
    "COG categories, a Shine-Dalgarno motif before every start codon), a sigma-70 promoter before\n"
    "and a hairpin terminator after every operon. ID_truth.txt lists what was planted. The same\n"
    "seed always gives the same genome.\n"
    "\n"
    "  --length BASES   genome length, e.g. 250000, 500k or 1M (default 1M)\n"
    "  --seed N         seed of the random draws (default 1)\n"
    "  --accession ID   9-character genome identifier naming the files (default SIM000001)\n"
    "  --out FOLDER     where the files go\n"
    "\n"
    "With --score, reads the annotation file and the results of a meridan-predict run on that\n"
    "genome from PROGRAM_FOLDER (default: the folder of this program) and prints how many\n"
    "planted operon boundaries, terminators and promoters the prediction recovered.\n";

long parseLength(const std::string& text)
{
    size_t used = 0;
    double value = std::stod(text, &used);
    const std::string suffix = text.substr(used);
    if (suffix == "k" || suffix == "K")
        value *= 1e3;
    else if (suffix == "M" || suffix == "m")
        value *= 1e6;
    else if (!suffix.empty())
        throw std::invalid_argument("not a length: " + text);
    return long(value);
}

std::filesystem::path programFolder()
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : self.parent_path();
}

int score(int argc, char** argv, int at)
{
    if (at + 1 >= argc)
        throw std::invalid_argument("--score needs the truth file");
    const std::filesystem::path truth = argv[at + 1];
    const std::filesystem::path folder = at + 2 < argc ? std::filesystem::path(argv[at + 2]) : programFolder();
    std::cout << meridan::simulation::scoreRecovery(truth, folder).text();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        meridan::simulation::SimulationParameters p;
        std::filesystem::path out = ".";
        for (int i = 1; i < argc; ++i) {
            const std::string arg = argv[i];
            auto value = [&]() -> std::string {
                if (i + 1 >= argc)
                    throw std::invalid_argument(arg + " needs a value");
                return argv[++i];
            };
            if (arg == "--help" || arg == "-h") {
                std::cout << usage;
                return 0;
            } else if (arg == "--score") {
                return score(argc, argv, i);
            } else if (arg == "--length") {
                const long length = parseLength(value());
                if (length < 5000 || length > 100000000)
                    throw std::invalid_argument("the length must lie between 5000 and 100000000 bases");
                p.length = int(length);
            } else if (arg == "--seed") {
                p.seed = std::stoull(value());
            } else if (arg == "--accession") {
                p.accession = value();
                if (p.accession.size() != 9 || p.accession.find_first_of("./") != std::string::npos)
                    throw std::invalid_argument("the accession must be 9 characters without '.' or '/'");
            } else if (arg == "--out") {
                out = value();
            } else {
                throw std::invalid_argument("unknown argument " + arg);
            }
        }
        const meridan::simulation::SimulatedGenome genome = meridan::simulation::simulateGenome(p);
        int proteins = 0;
        for (const auto& g : genome.genes)
            proteins += !g.rna;
        for (const auto& path : meridan::simulation::writeSimulation(genome, out))
            std::cout << "wrote " << std::filesystem::absolute(path).lexically_normal().string() << '\n';
        std::cout << genome.sequence.size() << " bases, " << proteins << " protein genes, "
                  << genome.genes.size() - size_t(proteins) << " RNA genes, " << genome.operons.size()
                  << " operons\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "meridan-simulate: " << e.what() << "\n(see meridan-simulate --help)\n";
        return 2;
    }
}
