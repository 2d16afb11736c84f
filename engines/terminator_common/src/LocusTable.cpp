#include "terminator/LocusTable.h"

#include "terminator/RunError.h"
#include "TextLines.h"

#include <fstream>
#include <istream>
#include <ostream>

namespace meridan::terminator {

namespace {

RunError badRow(const std::string& fileName, long lineNumber, const std::string& reason)
{
    return RunError("Bad line " + std::to_string(lineNumber) + " in file " + fileName + ": "
                    + reason + " !");
}

} // namespace

void splitLocation(const std::string& location, std::string& startText, std::string& endText)
{
    const std::size_t dot = location.find('.');
    if (dot == std::string::npos) {
        startText = location;
        endText.clear();
        return;
    }
    startText = location.substr(0, dot);
    endText = dot + 2 <= location.size() ? location.substr(dot + 2) : std::string();
}

std::vector<LocusRecord> parseLocusTable(std::istream& in, const std::string& fileName,
                                         SynonymColumn synonym)
{
    std::vector<LocusRecord> records;
    std::string line;
    long lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (lineNumber <= 3)
            continue; // title, protein count and column header
        const std::vector<std::string> fields = splitFields(line);
        if (fields.empty())
            continue;
        if (fields.size() < 2)
            throw badRow(fileName, lineNumber, "no Strand column");
        if (fields[1] != "+" && fields[1] != "-")
            throw badRow(fileName, lineNumber, "Strand \"" + fields[1] + "\" is neither + nor -");
        LocusRecord record;
        record.location = fields[0];
        record.strand = fields[1][0];
        splitLocation(record.location, record.startText, record.endText);
        if (synonym == SynonymColumn::Read) {
            // Location, Strand, Length, PID, Gene, Synonym, ...
            if (fields.size() < 6)
                throw badRow(fileName, lineNumber, "no Synonym column");
            record.synonym = fields[5];
        }
        records.push_back(std::move(record));
    }
    return records;
}

std::vector<LocusRecord> readLocusTable(const std::string& path, SynonymColumn synonym,
                                        std::ostream& trace)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw RunError(cantOpenMessage(path));
    std::vector<LocusRecord> records = parseLocusTable(in, path, synonym);
    trace << "geneSize= " << records.size() << '\n';
    return records;
}

} // namespace meridan::terminator
