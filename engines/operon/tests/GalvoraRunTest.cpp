// Whole runs of the engine through its C++ API, on small genomes written to
// a temporary folder and on the real plasmid genome.
#include "FitFixtures.h"
#include "TempDir.h"
#include "TestData.h"
#include "meridan/operon/Galvora.h"

#include "TestText.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

using namespace meridan::operon;
using namespace meridan::operon::testing;

namespace {

const std::string pttHeader = "Test genome - 1..20000\n0 proteins\n"
                              "Location\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct\n";

std::string fastaOf(const std::string& sequence)
{
    std::string text = ">test genome\n";
    for (std::size_t i = 0; i < sequence.size(); i += 60)
        text += sequence.substr(i, 60) + "\n";
    return text;
}

struct Gene {
    int start, end;
    char strand;
    const char* cog;
};

std::string pttOf(const std::vector<Gene>& genes)
{
    std::string text = pttHeader;
    int n = 0;
    for (const Gene& g : genes) {
        ++n;
        text += std::to_string(g.start) + ".." + std::to_string(g.end) + "\t" + g.strand + "\t" +
                std::to_string((g.end - g.start + 1) / 3 - 1) + "\t" + std::to_string(1000 + n) +
                "\t-\tT" + std::to_string(n) + "\t-\t" + g.cog + "\tprotein " + std::to_string(n) +
                "\n";
    }
    return text;
}

// A 20 kb genome with 24 genes in runs on both strands, gaps from an overlap
// to 300 bases.
struct SmallGenome {
    std::string sequence;
    std::vector<Gene> genes;

    SmallGenome()
    {
        std::mt19937 random(5);
        const char bases[] = "ACGT";
        for (int i = 0; i < 20000; ++i)
            sequence += bases[random() % 4];
        const int gaps[] = {-4, 15, 250, 40, 8, 120, -1, 60, 300, 20, 5, 90};
        const char* cogs[] = {"COG0001E", "COG0002EK", "-", "COG0003K", "COG0004J", "COG1028IQR"};
        int position = 100;
        for (int i = 0; i < 24; ++i) {
            const int length = 300 + 30 * (i % 7);
            const char strand = (i / 5) % 2 ? '-' : '+';
            genes.push_back({position, position + length - 1, strand, cogs[i % 6]});
            position += length + gaps[i % 12];
        }
    }
};

RunRequest requestFor(const TempDir& dir, std::uint32_t seed, const std::string& id = "NC_999999")
{
    RunRequest r;
    r.fnaPath = (dir.path() / (id + ".fna")).string();
    r.pttPath = (dir.path() / (id + ".ptt")).string();
    r.outputDirectory = dir.prefix();
    r.seed = seed;
    return r;
}

using meridan::testtext::lines;

// The small genome written to dir as NC_999999.fna and NC_999999.ptt.
SmallGenome writeSmallGenome(TempDir& dir)
{
    SmallGenome g;
    dir.write("NC_999999.fna", fastaOf(g.sequence));
    dir.write("NC_999999.ptt", pttOf(g.genes));
    return g;
}

} // namespace

TEST(GalvoraRun, WritesOneLinePerGeneAndRepeatsWithTheSameSeed)
{
    TempDir dir;
    const SmallGenome g = writeSmallGenome(dir);
    std::ostringstream log;
    ASSERT_EQ(runGalvora(requestFor(dir, 11), log), 1);
    const auto tagPath = dir.path() / "NC_999999_genetag.txt";
    const std::string first = readText(tagPath);
    const auto rows = lines(first);
    ASSERT_EQ(rows.size(), g.genes.size());
    EXPECT_EQ(first.back(), '\n');

    // Operon numbers start at 0 and grow by at most one from gene to gene;
    // a strand change always starts a new operon.
    double previous = -1;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::istringstream in(rows[i]);
        double operon, sd, ta, term;
        ASSERT_TRUE(in >> operon >> sd >> ta >> term) << rows[i];
        EXPECT_NE(rows[i].find("    "), std::string::npos);
        if (i == 0)
            EXPECT_EQ(operon, 0);
        else if (g.genes[i].strand != g.genes[i - 1].strand)
            EXPECT_EQ(operon, previous + 1);
        else
            EXPECT_TRUE(operon == previous || operon == previous + 1);
        previous = operon;
    }
    EXPECT_NE(log.str().find("operon" + dir.prefix() + "\n"), std::string::npos);
    EXPECT_NE(log.str().find("step-----------9\n"), std::string::npos);

    std::ostringstream again;
    ASSERT_EQ(runGalvora(requestFor(dir, 11), again), 1);
    EXPECT_EQ(readText(tagPath), first);
    // Only the gene-tag file was added.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              3);
}

TEST(GalvoraRun, ThreadsAndVectorFormsDoNotChangeTheResult)
{
    TempDir dir;
    const SmallGenome g = writeSmallGenome(dir);
    std::string reference;
    for (int threads : {1, 2, 3}) {
        RunRequest r = requestFor(dir, 99);
        r.fit.threads = threads;
        std::ostringstream log;
        ASSERT_EQ(runGalvora(r, log), 1);
        const std::string text = readText(dir.path() / "NC_999999_genetag.txt");
        if (reference.empty())
            reference = log.str() + text;
        else
            EXPECT_EQ(log.str() + text, reference) << threads << " threads";
    }
}

TEST(GalvoraRun, UnreadableInputsWriteTheMessageAndNoFile)
{
    TempDir dir;
    const SmallGenome g;
    {
        std::ostringstream log;
        const RunRequest r = requestFor(dir, 1);
        EXPECT_EQ(runGalvora(r, log), 0);
        EXPECT_NE(log.str().find("Can't open file " + r.fnaPath + " !\n"), std::string::npos);
    }
    dir.write("NC_999999.fna", fastaOf(g.sequence));
    {
        std::ostringstream log;
        const RunRequest r = requestFor(dir, 1);
        EXPECT_EQ(runGalvora(r, log), 0);
        EXPECT_NE(log.str().find("Can't open file " + r.pttPath + " !\n"), std::string::npos);
    }
    dir.write("NC_999999.ptt", pttOf(g.genes));
    {
        std::ostringstream log;
        RunRequest r = requestFor(dir, 1);
        r.outputDirectory = dir.prefix() + "missing/";
        EXPECT_EQ(runGalvora(r, log), 0);
        EXPECT_NE(
            log.str().find("Can't open file " + r.outputDirectory + "NC_999999_genetag.txt !\n"),
            std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "NC_999999_genetag.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "NC_999999_genetag.txt.part"));
}

TEST(GalvoraRun, FileNameThatCannotNameAGenome)
{
    std::ostringstream log;
    RunRequest r;
    r.fnaPath = "-bad.fna";
    r.pttPath = "-bad.ptt";
    r.outputDirectory = "./";
    EXPECT_EQ(runGalvora(r, log), 0);
    EXPECT_NE(log.str().find("Can't take a genome identifier from the FNA path \"-bad.fna\""),
              std::string::npos);
}

TEST(GalvoraRun, EdgeGenomes)
{
    TempDir dir;
    const SmallGenome g;
    // One gene, and a table whose last row has no final line break.
    dir.write("NC_000001.fna", fastaOf(g.sequence));
    std::string oneGene = pttOf({g.genes[0]});
    oneGene.pop_back();
    dir.write("NC_000001.ptt", oneGene);
    std::ostringstream log;
    ASSERT_EQ(runGalvora(requestFor(dir, 3, "NC_000001"), log), 1);
    EXPECT_EQ(readText(dir.path() / "NC_000001_genetag.txt"), "0    -1    -1    -1\n");

    // An empty genome: no gene can be placed, every gene is its own operon.
    dir.write("NC_000002.fna", ">nothing here\n");
    dir.write("NC_000002.ptt", pttOf({g.genes[0], g.genes[1], g.genes[2]}));
    std::ostringstream emptyLog;
    ASSERT_EQ(runGalvora(requestFor(dir, 3, "NC_000002"), emptyLog), 1);
    EXPECT_NE(emptyLog.str().find("holds no sequence"), std::string::npos);
    EXPECT_EQ(readText(dir.path() / "NC_000002_genetag.txt"),
              "0    -1    -1    -1\n1    -1    -1    -1\n2    -1    -1    -1\n");

    // Genes but a gene table without rows.
    dir.write("NC_000003.fna", fastaOf(g.sequence));
    dir.write("NC_000003.ptt", pttHeader);
    ASSERT_EQ(runGalvora(requestFor(dir, 3, "NC_000003"), log), 1);
    EXPECT_EQ(readText(dir.path() / "NC_000003_genetag.txt"), "");
}

TEST(GalvoraRun, NoUsableLogLikelihoodGivesSeparateOperons)
{
    // Empty terminator regions make the terminator background 0/0, which
    // the SD windows are scored against: every restart's log-likelihood is
    // not a number.
    TrainingMaterial material = materialOf({makePair(10, "-", "", "", std::string(20, 'A')),
                                            makePair(30, "-", "", "", std::string(20, 'C'))});
    material.terminatorBackground = baseComposition({&material.pairs[0].terminatorRegion});
    OperonModel model = initialModel(material);
    RandGenerator random(1);
    std::ostringstream log;
    FitOptions options;
    options.restarts = 3;
    const FitOutcome fit = fitOperonModel(material, model, random, log, options);
    EXPECT_FALSE(fit.decisions.has_value());
    EXPECT_EQ(fit.iterationsPerRestart.size(), 3u);

    meridan::genome::GeneTable table;
    table.genes.resize(3);
    for (auto& gene : table.genes)
        gene.strand = '+';
    const GeneTags tags = geneTagsOfFit(table, material, fit, log);
    EXPECT_EQ(tags.operonNumber, (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(tags.sdPosition, (std::vector<double>{-1, -1, -1}));
    EXPECT_NE(log.str().find("No restart gave a usable log-likelihood"), std::string::npos);
}

TEST(GalvoraRun, PlasmidGenome)
{
    const auto dir = meridan::testdata::genomeDir("NC_005816");
    if (dir.empty())
        GTEST_SKIP() << "NC_005816 data not present";
    TempDir out;
    RunRequest r;
    r.fnaPath = (dir / "NC_005816.fna").string();
    r.pttPath = (dir / "NC_005816.ptt").string();
    r.outputDirectory = out.prefix();
    r.seed = 2024;
    std::ostringstream log;
    ASSERT_EQ(runGalvora(r, log), 1);
    const auto rows = lines(readText(out.path() / "NC_005816_genetag.txt"));
    EXPECT_EQ(rows.size(), 10u);
    EXPECT_NE(log.str().find("genomeSize= 9609\n"), std::string::npos);
    EXPECT_NE(log.str().find("geneSize= 10\n"), std::string::npos);
}
