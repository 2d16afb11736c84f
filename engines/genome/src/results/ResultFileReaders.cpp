// The result-file readers on a path: each opens the file and hands the
// stream to its reader.
#include "meridan/genome/results/GeneIndexFile.h"
#include "meridan/genome/results/GeneTagFile.h"
#include "meridan/genome/results/OperonPairs.h"
#include "meridan/genome/results/PromoterTable.h"
#include "meridan/genome/results/Summary.h"
#include "meridan/genome/results/TerminatorTable.h"
#include "meridan/genome/results/TuList.h"

#include "../OpenInput.h"
#include "ResultLines.h"

namespace meridan::genome::results {

namespace {

// Opens path and hands the stream to read; an unopenable path (or a folder)
// gives rows with opened = false and one problem.
template <typename Read>
auto readPath(const std::string& path, Read read)
{
    using Result = decltype(read(std::declval<std::istream&>(), path));
    std::ifstream in;
    if (!genome::detail::openInput(path, in)) {
        Result result;
        result.problems.push_back(detail::cannotOpen(path));
        return result;
    }
    Result result = read(in, path);
    result.opened = true;
    return result;
}

} // namespace

ResultRows<GeneIndexRow> readGeneIndexFile(const std::string& path)
{
    return readPath(path, readGeneIndex);
}

ResultRows<GeneTagRow> readGeneTagFile(const std::string& path)
{
    return readPath(path, readGeneTags);
}

ResultRows<OperonPairRow> readOperonPairsFile(const std::string& path)
{
    return readPath(path, readOperonPairs);
}

ResultRows<PromoterRow> readPromoterTableFile(const std::string& path)
{
    return readPath(path, readPromoterTable);
}

ResultRows<SigmaHit> readSigmaScoreFile(const std::string& path)
{
    return readPath(path, readSigmaScores);
}

SummaryFile readSummaryFile(const std::string& path)
{
    return readPath(path, readSummary);
}

ResultRows<TerminatorRow> readTerminatorTableFile(const std::string& path)
{
    return readPath(path, readTerminatorTable);
}

ResultRows<TuRow> readTuListFile(const std::string& path)
{
    return readPath(path, readTuList);
}

} // namespace meridan::genome::results
