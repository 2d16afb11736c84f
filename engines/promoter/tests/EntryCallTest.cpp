// The library loaded with dlopen and called with fifteen arguments, from the
// program folder, exactly as the workbench does.
#include "EthrinTestSupport.h"

#include "meridan/ethrin/GeneScan.h"
#include "meridan/ethrin/PromoterModel.h"
#include "meridan/ethrin/PromoterScanner.h"
#include "meridan/ethrin/Threshold.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <filesystem>
#include <random>
#include <set>

using namespace ethrin_test;
namespace fs = std::filesystem;

namespace {

using EthrinMain = void (*)(const char*, const char*, const char*, const char*, const char*, const char*,
                            const char*, const char*, const char*, const char*, const char*, const char*, int, int,
                            int);

const char* const kId = "NC_999999";
const char* const kSigmas[] = {"sigma24", "sigma32", "sigma38", "sigma70"};

// A program folder (results/, annotation/, WM/, threshold/) and a genome
// folder holding a 30 kb genome with five protein genes and one RNA gene;
// gene p1 has a consensus sigma70 promoter 60 bases before its start.
class EthrinEntryCall : public ::testing::Test {
protected:
    void SetUp() override
    {
        library_ = dlopen(ETHRIN_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library_, nullptr) << dlerror();
        mainfun_ = reinterpret_cast<EthrinMain>(dlsym(library_, "mainfun"));
        ASSERT_NE(mainfun_, nullptr);

        const fs::path& root = dir_.path();
        for (const char* d : {"results", "annotation", "genomes"})
            fs::create_directory(root / d);
        fs::copy(shippedData() / "WM", root / "WM");
        fs::copy(shippedData() / "threshold", root / "threshold");

        std::string genome = randomBases(30000, 21);
        plant(genome, 5001 - 60, "TTGACA" + randomBases(17, 5) + "TATAAT");
        writeText(root / "genomes" / (std::string(kId) + ".fna"), fasta(genome));
        writeText(root / "genomes" / (std::string(kId) + ".ptt"),
                  proteinTable({{5001, 5600, '+', "p1"},
                                {6001, 6900, '-', "p2"},
                                {9001, 9500, '+', "p3"},
                                {15001, 15999, '-', "p4"},
                                {20001, 20600, '+', "p5"}}));
        writeText(root / "genomes" / (std::string(kId) + ".rnt"), proteinTable({{12001, 12080, '+', "r1"}}));
        genomeDir_ = (root / "genomes").string() + "/";

        previous_ = fs::current_path();
        fs::current_path(root);
    }

    void TearDown() override
    {
        if (!previous_.empty())
            fs::current_path(previous_);
        if (library_)
            dlclose(library_);
    }

    // The workbench's call when no annotation file is in use: arguments 2
    // and 9 as it passes them then; returns what the library printed.
    std::string call(const std::string& resultDir = "./results/", const std::string& annotationDir = "",
                      const std::string& pttDir = "", const std::string& id = kId, int keep = 1,
                      const std::string& fnaDir = "")
    {
        const std::string fna = fnaDir.empty() ? genomeDir_ : fnaDir;
        const std::string ptt = annotationDir.empty() && pttDir.empty() ? genomeDir_ : pttDir;
        testing::internal::CaptureStdout();
        mainfun_(resultDir.c_str(), "", annotationDir.c_str(), fna.c_str(), "", nullptr, id.c_str(), "", "./WM/",
                 ptt.c_str(), genomeDir_.c_str(), "./threshold/", 250, 100, keep);
        return testing::internal::GetCapturedStdout();
    }

    fs::path resultFile(const char* sigma) const
    {
        return dir_.path() / "results" / (std::string(kId) + "." + sigma + ".sca.dat");
    }

    bool noResultFiles() const
    {
        for (const auto& entry : fs::directory_iterator(dir_.path() / "results"))
            if (entry.path().filename().string().rfind(kId, 0) == 0)
                return false;
        return true;
    }

    TempDir dir_;
    std::string genomeDir_;
    fs::path previous_;
    void* library_ = nullptr;
    EthrinMain mainfun_ = nullptr;
};

} // namespace

TEST_F(EthrinEntryCall, WritesFourFilesTheWorkbenchCanRead)
{
    const std::string out = call();
    EXPECT_NE(out.find("geneSize= 6"), std::string::npos) << out;
    for (const char* sigma : kSigmas) {
        SCOPED_TRACE(sigma);
        const bool single = std::string(sigma) == "sigma38";
        const auto rows = workbenchRows(resultFile(sigma));
        ASSERT_EQ(rows.size(), 6u);
        std::set<std::string> names;
        for (const auto& r : rows) {
            ASSERT_EQ(r.size(), single ? 7u : 10u);
            names.insert(r[0]);
            EXPECT_NO_THROW((void)std::stoi(r[3]));
            EXPECT_NO_THROW((void)std::stof(r[4]));
            if (!single) {
                EXPECT_NO_THROW((void)std::stoi(r[9]));
            }
        }
        EXPECT_EQ(names, (std::set<std::string>{"p1", "p2", "p3", "p4", "p5", "r1"}));
    }
    const auto rows = workbenchRows(resultFile("sigma70"));
    const auto& p1 = rows[0];
    EXPECT_EQ(p1[0], "p1");
    EXPECT_EQ(p1[3], "-60");
    EXPECT_GT(std::stod(p1[4]), 0.0);
    EXPECT_EQ(p1[6], "TTGACA");
    ASSERT_GE(p1[8].size(), 6u); // the -10 box, possibly with its extension before it
    EXPECT_EQ(p1[8].substr(p1[8].size() - 6), "TATAAT");
    // The workbench's end: start + spacer + both box lengths, the base after
    // the -10 box.
    EXPECT_EQ(std::stoi(p1[3]) + std::stoi(p1[9]) + static_cast<int>(p1[8].size() + p1[6].size()), -31);
    EXPECT_EQ(rows[3][0], "r1"); // RNA rows join in coordinate order
    for (const auto& entry : fs::directory_iterator(dir_.path() / "results"))
        EXPECT_NE(entry.path().extension(), ".part");
}

TEST_F(EthrinEntryCall, AnnotationFileIsUsedWhenArgumentTwoIsGiven)
{
    writeText(dir_.path() / "annotation" / (std::string(kId) + ".ano"),
              proteinTable({{5001, 5600, '+', "p1"}, {12001, 12080, '+', "r1"}}));
    call("./results/", "./annotation/", "");
    for (const char* sigma : kSigmas)
        EXPECT_EQ(workbenchRows(resultFile(sigma)).size(), 2u);
}

TEST_F(EthrinEntryCall, HitsPerGeneFollowArgumentFourteen)
{
    call("./results/", "", "", kId, 3);
    EXPECT_EQ(workbenchRows(resultFile("sigma70")).size(), 18u);
    EXPECT_EQ(workbenchRows(resultFile("sigma38")).size(), 18u);
}

TEST_F(EthrinEntryCall, MissingGenomeWritesNothingAndKeepsOldFiles)
{
    writeText(resultFile("sigma70"), "old\n");
    const std::string out = call("./results/", "", "", kId, 1, "/nonexistent/");
    EXPECT_NE(out.find("Can't open file /nonexistent/NC_999999.fna !"), std::string::npos) << out;
    EXPECT_NE(out.find("no promoter files written"), std::string::npos);
    EXPECT_EQ(readText(resultFile("sigma70")), "old\n");
    EXPECT_FALSE(fs::exists(resultFile("sigma24")));
}

TEST_F(EthrinEntryCall, MissingGeneTableWritesNothing)
{
    const std::string out = call("./results/", "./annotation/", "");
    EXPECT_NE(out.find("Can't open file ./annotation/NC_999999.ano !"), std::string::npos) << out;
    EXPECT_TRUE(noResultFiles());
}

TEST_F(EthrinEntryCall, MissingWeightMatrixWritesNothing)
{
    fs::remove(dir_.path() / "WM" / "sigma32.wm");
    const std::string out = call();
    EXPECT_NE(out.find("Can't open file ./WM/sigma32.wm !"), std::string::npos) << out;
    EXPECT_TRUE(noResultFiles());
}

TEST_F(EthrinEntryCall, UnwritableResultFolderLeavesNoPartialFile)
{
    const std::string out = call("./no-such-folder/");
    EXPECT_NE(out.find("Can't open file ./no-such-folder/"), std::string::npos) << out;
    EXPECT_FALSE(fs::exists(dir_.path() / "no-such-folder"));
    EXPECT_TRUE(noResultFiles());
}

TEST_F(EthrinEntryCall, GenomeIdThatIsAPathIsRefused)
{
    const std::string out = call("./results/", "", "", "../escape");
    EXPECT_NE(out.find("can't name a file"), std::string::npos) << out;
    EXPECT_TRUE(noResultFiles());
    EXPECT_FALSE(fs::exists(dir_.path() / "escape.sigma70.sca.dat"));
}

TEST_F(EthrinEntryCall, GenomeSpecificThresholdIsPreferred)
{
    // A threshold of 0 for this genome only: every sigma70 score is then the
    // raw log-odds, higher than with the shipped default.
    call();
    const double before = std::stod(workbenchRows(resultFile("sigma70"))[0][4]);
    writeText(dir_.path() / "threshold" / (std::string(kId) + ".sigma70.thr"), "threshold 0\n");
    call();
    const double after = std::stod(workbenchRows(resultFile("sigma70"))[0][4]);
    EXPECT_GT(after, before + 1.0);
}

TEST_F(EthrinEntryCall, DefaultThresholdOfAnotherCompositionIsRecomputed)
{
    // A GC-rich genome (70 % G+C) and default thresholds recorded for an even
    // composition: each is made anew for the genome with the recorded share,
    // windows and seed.
    std::mt19937_64 random(77);
    std::string genome(30000, 'A');
    for (char& c : genome)
        c = "GGGGGGGCCCCCCCAAATTT"[random() % 20];
    plant(genome, 5001 - 60, "TTGACA" + randomBases(17, 5) + "TATAAT");
    const fs::path root = dir_.path();
    writeText(root / "genomes" / "NC_888888.fna", fasta(genome));
    writeText(root / "genomes" / "NC_888888.ptt", proteinTable({{5001, 5600, '+', "p1"}}));
    for (const char* sigma : kSigmas)
        writeText(root / "threshold" / (std::string(sigma) + ".thr"),
                  "composition 0.25 0.25 0.25 0.25\nshare 0.01\nwindows 20000\nseed 3\nthreshold 100\n");
    const std::string out = call("./results/", "", "", "NC_888888");
    EXPECT_NE(out.find("./threshold/sigma70.thr was made for another base composition; threshold for NC_888888 "
                       "recomputed: "),
              std::string::npos)
        << out;

    const auto codesOfGenome = codes(genome);
    const auto composition = meridan::ethrin::strandSymmetricComposition(codesOfGenome);
    const auto model = meridan::ethrin::readModelFile((root / "WM" / "sigma70.wm").string());
    const meridan::ethrin::PromoterScanner scanner(model, composition);
    const double threshold = meridan::ethrin::computeThreshold(scanner, composition, 0.01, 20000, 3);
    const meridan::ethrin::RegionSettings settings;
    const std::vector<meridan::ethrin::GeneRow> genes = {{"p1", '+', 5001, 5001, 5600}};
    meridan::ethrin::ScanContext context;
    context.model = &model;
    context.genic = meridan::ethrin::genicMask(static_cast<long>(genome.size()), genes);
    std::vector<double> best;
    meridan::ethrin::scanGenes(codesOfGenome, genes, scanner, context, settings, &best);
    const double logOdds = best.at(0);
    const auto rows = workbenchRows(root / "results" / "NC_888888.sigma70.sca.dat");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_NEAR(std::stod(rows[0][4]), logOdds - threshold, 1e-3);
    EXPECT_GT(std::stod(rows[0][4]), 0.0);
}

TEST_F(EthrinEntryCall, FolderWithoutTrailingSlashIsStillTheFolder)
{
    call("./results");
    EXPECT_EQ(workbenchRows(resultFile("sigma70")).size(), 6u);
    EXPECT_FALSE(fs::exists(dir_.path() / "resultsNC_999999.sigma70.sca.dat"));
}
