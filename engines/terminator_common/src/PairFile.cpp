#include "terminator/PairFile.h"

#include "terminator/FileCommit.h"
#include "terminator/NumberText.h"
#include "terminator/RunError.h"
#include "TextLines.h"

#include <fstream>
#include <istream>

namespace meridan::terminator {

namespace {

RunError badLine(const std::string& fileName, long lineNumber, const std::string& reason)
{
    return RunError("Bad line " + std::to_string(lineNumber) + " in file " + fileName + ": "
                    + reason + " !");
}

} // namespace

std::string formatPairFile(const std::vector<GenePair>& pairs)
{
    std::string text = std::to_string(pairs.size()) + '\n';
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        text += pairs[k].upstream.endText + "\t\t" + pairs[k].downstream.startText + "\t\t"
                + pairs[k].upstream.strand;
        if (k + 1 < pairs.size())
            text += '\n';
    }
    return text;
}

void writePairFile(const std::filesystem::path& path, const std::vector<GenePair>& pairs)
{
    writeFileWhole(path, formatPairFile(pairs));
}

std::vector<PairLocation> parsePairFile(std::istream& in, const std::string& fileName)
{
    std::string line;
    if (!std::getline(in, line))
        throw badLine(fileName, 1, "no pair count");
    const std::vector<std::string> countField = splitBlanks(line);
    if (countField.size() != 1 || countField[0].find_first_not_of("0123456789") != std::string::npos)
        throw badLine(fileName, 1, "\"" + line + "\" is not a pair count");
    const long long count = leadingInteger(countField[0]);

    std::vector<PairLocation> pairs;
    long lineNumber = 1;
    while (static_cast<long long>(pairs.size()) < count) {
        ++lineNumber;
        if (!genome::readLine(in, line))
            throw badLine(fileName, lineNumber, "the file ends after " + std::to_string(pairs.size())
                                                    + " of " + std::to_string(count) + " pairs");
        const std::vector<std::string> parts = genome::splitTabs(line);
        if (parts.size() != 5 || parts[4].size() != 1 || (parts[4][0] != '+' && parts[4][0] != '-'))
            throw badLine(fileName, lineNumber, "expected <end>\\t\\t<start>\\t\\t<strand>");
        pairs.push_back({leadingInteger(parts[0]), leadingInteger(parts[2]), parts[4][0]});
    }
    return pairs;
}

std::vector<PairLocation> readPairFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw RunError(cantOpenMessage(path.string()));
    return parsePairFile(in, path.string());
}

RunPairs writeRunPairs(const RunInputs& inputs, SynonymColumn synonym, std::ostream& out)
{
    RunPairs run;
    const std::vector<LocusRecord> genes = readLocusTable(inputs.pttPath, synonym, out);
    run.records = recordTableOf(inputs.fnaPath);
    run.pairs = formGenePairs(genes, run.records);
    run.path = inputs.pairPath.empty() ? kPairFileName : inputs.pairPath;
    writePairFile(run.path, run.pairs);
    return run;
}

} // namespace meridan::terminator
