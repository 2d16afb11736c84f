// ethrin-evaluate: compares one score file of the promoter scanner with
// known promoters.
//
//   ethrin-evaluate --promoters PromoterSet.txt --scores NC_000913.sigma70.sca.dat
//                   --genes NC_000913.ptt [--genes NC_000913.rnt] [--sigma Sigma70]
//                   [--confidence Strong,Confirmed] [--upstream 250] [--tolerance 10]
//                   [--box-start 12] [--only-tss FROM-TO]
//
// A known promoter counts when its start lies 0..upstream bases before the
// start codon of a gene on its strand. It is found when one of those genes
// has a hit with score > 0 whose −10 box (for single-box files: the box)
// begins within `tolerance` bases of the known box, taken as beginning
// box-start bases before the transcription start.
//
// With several --scores files (e.g. all four sigma factors) the gene-level
// figures cover them together: the share of genes with a score > 0 in any
// file; of the genes with a known start at most `gene-window` bases before
// their start codon, the share with a hit of score > 0 whose start lies
// within `near` bases of one of them; and the share of hits with score > 0
// whose start lies within `near` bases of a known start on their strand.
// --only-tss limits the known starts and the genes (by start codon) to a
// range, for comparing only promoters left out of training.
#include "PromoterSet.h"
#include "ToolOptions.h"

#include "meridan/ethrin/GenomeInput.h"
#include "meridan/ethrin/InputError.h"
#include "meridan/ethrin/TextFields.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <set>

using namespace meridan::ethrin;
using namespace meridan::ethrin::tools;

namespace {

struct ScoreRow {
    double score = 0.0;
    long boxPosition = 0;
    long tss = 0;
};

void readScores(const std::string& path, std::multimap<std::string, ScoreRow>& rows)
{
    std::ifstream in = openInputFile(path);
    std::string line;
    std::getline(in, line); // header
    int number = 1;
    while (std::getline(in, line)) {
        ++number;
        const auto w = splitWords(line);
        if (w.empty())
            continue;
        if (w.size() != 7 && w.size() != 10)
            throw InputError(path + ":" + std::to_string(number) + ": expected 7 or 10 columns");
        const auto score = toDouble(w[4]);
        const auto pos = toLong(w.size() == 10 ? w[7] : w[5]);
        const auto tss = toLong(w[2]);
        if (!score || !pos || !tss)
            throw InputError(path + ":" + std::to_string(number) + ": bad score or position");
        rows.emplace(std::string(w[0]), ScoreRow{*score, *pos, *tss});
    }
}

// Whether a sorted list holds a value within `window` of x.
bool within(const std::vector<long>& sorted, long x, long window)
{
    const auto it = std::lower_bound(sorted.begin(), sorted.end(), x - window);
    return it != sorted.end() && *it <= x + window;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const ToolOptions opt(argc, argv,
                              {"promoters", "scores", "genes", "sigma", "confidence", "upstream", "tolerance",
                               "box-start", "only-tss", "gene-window", "near"},
                              {"genes", "scores"});
        const long upstream = opt.whole("upstream", 250);
        const long tolerance = opt.whole("tolerance", 10);
        const long boxStart = opt.whole("box-start", 12);
        const auto [onlyFrom, onlyTo] = opt.range("only-tss", LONG_MIN, LONG_MAX);
        GeneTableRead genes;
        for (const std::string& path : opt.all("genes"))
            readGeneTable(path, LONG_MAX, genes);
        std::multimap<std::string, ScoreRow> scores;
        for (const std::string& path : opt.all("scores"))
            readScores(path, scores);
        const auto known = selectPromoters(readPromoterSet(opt.text("promoters")), opt.text("sigma", "Sigma70"),
                                           splitCommas(opt.text("confidence", "Strong,Confirmed")));

        long considered = 0;
        long eligible = 0;
        long found = 0;
        long placed = 0;
        for (const KnownPromoter& p : known) {
            if (p.tss < onlyFrom || p.tss > onlyTo)
                continue;
            ++considered;
            const long expected = p.strand == '+' ? p.tss - boxStart : p.tss + boxStart;
            bool near = false;
            bool hit = false;
            bool right = false;
            for (const GeneRow& g : genes.genes) {
                if (g.strand != p.strand)
                    continue;
                const long d = p.strand == '+' ? g.startCodon - p.tss : p.tss - g.startCodon;
                if (d < 0 || d > upstream)
                    continue;
                near = true;
                const auto [from, to] = scores.equal_range(g.synonym);
                for (auto it = from; it != to; ++it) {
                    if (std::labs(it->second.boxPosition - expected) > tolerance)
                        continue;
                    right = true;
                    if (it->second.score > 0.0)
                        hit = true;
                }
            }
            eligible += near;
            found += near && hit;
            placed += near && right;
        }
        std::set<std::string> allGenes;
        for (const GeneRow& g : genes.genes)
            allGenes.insert(g.synonym);
        std::set<std::string> confident;
        for (const auto& [name, row] : scores)
            if (row.score > 0.0)
                confident.insert(name);

        const auto percent = [](long a, long b) { return b ? 100.0 * static_cast<double>(a) / static_cast<double>(b) : 0.0; };
        std::cout << "known promoters (" << opt.text("sigma", "Sigma70") << ", "
                  << opt.text("confidence", "Strong,Confirmed") << "): " << considered << '\n'
                  << "  0.." << upstream << " nt upstream of a gene on their strand: " << eligible << '\n'
                  << "  found with score > 0 within " << tolerance << " nt of their box: " << found << " ("
                  << percent(found, eligible) << " %)\n"
                  << "  best hit within " << tolerance << " nt of their box, any score: " << placed << " ("
                  << percent(placed, eligible) << " %)\n"
                  << "genes with a score > 0: " << confident.size() << " of " << allGenes.size() << " ("
                  << percent(static_cast<long>(confident.size()), static_cast<long>(allGenes.size())) << " %)\n";

        // Gene-level figures over all files given.
        const long geneWindow = opt.whole("gene-window", 300);
        const long nearWindow = opt.whole("near", 50);
        std::map<char, std::vector<long>> starts;
        for (const KnownPromoter& p : known)
            if (p.tss >= onlyFrom && p.tss <= onlyTo)
                starts[p.strand].push_back(p.tss);
        for (auto& [strand, list] : starts)
            std::sort(list.begin(), list.end());
        std::set<std::string> seen;
        long genesCounted = 0, genesFlagged = 0, genesKnown = 0, genesFound = 0, hitsFlagged = 0, hitsNear = 0;
        for (const GeneRow& g : genes.genes) {
            if (g.startCodon < onlyFrom || g.startCodon > onlyTo || !seen.insert(g.synonym).second)
                continue;
            ++genesCounted;
            const auto& list = starts[g.strand];
            std::vector<long> own; // known starts 0..geneWindow before the start codon
            for (long t : list)
                if (const long d = g.strand == '+' ? g.startCodon - t : t - g.startCodon; d >= 0 && d <= geneWindow)
                    own.push_back(t);
            bool flagged = false, found = false;
            const auto [from, to] = scores.equal_range(g.synonym);
            for (auto it = from; it != to; ++it) {
                if (!(it->second.score > 0.0))
                    continue;
                flagged = true;
                ++hitsFlagged;
                hitsNear += within(list, it->second.tss, nearWindow);
                for (long t : own)
                    found = found || std::labs(it->second.tss - t) <= nearWindow;
            }
            genesFlagged += flagged;
            genesKnown += !own.empty();
            genesFound += found;
        }
        const auto share = [](long a, long b) { return b ? static_cast<double>(a) / static_cast<double>(b) : 0.0; };
        std::cout << "gene level (" << opt.all("scores").size() << " score file(s)):\n"
                  << "  genes flagged (score > 0): " << genesFlagged << " of " << genesCounted << " ("
                  << percent(genesFlagged, genesCounted) << " %)\n"
                  << "  genes with a known start <= " << geneWindow << " nt before the start codon: " << genesKnown
                  << ", with a flagged promoter within " << nearWindow << " nt of it: " << genesFound << " ("
                  << share(genesFound, genesKnown) << ")\n"
                  << "  flagged promoters: " << hitsFlagged << ", within " << nearWindow << " nt of a known start: "
                  << hitsNear << " (" << share(hitsNear, hitsFlagged) << ")\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "ethrin-evaluate: " << e.what() << '\n';
        return 1;
    }
}
