// The fast forms of the fit (vector units, several threads, the six motif
// updates in one pass) must give bit for bit what the plain steps give.
#include "../src/WindowKernels.h"
#include "FitFixtures.h"
#include "meridan/operon/ModelFit.h"
#include "meridan/operon/Workers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <sstream>

using namespace meridan::operon;
using namespace meridan::operon::testing;

namespace {

// Regions of every length from empty to the longest the genome gives, a few
// with characters other than A, C, G, T.
TrainingMaterial randomMaterial(unsigned seed, int pairCount)
{
    std::mt19937 random(seed);
    auto region = [&](int maxLength) {
        const char bases[] = "ACGT";
        std::string s(random() % (maxLength + 1), 'A');
        for (char& c : s)
            c = bases[random() % 4];
        if (!s.empty() && random() % 10 == 0)
            s[random() % s.size()] = random() % 2 ? 'N' : 'a';
        return s;
    };
    const char* labels[] = {"-", "E_E", "E_K", "Q_Q", "X_V"};
    std::vector<CandidatePair> pairs;
    for (int k = 0; k < pairCount; ++k)
        pairs.push_back(makePair(static_cast<int>(random() % 101), labels[random() % 5],
                                 region(100), region(80), random() % 4 ? region(20) : ""));
    TrainingMaterial material = materialOf(pairs);
    std::vector<const std::string*> terminators, promoters;
    for (const CandidatePair& p : material.pairs) {
        terminators.push_back(&p.terminatorRegion);
        promoters.push_back(&p.promoterRegion);
    }
    material.terminatorBackground = baseComposition(terminators);
    material.promoterBackground = baseComposition(promoters);
    return material;
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void expectSameEvidence(const Evidence& a, const Evidence& b)
{
    ASSERT_EQ(a.pairs.size(), b.pairs.size());
    for (std::size_t k = 0; k < a.pairs.size(); ++k) {
        ASSERT_TRUE(sameBits(a.pairs[k].posterior, b.pairs[k].posterior)) << k;
        for (int m = 0; m < motifCount; ++m) {
            ASSERT_TRUE(sameBits(a.pairs[k].absentShare[m], b.pairs[k].absentShare[m]));
            const auto& x = a.pairs[k].windowShares[m];
            const auto& y = b.pairs[k].windowShares[m];
            ASSERT_EQ(x.size(), y.size());
            for (std::size_t p = 0; p < x.size(); ++p)
                ASSERT_TRUE(sameBits(x[p], y[p]))
                    << "pair " << k << " motif " << m << " window " << p;
        }
    }
}

void expectSameModel(const OperonModel& a, const OperonModel& b)
{
    EXPECT_EQ(std::memcmp(&a.motifs, &b.motifs, sizeof a.motifs), 0);
    EXPECT_EQ(std::memcmp(&a.operonTable, &b.operonTable, sizeof a.operonTable), 0);
    EXPECT_EQ(std::memcmp(&a.boundaryTable, &b.boundaryTable, sizeof a.boundaryTable), 0);
    EXPECT_TRUE(sameBits(a.a, b.a));
    EXPECT_TRUE(sameBits(a.b, b.b));
    EXPECT_TRUE(sameBits(a.logLikelihood, b.logLikelihood));
}

struct VectorForms {
    const bool saved = detail::vectorFormsEnabled();
    ~VectorForms() { detail::enableVectorForms(saved); }
};

} // namespace

TEST(FitParity, FastFormsGiveTheSameBitsAsThePlainSteps)
{
    VectorForms restore;
    const TrainingMaterial material = randomMaterial(17, 300);
    OperonModel start = initialModel(material);
    RandGenerator random(99);
    randomiseMotifs(start, random);
    std::ostringstream log;

    // Plain: one thread, no vector units, six separate motif updates.
    detail::enableVectorForms(false);
    OperonModel plain = start;
    Evidence plainEvidence(material);
    for (int iteration = 0; iteration < 3; ++iteration) {
        expectationStep(plain, material, plainEvidence, log);
        updateDistanceFactor(plain, material, plainEvidence, log);
        for (const MotifId m : allMotifs)
            updateMotif(plain, material, plainEvidence, m);
        updateCategoryTables(plain, material, plainEvidence);
    }

    for (const bool vector : {false, true}) {
        detail::enableVectorForms(vector);
        for (const int threads : {1, 2}) {
            Workers workers(threads);
            OperonModel fast = start;
            Evidence fastEvidence(material);
            for (int iteration = 0; iteration < 3; ++iteration) {
                expectationStep(fast, material, fastEvidence, log, &workers);
                updateDistanceFactor(fast, material, fastEvidence, log);
                updateMotifs(fast, material, fastEvidence, &workers);
                updateCategoryTables(fast, material, fastEvidence);
            }
            SCOPED_TRACE(std::string(vector ? "vector" : "portable") + ", " +
                         std::to_string(threads) + " threads");
            expectSameModel(fast, plain);
            expectSameEvidence(fastEvidence, plainEvidence);
        }
    }
}

TEST(Workers, RunsEveryPartAndPassesOnFailures)
{
    Workers workers(3);
    std::vector<int> seen(3, 0);
    for (int round = 0; round < 50; ++round)
        workers.run([&](int w) { ++seen[w]; });
    EXPECT_EQ(seen, (std::vector<int>{50, 50, 50}));
    EXPECT_THROW(workers.run([](int w) {
        if (w == 2)
            throw std::runtime_error("part failed");
    }),
                 std::runtime_error);
    workers.run([&](int w) { ++seen[w]; }); // still usable
    EXPECT_EQ(seen[2], 51);
}
