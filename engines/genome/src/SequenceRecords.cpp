#include "meridan/genome/SequenceRecords.h"

#include "OpenInput.h"
#include "TextLines.h"
#include "meridan/genome/InputText.h"

#include <set>

namespace meridan::genome {

ReadResult<std::vector<SequenceRecord>> parseSequenceRecords(std::string_view text,
                                                       const std::string& sourceName,
                                                       long firstLine)
{
    using Result = ReadResult<std::vector<SequenceRecord>>;
    std::vector<SequenceRecord> records;
    std::set<std::string, std::less<>> seen;
    detail::TextLines lines(text, firstLine);
    std::string_view line;
    while (lines.next(line)) {
        if (line.empty())
            continue;
        if (line.front() == '>') {
            const auto [id, rest] = detail::splitFirstWord(line.substr(1));
            if (id.empty())
                return Result::failure(lineMessage(sourceName, lines.number(), "FASTA header without an identifier"));
            if (!seen.emplace(id).second)
                return Result::failure(lineMessage(sourceName, lines.number(),
                                                   "FASTA record " + std::string(id) + " occurs twice"));
            records.push_back({std::string(id), std::string(rest), {}, lines.number()});
            continue;
        }
        if (records.empty())
            return Result::failure(lineMessage(sourceName, lines.number(), "sequence text before the first '>' header"));
        std::string& sequence = records.back().sequence;
        for (const char c : line) {
            if (c == ' ' || c == '\t')
                continue;
            const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
            if (!letter && c != '-' && c != '*')
                return Result::failure(lineMessage(sourceName, lines.number(),
                                                   std::string("character '") + c + "' in a sequence"));
            sequence.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
        }
    }
    return Result::success(std::move(records));
}

ReadResult<std::vector<SequenceRecord>> readSequenceRecords(const std::string& path)
{
    auto records = detail::parseInputFile(
        path, [](std::string_view text, const std::string& name) { return parseSequenceRecords(text, name); });
    if (records && records.value->empty())
        return ReadResult<std::vector<SequenceRecord>>::failure(path + ": no FASTA record");
    return records;
}

} // namespace meridan::genome
