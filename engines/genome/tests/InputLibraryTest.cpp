// The shared parts of the genome library: number rules, gene-table rows and
// the rule for unusable rows, the genome identifier, the all-or-nothing
// result files and the input check.
#include "meridan/genome/GeneTableFile.h"
#include "meridan/genome/GenomeId.h"
#include "meridan/genome/InputCheck.h"
#include "meridan/genome/ResultFiles.h"
#include "meridan/genome/TextFields.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace meridan::genome;
namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Scratch {
    fs::path dir = fs::temp_directory_path() / ("meridan-io-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed())
                                                + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    Scratch() { fs::create_directories(dir); }
    ~Scratch() { fs::remove_all(dir); }
};

} // namespace

TEST(TextFields, OneSaturationRuleAndStrictWholeNumbers)
{
    EXPECT_EQ(leadingInteger(" \t-42abc"), -42);
    EXPECT_EQ(leadingInteger("99999999999999999999"), kNumberLimit);
    EXPECT_EQ(leadingInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(leadingInt("-99999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(parseInteger("+12"), 12);
    EXPECT_FALSE(parseInteger("12 "));
    EXPECT_FALSE(parseInteger("+-1"));
    EXPECT_FALSE(parseInteger("99999999999999999999"));
    EXPECT_EQ(parseNumber("2.5e1"), 25.0);
    EXPECT_FALSE(parseNumber("nan"));
    EXPECT_FALSE(parseNumber("inf"));
    EXPECT_EQ(leadingNumber(" 1.5x"), 1.5);
    EXPECT_EQ(leadingNumber("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(leadingNumber("1e-999"), 0.0);
    EXPECT_EQ(splitTabs("a\t\tb\r"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(splitBlanks(" a \t b\r\n"), (std::vector<std::string>{"a", "b"}));
}

TEST(GeneTableText, UsableRowsAndTheRowsLeftOut)
{
    std::istringstream in("title\r\n2 proteins\r\nLocation\tStrand\r\n"
                          "190..255\t+\t21\t1\tthrL\tb0001\t-\t-\tleader peptide\r\n"
                          "\r\n"
                          "300..400 - 1 2 g b0002 - - words of a product\n" // blanks for tabs
                          "9..1\t+\t1\t3\tg\tb0003\n"                         // across the origin
                          "1..90\t+\n"
                          "a..b\t+\t1\t1\tg\tb\n"
                          "0..5\t+\t1\t1\tg\tb\n"
                          "5..9\t*\t1\t1\tg\tb\n");
    const GeneTableText table = parseGeneTableText(in);
    ASSERT_EQ(table.header.size(), 3u);
    EXPECT_EQ(table.header[0], "title");
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.rows[0].line, 4);
    EXPECT_EQ(table.rows[0].columns[column::product], "leader peptide");
    EXPECT_EQ(table.rows[1].columns[column::synonym], "b0002");
    EXPECT_EQ(table.rows[2].line, 7);
    ASSERT_EQ(table.unusable.size(), 4u);
    EXPECT_EQ(rowProblem(table.unusable[0]), "2 columns where 6 are needed (Location, Strand, Length, PID, Gene, Synonym)");
    EXPECT_EQ(rowProblem(table.unusable[1]), "location \"a..b\" is not of the form start..end");
    EXPECT_EQ(rowProblem(table.unusable[2]), "location \"0..5\" holds a coordinate below 1");
    EXPECT_EQ(rowProblem(table.unusable[3]), "strand \"*\" is neither + nor -");
    EXPECT_EQ(locationTexts("190..255"), (std::array<std::string, 2>{"190", "255"}));
    EXPECT_EQ(locationTexts("12."), (std::array<std::string, 2>{"12", ""}));
}

TEST(GenomeId, OneRuleForEveryComponent)
{
    EXPECT_EQ(genomeIdFromPath("/data/NC_000913.fna"), "NC_000913");
    EXPECT_EQ(genomeIdFromPath("annotation/NC_005816.ano"), "NC_005816");
    EXPECT_EQ(genomeIdFromPath("x/NZ_AP025271.1.fna.gz"), "NZ_AP025271.1");
    EXPECT_EQ(genomeIdFromPath("x/pPCP1.ptt"), "pPCP1");
    EXPECT_TRUE(genomeFileNameProblem("/x/NC_000913.fna").empty());
    for (const char* bad : {"/x/.fna", "/x/-n.fna", "/x/a b.fna", ""}) {
        EXPECT_FALSE(genomeIdFromPath(bad)) << bad;
        EXPECT_NE(genomeFileNameProblem(bad).find("cannot name a genome"), std::string::npos) << bad;
    }
}

TEST(ResultFiles, AllOrNoneAndALaterFailureRollsBack)
{
    Scratch s;
    const fs::path a = s.dir / "a.txt", b = s.dir / "b.txt", blocked = s.dir / "blocked";
    {
        std::ofstream(a) << "old a";
    }
    fs::create_directories(blocked / "inside"); // a non-empty folder no file can replace
    ResultFiles failing;
    failing.add(a.string(), "new a");
    failing.add(b.string(), "new b");
    failing.add(blocked.string(), "never");
    EXPECT_FALSE(failing.commit());
    EXPECT_EQ(failing.error(), "Can't open file " + blocked.string() + " !");
    EXPECT_EQ(readAll(a), "old a");
    EXPECT_FALSE(fs::exists(b));

    ResultFiles set;
    set.add(a.string(), "new a");
    set.add(b.string(), "new b");
    EXPECT_TRUE(set.commit());
    EXPECT_EQ(readAll(a), "new a");
    EXPECT_EQ(readAll(b), "new b");
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(s.dir))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 2u); // no temporary or earlier version left

    EXPECT_FALSE(writeFileWhole((s.dir / "missing" / "c.txt").string(), "x"));
    EXPECT_FALSE(canWriteBeside((s.dir / "missing" / "c.txt").string()));
    EXPECT_TRUE(canWriteBeside(a.string()));
}

TEST(ResultFiles, AFailureWhileMovingIntoPlaceRestoresTheFilesMovedBefore)
{
    Scratch s;
    const fs::path a = s.dir / "a.txt", b = s.dir / "b.txt";
    {
        std::ofstream(a) << "old a";
        std::ofstream(b) << "old b";
    }
    ResultFiles set;
    set.add(a.string(), "new a");
    set.add(b.string(), "new b");
    // A folder where b's earlier version is kept makes b's step fail after
    // a is in place.
    fs::create_directories(s.dir / "b.txt.previous" / "x");
    EXPECT_FALSE(set.commit());
    EXPECT_EQ(readAll(a), "old a");
    EXPECT_EQ(readAll(b), "old b");
    EXPECT_FALSE(fs::exists(s.dir / "a.txt.part"));
    EXPECT_FALSE(fs::exists(s.dir / "b.txt.part"));
    EXPECT_FALSE(fs::exists(s.dir / "a.txt.previous"));
}

TEST(InputCheck, StopsMeaninglessInputsAndCountsRowsLeftOut)
{
    const std::string ptt = "t\n2 proteins\nLocation\tStrand\n10..90\t+\t1\t1\tg\tA\n100..190\t-\t1\t1\tg\tB\n";
    EXPECT_TRUE(checkGenomeTexts("g.fna", ">g\n" + std::string(200, 'A') + "\n", "g.ptt", ptt).usable());

    const InputCheck bad = checkGenomeTexts("g.fna", ">g\nACGT\nACZT\n", "g.ptt", ptt);
    ASSERT_EQ(bad.errors.size(), 1u);
    EXPECT_EQ(bad.errors[0], "g.fna:3:3: 'Z' (0x5A) is not a nucleotide letter or IUPAC code (A C G T U R Y S W K M B D H V N)");

    const InputCheck rows = checkGenomeTexts("g.fna", ">g\n" + std::string(200, 'A') + "\n", "g.ptt",
                                             ptt + "1..5\n7..9\t?\t1\t1\tg\tC\n");
    EXPECT_TRUE(rows.usable());
    ASSERT_EQ(rows.notes.size(), 1u);
    EXPECT_EQ(rows.notes[0], "g.ptt: 2 rows cannot be read and are left out (first at line 6: 1 columns where 6 are "
                             "needed (Location, Strand, Length, PID, Gene, Synonym))");
    EXPECT_EQ(rows.genes, 2);
}
