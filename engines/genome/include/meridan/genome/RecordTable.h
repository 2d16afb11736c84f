// The records of a genome of several records (chromosome, plasmids, draft
// contigs) laid end to end as one sequence for the engines: where each
// record lies in that sequence. The table is written beside the engines'
// input files as <id>_records.txt; a genome of one record has none, and
// every coordinate is then the record's own.
//
// File: a header line, then one tab-separated row per record in sequence
// order: accession, first and last base in the joined sequence (1-based,
// inclusive), length.
//   record	start	end	length
//   NZ_LNFQ01000001.1	1	3021	3021
//   NZ_LNFQ01000002.1	3322	4980	1659
// Between two records, and after the last, lie kRecordSpacer N's that
// belong to no record.
#pragma once

#include "meridan/genome/ReadResult.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace meridan::genome {

// N's between two records: longer than the promoter scan's upstream window
// (250 bases), so no gene's promoter region reaches the record before it.
inline constexpr std::int64_t kRecordSpacer = 300;

struct RecordSpan {
    std::string id;
    std::int64_t start = 0; // first base in the joined sequence
    std::int64_t length = 0;

    std::int64_t end() const { return start + length - 1; }
};

// A position of the joined sequence on its record.
struct LocalPosition {
    std::size_t record = 0; // index into RecordTable::records
    std::int64_t position = 0; // 1-based on the record
};

struct RecordTable {
    std::vector<RecordSpan> records; // empty: one record, nothing joined

    bool joined() const { return !records.empty(); }
    // The record holding position of the joined sequence, or the record
    // before the spacer the position lies in; nothing before the first base.
    std::optional<std::size_t> recordAt(std::int64_t position) const;
    // True when both positions lie on one record, or nothing is joined.
    bool sameRecord(std::int64_t a, std::int64_t b) const;
    // position on its record; nothing when it lies in no record.
    std::optional<LocalPosition> locate(std::int64_t position) const;
};

// <folder>/<genomeId>_records.txt
std::string recordTablePath(const std::string& folder, const std::string& genomeId);

// The table beside an engine input file (<folder>/<id>.fna, .ptt, .ano):
// <folder>/<id>_records.txt.
std::string recordTableBeside(const std::string& inputPath);

std::string recordTableText(const RecordTable& table);

// Reads a table file; failures name the file and line.
ReadResult<RecordTable> parseRecordTable(const std::string& text, const std::string& sourceName);

// The table beside inputPath: an empty table when there is none, a failure
// when it cannot be read.
ReadResult<RecordTable> readRecordTableBeside(const std::string& inputPath);

// Groups consecutive items by record: calls each(first, last) for every run
// [first, last) of items whose positions (position(item)) lie on one record.
// With nothing joined the whole range is one run.
template <typename Items, typename Position, typename Each>
void forEachRecordRun(const RecordTable& table, const Items& items, Position position, Each each)
{
    std::size_t first = 0;
    for (std::size_t i = 1; i <= items.size(); ++i)
        if (i == items.size() || !table.sameRecord(position(items[first]), position(items[i]))) {
            if (first < i)
                each(first, i);
            first = i;
        }
}

} // namespace meridan::genome
