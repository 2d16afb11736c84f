#include "terminator/LocusTable.h"

#include "terminator/RunError.h"
#include "meridan/genome/GeneTableFile.h"

#include <istream>
#include <ostream>

namespace meridan::terminator {

void splitLocation(const std::string& location, std::string& startText, std::string& endText)
{
    auto [start, end] = genome::locationTexts(location);
    startText = std::move(start);
    endText = std::move(end);
}

namespace {

std::vector<LocusRecord> locusRecords(const genome::GeneTableText& table, SynonymColumn synonym)
{
    std::vector<LocusRecord> records;
    records.reserve(table.rows.size());
    for (const genome::GeneTableRow& row : table.rows) {
        LocusRecord record;
        record.location = row.columns[genome::column::location];
        record.strand = row.columns[genome::column::strand][0];
        splitLocation(record.location, record.startText, record.endText);
        if (synonym == SynonymColumn::Read)
            record.synonym = row.columns[genome::column::synonym];
        records.push_back(std::move(record));
    }
    return records;
}

} // namespace

std::vector<LocusRecord> parseLocusTable(std::istream& in, SynonymColumn synonym)
{
    return locusRecords(genome::parseGeneTableText(in), synonym);
}

std::vector<LocusRecord> readLocusTable(const std::string& path, SynonymColumn synonym,
                                        std::ostream& trace)
{
    const genome::ReadResult<genome::GeneTableText> table = genome::readGeneTableText(path);
    if (!table)
        throw RunError(cantOpenMessage(path));
    std::vector<LocusRecord> records = locusRecords(*table.value, synonym);
    trace << "geneSize= " << records.size() << '\n';
    return records;
}

} // namespace meridan::terminator
