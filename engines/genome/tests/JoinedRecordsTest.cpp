// A genome of several records joined into one sequence for the engines: the
// record table, the shifted genes and a record without its sequence.
#include "meridan/genome/EngineInputFiles.h"
#include "meridan/genome/FnaReader.h"
#include "meridan/genome/GenomeFile.h"
#include "meridan/genome/PttReader.h"
#include "meridan/genome/RecordTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using namespace meridan::genome;

namespace {

class Folder {
public:
    Folder() : path_(std::filesystem::temp_directory_path() / ("meridan_joined_" + std::to_string(std::random_device{}())))
    {
        std::filesystem::create_directories(path_);
    }
    ~Folder() { std::filesystem::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

void write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Two sequenced contigs of 200 and 150 bases with two genes each, and a
// third annotated contig whose sequence the FASTA file lacks.
const char* kGff = "##gff-version 3\n"
                   "c1\t.\tCDS\t11\t70\t.\t+\t0\tlocus_tag=a1\n"
                   "c1\t.\tCDS\t101\t190\t.\t+\t0\tlocus_tag=a2\n"
                   "c2\t.\tCDS\t5\t64\t.\t+\t0\tlocus_tag=b1\n"
                   "c2\t.\tCDS\t81\t140\t.\t-\t0\tlocus_tag=b2\n"
                   "c3\t.\tCDS\t5\t64\t.\t+\t0\tlocus_tag=x1\n";

std::string fasta() { return ">c1\n" + std::string(200, 'A') + "\n>c2\n" + std::string(150, 'C') + "\n"; }

} // namespace

TEST(JoinedRecords, GenesMoveToTheirRecordsPlaceAndTheTableReadsBack)
{
    Folder folder;
    write(folder.file("g.fna"), fasta());
    write(folder.file("g.gff3"), kGff);
    EXPECT_FALSE(readAnnotatedGenome(folder.file("g.fna"), folder.file("g.gff3"))); // c3 lacks its sequence
    const auto read = readAnnotatedGenome(folder.file("g.fna"), folder.file("g.gff3"), MissingSequence::LeaveOut);
    ASSERT_TRUE(read) << read.error;
    ASSERT_EQ(read.value->leftOut.size(), 1u);
    EXPECT_EQ(read.value->leftOut[0].rfind("c3 ", 0), 0u);

    const auto written = writeGenomeInputFiles("draft", chromosomeFirst(*read.value), folder.file(""));
    ASSERT_TRUE(written) << written.error;
    EXPECT_EQ(written.value->records, folder.file("draft_records.txt"));

    const auto table = readRecordTableBeside(written.value->ptt);
    ASSERT_TRUE(table) << table.error;
    ASSERT_EQ(table.value->records.size(), 2u);
    const RecordSpan c2 = table.value->records[1];
    EXPECT_EQ(c2.id, "c2");
    EXPECT_EQ(c2.start, 200 + kRecordSpacer + 1);
    EXPECT_EQ(c2.length, 150);
    EXPECT_FALSE(table.value->sameRecord(190, c2.start + 4));
    EXPECT_FALSE(table.value->locate(201)); // a spacer base
    EXPECT_EQ(table.value->locate(c2.start + 80)->position, 81);

    const auto sequence = readGenomeSequence(written.value->fna);
    ASSERT_TRUE(sequence);
    EXPECT_EQ(sequence.value->length, 200 + 150 + 2 * kRecordSpacer);
    EXPECT_EQ(sequence.value->sequence.substr(static_cast<std::size_t>(c2.start - 1), 3), "CCC");
    const auto genes = readGeneTable(written.value->ptt);
    ASSERT_TRUE(genes);
    ASSERT_EQ(genes.value->genes.size(), 4u);
    EXPECT_EQ(genes.value->genes[2].start, c2.start + 4);
    EXPECT_EQ(genes.value->genes[3].end, c2.start + 139);

    // One record is written as it is, and takes an earlier run's table away.
    const auto one = writeGenomeInputFiles("draft", {&read.value->records[0]}, folder.file(""));
    ASSERT_TRUE(one);
    EXPECT_TRUE(one.value->records.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.file("draft_records.txt")));
}

TEST(JoinedRecords, ABadTableNamesItsFileAndLine)
{
    EXPECT_TRUE(parseRecordTable("record\tstart\tend\tlength\nc1\t1\t10\t10\n", "t"));
    for (const char* body : {"c1\t1\t10\n", "c1\t1\t9\t10\n", "c1\t5\t14\t10\nc2\t10\t19\t10\n", "c1\tone\t10\t10\n"}) {
        const auto read = parseRecordTable(std::string("record\tstart\tend\tlength\n") + body, "t.txt");
        EXPECT_FALSE(read) << body;
        EXPECT_NE(read.error.find("t.txt:"), std::string::npos) << read.error;
    }
    EXPECT_FALSE(parseRecordTable("id start\n", "t.txt"));
}
