// Whole predictions through the pipeline with the real engines: four
// genomes predicted at once in one process, into one result folder, give
// the same files as the same four predicted one after the other.
#include "PipelineTestSupport.h"
#include "TestData.h"

#include "meridan/pipeline/Prediction.h"
#include "meridan/pipeline/PredictionListener.h"

#include <algorithm>
#include <map>
#include <thread>
#include <vector>

using namespace meridan::pipelinetest;
using namespace meridan::pipeline;
namespace fs = std::filesystem;

namespace {

bool enginesBuilt()
{
    for (const char* engine : {"Galvora", "Castrel", "Dovrane", "Brintel", "Ethrin"})
        if (!fs::exists(meridan::testdata::runDir() / "bin" / (std::string(engine) + ".so")))
            return false;
    return true;
}

// The plasmid's tables under a genome identifier of their own.
GenomeFiles copyGenome(const fs::path& source, const TempFolder& dir, const std::string& id)
{
    GenomeFiles g{id, dir.path("in/" + id + ".fna"), dir.path("in/" + id + ".ptt"), dir.path("in/" + id + ".rnt")};
    writeText(g.fna, readText((source / "NC_005816.fna").string()));
    writeText(g.ptt, readText((source / "NC_005816.ptt").string()));
    writeText(g.rnt, readText((source / "NC_005816.rnt").string()));
    return g;
}

PredictionRequest requestFor(const GenomeFiles& genome, const std::string& folder, OperonMode mode)
{
    PredictionRequest request;
    request.genome = genome;
    request.folders = {meridan::testdata::runDir().string(), folder + "/results", folder + "/annotation"};
    request.options.operons = mode;
    request.options.seed = 7;
    return request;
}

std::map<std::string, std::string> filesOf(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).string()] = readText(entry.path().string());
    return files;
}

// Counts what the engines said; called by one prediction at a time.
class Counter : public PredictionListener {
public:
    void stageFinished(const StageReport&) override { ++finished; }
    void engineLine(Stage, const std::string&, int, const std::string&) override { ++lines; }
    int finished = 0;
    int lines = 0;
};

TEST(ConcurrentPrediction, FourGenomesAtOnceGiveTheFilesOfFourRunsInTurn)
{
    const fs::path source = meridan::testdata::genomeDir("NC_005816");
    if (source.empty())
        GTEST_SKIP() << "no NC_005816 in the data folder";
    if (!enginesBuilt())
        GTEST_SKIP() << "engines not built";
    const TempFolder dir;
    const std::vector<std::string> ids{"YP_A", "YP_B", "YP_C", "YP_D"};
    std::vector<GenomeFiles> genomes;
    for (const std::string& id : ids)
        genomes.push_back(copyGenome(source, dir, id));
    auto mode = [](std::size_t k) { return k % 2 ? OperonMode::Evidence : OperonMode::Em; };

    for (std::size_t k = 0; k < genomes.size(); ++k) {
        const PredictionReport report = predictGenome(requestFor(genomes[k], dir.path("inTurn"), mode(k)));
        ASSERT_TRUE(report.ok()) << ids[k] << ": " << (report.stages.empty() || report.stages[0].failures.empty()
                                                           ? std::string() : report.stages[0].failures[0]);
    }

    std::vector<PredictionReport> reports(genomes.size());
    std::vector<Counter> counters(genomes.size());
    std::vector<std::thread> threads;
    for (std::size_t k = 0; k < genomes.size(); ++k)
        threads.emplace_back([&, k] {
            reports[k] = predictGenome(requestFor(genomes[k], dir.path("atOnce"), mode(k)), &counters[k]);
        });
    for (std::thread& thread : threads)
        thread.join();

    for (std::size_t k = 0; k < genomes.size(); ++k) {
        EXPECT_TRUE(reports[k].ok()) << ids[k];
        EXPECT_EQ(reports[k].exportFiles.size(), 5u) << ids[k];
        EXPECT_EQ(counters[k].finished, int(reports[k].stages.size()));
        EXPECT_GT(counters[k].lines, 0);
    }
    const auto inTurn = filesOf(dir.path("inTurn"));
    const auto atOnce = filesOf(dir.path("atOnce"));
    EXPECT_GE(inTurn.size(), ids.size() * 13);
    ASSERT_EQ(inTurn.size(), atOnce.size());
    for (const auto& [name, text] : inTurn) {
        const auto other = atOnce.find(name);
        ASSERT_NE(other, atOnce.end()) << name;
        EXPECT_TRUE(other->second == text) << name << " differs";
    }
    // The terminator engines' hand-over files are gone.
    for (const auto& [name, text] : atOnce)
        EXPECT_EQ(name.find("wholepairs"), std::string::npos) << name;
}

TEST(ConcurrentPrediction, MissingEnginesFailEveryStageByNameAndExportNothing)
{
    const TempFolder dir;
    fs::create_directories(dir.path("program/bin"));
    writeText(dir.path("in/G.fna"), ">G\nACGTACGTAC\n");
    writeText(dir.path("in/G.ptt"), "t\n2 proteins\nLocation\tStrand\tLength\tPID\tGene\tSynonym\n1..3\t+\t0\t-\ta\tA1\n");
    PredictionRequest request;
    request.genome = {"G", dir.path("in/G.fna"), dir.path("in/G.ptt"), ""};
    request.folders = {dir.path("program"), dir.path("out/results"), dir.path("out/annotation")};
    const PredictionReport report = predictGenome(request);
    EXPECT_FALSE(report.ok());
    EXPECT_EQ(report.failedStages(), (std::vector<std::string>{"operon", "promoter", "terminator", "TU list"}));
    const StageReport* terminator = report.find(Stage::Terminator);
    ASSERT_NE(terminator, nullptr);
    ASSERT_EQ(terminator->failures.size(), 2u);
    EXPECT_NE(terminator->failures[0].find("Castrel (terminator discovery): the library "), std::string::npos);
    EXPECT_NE(terminator->failures[1].find("Dovrane (terminator scan): not run"), std::string::npos);
    EXPECT_EQ(report.find(Stage::Export), nullptr);
}

TEST(ConcurrentPrediction, ACancelBeforeTheStartRunsNoStage)
{
    const TempFolder dir;
    CancelSwitch cancel;
    cancel.request();
    PredictionRequest request;
    request.genome = {"G", dir.path("G.fna"), dir.path("G.ptt"), ""};
    request.folders = {dir.path("program"), dir.path("results"), dir.path("annotation")};
    const PredictionReport report = predictGenome(request, nullptr, &cancel);
    EXPECT_TRUE(report.stages.empty());
}

} // namespace
