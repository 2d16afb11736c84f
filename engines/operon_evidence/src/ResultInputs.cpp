#include "meridan/evidence/ResultInputs.h"

#include "meridan/genome/GeneTableFile.h"
#include "meridan/genome/ReadResult.h"
#include "meridan/genome/TextFields.h"
#include "meridan/genome/results/GeneTagFile.h"
#include "meridan/genome/results/PromoterTable.h"
#include "meridan/genome/results/TerminatorTable.h"
#include "meridan/genome/results/TuList.h"

#include <fstream>
#include <sstream>

namespace meridan::evidence {

std::ifstream openInput(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw InputError(genome::cantOpenMessage(path));
    return in;
}

namespace {

std::string cogLetters(const std::string& column)
{
    // COG0527E -> E; COG0001H,COG0002K -> HK; "-" -> "".
    std::string letters;
    for (const std::string& entry : genome::splitAt(column, ','))
        if (entry.size() > 7 && entry.compare(0, 3, "COG") == 0)
            letters += entry.substr(7);
    return letters;
}

} // namespace

std::vector<TableGene> readGeneTable(const std::string& path)
{
    // The genome library's rules: the rows every engine leaves out (too few
    // columns, a location that is no start..end, a strand other than + or -)
    // are left out here too, so that the rows match the engines' gene tags.
    const auto table = genome::readGeneTableText(path);
    if (!table)
        throw InputError(table.error);
    std::vector<TableGene> genes;
    for (const genome::GeneTableRow& row : table.value->rows) {
        const auto& c = row.columns;
        const auto span = genome::parseSpan(c[genome::column::location]);
        TableGene g;
        g.start = span->start;
        g.end = span->end;
        g.strand = c[genome::column::strand][0];
        g.synonym = c[genome::column::synonym];
        g.cog = c.size() > genome::column::cog ? cogLetters(c[genome::column::cog]) : std::string();
        g.product = c.size() > genome::column::product ? c[genome::column::product] : std::string();
        g.name = c[genome::column::gene] == "-" ? std::string() : c[genome::column::gene];
        genes.push_back(std::move(g));
    }
    return genes;
}

namespace {

// The rows of a result reader, or InputError with its first problems.
template <typename Row> std::vector<Row> cleanRows(genome::results::ResultRows<Row> read)
{
    if (!read.problems.empty())
        throw InputError(genome::results::describeProblems(read.problems, 5));
    return std::move(read.rows);
}

} // namespace

std::vector<GeneTagLine> readGeneTags(const std::string& path)
{
    std::vector<GeneTagLine> tags;
    for (const auto& row : cleanRows(genome::results::readGeneTagFile(path)))
        tags.push_back({row.operonNumber, row.sdPosition, row.taPosition, row.terminatorPosition});
    return tags;
}

std::vector<PromoterHit> readPromoterHits(const std::string& path)
{
    std::vector<PromoterHit> hits;
    for (const auto& row : cleanRows(genome::results::readSigmaScoreFile(path))) {
        PromoterHit h;
        h.synonym = row.synonym;
        h.strand = row.strand;
        h.tss = row.tss;
        h.start = row.start;
        h.score = row.score;
        // Box positions are the first base of each box in the gene's direction.
        const long lastBox = row.twoBoxes ? row.secondBoxPosition : row.firstBoxPosition;
        const long lastLength = long((row.twoBoxes ? row.secondBox : row.firstBox).size());
        h.from = h.strand == '+' ? row.firstBoxPosition : lastBox - lastLength + 1;
        h.to = h.strand == '+' ? lastBox + lastLength - 1 : row.firstBoxPosition;
        hits.push_back(std::move(h));
    }
    return hits;
}

std::vector<TerminatorRow> readTerminatorRows(const std::string& path)
{
    std::vector<TerminatorRow> rows;
    for (const auto& row : cleanRows(genome::results::readTerminatorTableFile(path)))
        rows.push_back({row.start, row.stem, row.loop, row.tail, row.score, row.label});
    return rows;
}

std::vector<std::vector<long>> readTuMembers(const std::string& path)
{
    std::vector<std::vector<long>> tus;
    for (const auto& row : cleanRows(genome::results::readTuListFile(path))) {
        std::vector<long> members;
        for (const auto& m : row.members)
            members.push_back(m.geneIndex);
        tus.push_back(std::move(members));
    }
    return tus;
}

} // namespace meridan::evidence
