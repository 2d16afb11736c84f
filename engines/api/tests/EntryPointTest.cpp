// The engine libraries called through their versioned entry points on a real
// genome, from a working folder of their own: nothing on standard output or
// standard error, files only in the named output folder, progress that never
// goes back, a cancel that leaves no result file, and two genomes at once.
#include "meridan/engine/EngineApi.h"
#include "TestData.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

MeridanEngineRun entryOf(const std::string& engine)
{
    const fs::path path = meridan::testdata::runDir() / "bin" / (engine + ".so");
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);   // kept loaded
    return handle ? reinterpret_cast<MeridanEngineRun>(dlsym(handle, MERIDAN_ENGINE_RUN_SYMBOL)) : nullptr;
}

// What one run reported through its context.
struct Report {
    std::vector<std::pair<int, std::string>> lines;
    std::vector<std::tuple<std::string, long long, long long>> progress;
    int cancel = 0;
    bool cancelAtFirstProgress = false;

    static void log(void* user, int level, const char* line)
    {
        static_cast<Report*>(user)->lines.emplace_back(level, line);
    }
    static void advance(void* user, const char* stage, long long done, long long total)
    {
        auto* report = static_cast<Report*>(user);
        report->progress.emplace_back(stage, done, total);
        if (report->cancelAtFirstProgress)
            __atomic_store_n(&report->cancel, 1, __ATOMIC_RELEASE);
    }
    std::string text() const
    {
        std::string all;
        for (const auto& [level, line] : lines)
            all += std::to_string(level) + ' ' + line + '\n';
        return all;
    }
};

struct Genome {
    std::string id;
    fs::path dir;
    std::string file(const char* extension) const { return fs::absolute(dir / (id + extension)).string(); }
};

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "meridan-entry-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// The arguments of each engine for a genome whose earlier results lie in out.
std::vector<std::string> argumentsOf(const std::string& engine, const Genome& g, const fs::path& out)
{
    if (engine == "Brintel") {
        const std::string prefix = (out / g.id).string();
        return {g.file(".ptt"), prefix + "_genetag.txt", prefix + ".sigma70.sca.dat",
                prefix + "_terminator_score.txt", prefix + "_tulist.txt", g.id};
    }
    if (engine == "Ethrin") {
        const std::string run = fs::absolute(meridan::testdata::runDir()).string();
        const std::string dir = fs::absolute(g.dir).string() + "/";
        return {"", dir, g.id, run + "/WM/", dir, dir, run + "/threshold/", "250", "100", "1"};
    }
    return {g.file(".fna"), g.file(".ptt")};
}

int run(const std::string& engine, const Genome& g, const fs::path& out, Report& report)
{
    const MeridanEngineRun entry = entryOf(engine);
    if (!entry)
        return -1;
    const std::vector<std::string> arguments = argumentsOf(engine, g, out);
    std::vector<const char*> argv;
    for (const std::string& a : arguments)
        argv.push_back(a.c_str());
    const std::string folder = out.string();
    const MeridanEngineContext context{MERIDAN_ENGINE_API_VERSION, folder.c_str(), &Report::log,
                                       &Report::advance, &report, &report.cancel};
    return entry(&context, static_cast<int>(argv.size()), argv.data());
}

std::string contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> filesIn(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The chain of the whole prediction; the file each engine must leave.
const std::vector<std::pair<std::string, std::string>> kChain{
    {"Galvora", "_genetag.txt"},       {"Ethrin", ".sigma70.sca.dat"},
    {"Castrel", ".ls"},                {"Dovrane", "_terminator_score.txt"},
    {"Brintel", "_tulist.txt"}};

class EntryPoint : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("MERIDAN_SEED", "7", 1);
        plasmid_.id = "NC_005816";
        plasmid_.dir = meridan::testdata::genomeDir(plasmid_.id);
        if (plasmid_.dir.empty())
            GTEST_SKIP() << "genome NC_005816 not available";
        previous_ = fs::current_path();
        fs::current_path(cwd_.path());   // the runs must not use it
    }
    void TearDown() override
    {
        if (!previous_.empty())
            fs::current_path(previous_);
    }

    Genome plasmid_;
    ScratchFolder cwd_;
    ScratchFolder out_;
    fs::path previous_;
};

TEST_F(EntryPoint, ChainReportsThroughTheContextAndWritesOnlyIntoItsFolder)
{
    const fs::path out = out_.path() / "results";   // made by the first engine
    for (const auto& [engine, result] : kChain) {
        SCOPED_TRACE(engine);
        Report report;
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        const int status = run(engine, plasmid_, out, report);
        const std::string printed = ::testing::internal::GetCapturedStdout()
                                  + ::testing::internal::GetCapturedStderr();
        ASSERT_EQ(status, MERIDAN_RUN_OK) << report.text();
        EXPECT_EQ(printed, "");
        EXPECT_FALSE(report.lines.empty());
        EXPECT_TRUE(fs::exists(out / (plasmid_.id + result)));
        EXPECT_TRUE(filesIn(cwd_.path()).empty()) << "wrote into the working folder";
        ASSERT_FALSE(report.progress.empty());
        std::map<std::string, long long> last;
        for (const auto& [stage, done, total] : report.progress) {
            EXPECT_GE(done, last.count(stage) ? last[stage] : 0) << stage;
            if (total > 0) {
                EXPECT_LE(done, total) << stage;
            }
            last[stage] = done;
        }
        if (engine == "Castrel") {   // what the scanning engine takes over
            EXPECT_TRUE(fs::exists(out / (plasmid_.id + "_wholepairs_loc.txt")));
            EXPECT_TRUE(fs::exists(out / (plasmid_.id + "_terminator_log.txt")));
        }
    }
    EXPECT_TRUE(fs::exists(out / (plasmid_.id + "_summary.txt")));
    EXPECT_FALSE(fs::exists(out / (plasmid_.id + "_wholepairs_loc.txt")));   // removed after the scan
    EXPECT_FALSE(fs::exists(out / (plasmid_.id + "_terminator_log.txt")));
}

TEST_F(EntryPoint, CancelLeavesNoResultFile)
{
    const fs::path out = out_.path();
    for (const auto& [engine, result] : kChain) {
        SCOPED_TRACE(engine);
        Report cancelled;
        cancelled.cancelAtFirstProgress = true;
        EXPECT_EQ(run(engine, plasmid_, out, cancelled), MERIDAN_RUN_CANCELLED) << cancelled.text();
        EXPECT_FALSE(fs::exists(out / (plasmid_.id + result)));
        // The next engine needs this one's files.
        Report report;
        ASSERT_EQ(run(engine, plasmid_, out, report), MERIDAN_RUN_OK) << report.text();
    }
}

TEST_F(EntryPoint, RefusesAnUnusableCall)
{
    const MeridanEngineRun entry = entryOf("Galvora");
    ASSERT_NE(entry, nullptr);
    const char* argv[] = {"a.fna", "a.ptt"};
    EXPECT_EQ(entry(nullptr, 2, argv), MERIDAN_RUN_BAD_CALL);
    MeridanEngineContext context{MERIDAN_ENGINE_API_VERSION + 1, out_.path().c_str(), nullptr, nullptr, nullptr,
                                 nullptr};
    EXPECT_EQ(entry(&context, 2, argv), MERIDAN_RUN_BAD_CALL);
    context.version = MERIDAN_ENGINE_API_VERSION;
    EXPECT_EQ(entry(&context, 1, argv), MERIDAN_RUN_BAD_CALL);
    EXPECT_TRUE(filesIn(out_.path()).empty());
}

// Two genomes through the same libraries at the same time, each in its own
// output folder: each ends with the files of a run alone.
TEST_F(EntryPoint, TwoGenomesAtOnceInOneProcess)
{
    Genome second{"NC_007795", meridan::testdata::genomeDir("NC_007795")};
    if (second.dir.empty())
        GTEST_SKIP() << "genome NC_007795 not available";
    const std::vector<std::string> engines{"Galvora", "Castrel", "Dovrane"};
    const auto chain = [&engines](const Genome& g, const fs::path& out, std::string& failure) {
        for (const std::string& engine : engines) {
            Report report;
            if (run(engine, g, out, report) != MERIDAN_RUN_OK) {
                failure = engine + ": " + report.text();
                return;
            }
        }
    };
    std::string failures[4];
    chain(plasmid_, out_.path() / "alone", failures[0]);
    std::thread a([&] { chain(plasmid_, out_.path() / "a", failures[1]); });
    std::thread b([&] { chain(second, out_.path() / "b", failures[2]); });
    a.join();
    b.join();
    for (const std::string& failure : failures)
        EXPECT_EQ(failure, "");
    for (const char* result : {"_genetag.txt", "_terminator_score.txt"}) {
        const std::string name = plasmid_.id + result;
        EXPECT_EQ(contents(out_.path() / "a" / name), contents(out_.path() / "alone" / name)) << name;
        EXPECT_TRUE(fs::exists(out_.path() / "b" / (second.id + result)));
    }
    EXPECT_EQ(filesIn(out_.path() / "a"), filesIn(out_.path() / "alone"));
}

} // namespace
