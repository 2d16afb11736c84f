#include "meridan/operon/ModelFit.h"
#include "FitFixtures.h"
#include "meridan/operon/Workers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

using namespace meridan::operon;
using namespace meridan::operon::testing;

namespace {

constexpr double tolerance = 1e-12;

// Two pairs whose window ratios are powers of two. Background 1/4 for every
// base; the boundary terminator motif and the operon SD motif weigh A 1/2,
// C 1/8, G 1/8, T 1/4 (ratios 2, 1/2, 1/2, 1), all other motifs are uniform
// (ratio 1).
//   pair 0: distance 10, label E_E, terminator region of 21 bases (one
//           window: ten A and ten T), promoter region of 11 bases (two
//           windows), no SD region;
//   pair 1: distance 50, no label, terminator region of 20 bases (no
//           window), promoter region of 10 bases (one window), SD region of
//           ten A (one window).
struct TwoPairCase {
    TrainingMaterial material = materialOf({
        makePair(10, "E_E", "AAAAAAAAAATTTTTTTTTTC", "ACGTACGTACG", ""),
        makePair(50, "-", "CCCCCCCCCCCCCCCCCCCC", "GGGGGGGGGG", "AAAAAAAAAA"),
    });
    OperonModel model = initialModel(material);

    TwoPairCase()
    {
        model.terminatorBackground = model.promoterBackground = {0.25, 0.25, 0.25, 0.25};
        for (Motif& m : model.motifs)
            setRows(m, {0.25, 0.25, 0.25, 0.25});
        setRows(model.motif(MotifId::TerminatorBoundary), {0.5, 0.125, 0.125, 0.25});
        setRows(model.motif(MotifId::SdOperon), {0.5, 0.125, 0.125, 0.25});
        model.a = 1;
        model.b = -0.1; // e = 1 for pair 0, exp(-4) for pair 1
    }
};

} // namespace

TEST(ExpectationStep, HandComputedTwoPairCase)
{
    TwoPairCase c;
    std::ostringstream log;
    const Evidence ev = expectationStep(c.model, c.material, log);
    ASSERT_EQ(ev.pairs.size(), 2u);

    // Pair 0: Z_TB = 0.5 + 2^10·0.5 = 512.5, Z_TO = 0.5 + 0.5 = 1, both
    // promoter Z = 0.5 + 0.25 + 0.25 = 1, both SD Z = w0 = 0.5, F = 0.02.
    const double cO0 = 1 * 1.0 * 1.0 * 0.5 * 0.02; // 0.01
    const double cN0 = 512.5 * 1.0 * 0.5 * 0.02;   // 5.125
    const double total0 = cO0 + cN0;
    const PairEvidence& p0 = ev.pairs[0];
    EXPECT_NEAR(p0.posterior, cO0 / total0, tolerance);
    const auto tb = index(MotifId::TerminatorBoundary), to = index(MotifId::TerminatorOperon);
    ASSERT_EQ(p0.windowShares[tb].size(), 1u);
    EXPECT_NEAR(p0.windowShares[tb][0], 512 * (cN0 / 512.5) / total0, tolerance);
    EXPECT_NEAR(p0.absentShare[tb], 0.5 * (cN0 / 512.5) / total0, tolerance);
    EXPECT_NEAR(p0.windowShares[to][0], 0.5 * (cO0 / 1.0) / total0, tolerance);
    const auto pb = index(MotifId::PromoterBoundary);
    ASSERT_EQ(p0.windowShares[pb].size(), 2u);
    EXPECT_NEAR(p0.windowShares[pb][1], 0.25 * cN0 / total0, tolerance);
    EXPECT_TRUE(p0.windowShares[index(MotifId::SdOperon)].empty());
    EXPECT_NEAR(p0.absentShare[index(MotifId::SdOperon)], 0.5 * (cO0 / 0.5) / total0, tolerance);
    EXPECT_NEAR(p0.operonShare, cO0 / total0, tolerance);
    EXPECT_NEAR(p0.boundaryShare, cN0 / total0, tolerance);

    // Pair 1: no terminator window (Z = w0 = 0.5 in both classes), promoter
    // Z = 1, Z_SO = 0.5 + 2^10·0.5 = 512.5, Z_SB = 1, no label (F = 1).
    const double e1 = std::exp(-4.0);
    const double cO1 = e1 * 0.5 * 1.0 * 512.5;
    const double cN1 = 0.5 * 1.0 * 1.0;
    const double total1 = cO1 + cN1;
    const PairEvidence& p1 = ev.pairs[1];
    EXPECT_TRUE(p1.windowShares[tb].empty());
    EXPECT_NEAR(p1.absentShare[tb], 0.5 * (cN1 / 0.5) / total1, tolerance);
    EXPECT_NEAR(p1.posterior, cO1 / total1, tolerance);
    EXPECT_NEAR(p1.windowShares[index(MotifId::SdOperon)][0], 512 * (cO1 / 512.5) / total1,
                tolerance);
    EXPECT_EQ(p1.operonShare, 0);
    EXPECT_EQ(p1.boundaryShare, 0);

    EXPECT_NEAR(c.model.logLikelihood, std::log(total0 / 2) + std::log(total1 / (1 + e1)),
                tolerance);
    EXPECT_TRUE(log.str().empty());
}

TEST(MaximisationStep, HandComputedTwoPairCase)
{
    TwoPairCase c;
    std::ostringstream log;
    const Evidence ev = expectationStep(c.model, c.material, log);
    const auto tb = index(MotifId::TerminatorBoundary);
    const double r = ev.pairs[0].windowShares[tb][0];
    const double s0 = 1 + ev.pairs[0].absentShare[tb] + ev.pairs[1].absentShare[tb];
    const double s1 = 1 + r;

    updateMotif(c.model, c.material, ev, MotifId::TerminatorBoundary);
    const Motif& m = c.model.motif(MotifId::TerminatorBoundary);
    EXPECT_NEAR(m.presentWeight, s1 / (s0 + s1), tolerance);
    EXPECT_NEAR(m.absentWeight, 1 - s1 / (s0 + s1), tolerance);
    // The one window holds A at rows 0–9 and T at rows 10–19.
    for (int i = 0; i < 20; ++i) {
        const int base = i < 10 ? 0 : 3;
        for (int b = 0; b < 4; ++b)
            EXPECT_NEAR(m.rows[i][b], (b == base ? 1 + r : 1.0) / (4 + r), tolerance)
                << "row " << i << " base " << b;
    }

    // Promoter: three windows in all (two of pair 0, one of pair 1).
    const auto pb = index(MotifId::PromoterBoundary);
    const auto& w0 = ev.pairs[0].windowShares[pb];
    const auto& w1 = ev.pairs[1].windowShares[pb];
    updateMotif(c.model, c.material, ev, MotifId::PromoterBoundary);
    const Motif& p = c.model.motif(MotifId::PromoterBoundary);
    const double total = 4 + w0[0] + w0[1] + w1[0];
    // Row 0: window 0 of pair 0 starts with A, window 1 with C, pair 1's with G.
    EXPECT_NEAR(p.rows[0][0], (1 + w0[0]) / total, tolerance);
    EXPECT_NEAR(p.rows[0][1], (1 + w0[1]) / total, tolerance);
    EXPECT_NEAR(p.rows[0][2], (1 + w1[0]) / total, tolerance);
    EXPECT_NEAR(p.rows[0][3], 1 / total, tolerance);
}

TEST(MaximisationStep, CategoryTablesAreSymmetricAndNormalised)
{
    TrainingMaterial material = materialOf({
        makePair(0, "E_K", "", "", ""),
        makePair(0, "-", "", "", ""),
        makePair(0, "Q_Q", "", "", ""),
    });
    Evidence ev(material);
    ev.pairs[0].operonShare = 0.75;
    ev.pairs[0].boundaryShare = 0.25;
    ev.pairs[1].operonShare = 100; // no label: must count nowhere
    ev.pairs[1].boundaryShare = 100;
    ev.pairs[2].operonShare = 0.5;
    ev.pairs[2].boundaryShare = 0.5;
    OperonModel model = initialModel(material);
    updateCategoryTables(model, material, ev);

    const double operonSum = 625 * 0.001 + 2 * 0.75 + 0.5;
    EXPECT_NEAR(model.operonTable[4][10], (0.001 + 0.75) / operonSum, tolerance);
    EXPECT_NEAR(model.operonTable[16][16], (0.001 + 0.5) / operonSum, tolerance);
    EXPECT_NEAR(model.operonTable[0][0], 0.001 / operonSum, tolerance);
    for (const CategoryTable* table : {&model.operonTable, &model.boundaryTable}) {
        double sum = 0;
        for (int x = 0; x < categoryCount; ++x) {
            for (int y = 0; y < categoryCount; ++y) {
                EXPECT_EQ((*table)[x][y], (*table)[y][x]);
                sum += (*table)[x][y];
            }
        }
        EXPECT_NEAR(sum, 1.0, 1e-12);
    }
}

TEST(ExpectationStep, RegionsWithoutWindowsWeighTheAbsentCase)
{
    // A 20-base terminator region and an empty SD region have no window.
    TrainingMaterial material = materialOf({makePair(5, "-", std::string(20, 'A'), "", "")});
    OperonModel model = initialModel(material);
    model.terminatorBackground = model.promoterBackground = {0.25, 0.25, 0.25, 0.25};
    for (Motif& m : model.motifs) {
        setRows(m, {0.25, 0.25, 0.25, 0.25});
        m.absentWeight = 0.3;
        m.presentWeight = 0.7;
    }
    std::ostringstream log;
    const Evidence ev = expectationStep(model, material, log);
    const double e = std::exp(model.a + model.b * 5);
    // Every Z is w0 = 0.3: C_O = e·0.3³, C_N = 0.3³.
    EXPECT_NEAR(ev.pairs[0].posterior, e / (e + 1), tolerance);
    for (const MotifId m : allMotifs)
        EXPECT_NEAR(ev.pairs[0].absentShare[index(m)], isOperonClass(m) ? e / (e + 1) : 1 / (e + 1),
                    tolerance);
}

TEST(ExpectationStep, NonPositiveTotalIsReported)
{
    TrainingMaterial material = materialOf({makePair(5, "-", "", "", "")});
    OperonModel model = initialModel(material);
    for (Motif& m : model.motifs)
        m.absentWeight = 0; // every Z is 0
    std::ostringstream log;
    expectationStep(model, material, log);
    EXPECT_NE(log.str().find("pair 0: likelihood total 0 is not positive"), std::string::npos);
    EXPECT_FALSE(std::isfinite(model.logLikelihood));
}

TEST(DistanceFactor, PosteriorsOnTheLogisticCurveAreAFixedPoint)
{
    std::vector<CandidatePair> pairs;
    for (int d = 0; d <= 100; d += 7)
        pairs.push_back(makePair(d, "-", "", "", ""));
    TrainingMaterial material = materialOf(pairs);
    Evidence ev(material);
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        const double e = std::exp(0.1 + 0.01 * pairs[k].distance);
        ev.pairs[k].posterior = e / (1 + e);
    }
    OperonModel model = initialModel(material);
    std::ostringstream log;
    updateDistanceFactor(model, material, ev, log);
    EXPECT_NEAR(model.a, 0.1, 1e-12);
    EXPECT_NEAR(model.b, 0.01, 1e-12);
    EXPECT_EQ(log.str(), "a=0.1,b=0.01\n");
}

TEST(DistanceFactor, RecoversAKnownSlope)
{
    // Posteriors from exp(2 - 0.05 d): the fit returns a = 2, b = -0.05
    // from its fixed start at 0.1, 0.01.
    std::vector<CandidatePair> pairs;
    for (int d = 0; d <= 100; ++d)
        pairs.push_back(makePair(d, "-", "", "", ""));
    TrainingMaterial material = materialOf(pairs);
    Evidence ev(material);
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        const double e = std::exp(2 - 0.05 * pairs[k].distance);
        ev.pairs[k].posterior = e / (1 + e);
    }
    OperonModel model = initialModel(material);
    std::ostringstream log;
    updateDistanceFactor(model, material, ev, log);
    EXPECT_NEAR(model.a, 2, 1e-9);
    EXPECT_NEAR(model.b, -0.05, 1e-9);
}

TEST(DistanceFactor, SingularCaseKeepsFiniteValues)
{
    // No pairs, or all pairs at one distance: the Hessian is singular.
    for (const std::vector<int>& distances : {std::vector<int>{}, std::vector<int>{0, 0, 0}}) {
        std::vector<CandidatePair> pairs;
        for (int d : distances)
            pairs.push_back(makePair(d, "-", "", "", ""));
        TrainingMaterial material = materialOf(pairs);
        Evidence ev(material);
        for (auto& p : ev.pairs)
            p.posterior = 0.7;
        OperonModel model = initialModel(material);
        std::ostringstream log;
        updateDistanceFactor(model, material, ev, log);
        EXPECT_TRUE(std::isfinite(model.a));
        EXPECT_TRUE(std::isfinite(model.b));
    }
}

TEST(RandomiseMotifs, DrawOrderAndNormalisation)
{
    TrainingMaterial material;
    OperonModel model = initialModel(material);
    model.motif(MotifId::PromoterOperon).presentWeight = 0.9;
    model.a = 3;
    RandGenerator random(1234);
    randomiseMotifs(model, random);

    RandGenerator reference(1234);
    auto row = [&] {
        std::array<double, 4> d{};
        for (double& v : d)
            v = reference.next();
        const double sum = d[0] + d[1] + d[2] + d[3];
        for (double& v : d)
            v /= sum;
        return d;
    };
    for (int i = 0; i < 20; ++i) {
        const auto expected = row();
        EXPECT_EQ(model.motif(MotifId::TerminatorBoundary).rows[i], expected);
        EXPECT_EQ(model.motif(MotifId::TerminatorOperon).rows[i], expected);
    }
    for (int i = 0; i < 10; ++i) {
        const auto expected = row();
        EXPECT_EQ(model.motif(MotifId::PromoterBoundary).rows[i], expected);
        EXPECT_EQ(model.motif(MotifId::PromoterOperon).rows[i], expected);
    }
    for (int i = 0; i < 10; ++i) {
        const auto expected = row();
        EXPECT_EQ(model.motif(MotifId::SdOperon).rows[i], expected);
        EXPECT_EQ(model.motif(MotifId::SdBoundary).rows[i], expected);
    }
    EXPECT_EQ(random.next(), reference.next()); // exactly 160 draws
    EXPECT_EQ(model.motif(MotifId::PromoterOperon).presentWeight, 0.9);
    EXPECT_EQ(model.a, 3);
}
