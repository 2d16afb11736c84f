#include "brintel/BuilderInputs.h"

#include "brintel/TextFields.h"
#include "meridan/genome/GeneTableFile.h"
#include "meridan/genome/results/GeneTagFile.h"
#include "meridan/genome/results/PromoterTable.h"
#include "meridan/genome/results/TerminatorTable.h"

#include <istream>
#include <ostream>

namespace brintel {

namespace results = meridan::genome::results;

void reportShortLine(std::ostream& log, const std::string& source, int lineNumber,
                     std::size_t found, std::size_t expected, const char* unit)
{
    log << source << ":" << lineNumber << ": short line, " << found << " " << unit << " where "
        << expected << " are read; the missing fields are written as -\n";
}

namespace {

// The rows a result reader could not use go to the log; the genes they
// would have served show "-" as when the file has no line for them.
void reportLeftOut(std::ostream& log, const std::vector<results::ResultProblem>& problems)
{
    for (const results::ResultProblem& problem : problems)
        log << problem.text() << "; row left out\n";
}

} // namespace

std::map<int, int> readOperonNumbers(std::istream& in, const std::string& source, std::ostream& log)
{
    const auto read = results::readGeneTags(in, source);
    reportLeftOut(log, read.problems);
    std::map<int, int> numbers;
    for (const results::GeneTagRow& row : read.rows)
        numbers[static_cast<int>(row.geneIndex)] = static_cast<int>(row.operonNumber);
    return numbers;
}

namespace {

// The rows of a reader keyed by the gene's synonym; a later row replaces an
// earlier one of the same gene.
template <typename Row>
std::map<std::string, SourceLine> keyedRows(const results::ResultRows<Row>& read, std::string Row::*key,
                                            std::ostream& log)
{
    reportLeftOut(log, read.problems);
    std::map<std::string, SourceLine> rows;
    for (const Row& row : read.rows)
        rows[row.*key] = SourceLine{row.text, static_cast<int>(row.line)};
    return rows;
}

} // namespace

std::map<std::string, SourceLine> readPromoterRows(std::istream& in, const std::string& source,
                                                   std::ostream& log)
{
    return keyedRows(results::readPromoterTable(in, source), &results::PromoterRow::name, log);
}

std::map<std::string, SourceLine> readTerminatorRows(std::istream& in, const std::string& source,
                                                     std::ostream& log)
{
    return keyedRows(results::readTerminatorTable(in, source), &results::TerminatorRow::label, log);
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
