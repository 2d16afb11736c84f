#include "PlantedRegions.h"
#include "TerminatorTestSupport.h"
#include "castrel/Training.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

using namespace meridan::castrel;

namespace {

// Two regions of every three hold the hairpin.
std::vector<std::vector<Code>> plantedRegions(int count, unsigned seed)
{
    std::mt19937 random(seed);
    return testsupport::plantedRegions(random, count, [](int r) { return r % 3 != 0 ? 15 + r % 40 : -1; });
}

using testsupport::composition;

} // namespace

TEST(TerminatorTraining, LearnsPlantedTerminators)
{
    const auto regions = plantedRegions(60, 31);
    const TrainingSet data(regions, composition(regions));
    TerminatorModel initial;
    initial.initialise(data);

    std::ostringstream trace;
    const TrainingOutcome outcome = train(data, trace);
    const TerminatorModel& model = outcome.model;
    EXPECT_GT(model.score, initial.score + 10);
    EXPECT_GE(outcome.sessionIterations, 2);
    EXPECT_LT(outcome.sessionIterations, 5000);
    EXPECT_GE(outcome.finalIterations, 1);
    // Two thirds of the regions hold an element: p0 falls well below 0.5.
    EXPECT_LT(model.p0, 0.5);
    // The tails are T-rich and the stems G·C-rich.
    EXPECT_GT(model.tailProb[3], 0.5);
    EXPECT_GT(model.pairProb[2][1] + model.pairProb[1][2], 0.5);
    EXPECT_EQ(model.tailLen.size(), 120u);
    EXPECT_EQ(trace.str().rfind("Session 1 Starts!\n", 0), 0u);
    EXPECT_NE(trace.str().find("Final Improvement\n"), std::string::npos);
}

TEST(TerminatorTraining, StopsAtTheFirstSmallGain)
{
    // Nothing to learn: the first step moves p0 to 1 (score 0), the second
    // gains nothing and ends the session; the final stage stops at once.
    std::ostringstream trace;
    const std::vector<std::vector<Code>> regions(5, std::vector<Code>(120, 0));
    const TrainingSet data(regions, {1, 0, 0, 0});
    const TrainingOutcome outcome = train(data, trace);
    EXPECT_EQ(outcome.sessionIterations, 2);
    EXPECT_EQ(outcome.finalIterations, 1);
    EXPECT_EQ(outcome.model.p0, 1.0);
    EXPECT_EQ(outcome.model.score, 0.0);
    EXPECT_EQ(trace.str(), "Session 1 Starts!\nFinal Improvement\n");
}

TEST(TerminatorTraining, FinalStageLinesCarryRoundAndScore)
{
    const auto regions = plantedRegions(30, 32);
    const TrainingSet data(regions, composition(regions));
    std::ostringstream trace;
    TrainingLimits limits;
    limits.maxIterations = 1; // leave room for improvement in the final stage
    const TrainingOutcome outcome = train(data, trace, limits);
    EXPECT_EQ(outcome.sessionIterations, 1);
    const std::string text = trace.str();
    const std::size_t final = text.find("Final Improvement\n");
    ASSERT_NE(final, std::string::npos);
    std::istringstream lines(text.substr(final + 18));
    int expectedRound = 1;
    for (std::string line; std::getline(lines, line); ++expectedRound) {
        const std::size_t tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos) << line;
        EXPECT_EQ(std::stoi(line.substr(0, tab)), expectedRound);
    }
    EXPECT_GE(expectedRound, 2); // at least one improving round was written
    EXPECT_LE(outcome.finalIterations, 10);
}
