// The expectation step against a literal evaluation of the model's sums over
// every hairpin start, closing position, stem length and tail.
#include "PlantedRegions.h"
#include "TerminatorTestSupport.h"
#include "castrel/TerminatorModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

using namespace meridan::castrel;
using meridan::terminator::admissiblePair;

namespace {

struct Reference {
    double score = 0;
    double bgPosteriorSum = 0;
    PairMatrix pairCount{};
    std::array<double, 4> tailBaseCount{};
    std::vector<double> stemLenCount = std::vector<double>(120, 0.0);
    std::vector<double> loopLenCount = std::vector<double>(120, 0.0);
    std::vector<double> tailLenCount = std::vector<double>(120, 0.0);
};

double tailProduct(const TerminatorModel& m, const std::vector<Code>& x, int from, int to)
{
    double product = 1;
    for (int q = from; q <= to; ++q)
        product *= m.tailRatio[x[q]];
    return product;
}

bool isCandidate(const std::vector<Code>& x, int i, int j)
{
    return j >= i + 5 && admissiblePair(x[i], x[j]) && admissiblePair(x[i + 1], x[j - 1])
           && admissiblePair(x[i + 2], x[j - 2]);
}

// Stem lengths k of hairpin i..G with their weights, straight from the rule:
// every one of the k pairs admissible, loops of at most 30.
std::vector<std::pair<int, double>> stemTerms(const TerminatorModel& m, const std::vector<Code>& x, int i, int G)
{
    std::vector<std::pair<int, double>> terms;
    for (int k = 3; k <= (G - i + 1) / 2; ++k) {
        bool paired = true;
        double product = 1;
        for (int p = 0; p < k; ++p) {
            paired = paired && admissiblePair(x[i + p], x[G - p]);
            product *= m.pairRatio[x[i + p]][x[G - p]];
        }
        if (!paired)
            break;
        const int loop = G - i + 1 - 2 * k;
        if (loop <= 30)
            terms.push_back({k, product * m.stemLen[k] * m.loopLen[loop]});
    }
    return terms;
}

Reference evaluate(const TerminatorModel& m, const std::vector<std::vector<Code>>& regions)
{
    Reference ref;
    for (const auto& x : regions) {
        const int L = static_cast<int>(x.size());
        std::vector<std::vector<double>> H(L, std::vector<double>(L, 0.0));
        for (int i = 0; i + 2 < L; ++i) {
            for (int G = i + 5; G < L; ++G) {
                if (isCandidate(x, i, G)) {
                    for (const auto& [k, w] : stemTerms(m, x, i, G))
                        H[i][G] += w;
                }
            }
        }
        double S = 0;
        for (int i = 0; i < L; ++i) {
            for (int A = i; A < L; ++A) {
                double B = 0;
                for (int G = i; G < A; ++G) {
                    const int t = A - G;
                    if (t >= 3 && t <= 29)
                        B += H[i][G] * tailProduct(m, x, G + 1, A) * m.tailLen[t];
                }
                S += B / (L - (A - i));
            }
        }
        const double P = m.p0 + (1 - m.p0) * S;
        ref.score += std::log(P);
        ref.bgPosteriorSum += m.p0 / P;
        for (int i = 0; i < L; ++i) {
            for (int G = i; G < L; ++G) {
                if (H[i][G] == 0)
                    continue;
                double O = 0;
                for (int t = 3; t <= 29 && G + t < L; ++t)
                    O += tailProduct(m, x, G + 1, G + t) * m.tailLen[t] / (L - (G + t - i));
                O *= 1 - m.p0;
                for (const auto& [k, h] : stemTerms(m, x, i, G)) {
                    const double c = h * O / P;
                    ref.stemLenCount[k] += c;
                    ref.loopLenCount[G - i + 1 - 2 * k] += c;
                    for (int p = 0; p < k; ++p)
                        ref.pairCount[x[i + p]][x[G - p]] += c;
                }
                for (int t = 3; t <= 29 && G + t < L; ++t) {
                    const double w = H[i][G] * tailProduct(m, x, G + 1, G + t) * m.tailLen[t] * (1 - m.p0)
                                     / (L - (G + t - i)) / P;
                    ref.tailLenCount[t] += w;
                    for (int q = G + 1; q <= G + t; ++q)
                        ref.tailBaseCount[x[q]] += w;
                }
            }
        }
    }
    return ref;
}

void expectClose(double actual, double expected, const std::string& what)
{
    EXPECT_NEAR(actual, expected, 1e-9 * std::max(1.0, std::abs(expected))) << what;
}

void expectMatches(const TerminatorModel& model, const Reference& ref)
{
    expectClose(model.score, ref.score, "score");
    expectClose(model.bgPosteriorSum, ref.bgPosteriorSum, "bgPosteriorSum");
    for (int a = 0; a < 4; ++a) {
        for (int b = 0; b < 4; ++b)
            expectClose(model.pairCount[a][b], ref.pairCount[a][b], "pairCount");
        expectClose(model.tailBaseCount[a], ref.tailBaseCount[a], "tailBaseCount");
    }
    for (int n = 0; n < 120; ++n) {
        expectClose(model.stemLenCount[n], ref.stemLenCount[n], "stemLenCount " + std::to_string(n));
        expectClose(model.loopLenCount[n], ref.loopLenCount[n], "loopLenCount " + std::to_string(n));
        expectClose(model.tailLenCount[n], ref.tailLenCount[n], "tailLenCount " + std::to_string(n));
    }
}

// Every second region holds the hairpin.
std::vector<std::vector<Code>> randomRegions(std::mt19937& random, int count)
{
    return testsupport::plantedRegions(random, count, [](int r) { return r % 2 == 0 ? 20 + r % 50 : -1; });
}

using testsupport::composition;

// A model initialised on `count` random regions; the generator goes on
// from where the regions left it.
struct RandomTraining {
    RandomTraining(unsigned seed, int count)
        : random(seed), regions(randomRegions(random, count)), data(regions, composition(regions))
    {
        model.initialise(data);
    }
    std::mt19937 random;
    const std::vector<std::vector<Code>> regions;
    const TrainingSet data;
    TerminatorModel model;
};

} // namespace

TEST(TerminatorExpectation, InitialModelMatchesTheLiteralSums)
{
    RandomTraining t(21, 12);
    expectMatches(t.model, evaluate(t.model, t.regions));
    EXPECT_EQ(t.model.regionCount, 12);
}

TEST(TerminatorExpectation, UpdatedModelsMatchTheLiteralSums)
{
    RandomTraining t(22, 10);
    std::mt19937& random = t.random;
    const auto& regions = t.regions;
    TerminatorModel& model = t.model;
    for (int step = 0; step < 3; ++step) {
        model.update();
        model.expect();
        expectMatches(model, evaluate(model, regions));
    }
    // Uneven random parameters reach every term of the sums.
    std::uniform_real_distribution<double> factor(0.2, 3.0);
    for (auto& row : model.pairRatio)
        for (double& value : row)
            value *= factor(random);
    for (double& value : model.tailRatio)
        value *= factor(random);
    for (double& value : model.stemLen)
        value = factor(random);
    for (double& value : model.loopLen)
        value = factor(random);
    for (double& value : model.tailLen)
        value = factor(random);
    model.p0 = 0.3;
    model.expect();
    expectMatches(model, evaluate(model, regions));
}

TEST(TerminatorExpectation, RegionWithoutCandidatesScoresLnP0)
{
    std::ostringstream trace;
    const std::vector<std::vector<Code>> regions = {
        meridan::terminator::encodeRegion(std::string(60, 'A') + std::string(60, 'C'), trace)};
    const TrainingSet data(regions, {0.5, 0.5, 0, 0});
    TerminatorModel model;
    model.initialise(data);
    EXPECT_EQ(data.candidates(0).total(), 0u);
    EXPECT_DOUBLE_EQ(model.score, std::log(0.5));
    EXPECT_DOUBLE_EQ(model.regionPosterior[0], 1.0);
    EXPECT_EQ(model.stemLenCount, std::vector<double>(120, 0.0));
    EXPECT_EQ(model.pairCount, PairMatrix{});
}

TEST(TerminatorExpectation, PZeroOfOneReducesToTheBackground)
{
    std::mt19937 random(23);
    const auto regions = randomRegions(random, 6);
    const TrainingSet data(regions, composition(regions));
    TerminatorModel model;
    model.initialise(data);
    model.p0 = 1.0;
    model.expect();
    EXPECT_EQ(model.score, 0.0);
    EXPECT_EQ(model.bgPosteriorSum, 6.0);
    EXPECT_EQ(model.tailLenCount, std::vector<double>(120, 0.0));
}

TEST(TerminatorExpectation, LoopsOver30AndBrokenStemsContributeNothing)
{
    std::ostringstream trace;
    const auto scoreOf = [&](const std::string& text) {
        const std::vector<std::vector<Code>> regions = {meridan::terminator::encodeRegion(text, trace)};
        const TrainingSet data(regions, {0.25, 0.25, 0.25, 0.25});
        TerminatorModel model;
        model.initialise(data);
        return model.score;
    };
    // CCC...GGG closes with three pairs; A·A stops the stem at three.
    const double withLoop30 = scoreOf("CCC" + std::string(30, 'A') + "GGG" + "AAAAA");
    const double withLoop31 = scoreOf("CCC" + std::string(31, 'A') + "GGG" + "AAAAA");
    EXPECT_GT(withLoop30, std::log(0.5));
    EXPECT_DOUBLE_EQ(withLoop31, std::log(0.5));
    // A fourth pair would bring the loop to 30, but C·A is not admissible.
    EXPECT_DOUBLE_EQ(scoreOf("CCCC" + std::string(31, 'A') + "GGG" + "AAAAA"), std::log(0.5));
    EXPECT_GT(scoreOf("CCCC" + std::string(30, 'A') + "GGGG" + "AAAAA"), std::log(0.5));
}

TEST(TerminatorExpectation, HairpinWeightOfAKnownElement)
{
    // GGGAAAACCC + AAA: one hairpin (i 0, G 9, stem 3, loop 4) and one tail
    // of 3 over a region of 13, so S = H * tailRatio(A)^3 * tailLen[3] / 1.
    std::ostringstream trace;
    const std::vector<std::vector<Code>> regions = {meridan::terminator::encodeRegion("GGGAAAACCCAAA", trace)};
    const TrainingSet data(regions, {0.25, 0.25, 0.25, 0.25});
    TerminatorModel model;
    model.initialise(data);
    model.pairRatio[2][1] = 2.0; // G·C
    model.stemLen[3] = 0.5;
    model.loopLen[4] = 0.25;
    model.tailRatio[0] = 1.5;
    model.tailLen[3] = 0.1;
    model.p0 = 0.4;
    model.expect();
    const double S = 8.0 * 0.5 * 0.25 * (1.5 * 1.5 * 1.5) * 0.1;
    const double P = 0.4 + 0.6 * S;
    EXPECT_DOUBLE_EQ(model.score, std::log(P));
    EXPECT_DOUBLE_EQ(model.stemLenCount[3], 0.6 * S / P);
    EXPECT_DOUBLE_EQ(model.loopLenCount[4], 0.6 * S / P);
    EXPECT_DOUBLE_EQ(model.pairCount[2][1], 3 * 0.6 * S / P);
    EXPECT_DOUBLE_EQ(model.tailLenCount[3], 0.6 * S / P);
    EXPECT_DOUBLE_EQ(model.tailBaseCount[0], 3 * 0.6 * S / P);
}

TEST(TerminatorUpdate, PoissonFitHasTheMeanOfTheCounts)
{
    std::vector<double> counts(120, 0.0);
    counts[4] = 10.0;
    const auto fit = poissonLengthFit(counts);
    ASSERT_TRUE(fit.has_value());
    ASSERT_EQ(fit->size(), 120u);
    EXPECT_DOUBLE_EQ((*fit)[0], std::exp(-4.0));
    EXPECT_DOUBLE_EQ((*fit)[3], std::exp(-4.0) * 64.0 / 6.0);
    double mean = 0;
    for (int n = 0; n < 120; ++n)
        mean += n * (*fit)[n];
    EXPECT_NEAR(mean, 4.0, 1e-9);

    counts.assign(120, 0.0);
    counts[2] = 1.0;
    counts[6] = 3.0; // mean 2 * 0.25 + 6 * 0.75 = 5
    EXPECT_DOUBLE_EQ((*poissonLengthFit(counts))[0], std::exp(-5.0));
    EXPECT_FALSE(poissonLengthFit(std::vector<double>(120, 0.0)).has_value());
}

TEST(TerminatorUpdate, ZeroCountsKeepThePreviousDistribution)
{
    std::ostringstream trace;
    const std::vector<std::vector<Code>> regions = {meridan::terminator::encodeRegion(std::string(120, 'A'), trace)};
    const TrainingSet data(regions, {1, 0, 0, 0});
    TerminatorModel model;
    model.initialise(data);
    const TerminatorModel before = model;
    model.update();
    EXPECT_EQ(model.stemLen, before.stemLen);
    EXPECT_EQ(model.tailLen.size(), 31u);
    EXPECT_EQ(model.pairProb, before.pairProb);
    EXPECT_EQ(model.tailProb, before.tailProb);
    EXPECT_EQ(model.p0, 1.0);
    for (const auto& row : model.pairRatio)
        for (double value : row)
            EXPECT_TRUE(std::isfinite(value));
}

TEST(TerminatorUpdate, ProbabilitiesFollowTheCounts)
{
    std::mt19937 random(24);
    const auto regions = randomRegions(random, 8);
    const auto bg = composition(regions);
    const TrainingSet data(regions, bg);
    TerminatorModel model;
    model.initialise(data);
    const TerminatorModel counted = model;
    model.update();
    double pairTotal = 0;
    for (const auto& row : counted.pairCount)
        for (double value : row)
            pairTotal += value;
    EXPECT_DOUBLE_EQ(model.pairProb[2][1], counted.pairCount[2][1] / pairTotal);
    EXPECT_DOUBLE_EQ(model.pairRatio[2][1], model.pairProb[2][1] / (bg[2] * bg[1]));
    EXPECT_EQ(model.pairProb[0][0], 0.0); // inadmissible pairs never gain weight
    EXPECT_DOUBLE_EQ(model.p0, counted.bgPosteriorSum / 8);
    EXPECT_EQ(model.tailLen.size(), 120u);
}
