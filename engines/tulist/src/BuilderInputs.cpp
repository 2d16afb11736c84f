#include "brintel/BuilderInputs.h"

#include "brintel/TextFields.h"
#include "meridan/genome/GeneTableFile.h"

#include <istream>
#include <ostream>

namespace brintel {

void reportShortLine(std::ostream& log, const std::string& source, int lineNumber,
                     std::size_t found, std::size_t expected, const char* unit)
{
    log << source << ":" << lineNumber << ": short line, " << found << " " << unit << " where "
        << expected << " are read; the missing fields are written as -\n";
}

std::map<int, int> readOperonNumbers(std::istream& in)
{
    std::map<int, int> numbers;
    std::string line;
    int gene = 0;
    while (readLine(in, line)) {
        if (isBlank(line))
            continue;
        numbers[gene++] = leadingInt(splitTokens(line).front());
    }
    return numbers;
}

namespace {

enum class KeyToken { First, Last };

std::map<std::string, SourceLine> readKeyedRows(std::istream& in, KeyToken key, std::size_t needed,
                                                const std::string& source, std::ostream& log)
{
    std::map<std::string, SourceLine> rows;
    std::string line;
    int lineNumber = 0;
    while (readLine(in, line)) {
        ++lineNumber;
        if (isBlank(line))
            continue;
        std::vector<std::string> tokens = splitTokens(line);
        if (tokens.size() < needed)
            reportShortLine(log, source, lineNumber, tokens.size(), needed, "tokens");
        const std::string& name = key == KeyToken::First ? tokens.front() : tokens.back();
        rows[name] = SourceLine{line, lineNumber};
    }
    return rows;
}

} // namespace

std::map<std::string, SourceLine> readPromoterRows(std::istream& in, const std::string& source,
                                                   std::ostream& log)
{
    return readKeyedRows(in, KeyToken::First, kPromoterTokens, source, log);
}

std::map<std::string, SourceLine> readTerminatorRows(std::istream& in, const std::string& source,
                                                     std::ostream& log)
{
    return readKeyedRows(in, KeyToken::Last, kTerminatorTokens, source, log);
}

std::vector<SourceLine> readGeneRows(std::istream& in, const std::string& source, std::ostream& log)
{
    // The genome library leaves out the rows every engine leaves out, so
    // that gene i here is gene i of the gene-tag file.
    const meridan::genome::GeneTableText table = meridan::genome::parseGeneTableText(in);
    for (const meridan::genome::GeneTableRow& row : table.unusable)
        log << source << ":" << row.line << ": " << meridan::genome::rowProblem(row) << "; row left out\n";
    std::vector<SourceLine> rows;
    rows.reserve(table.rows.size());
    for (const meridan::genome::GeneTableRow& row : table.rows) {
        const std::size_t tokens = splitTokens(row.text).size();
        if (tokens < kGeneTokens)
            reportShortLine(log, source, static_cast<int>(row.line), tokens, kGeneTokens, "tokens");
        rows.push_back(SourceLine{row.text, static_cast<int>(row.line)});
    }
    return rows;
}

} // namespace brintel
