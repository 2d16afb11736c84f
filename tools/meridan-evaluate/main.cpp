// meridan-evaluate: compares a finished prediction with what is known about
// the genome - operon gene pairs, TU spans, promoters (transcription starts)
// and terminators (mapped 3' ends) - and prints counts and figures.
#include "Calibration.h"
#include "KnownSets.h"
#include "PairBenchmark.h"
#include "SiteBenchmark.h"

#include "meridan/evidence/ResultInputs.h"
#include "meridan/genome/FnaReader.h"
#include "meridan/genome/results/ResultPaths.h"
#include "meridan/genome/results/TerminatorTable.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace meridan;
using namespace meridan::evaluate;

namespace {

const char* const kUsage =
    "usage: meridan-evaluate --genes TABLE [--genes TABLE ...] [--tagged-genes TABLE ...]\n"
    "         [--results DIR] [--id GENOME]\n"
    "         [--operons OperonSet.txt|TUSet.txt ...] [--gene-products GeneProductSet.txt]\n"
    "         [--known-operons TABLE] [--tus TUSet.txt|TABLE] [--levels Strong,Confirmed]\n"
    "         [--tss PromoterSet.txt|SITES.bed|SITES.tsv] [--sigma Sigma70] [--genome GENOME.fna]\n"
    "         [--terminators ENDS.bed] [--terminator-cut 2] [--gap 90]\n"
    "         [--genetag FILE] [--promoters FILE] [--terminator-table FILE] [--tulist FILE]\n"
    "         [--pairs FILE]\n"
    "\n"
    "TABLE is the gene table whose neighbours and genes are judged (PTT layout; several are\n"
    "appended). --tagged-genes names the table the gene-tag lines belong to when it differs (the\n"
    "merged PTT + RNT annotation file the operon engine read); genes are matched by locus tag. Result files default to DIR/GENOME_genetag.txt, DIR/GENOME.sigma70.sca.dat,\n"
    "DIR/GENOME_terminator_score.txt and DIR/GENOME_tulist.txt (DIR: ./results, GENOME: from the\n"
    "first gene table's name). Sections are printed for the known sets given:\n"
    "  gene pairs    adjacent same-strand genes judged by known operons: counts, sensitivity,\n"
    "                specificity, accuracy and MCC of the gene tags and of the rule 'same operon\n"
    "                when fewer than --gap bases lie between the genes', and the cut-off of that rule\n"
    "                with the best MCC on these pairs (tuned on them: a reference, not a method);\n"
    "                with a pair table (DIR/GENOME_operon_pairs.tsv, or --pairs) the calibration of\n"
    "                its link probabilities: observed share of same-operon pairs per band\n"
    "  TU spans      exact first-to-last gene spans of the TU list against known TUs\n"
    "  promoters     genes flagged (score > 0), genes with a known start <= 300 nt before their\n"
    "                start codon whose flagged promoter starts within 50 nt of it, flagged\n"
    "                promoters within 50 nt of a known start; with --genome also the consensus scan\n"
    "  terminators   known 3' ends with a predicted end within 50/100 nt and the reverse; with\n"
    "                the gene tags, the share of same-strand neighbours with a known end between\n"
    "                them that are split, and of the others that are linked (also for the rule)\n";

struct Options {
    std::multimap<std::string, std::string> values;
    std::string text(const std::string& key, const std::string& fallback = {}) const
    {
        const auto it = values.find(key);
        return it == values.end() ? fallback : it->second;
    }
    std::vector<std::string> all(const std::string& key) const
    {
        std::vector<std::string> out;
        for (auto [it, end] = values.equal_range(key); it != end; ++it)
            out.push_back(it->second);
        return out;
    }
    bool has(const std::string& key) const { return values.count(key) > 0; }
};

Options parseOptions(int argc, char** argv)
{
    static const std::vector<std::string> known{
        "genes", "tagged-genes", "results", "id", "operons", "gene-products", "known-operons", "tus", "levels", "tss", "sigma",
        "genome", "terminators", "terminator-cut", "gap", "genetag", "promoters", "terminator-table", "tulist", "pairs"};
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            std::cout << kUsage;
            std::exit(0);
        }
        const std::string key = arg.rfind("--", 0) == 0 ? arg.substr(2) : std::string();
        if (std::find(known.begin(), known.end(), key) == known.end())
            throw std::invalid_argument("unknown argument " + arg);
        if (i + 1 >= argc)
            throw std::invalid_argument(arg + " needs a value");
        o.values.emplace(key, argv[++i]);
    }
    if (!o.has("genes"))
        throw std::invalid_argument("--genes is required");
    return o;
}

long wholeOption(const Options& o, const std::string& key, long fallback)
{
    if (!o.has(key))
        return fallback;
    try {
        return std::stol(o.text(key));
    } catch (const std::exception&) {
        throw std::invalid_argument("--" + key + " needs a whole number");
    }
}

std::string percent(double share)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %%", 100.0 * share);
    return text;
}

std::string fixed(double value, int digits = 3)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", digits, value);
    return text;
}

void printPairs(const std::string& label, const PairCounts& c)
{
    std::cout << "  " << label << ": TP " << c.truePositive << "  FP " << c.falsePositive << "  TN "
              << c.trueNegative << "  FN " << c.falseNegative << "  sensitivity " << fixed(c.sensitivity())
              << "  specificity " << fixed(c.specificity()) << "  accuracy " << fixed(c.accuracy()) << "  MCC "
              << fixed(c.mcc()) << '\n';
}

// Links of same-strand neighbours against mapped 3' ends: how many pairs with
// an end between the genes are split, how many without one are linked.
void printEndPairs(const std::string& label, const PairCounts& c)
{
    const std::size_t atEnds = c.trueNegative + c.falsePositive;
    const std::size_t others = c.truePositive + c.falseNegative;
    std::cout << "  " << label << ": split " << c.trueNegative << " of " << atEnds << " ("
              << fixed(share(c.trueNegative, atEnds)) << "), linked " << c.truePositive << " of " << others << " ("
              << fixed(share(c.truePositive, others)) << ")\n";
}

void printPromoters(const std::string& label, const PromoterFigures& f)
{
    std::cout << "  " << label << ": genes flagged " << f.genesFlagged << " of " << f.genes << " ("
              << percent(share(f.genesFlagged, f.genes)) << ")  genes with a known start placed "
              << f.genesPlaced << " of " << f.genesWithKnown << " (" << fixed(share(f.genesPlaced, f.genesWithKnown))
              << ")  flagged promoters near a known start " << f.hitsNearKnown << " of " << f.hitsFlagged << " ("
              << fixed(share(f.hitsNearKnown, f.hitsFlagged)) << ")\n";
}

bool exists(const std::string& path) { return std::filesystem::exists(path); }

int run(const Options& o)
{
    const auto tables = o.all("genes");
    std::vector<evidence::TableGene> genes;
    for (const auto& path : tables) {
        auto part = evidence::readGeneTable(path);
        genes.insert(genes.end(), part.begin(), part.end());
    }
    std::vector<evidence::TableGene> tagged;
    for (const auto& path : o.all("tagged-genes")) {
        auto part = evidence::readGeneTable(path);
        tagged.insert(tagged.end(), part.begin(), part.end());
    }
    if (tagged.empty())
        tagged = genes;
    const std::string& first = tables.front();
    const std::string stem = std::filesystem::path(first).stem().string();
    const std::string id = o.text("id", stem);
    const std::string dir = o.text("results", "./results");
    const genome::results::ResultPaths files = genome::results::resultPaths(dir, id);
    const auto result = [&](const std::string& key, const std::string& path) { return o.text(key, path); };
    const long gap = wholeOption(o, "gap", 90);
    // The gene tags, read once when a section first needs them.
    const std::string genetag = result("genetag", files.geneTags);
    std::optional<std::vector<evidence::GeneTagLine>> tagLines;
    const auto geneTags = [&]() -> const std::vector<evidence::GeneTagLine>& {
        if (!tagLines)
            tagLines = evidence::readGeneTags(genetag);
        return *tagLines;
    };
    const auto levels = splitList(o.text("levels", "Strong,Confirmed"), ",");
    std::map<std::string, std::string> names;
    if (o.has("gene-products"))
        names = readGeneProducts(o.text("gene-products"));

    std::vector<KnownUnit> units;
    for (const auto& path : o.all("operons")) {
        auto part = readRegulonUnits(path, levels, names);
        units.insert(units.end(), part.begin(), part.end());
    }
    for (const auto& path : o.all("known-operons")) {
        auto part = readUnitTable(path);
        units.insert(units.end(), part.begin(), part.end());
    }
    std::cout << "genome " << id << ": " << genes.size() << " genes\n";

    if (!units.empty()) {
        const auto truth = knownPairs(genes, units);
        std::size_t same = 0, boundary = 0;
        for (auto t : truth) {
            same += t == PairTruth::Same;
            boundary += t == PairTruth::Boundary;
        }
        std::cout << "gene pairs (" << units.size() << " known units): " << same << " same, " << boundary
                  << " boundary\n";
        if (exists(genetag)) {
            const auto& tags = geneTags();
            if (tags.size() != tagged.size())
                std::cout << "  note: " << genetag << " has " << tags.size() << " lines for " << tagged.size()
                          << " genes\n";
            printPairs("gene tags", comparePairs(truth, linksOfGeneTags(genes, tagged, tags)));
        }
        printPairs("distance < " + std::to_string(gap), comparePairs(truth, linksOfDistance(genes, gap)));
        const BestCutoff best = bestDistanceCutoff(genes, truth);
        printPairs("best cut-off, distance < " + std::to_string(best.gap), best.counts);
        const std::string pairs = result("pairs", "_operon_pairs.tsv");
        if (exists(pairs)) {
            const auto bands = calibrate(genes, truth, pairs);
            std::cout << "link probabilities (" << pairs << "), judged pairs per band:\n";
            for (const auto& b : bands)
                if (b.pairs)
                    std::cout << "  " << fixed(b.from, 1) << "-" << fixed(b.to, 1) << ": " << b.pairs
                              << " pairs, mean probability " << fixed(b.expected()) << ", observed same "
                              << fixed(b.observed()) << '\n';
            std::cout << "  calibration error " << fixed(calibrationError(bands)) << '\n';
        }
    }

    std::vector<KnownUnit> tus;
    for (const auto& path : o.all("tus")) {
        const bool regulon = path.find("Set") != std::string::npos;
        auto part = regulon ? readRegulonUnits(path, levels, names) : readUnitTable(path);
        tus.insert(tus.end(), part.begin(), part.end());
    }
    if (tus.empty())
        tus = units;
    const std::string tulist = result("tulist", files.tuList);
    if (!tus.empty() && exists(tulist)) {
        const auto f = compareSpans(tagged, tus, evidence::readTuMembers(tulist));
        std::cout << "TU spans: known " << f.known << ", found " << f.knownFound << " (recall "
                  << fixed(share(f.knownFound, f.known)) << "); predicted " << f.predicted << ", known "
                  << f.predictedKnown << " (precision " << fixed(share(f.predictedKnown, f.predicted)) << ")\n";
    }

    if (o.has("tss")) {
        const std::string sigma = o.text("sigma", "Sigma70");
        const auto known = readStartSites(o.text("tss"), sigma, levels);
        std::cout << "promoters (" << known.size() << " known starts, " << sigma << "):\n";
        const std::string scores = result("promoters", files.sigmaScores[2]);
        if (exists(scores))
            printPromoters("scanner", comparePromoters(genes, evidence::readPromoterHits(scores), known));
        if (o.has("genome")) {
            auto fna = genome::readGenomeSequence(o.text("genome"));
            if (!fna)
                throw evidence::InputError(fna.error);
            printPromoters("consensus scan", comparePromoters(genes, consensusScan(fna.value->sequence, genes), known));
        }
    }

    if (o.has("terminators")) {
        const auto known = readSites(o.text("terminators"));
        const std::string table = result("terminator-table", files.terminatorTable);
        if (exists(table)) {
            const double cut = o.has("terminator-cut") ? std::stod(o.text("terminator-cut")) : genome::results::kTerminatorCut;
            const auto ends = terminatorEnds(genes, evidence::readTerminatorRows(table), cut);
            std::cout << "terminators (" << known.size() << " known 3' ends, " << ends.size()
                      << " predicted with score > " << cut << "):\n";
            for (long w : {50L, 100L}) {
                const auto f = compareSites(known, ends, w);
                std::cout << "  within " << w << " nt: known found " << f.knownFound << " (recall "
                          << fixed(share(f.knownFound, f.known)) << "), predictions near a known end "
                          << f.predictedNear << " (" << fixed(share(f.predictedNear, f.predicted)) << ")\n";
            }
        }
        // A mapped end between two same-strand genes marks a transcript
        // boundary; operons should split there.
        if (exists(genetag)) {
            const auto atEnds = pairsAtKnownEnds(genes, known, 20);
            std::cout << "same-strand neighbours with a known 3' end between them (split) and without (linked):\n";
            printEndPairs("gene tags", comparePairs(atEnds, linksOfGeneTags(genes, tagged, geneTags())));
            printEndPairs("distance < " + std::to_string(gap), comparePairs(atEnds, linksOfDistance(genes, gap)));
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    try {
        options = parseOptions(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "meridan-evaluate: " << e.what() << "\n" << kUsage;
        return 2;
    }
    try {
        return run(options);
    } catch (const std::exception& e) {
        std::cerr << "meridan-evaluate: " << e.what() << '\n';
        return 1;
    }
}
