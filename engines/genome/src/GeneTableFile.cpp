#include "meridan/genome/GeneTableFile.h"

#include "OpenInput.h"
#include "meridan/genome/TextFields.h"

#include <istream>

namespace meridan::genome {

std::vector<std::string> geneTableColumns(const std::string& line)
{
    std::vector<std::string> columns = splitTabs(line);
    if (columns.size() <= column::synonym)
        columns = splitBlanks(line);
    return columns;
}

GeneTableText parseGeneTableText(std::istream& in)
{
    GeneTableText table;
    std::string line;
    long lineNumber = 0;
    while (lineNumber < kGeneTableHeaderLines && readLine(in, line)) {
        ++lineNumber;
        table.header.push_back(line);
    }
    while (readLine(in, line)) {
        ++lineNumber;
        if (isBlankLine(line))
            continue;
        GeneTableRow row;
        row.line = lineNumber;
        row.columns = geneTableColumns(line);
        row.text = std::move(line);
        (rowProblem(row).empty() ? table.rows : table.unusable).push_back(std::move(row));
    }
    return table;
}

ReadResult<GeneTableText> readGeneTableText(const std::string& path)
{
    return detail::readOpened(path, [](std::istream& in) { return parseGeneTableText(in); });
}

std::optional<Span> parseSpan(const std::string& location)
{
    const std::string_view text = trimmed(location);
    const std::size_t dots = text.find("..");
    if (dots == std::string_view::npos)
        return std::nullopt;
    const std::optional<long> start = parseInteger(text.substr(0, dots));
    const std::optional<long> end = parseInteger(text.substr(dots + 2));
    if (!start || !end)
        return std::nullopt;
    return Span{*start, *end};
}

std::string rowProblem(const GeneTableRow& row)
{
    const std::vector<std::string>& c = row.columns;
    if (c.size() <= column::synonym)
        return std::to_string(c.size())
               + " columns where 6 are needed (Location, Strand, Length, PID, Gene, Synonym)";
    const std::optional<Span> span = parseSpan(c[column::location]);
    if (!span)
        return "location \"" + c[column::location] + "\" is not of the form start..end";
    if (span->start < 1 || span->end < 1)
        return "location \"" + c[column::location] + "\" holds a coordinate below 1";
    if (c[column::strand] != "+" && c[column::strand] != "-")
        return "strand \"" + c[column::strand] + "\" is neither + nor -";
    return {};
}

std::array<std::string, 2> locationTexts(const std::string& location)
{
    const std::size_t dot = location.find('.');
    if (dot == std::string::npos)
        return {location, std::string()};
    return {location.substr(0, dot), dot + 2 <= location.size() ? location.substr(dot + 2) : std::string()};
}

} // namespace meridan::genome
