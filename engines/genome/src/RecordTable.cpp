#include "meridan/genome/RecordTable.h"

#include "meridan/genome/InputText.h"
#include "meridan/genome/TextFields.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace meridan::genome {

namespace {

constexpr const char* kHeader = "record\tstart\tend\tlength";

} // namespace

std::optional<std::size_t> RecordTable::recordAt(std::int64_t position) const
{
    // The last record starting at or before position.
    const auto after = std::upper_bound(records.begin(), records.end(), position,
                                        [](std::int64_t p, const RecordSpan& r) { return p < r.start; });
    if (after == records.begin())
        return std::nullopt;
    return static_cast<std::size_t>(after - records.begin() - 1);
}

bool RecordTable::sameRecord(std::int64_t a, std::int64_t b) const
{
    return !joined() || recordAt(a) == recordAt(b);
}

std::optional<LocalPosition> RecordTable::locate(std::int64_t position) const
{
    const std::optional<std::size_t> index = recordAt(position);
    if (!index || position > records[*index].end())
        return std::nullopt;
    return LocalPosition{*index, position - records[*index].start + 1};
}

std::string recordTablePath(const std::string& folder, const std::string& genomeId)
{
    return (std::filesystem::path(folder) / (genomeId + "_records.txt")).string();
}

std::string recordTableBeside(const std::string& inputPath)
{
    const std::filesystem::path path(inputPath);
    return recordTablePath(path.parent_path().string(), path.stem().string());
}

std::string recordTableText(const RecordTable& table)
{
    std::string out = std::string(kHeader) + '\n';
    for (const RecordSpan& r : table.records)
        out += r.id + '\t' + std::to_string(r.start) + '\t' + std::to_string(r.end()) + '\t' +
               std::to_string(r.length) + '\n';
    return out;
}

ReadResult<RecordTable> parseRecordTable(const std::string& text, const std::string& sourceName)
{
    using Result = ReadResult<RecordTable>;
    RecordTable table;
    std::istringstream in(text);
    std::string line;
    long number = 0;
    while (readLine(in, line)) {
        ++number;
        if (number == 1) {
            if (line != kHeader)
                return Result::failure(lineMessage(sourceName, number, "not a record table (expected the header \"record start end length\")"));
            continue;
        }
        if (isBlankLine(line))
            continue;
        const std::vector<std::string> fields = splitTabs(line);
        const auto start = fields.size() == 4 ? parseInteger(fields[1]) : std::nullopt;
        const auto end = fields.size() == 4 ? parseInteger(fields[2]) : std::nullopt;
        const auto length = fields.size() == 4 ? parseInteger(fields[3]) : std::nullopt;
        if (fields.size() != 4 || fields[0].empty() || !start || !end || !length)
            return Result::failure(lineMessage(sourceName, number, "a record row needs four tab-separated fields: record, start, end, length"));
        if (*length < 1 || *start < 1 || *end != *start + *length - 1)
            return Result::failure(lineMessage(sourceName, number, "record " + fields[0] + ": start, end and length do not agree"));
        if (!table.records.empty() && *start <= table.records.back().end())
            return Result::failure(lineMessage(sourceName, number, "record " + fields[0] + " starts before the record above it ends"));
        table.records.push_back({fields[0], *start, *length});
    }
    if (number == 0)
        return Result::failure(sourceName + ": empty record table");
    return Result::success(std::move(table));
}

ReadResult<RecordTable> readRecordTableBeside(const std::string& inputPath)
{
    const std::string path = recordTableBeside(inputPath);
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return ReadResult<RecordTable>::success({});
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return ReadResult<RecordTable>::failure(cantOpenMessage(path));
    std::ostringstream text;
    text << in.rdbuf();
    return parseRecordTable(text.str(), path);
}

} // namespace meridan::genome
