// Box training: planted boxes at known places are found and counted.
#include "Training.h"

#include "meridan/ethrin/InputError.h"
#include "meridan/ethrin/PromoterModel.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

using namespace meridan::ethrin;
using namespace meridan::ethrin::tools;

namespace {

PromoterModel seed()
{
    std::istringstream in("pseudocount 2\nspacer 15 19\ntss 7\ntsswindow 4 10\n"
                          "box -35 TTGACA\n1 1 1 7\n1 1 1 7\n1 1 7 1\n7 1 1 1\n1 7 1 1\n7 1 1 1\n"
                          "box -10 TATAAT\n1 1 1 7\n7 1 1 1\n1 1 1 7\n7 1 1 1\n7 1 1 1\n1 1 1 7\n");
    return parseModel(in, "seed.wm");
}

} // namespace

TEST(EthrinTraining, PlantedBoxesAreCountedAtTheirPlaces)
{
    // 200 random 81-base sequences with TTGACA, a 16- or 17-base spacer and
    // TATAAT ending 6 bases before the start at index 60.
    std::mt19937_64 random(5);
    std::vector<std::string> sequences;
    for (int k = 0; k < 200; ++k) {
        std::string s(81, 'A');
        for (char& c : s)
            c = "ACGT"[random() % 4];
        const int spacer = k % 4 == 0 ? 16 : 17;
        const int minus10 = 60 - 6 - 5;
        s.replace(minus10, 6, "TATAAT");
        s.replace(minus10 - spacer - 6, 6, "TTGACA");
        sequences.push_back(s);
    }
    const TrainingResult r = trainModel(seed(), sequences, 60, 50, true);
    EXPECT_TRUE(r.converged);
    EXPECT_EQ(r.model.tssOffset, 6);
    ASSERT_EQ(r.model.spacerCounts.size(), 5u);
    EXPECT_NEAR(r.model.spacerCounts[1], 50, 3); // length 16
    EXPECT_NEAR(r.model.spacerCounts[2], 150, 3); // length 17
    // Every sequence counted once per position, the planted base nearly always.
    for (const auto& box : r.model.boxes)
        for (std::size_t p = 0; p < box.counts.size(); ++p) {
            const auto& row = box.counts[p];
            EXPECT_DOUBLE_EQ(row[0] + row[1] + row[2] + row[3], 200.0);
            const int planted = std::string("ACGT").find(box.consensus[p]);
            EXPECT_GE(row[planted], 195.0) << box.name << " position " << p;
        }
    ASSERT_EQ(r.placements.size(), 200u);
    EXPECT_EQ(r.placements[1].firstBox, 60 - 6 - 5 - 17 - 6);
}

TEST(EthrinTraining, SeedWithoutWindowIsRefused)
{
    PromoterModel s = seed();
    s.hasTssWindow = false;
    EXPECT_THROW(trainModel(s, {std::string(81, 'A')}, 60, 5, true), InputError);
}
