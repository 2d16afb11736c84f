#include "SimulationScore.h"

#include "meridan/genome/TextFields.h"
#include "meridan/genome/results/ResultPaths.h"
#include "meridan/genome/results/TerminatorTable.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace meridan::simulation {

namespace {

// A planted terminator may sit this many bases away from where the scan
// reports the start of its hairpin and still count as found.
constexpr int positionTolerance = 20;
// The TU builder's cut values.
constexpr double terminatorCut = meridan::genome::results::kTerminatorCut;
constexpr double promoterCut = 0.0;

std::vector<std::string> readLines(const std::filesystem::path& path, bool required = true)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (required)
            throw std::runtime_error("cannot read " + path.string());
        return {};
    }
    std::vector<std::string> lines;
    std::string line;
    while (meridan::genome::readLine(in, line))
        lines.push_back(line);
    return lines;
}

struct Gene {
    std::string synonym;
    char strand = '+';
    int start = 0;
    int end = 0;
};

struct Truth {
    std::string accession;
    std::map<std::string, int> operonOf;   // synonym -> planted operon
    struct Signal {
        char strand;
        int start;
        int end;
        std::string gene;
    };
    std::vector<Signal> promoters, terminators;
};

Truth readTruth(const std::filesystem::path& path)
{
    Truth truth;
    int operon = 0;
    for (const std::string& line : readLines(path)) {
        if (line.rfind("# planted structure of the simulated genome ", 0) == 0) {
            truth.accession = line.substr(44, 9);
            continue;
        }
        const std::vector<std::string> f = genome::splitAt(line, '\t');
        if (line.empty() || line[0] == '#' || f.size() < 5)
            continue;
        if (f[0] == "operon") {
            for (const std::string& synonym : genome::splitAt(f[4], ','))
                truth.operonOf[synonym] = operon;
            ++operon;
        } else if (f[0] == "promoter" || f[0] == "terminator") {
            Truth::Signal s{f[1].empty() ? '+' : f[1][0], std::atoi(f[2].c_str()), std::atoi(f[3].c_str()), f[4]};
            (f[0] == "promoter" ? truth.promoters : truth.terminators).push_back(s);
        }
    }
    if (truth.accession.size() != 9)
        throw std::runtime_error(path.string() + " is not a truth file of the simulator");
    return truth;
}

std::vector<Gene> readAnnotation(const std::filesystem::path& path)
{
    std::vector<Gene> genes;
    const std::vector<std::string> lines = readLines(path);
    for (size_t i = 3; i < lines.size(); ++i) {
        const std::vector<std::string> f = genome::splitAt(lines[i], '\t');
        if (f.size() < 6)
            continue;
        Gene g;
        g.start = std::atoi(f[0].c_str());
        const size_t dots = f[0].find("..");
        g.end = dots == std::string::npos ? 0 : std::atoi(f[0].c_str() + dots + 2);
        g.strand = f[1].empty() ? '+' : f[1][0];
        g.synonym = f[5];
        genes.push_back(g);
    }
    return genes;
}

} // namespace

RecoveryReport scoreRecovery(const std::filesystem::path& truthPath,
                             const std::filesystem::path& programFolder)
{
    const Truth truth = readTruth(truthPath);
    const std::string& id = truth.accession;
    const std::filesystem::path results = programFolder / "results";
    const std::vector<Gene> genes = readAnnotation(programFolder / "annotation" / (id + ".ano"));
    RecoveryReport r;
    r.geneCount = int(genes.size());

    // Operon boundaries: the gene-tag file numbers the operons, one line per gene.
    std::vector<long> operonNumber;
    for (const std::string& line : readLines(meridan::genome::results::resultPaths(results.string(), id).geneTags))
        if (!genome::splitBlanks(line).empty())
            operonNumber.push_back(std::lround(std::atof(genome::splitBlanks(line)[0].c_str())));
    std::map<std::string, const Gene*> bySynonym;
    for (const Gene& g : genes)
        bySynonym[g.synonym] = &g;
    for (size_t i = 0; i + 1 < genes.size() && i + 1 < operonNumber.size(); ++i) {
        if (genes[i].strand != genes[i + 1].strand)
            continue;
        const auto a = truth.operonOf.find(genes[i].synonym);
        const auto b = truth.operonOf.find(genes[i + 1].synonym);
        if (a == truth.operonOf.end() || b == truth.operonOf.end())
            continue;
        ++r.sameStrandPairs;
        const bool predictedBoundary = operonNumber[i] != operonNumber[i + 1];
        if (a->second != b->second) {
            ++r.plantedBoundaries;
            r.recoveredBoundaries += predictedBoundary;
        } else {
            ++r.plantedLinks;
            r.recoveredLinks += !predictedBoundary;
        }
    }

    // Terminators: a row's start counts from 10 bases before the 3' end of
    // the gene it follows, in the direction of transcription.
    std::multimap<std::string, std::pair<int, double>> rows;   // label -> (start, score)
    for (const std::string& line : readLines(results / (id + "_terminator_score.txt"), false)) {
        const std::vector<std::string> t = genome::splitBlanks(line);
        if (t.size() >= 6)
            rows.insert({t.back(), {std::atoi(t[0].c_str()), std::atof(t[4].c_str())}});
    }
    std::map<std::string, bool> endsOperon;
    for (const Truth::Signal& s : truth.terminators) {
        ++r.plantedTerminators;
        endsOperon[s.gene] = true;
        const auto gene = bySynonym.find(s.gene);
        if (gene == bySynonym.end())
            continue;
        const int expected = s.strand == '+' ? s.start - gene->second->end + 9
                                             : gene->second->start + 9 - s.end;
        const auto [first, last] = rows.equal_range(s.gene);
        r.scannedTerminators += first != last;
        for (auto it = first; it != last; ++it)
            if (it->second.second > terminatorCut && std::abs(it->second.first - expected) <= positionTolerance) {
                ++r.recoveredTerminators;
                break;
            }
    }
    for (const auto& [label, row] : rows)
        if (row.second > terminatorCut && !endsOperon.count(label) && truth.operonOf.count(label))
            ++r.internalTerminatorCalls;

    // Promoters: the table holds one line per gene name with its best score.
    std::map<std::string, double> promoterScore;
    for (const std::string& line : readLines(results / (id + "_promoter_scores.txt"), false)) {
        const std::vector<std::string> t = genome::splitBlanks(line);
        if (t.size() >= 2)
            promoterScore[t[0]] = std::atof(t[1].c_str());
    }
    for (const Truth::Signal& s : truth.promoters) {
        ++r.plantedPromoters;
        const auto it = promoterScore.find(s.gene);
        r.recoveredPromoters += it != promoterScore.end() && it->second > promoterCut;
    }
    return r;
}

std::string RecoveryReport::text() const
{
    auto percent = [](int part, int whole) {
        std::ostringstream s;
        s.setf(std::ios::fixed);
        s.precision(1);
        s << (whole ? 100.0 * part / whole : 0.0) << " %";
        return s.str();
    };
    std::ostringstream out;
    out << "genes in the annotation file:   " << geneCount << '\n'
        << "same-strand neighbour pairs:    " << sameStrandPairs << '\n'
        << "operon boundaries recovered:    " << recoveredBoundaries << " of " << plantedBoundaries
        << " (" << percent(recoveredBoundaries, plantedBoundaries) << ")\n"
        << "operon links kept together:     " << recoveredLinks << " of " << plantedLinks << " ("
        << percent(recoveredLinks, plantedLinks) << ")\n"
        << "terminators recovered:          " << recoveredTerminators << " of " << plantedTerminators
        << " (" << percent(recoveredTerminators, plantedTerminators) << "; " << scannedTerminators
        << " after a gene the scan covers)\n"
        << "terminator calls inside operons: " << internalTerminatorCalls << '\n'
        << "promoters recovered:            " << recoveredPromoters << " of " << plantedPromoters
        << " (" << percent(recoveredPromoters, plantedPromoters) << ")\n";
    return out.str();
}

} // namespace meridan::simulation
