#include "meridan/evidence/EvidenceModel.h"
#include "meridan/evidence/OperonRefinement.h"

#include <gtest/gtest.h>

#include <random>

using namespace meridan::evidence;

namespace {

// A planted genome's pairs: operon pairs mostly close and without a hairpin,
// boundaries mostly far apart and with one, and a share of each that breaks
// the distance rule - boundaries at short gaps that do have a hairpin and
// operon pairs at long gaps that do not. Opposite-strand neighbours (anchors)
// look like boundaries. Returns the truth (true: one operon) per candidate.
std::vector<bool> plant(GenomeSignals& g, int pairs, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const auto hairpin = [&](bool present) { return present ? 4.0 + 6.0 * u(random) : 0.0; };
    std::vector<bool> truth;
    for (int i = 0; i < pairs; ++i) {
        const bool operon = u(random) < 0.6;
        PairSignals s;
        s.row = std::size_t(2 * i);
        const bool unusualGap = u(random) < 0.15;
        const bool shortGap = operon != unusualGap;
        s.gap = shortGap ? long(-10 + 50 * u(random)) : long(80 + 200 * u(random));
        // Hairpins follow the truth, even where the distance misleads.
        s.terminator = hairpin(operon ? u(random) < 0.03 : u(random) < 0.9);
        s.promoter = operon ? -5.0 + 4.0 * u(random) : -3.0 + 6.0 * u(random);
        s.category = u(random) < (operon ? 0.7 : 0.3) ? CategoryMatch::Shared : CategoryMatch::Different;
        g.candidates.push_back(s);
        truth.push_back(operon);
    }
    // Opposite-strand neighbours: two transcripts ending at one shared
    // terminator (convergent) or two starts (divergent); one such end and
    // half the starts look like a same-strand boundary.
    for (int i = 0; i < pairs / 2; ++i) {
        PairSignals s;
        s.orientation = i % 2 ? Orientation::Convergent : Orientation::Divergent;
        s.gap = i % 2 ? long(10 + 80 * u(random)) : long(140 + 250 * u(random));
        s.terminator = hairpin(u(random) < 0.9);
        s.promoter = -3.0 + 6.0 * u(random);
        g.boundaries.push_back(s);
    }
    return truth;
}

PairSignals probe(long gap, double terminator)
{
    PairSignals s;
    s.gap = gap;
    s.terminator = terminator;
    s.promoter = 0.0;
    s.category = CategoryMatch::Unknown;
    return s;
}

double accuracy(const EvidenceFit& fit, const std::vector<bool>& truth)
{
    std::size_t right = 0;
    for (std::size_t i = 0; i < truth.size(); ++i)
        right += (fit.posterior[i] >= 0.5) == truth[i];
    return double(right) / double(truth.size());
}

EvidenceOptions only(std::initializer_list<Evidence> kinds)
{
    EvidenceOptions o;
    o.use.fill(false);
    for (Evidence e : kinds)
        o.use[std::size_t(e)] = true;
    return o;
}

} // namespace

TEST(OperonEvidence, HairpinOverrulesAMisleadingDistanceAndTheReverse)
{
    GenomeSignals g;
    const auto truth = plant(g, 3000, 7);
    // Probes: a boundary at a short gap with a strong hairpin (distance says
    // "same"), and an operon pair at a long gap without a hairpin.
    const std::size_t shortBoundary = g.candidates.size();
    g.candidates.push_back(probe(12, 9.0));
    const std::size_t farOperon = g.candidates.size();
    g.candidates.push_back(probe(200, 0.0));

    // The mixture needs evidence beyond the distance to tell its two classes
    // apart; the promoter and category evidence stays the same in both fits.
    const EvidenceFit distanceOnly = fitEvidence(g, only({Evidence::Gap, Evidence::Promoter, Evidence::Category}));
    const EvidenceFit combined =
        fitEvidence(g, only({Evidence::Gap, Evidence::Terminator, Evidence::Promoter, Evidence::Category}));
    EXPECT_GE(distanceOnly.posterior[shortBoundary], 0.5);
    EXPECT_LT(combined.posterior[shortBoundary], 0.5);
    EXPECT_LT(distanceOnly.posterior[farOperon], 0.5);

    // Overall the combination beats the distance alone on the planted truth.
    const double byDistance = accuracy(distanceOnly, truth);
    const double byBoth = accuracy(combined, truth);
    EXPECT_LT(byDistance, 0.9);
    EXPECT_GT(byBoth, byDistance + 0.05);
    EXPECT_NEAR(combined.operonShare, 0.6, 0.05);
}

TEST(OperonEvidence, DistanceOverrulesAMisleadingHairpin)
{
    // Here hairpins are unreliable (half the operon pairs carry a spurious
    // one) while the distance separates cleanly.
    std::mt19937 random(11);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    GenomeSignals g;
    std::vector<bool> truth;
    for (int i = 0; i < 3000; ++i) {
        const bool operon = u(random) < 0.6;
        PairSignals s;
        s.gap = operon ? long(-10 + 40 * u(random)) : long(100 + 200 * u(random));
        s.terminator = u(random) < (operon ? 0.5 : 0.7) ? 3.0 + 5.0 * u(random) : 0.0;
        g.candidates.push_back(s);
        truth.push_back(operon);
    }
    for (int i = 0; i < 1500; ++i) {
        PairSignals s;
        s.orientation = i % 2 ? Orientation::Convergent : Orientation::Divergent;
        s.gap = i % 2 ? long(20 + 80 * u(random)) : long(140 + 260 * u(random));
        s.terminator = u(random) < 0.7 ? 3.0 + 5.0 * u(random) : 0.0;
        g.boundaries.push_back(s);
    }
    const std::size_t closeWithHairpin = g.candidates.size();
    g.candidates.push_back(probe(5, 7.5));
    const std::size_t farWithout = g.candidates.size();
    g.candidates.push_back(probe(250, 0.0));

    const EvidenceFit fit = fitEvidence(g, only({Evidence::Gap, Evidence::Terminator}));
    EXPECT_GE(fit.posterior[closeWithHairpin], 0.5);
    EXPECT_LT(fit.posterior[farWithout], 0.5);
    EXPECT_GT(accuracy(fit, truth), 0.98);
}

TEST(OperonEvidence, DistanceMixtureRecoversThePlantedShareAndCrossing)
{
    // Transcript ends and starts each add an untranslated stretch of 10-110
    // bases; operon pairs sit 0-40 bases apart. Same-strand boundaries hold one
    // end and one start; convergent neighbours end at one shared terminator,
    // divergent ones hold two starts.
    std::mt19937 random(5);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const auto stretch = [&] { return long(10 + 100 * u(random)); };
    GenomeSignals g;
    for (int i = 0; i < 4000; ++i) {
        PairSignals s;
        s.gap = u(random) < 0.65 ? long(40 * u(random)) : stretch() + stretch();
        g.candidates.push_back(s);
    }
    for (int i = 0; i < 1200; ++i) {
        PairSignals s;
        s.orientation = i % 2 ? Orientation::Convergent : Orientation::Divergent;
        s.gap = i % 2 ? stretch() : stretch() + stretch();
        g.boundaries.push_back(s);
    }
    const GapModel model = fitGapModel(g);
    EXPECT_NEAR(model.operonShare, 0.65, 0.05);
    EXPECT_GT(model.at(5), 1.0);
    EXPECT_GT(model.at(35), 0.0);
    EXPECT_LT(model.at(60), 0.0);
    EXPECT_LT(model.at(150), -1.0);
    // Alone, the distance decides nearly every planted pair right.
    const EvidenceFit fit = fitEvidence(g, only({Evidence::Gap}));
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < g.candidates.size(); ++i)
        wrong += (fit.posterior[i] >= 0.5) != (*g.candidates[i].gap < 40);
    EXPECT_LT(double(wrong) / double(g.candidates.size()), 0.08);

    // Without opposite-strand neighbours the distance says nothing, and the
    // operon engine's decisions stand.
    g.boundaries.clear();
    EXPECT_DOUBLE_EQ(fitGapModel(g).at(5), 0.0);
    for (std::size_t i = 0; i < g.candidates.size(); ++i)
        g.candidates[i].engineLink = i % 3 == 0;
    const EvidenceFit engineOnly = fitEvidence(g);
    for (std::size_t i = 0; i < g.candidates.size(); ++i)
        ASSERT_EQ(engineOnly.posterior[i] >= 0.5, i % 3 == 0) << i;
}

TEST(OperonEvidence, ProductWordsIgnoreAnnotationFiller)
{
    EXPECT_FALSE(productSimilarity("hypothetical protein", "hypothetical protein"));
    EXPECT_FALSE(productSimilarity("putative uncharacterized protein", "ABC transporter permease"));
    EXPECT_DOUBLE_EQ(*productSimilarity("ABC transporter permease", "ABC transporter ATP-binding protein"), 2.0 / 4.0);
    EXPECT_DOUBLE_EQ(*productSimilarity("DNA gyrase subunit B", "30S ribosomal protein S7"), 0.0);
}

TEST(OperonEvidence, NameStemsCompareOnlyPathwayStyleNames)
{
    EXPECT_EQ(nameMatch("thrA", "thrB"), NameMatch::SharedStem);
    EXPECT_EQ(nameMatch("nuoN", "nuoM_2"), NameMatch::SharedStem);
    EXPECT_EQ(nameMatch("thrC", "leuA"), NameMatch::Different);
    EXPECT_EQ(nameMatch("yaaA", "yaaJ"), NameMatch::SharedProvisionalStem);
    // Locus-tag-like, short and missing names say nothing.
    EXPECT_EQ(nameMatch("SAOUHSC_00001", "SAOUHSC_00002"), NameMatch::Unknown);
    EXPECT_EQ(nameMatch("thr", "thrA"), NameMatch::Unknown);
    EXPECT_EQ(nameMatch("", "thrA"), NameMatch::Unknown);
    EXPECT_EQ(nameMatch("THRA", "THRB"), NameMatch::Unknown);
}

TEST(OperonEvidence, NoCandidatesAndNoEvidenceAreHarmless)
{
    GenomeSignals empty;
    EXPECT_TRUE(fitEvidence(empty).posterior.empty());
    GenomeSignals bare;
    bare.candidates.resize(3);
    const auto fit = fitEvidence(bare);
    ASSERT_EQ(fit.posterior.size(), 3u);
    for (double p : fit.posterior)
        EXPECT_TRUE(p >= 0.0 && p <= 1.0);
}

TEST(OperonEvidence, RelinkedTagsNumberOperonsInGeneOrder)
{
    const std::vector<TableGene> genes{{"a", 1, 10, '+', "", "", ""}, {"b", 20, 30, '+', "", "", ""},
                                       {"c", 40, 50, '+', "", "", ""}, {"c", 40, 50, '+', "", "", ""},
                                       {"d", 60, 70, '-', "", "", ""}, {"e", 80, 90, '-', "", "", ""}};
    // The engine linked a-b, c-c and d-e.
    std::vector<GeneTagLine> tags{{0, -1, -1, -1}, {0, 3, -1, -1}, {1, -1, 5, -1},
                                  {1, -1, -1, -1}, {2, -1, -1, -1}, {2, -1, -1, 7}};
    std::vector<PairSignals> candidates(3);
    candidates[0].row = 0; // a-b: now a boundary
    candidates[1].row = 1; // b-c: now linked
    candidates[2].row = 4; // d-e: stays linked
    const auto out = relinkGeneTags(genes, tags, candidates, {false, true, true});
    std::vector<long> numbers;
    for (const auto& t : out)
        numbers.push_back(t.operon);
    EXPECT_EQ(numbers, (std::vector<long>{0, 1, 1, 1, 2, 2}));
    EXPECT_EQ(geneTagText(out), "0    -1    -1    -1\n1    3    -1    -1\n1    -1    5    -1\n"
                                "1    -1    -1    -1\n2    -1    -1    -1\n2    -1    -1    7\n");
}
