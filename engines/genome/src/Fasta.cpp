#include "meridan/genome/Fasta.h"

#include "OpenInput.h"
#include "meridan/genome/TextFields.h"

#include <fstream>
#include <istream>

namespace meridan::genome {

FastaFile parseFasta(std::istream& in)
{
    FastaFile file;
    std::string line;
    long lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        const std::string_view text = trimmed(line);
        if (!text.empty() && text.front() == '>') {
            FastaRecord record;
            record.header = std::string(trimmed(text.substr(1)));
            record.headerLine = lineNumber;
            file.records.push_back(std::move(record));
            continue;
        }
        if (text.empty())
            continue;
        if (file.records.empty())
            file.records.emplace_back();
        FastaRecord& record = file.records.back();
        if (record.firstSequenceLine == 0)
            record.firstSequenceLine = lineNumber;
        for (const char c : text) {
            if (isBlankChar(c))
                continue;
            record.sequence.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
        }
    }
    return file;
}

ReadResult<FastaFile> readFasta(const std::string& path)
{
    std::ifstream in;
    if (!detail::openInput(path, in))
        return ReadResult<FastaFile>::failure(cantOpenMessage(path));
    return ReadResult<FastaFile>::success(parseFasta(in));
}

} // namespace meridan::genome
