#include "ScoreTableRows.h"
#include "TerminatorTestSupport.h"
#include "castrel/Discovery.h"
#include "dovrane/Scanning.h"
#include "terminator/ModelFiles.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

using namespace meridan::dovrane;
using namespace meridan::terminator::testsupport;
using meridan::dovrane::testsupport::parseScoreRow;
using meridan::terminator::kModelExtensions;

namespace {

struct Project {
    ScratchDir dir;
    SyntheticGenome genome;
    std::string results;
    std::string prefix;

    Project() : genome(makeSyntheticGenome(dir.path()))
    {
        std::filesystem::create_directories(dir / "results");
        results = (dir / "results").string() + "/";
        prefix = results + "NC_999999";
    }
    bool discover(std::ostream& out)
    {
        return meridan::castrel::runDiscovery({genome.fna.string(), genome.ptt.string(), results, dir.path() / "wholepairs_loc.txt", dir.path() / "log.txt"}, out)
            .ok;
    }
    ScanningResult scan(std::ostream& out)
    {
        return runScanning({genome.fna.string(), genome.ptt.string(), results, dir.path() / "wholepairs_loc.txt", dir.path() / "log.txt"}, out);
    }
    std::filesystem::path table() const { return prefix + "_terminator_score.txt"; }
};

std::string lastLine(const std::string& text)
{
    std::string trimmed = text;
    while (!trimmed.empty() && trimmed.back() == '\n')
        trimmed.pop_back();
    return trimmed.substr(trimmed.rfind('\n') + 1);
}

} // namespace

TEST(TerminatorScanningRun, WritesTheTableAndRemovesTheTemporaryFiles)
{
    Project project;
    std::ostringstream out;
    ASSERT_TRUE(project.discover(out)) << out.str();
    out.str("");
    const ScanningResult result = project.scan(out);
    ASSERT_TRUE(result.ok) << out.str();
    EXPECT_EQ(result.regions, 38u);

    std::set<std::string> synonyms;
    for (const TestGene& gene : project.genome.genes)
        synonyms.insert(gene.synonym);
    const std::vector<std::string> lines = readLines(project.table());
    EXPECT_EQ(lines.size(), result.rows);
    // Every region has a planted terminator; a few may be cut off.
    EXPECT_GE(lines.size(), 30u);
    for (const std::string& line : lines) {
        const auto row = parseScoreRow(line);
        ASSERT_TRUE(row.has_value()) << line;
        EXPECT_TRUE(synonyms.count(row->label)) << line;
        EXPECT_LE(row->start + static_cast<int>(row->sequence.size()), 250);
    }
    // The planted hairpin (GCCCGC ... GCGGGC, then T-rich) is what is found.
    std::size_t planted = 0;
    for (const std::string& line : lines)
        planted += parseScoreRow(line)->sequence.find("GCGGGCTTT") != std::string::npos;
    EXPECT_GE(planted * 10, lines.size() * 8);

    for (const char* extension : kModelExtensions)
        EXPECT_FALSE(std::filesystem::exists(project.prefix + extension)) << extension;
    EXPECT_FALSE(std::filesystem::exists(project.dir / "wholepairs_loc.txt"));
    EXPECT_FALSE(std::filesystem::exists(project.dir / "log.txt"));

    const std::string trace = out.str();
    EXPECT_EQ(trace.rfind("Usage: Tavrik <fnafile> <locfile>\nDovrane" + project.results + "\n" + project.prefix
                              + "\ngeneSize= 40\nNSEQ=38\n0\n",
                          0),
              0u);

    // A second scan without a new discovery run finds no model.
    out.str("");
    EXPECT_FALSE(project.scan(out).ok);
    EXPECT_EQ(lastLine(out.str()), "Can't open file " + project.prefix + ".bf !");
    EXPECT_EQ(readLines(project.table()).size(), lines.size()); // the earlier table is untouched
}

TEST(TerminatorScanningRun, MissingOrZeroModelWritesNoTable)
{
    Project project;
    std::ostringstream out;
    ASSERT_TRUE(project.discover(out));
    std::filesystem::remove(project.prefix + ".lt");
    out.str("");
    EXPECT_FALSE(project.scan(out).ok);
    EXPECT_EQ(lastLine(out.str()), "Can't open file " + project.prefix + ".lt !");
    EXPECT_FALSE(std::filesystem::exists(project.table()));
    EXPECT_FALSE(std::filesystem::exists(project.dir / "wholepairs_loc.txt"));

    ASSERT_TRUE(project.discover(out));
    writeText(project.prefix + ".bf", "0.3 0 0.4 0.3");
    out.str("");
    EXPECT_FALSE(project.scan(out).ok);
    EXPECT_EQ(lastLine(out.str()), "The background composition in " + project.prefix
                                       + ".bf has a zero value ! No terminator scores written.");
    EXPECT_FALSE(std::filesystem::exists(project.table()));
}

TEST(TerminatorScanningRun, UnopenableInputs)
{
    Project project;
    std::ostringstream out;
    ASSERT_TRUE(project.discover(out));

    out.str("");
    const std::string missingFna = (project.dir / "NC_000000.fna").string();
    EXPECT_FALSE(runScanning({missingFna, project.genome.ptt.string(), project.results, project.dir.path() / "wholepairs_loc.txt", project.dir.path() / "log.txt"}, out).ok);
    EXPECT_EQ(lastLine(out.str()), "file not found!");

    out.str("");
    const std::string missingPtt = (project.dir / "NC_999999.xtt").string();
    EXPECT_FALSE(runScanning({project.genome.fna.string(), missingPtt, project.results, project.dir.path() / "wholepairs_loc.txt", project.dir.path() / "log.txt"}, out).ok);
    EXPECT_EQ(lastLine(out.str()), "Can't open file " + missingPtt + " !");

    EXPECT_FALSE(std::filesystem::exists(project.table()));
    EXPECT_FALSE(std::filesystem::exists(project.dir / "wholepairs_loc.txt"));
    // The model stays for a scan that can read its inputs.
    EXPECT_TRUE(std::filesystem::exists(project.prefix + ".bf"));
    out.str("");
    EXPECT_TRUE(project.scan(out).ok) << out.str();
}
