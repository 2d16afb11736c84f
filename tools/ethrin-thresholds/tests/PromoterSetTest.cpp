// Reading and selecting known promoters from a RegulonDB-style table.
#include "PromoterSet.h"

#include "meridan/ethrin/InputError.h"

#include "TestText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>
#include <filesystem>
#include <fstream>

using namespace meridan::ethrin::tools;

namespace {

std::string writeTable(const std::string& text)
{
    const auto path = std::filesystem::temp_directory_path() / ("ethrin-promoters-" + std::to_string(::getpid()) + ".txt");
    std::ofstream(path) << text;
    return path.string();
}

const std::string kSeq = std::string(60, 'a') + "G" + std::string(20, 'c');

} // namespace

TEST(EthrinTrainingPromoterSet, ReadsSelectsAndSkips)
{
    const std::string path = writeTable(
        "# comment\n"
        "ID1\tp1\tforward\t100\tSigma70\t" + kSeq + "\tev\tStrong\n"
        "ID2\tp2\treverse\t200\tSigma38, Sigma70\t" + kSeq + "\tev\tConfirmed\n"
        "ID3\tp3\tforward\t100\tSigma70\t" + kSeq + "\tev\tStrong\n"   // same strand and start as p1
        "ID4\tp4\tforward\t300\tSigma70\t" + kSeq + "\tev\tWeak\n"
        "ID5\tp5\t\t400\tSigma70\t" + kSeq + "\tev\tStrong\n"          // no strand: left out
        "ID6\tp6\tforward\t\tSigma70\t" + kSeq + "\tev\tStrong\n"      // no start: left out
        "ID7\tp7\tforward\t700\tSigma24\t" + kSeq + "\tev\tStrong\n");
    const auto all = readPromoterSet(path);
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[1].strand, '-');
    EXPECT_EQ(all[1].sigmas, (std::vector<std::string>{"Sigma38", "Sigma70"}));
    EXPECT_EQ(all[0].sequence.substr(kTssIndex, 1), "G");
    EXPECT_EQ(all[0].sequence[0], 'A'); // upper case

    const auto s70 = selectPromoters(all, "Sigma70", {"Strong", "Confirmed"});
    ASSERT_EQ(s70.size(), 2u); // p1 (p3 repeats it), p2; p4 is weak
    EXPECT_EQ(s70[0].name, "p1");
    EXPECT_EQ(s70[1].name, "p2");
    const auto heldOut = selectPromoters(all, "Sigma70", {"Strong", "Confirmed"}, 1, 150);
    ASSERT_EQ(heldOut.size(), 1u);
    EXPECT_EQ(heldOut[0].name, "p2");
    std::remove(path.c_str());
}

TEST(EthrinTrainingPromoterSet, ShortRowsNameTheLine)
{
    const std::string path = writeTable("# c\nID1\tp1\tforward\t100\n");
    EXPECT_EQ(meridan::testtext::thrownMessage<meridan::ethrin::InputError>([&] { readPromoterSet(path); }),
              path + ":2: fewer than 8 columns");
    std::remove(path.c_str());
}
