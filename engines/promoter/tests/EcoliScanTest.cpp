// The scan of the E. coli K-12 genome with the shipped data: four files in
// the layout the workbench reads, one row per gene, and a share of genes
// with a confident promoter that a broken model or calibration could not
// reach.
#include "EthrinTestSupport.h"
#include "TestData.h"

#include "meridan/ethrin/EthrinRun.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

using namespace meridan::ethrin;
using namespace ethrin_test;

TEST(EthrinEcoliScan, FourFilesWithOneRowPerGene)
{
    const auto genomeDir = meridan::testdata::genomeDir("NC_000913");
    if (genomeDir.empty())
        GTEST_SKIP() << "E. coli genome not available";
    TempDir results;
    EthrinArguments a;
    a.resultDir = results.slash();
    a.fnaDir = genomeDir.string() + "/";
    a.pttDir = a.fnaDir;
    a.rntDir = a.fnaDir;
    a.genomeId = "NC_000913";
    a.wmDir = (shippedData() / "WM").string() + "/";
    a.thresholdDir = (shippedData() / "threshold").string() + "/";
    std::ostringstream log;
    ASSERT_TRUE(runEthrin(a, log)) << log.str();
    EXPECT_NE(log.str().find("genomeSize= 4641652"), std::string::npos) << log.str();
    EXPECT_EQ(log.str().find("was made for another base composition"), std::string::npos) << log.str();

    GeneTableRead genes;
    readGeneTable(a.pttDir + "NC_000913.ptt", 4641652, genes);
    readGeneTable(a.rntDir + "NC_000913.rnt", 4641652, genes);
    ASSERT_TRUE(genes.problems.empty());
    std::multiset<std::string> expected;
    for (const GeneRow& g : genes.genes)
        expected.insert(g.synonym);

    for (const char* sigma : kSigmaNames) {
        SCOPED_TRACE(sigma);
        const bool single = std::string(sigma) == "sigma38";
        const auto rows = workbenchRows(results.path() / (std::string("NC_000913.") + sigma + ".sca.dat"));
        std::multiset<std::string> names;
        long confident = 0;
        for (const auto& r : rows) {
            ASSERT_EQ(r.size(), single ? 7u : 10u);
            names.insert(r[0]);
            const int start = std::stoi(r[3]);
            EXPECT_GE(start, -250);
            EXPECT_LT(start, 100);
            confident += std::stod(r[4]) > 0.0;
        }
        EXPECT_EQ(names, expected);
        // Calibrated on the genome's own shuffled regions: sigma70 flags a
        // good share of the genes, the rarer sigma factors fewer, none most.
        const double share = static_cast<double>(confident) / static_cast<double>(rows.size());
        EXPECT_LT(share, 0.45);
        if (std::string(sigma) == "sigma70") {
            EXPECT_GT(share, 0.15);
        }
    }
}
