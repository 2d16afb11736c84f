// Malformed inputs through meridan-predict and through the input check the
// workbench calls: each either stops before any engine runs (exit status 2,
// one message naming the file, no result file) or passes the check (the
// engines run; rows left out are reported once).
#include "PredictProcess.h"
#include "TestData.h"
#include "meridan/genome/InputCheck.h"


#include <gtest/gtest.h>

#include <string>

namespace {

using namespace meridan::predicttest;

// A small genome: 12 genes on 12 kb, alternating runs of strands.
std::string sequence(std::size_t length = 12000)
{
    std::string s;
    unsigned state = 7;
    for (std::size_t i = 0; i < length; ++i) {
        state = state * 1103515245u + 12345u;
        s += "ACGT"[(state >> 16) & 3];
    }
    return s;
}

std::string fasta(const std::string& seq, const std::string& eol = "\n")
{
    std::string text = ">NC_000001 test genome" + eol;
    for (std::size_t i = 0; i < seq.size(); i += 70)
        text += seq.substr(i, 70) + eol;
    return text;
}

const std::string kHeader = "test genome - 1..12000\n12 proteins\nLocation\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct\n";

std::string row(long start, long end, const char* strand, int k)
{
    return std::to_string(start) + ".." + std::to_string(end) + "\t" + strand + "\t100\t" + std::to_string(1000 + k)
           + "\tg" + std::to_string(k) + "\tT" + std::to_string(k) + "\t-\t-\tprotein " + std::to_string(k) + "\n";
}

std::string rows()
{
    std::string text;
    for (int k = 0; k < 12; ++k)
        text += row(200 + k * 950, 200 + k * 950 + 800, (k / 3) % 2 ? "-" : "+", k);
    return text;
}

const std::string kRnt = "test genome - 1..12000\n1 RNAs\nLocation\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct\n"
                         "11500..11580\t+\t80\t-\trrfA\tR1\t-\t-\t5S ribosomal RNA\n";

struct Case {
    const char* name;
    std::string fna;
    std::string ptt;
    std::string rnt;      // "" for none
    int exit;             // 2: stopped at the door; 0: passes the check
    const char* message;  // in the error (exit 2) or in a note (exit 0); may be empty
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

std::vector<Case> cases()
{
    const std::string seq = sequence();
    std::string lower = seq;
    for (char& c : lower)
        c = static_cast<char>(c - 'A' + 'a');
    std::string iupac = seq;
    iupac.replace(3000, 500, std::string(500, 'N'));
    iupac[5000] = 'R';
    iupac[5001] = 'y';
    std::string binary(20000, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 7919) % 256);
    std::string crlfPtt = kHeader + rows();
    for (std::size_t p = 0; (p = crlfPtt.find('\n', p)) != std::string::npos; p += 2)
        crlfPtt.replace(p, 1, "\r\n");
    std::string blanks = rows();
    for (char& c : blanks)
        if (c == '\t')
            c = ' ';
    const std::string good = kHeader + rows();
    return {
        {"EmptyFasta", "", good, "", 2, "no sequence"},
        {"BinaryFasta", binary, good, "", 2, "is not text"},
        {"HeaderOnlyFasta", ">NC_000001 nothing\n", good, "", 2, "header but no sequence"},
        {"SequenceBeforeHeader", seq + "\n", good, "", 2, "before the first '>' header"},
        {"NonNucleotideLetter", fasta(seq.substr(0, 100) + "J" + seq.substr(101)), good, "", 2,
         "'J' (0x4A) is not a nucleotide letter"},
        {"DigitsInSequence", fasta(seq.substr(0, 70)) + "12345\n" + fasta(seq).substr(24), good, "", 2, "character '1'"},
        {"TwoRecords", fasta(seq) + ">second\nACGT\n", good, "", 2, "a second record"},
        {"SequenceShorterThanGenes", fasta(seq.substr(0, 6000)), good, "", 2, "ends beyond the 6000 bases"},
        {"EmptyPtt", fasta(seq), "", "", 2, "no usable gene row"},
        {"HeaderOnlyPtt", fasta(seq), kHeader, "", 2, "no usable gene row"},
        {"BinaryPtt", fasta(seq), binary, "", 2, "is not text"},
        {"OnlyUnreadableRows", fasta(seq), kHeader + "1..90\t+\n" + "x..y\t+\t1\t1\tg\tT\t-\t-\tp\n", "", 2,
         "no usable gene row"},
        {"GenesPastTheEnd", fasta(seq), good + row(11900, 12500, "+", 20), "", 2, "ends beyond the 12000 bases"},
        {"RntOfAnotherGenome", fasta(seq), good, kRnt + "90000..90100\t-\t100\t-\tx\tR2\t-\t-\ttRNA\n", 2,
         "must be of the same genome"},
        {"BinaryRnt", fasta(seq), good, binary, 2, "is not text"},
        {"CrlfLineEnds", fasta(seq, "\r\n"), crlfPtt, "", 0, ""},
        {"LowerCaseSequence", fasta(lower), good, "", 0, "lower-case letters are read as upper case"},
        {"IupacCodesAndNRuns", fasta(iupac), good, kRnt, 0, "502 of 12000 bases are IUPAC codes"},
        {"ShortRows", fasta(seq), good + "11000..11100\t+\t33\n", "", 0, "1 row cannot be read"},
        {"NonNumericLocation", fasta(seq), good + "abc..11100\t+\t1\t1\tg\tT\t-\t-\tp\n", "", 0,
         "is not of the form start..end"},
        {"UnknownStrand", fasta(seq), good + "11000..11100\t?\t1\t1\tg\tT\t-\t-\tp\n", "", 0, "is neither + nor -"},
        {"ReversedLocationReadAcrossTheOrigin", fasta(seq), good + row(11900, 150, "+", 30), "", 0, ""},
        {"OriginCrossingFirstGene", fasta(seq), kHeader + row(150, 11990, "+", 40) + rows().substr(rows().find('\n') + 1), "", 0, ""},
        {"DuplicateRows", fasta(seq), good + row(200, 1000, "+", 0), "", 0, "repeat the Location and Strand"},
        {"UnsortedRows", fasta(seq), kHeader + row(5000, 5600, "+", 50) + rows(), "", 0, "start before the row above"},
        {"SingleGene", fasta(seq), kHeader + row(200, 1000, "+", 0), "", 0, ""},
        {"BlanksInsteadOfTabs", fasta(seq), kHeader + blanks, "", 0, ""},
        {"TwoMegabyteLine", ">NC_000001 " + std::string(2 << 20, 'h') + "\n" + fasta(seq).substr(24), good, "", 0, ""},
    };
}

void write(const std::string& path, const std::string& text)
{
    writeFile(path, text);
}

// No result file of the genome is empty or half-written.
void expectNoPartialResults(const ProgramCopy& program, const char* name)
{
    auto endsWith = [](const std::string& text, const std::string& end) {
        return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
    };
    for (const auto& file : fs::directory_iterator(program.path("results"))) {
        if (!file.is_regular_file())
            continue;
        const std::string fileName = file.path().filename().string();
        EXPECT_FALSE(endsWith(fileName, ".part")) << name << " " << fileName;
        if (!endsWith(fileName, "_predict.log") && !endsWith(fileName, "_terminator_score.txt")) {
            EXPECT_GT(file.file_size(), 0u) << name << " " << fileName;
        }
    }
}

class MalformedInput : public ::testing::TestWithParam<Case> {};

TEST_P(MalformedInput, StopsAtTheDoorOrPasses)
{
    const Case& c = GetParam();
    // One folder with a space and non-ASCII letters in its name for every case.
    TempDir dir;
    const std::string folder = dir.filePath("entrées de génome");
    ASSERT_TRUE(fs::create_directories(folder));
    const std::string fna = folder + "/NC_000001.fna", ptt = folder + "/NC_000001.ptt", rnt = folder + "/NC_000001.rnt";
    write(fna, c.fna);
    write(ptt, c.ptt);
    std::vector<std::string> arguments{fna, ptt};
    if (!c.rnt.empty()) {
        write(rnt, c.rnt);
        arguments.push_back(rnt);
    }

    // The reader path the workbench takes.
    const meridan::genome::InputCheck check = meridan::genome::checkGenomeInputs(
        fna, ptt, c.rnt.empty() ? std::string() : rnt);
    EXPECT_EQ(check.usable(), c.exit == 0);
    std::string said;
    for (const auto& line : check.usable() ? check.notes : check.errors)
        said += line + "\n";
    EXPECT_NE(said.find(c.message), std::string::npos) << said;

    if (fs::exists(runFolder() + "/bin/Galvora.so") == false)
        GTEST_SKIP() << "engines not built";
    const ProgramCopy program;
    const Outcome o = run(program.program(), arguments);
    if (c.exit == 2) {
        EXPECT_EQ(o.exitCode, 2) << o.out << o.err;
        EXPECT_EQ(countOf(o.err, "\n"), 1u) << o.err;
        EXPECT_TRUE(contains(o.err, std::string(c.message))) << o.err;
        EXPECT_TRUE(contains(o.err, "NC_000001.")) << o.err;
        EXPECT_TRUE(holdsNothing(program.path("results")));
    } else {
        // Past the door the engines run on the small genome; a stage may find
        // too little to learn from, which is status 1 with its reason.
        EXPECT_TRUE(o.exitCode == 0 || o.exitCode == 1) << o.out << o.err;
        EXPECT_TRUE(contains(o.out, std::string(c.message))) << o.out;
        if (c.message[0] != '\0') {
            EXPECT_EQ(countOf(o.out, c.message), 1u);
        }
        expectNoPartialResults(program, c.name);
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, MalformedInput, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// Arguments the door refuses before reading anything.
TEST(MalformedArguments, MissingFileFolderAndUnwritableResults)
{
    TempDir dir;
    write(dir.filePath("NC_000001.fna"), fasta(sequence()));
    write(dir.filePath("NC_000001.ptt"), kHeader + rows());
    fs::create_directories(dir.filePath("folder/NC_000001.ptt"));
    const std::string predict = runFolder() + "/meridan-predict";
    const Outcome missing = run(predict, {dir.filePath("NC_000001.fna"), dir.filePath("NC_000002.ptt")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(contains(missing.err, "does not exist")) << missing.err;
    const Outcome folder = run(predict, {dir.filePath("NC_000001.fna"), dir.filePath("folder/NC_000001.ptt")});
    EXPECT_EQ(folder.exitCode, 2);
    EXPECT_TRUE(contains(folder.err, "cannot be read")) << folder.err;

    // A results "folder" that is a file cannot be written, even by root.
    const ProgramCopy program;
    write(program.path("results"), "not a folder");
    const Outcome unwritable = run(program.program(), {dir.filePath("NC_000001.fna"), dir.filePath("NC_000001.ptt")});
    EXPECT_EQ(unwritable.exitCode, 2);
    EXPECT_TRUE(contains(unwritable.err, "cannot create or write the folder")) << unwritable.err;
}

} // namespace
