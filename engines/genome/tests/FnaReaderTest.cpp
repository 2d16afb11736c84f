#include "meridan/genome/FnaReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using meridan::genome::readGenomeSequence;

namespace {

meridan::genome::GenomeSequence readText(const std::string& text, std::ostream* trace = nullptr)
{
    std::istringstream in(text);
    return readGenomeSequence(in, trace);
}

} // namespace

TEST(FnaReader, WrappedAndUnwrappedGiveTheSameSequence)
{
    const auto oneLine = readText(">chr test\nACGTTGCAAC\n");
    const auto wrapped = readText(">chr test\nACG\nTTG\nCAA\nC\n");
    const auto noFinalBreak = readText(">chr test\nACGTT\nGCAAC");
    EXPECT_EQ(oneLine.sequence, "ACGTTGCAAC");
    EXPECT_EQ(wrapped.sequence, oneLine.sequence);
    EXPECT_EQ(noFinalBreak.sequence, oneLine.sequence);
    EXPECT_EQ(wrapped.length, 10);
    EXPECT_EQ(wrapped.reverseComplement, "GTTGCAACGT");
}

TEST(FnaReader, LowerCaseIsReadAsUpperCaseAndBlanksAreDropped)
{
    const auto genome = readText(">x\r\nacGTn\r\n\r\n  CC C\r\nGG\tTT\n");
    EXPECT_EQ(genome.sequence, "ACGTNCCCGGTT");
    EXPECT_EQ(genome.reverseComplement, "AACCGGG?ACGT");
}

TEST(FnaReader, TextThatIsNoFastaGivesAnEmptyGenomeAndTheReason)
{
    std::ostringstream trace;
    EXPECT_EQ(readText("ACGT\n>x\nAC\n", &trace).length, 0);
    EXPECT_NE(trace.str().find(":1: sequence text before the first '>' header"), std::string::npos);
}

TEST(FnaReader, EmptyBodyAndEmptyFileGiveAnEmptyGenome)
{
    for (const char* text : {">only a header\n", ""}) {
        const auto genome = readText(text);
        EXPECT_EQ(genome.length, 0);
        EXPECT_TRUE(genome.sequence.empty());
        EXPECT_TRUE(genome.reverseComplement.empty());
    }
}

TEST(FnaReader, ASecondRecordIsReportedAndNotAppended)
{
    std::ostringstream trace;
    const auto genome = readText(">one\nACGT\n>two\nTTTT\n", &trace);
    EXPECT_EQ(genome.sequence, "ACGT");
    EXPECT_NE(trace.str().find(":3: a second record starts here"), std::string::npos);
    EXPECT_NE(trace.str().find("genomeSize= 4\n"), std::string::npos);
}

TEST(FnaReader, UnopenableFileGivesTheMessage)
{
    const std::string missing = "/nonexistent-folder/NC_000000.fna";
    const auto result = readGenomeSequence(missing);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.error, "Can't open file " + missing + " !");

    const std::string folder = std::filesystem::temp_directory_path().string();
    EXPECT_FALSE(readGenomeSequence(folder));
}
