// Merging the four sigma-factor score files into the promoter table.
#include "PromoterMerge.h"
#include "RunnerTestSupport.h"

#include <QFileInfo>

using namespace runnertest;
using meridan::integratePromoterFile;

namespace {

const QByteArray header = "Name\tStrand\tTSS\tStart\tScore\tx\tBox1\ty\tBox2\tSpacer\n";

class PromoterMergeTest : public WorkFolderTest {
protected:
    void write(const char* sigma, const QByteArray& rows)
    {
        writeBytes(path(QStringLiteral("results/NC_000001.sigma%1.sca.dat").arg(sigma)), header + rows);
    }
    void writeAll(const QByteArray& s24, const QByteArray& s32, const QByteArray& s38,
                  const QByteArray& s70)
    {
        write("24", s24);
        write("32", s32);
        write("38", s38);
        write("70", s70);
    }
    QByteArray merged() { return readBytes("results/NC_000001_promoter_scores.txt"); }
};

// One line of the table as the merge lays it out: every item in 15 columns.
QByteArray line(const QList<QByteArray>& items)
{
    QByteArray out;
    for (const QByteArray& item : items)
        out += QByteArray(15 - item.size(), ' ') + item;
    return out + QByteArray(14, ' ') + '\n';
}

TEST_F(PromoterMergeTest, HigherScoreWinsAndEqualScoresKeepTheEarlierFile)
{
    writeAll("b0001 + 0 100 3.5 x TTGACA y TATAAT 17\n"
             "b0002 + 0 200 2 x TTGACT y TATACT 16\n",
             "",
             "",
             "b0001 + 0 120 4.0 x TTGCCA y TAAAAT 18\n"
             "b0002 + 0 210 2 x TTTACA y GATAAT 17\n");
    ASSERT_TRUE(integratePromoterFile("NC_000001"));
    EXPECT_EQ(merged(), line({"b0001", "4", "120", "150", "TTGCCA", "-", "TAAAAT"})
                            + line({"b0002", "2", "200", "228", "TTGACT", "-", "TATACT"}));
}

TEST_F(PromoterMergeTest, Sigma38EndsAfterItsOnlyBoxAndHasNoSecondBox)
{
    writeAll("", "", "b0003 - 0 500 1.25 x CTATACTTAACT\n", "");
    ASSERT_TRUE(integratePromoterFile("NC_000001"));
    EXPECT_EQ(merged(), line({"b0003", "1.25", "500", "512", "CTATACTTAACT", "-", "-"}));
}

TEST_F(PromoterMergeTest, NamesAreSortedByCharacterCodeAndScoresWrittenWithSixDigits)
{
    writeAll("b10 + 0 1 0.123456789 x A y C 1\n"
             "B2 + 0 1 12345678 x A y C 1\n",
             "a1 + 0 1 -7.5e-06 x A y C 1\n",
             "",
             "\n"
             "short line\n");
    ASSERT_TRUE(integratePromoterFile("NC_000001"));
    EXPECT_EQ(merged(), line({"B2", "1.23457e+07", "1", "4", "A", "-", "C"})
                            + line({"a1", "-7.5e-06", "1", "4", "A", "-", "C"})
                            + line({"b10", "0.123457", "1", "4", "A", "-", "C"}));
}

TEST_F(PromoterMergeTest, MissingSigmaFileWritesNothingAndNamesTheFile)
{
    write("24", "b0001 + 0 100 3.5 x TTGACA y TATAAT 17\n");
    write("32", "");
    write("70", "");
    QStringList missing;
    EXPECT_FALSE(integratePromoterFile("NC_000001", "./results/", &missing));
    EXPECT_EQ(missing, QStringList{"./results/NC_000001.sigma38.sca.dat"});
    EXPECT_FALSE(QFileInfo::exists("results/NC_000001_promoter_scores.txt"));
}

TEST_F(PromoterMergeTest, WritesIntoTheGivenResultFolder)
{
    for (const char* sigma : {"24", "32", "38", "70"})
        writeBytes(path(QStringLiteral("other/NC_000001.sigma%1.sca.dat").arg(sigma)), header);
    ASSERT_TRUE(integratePromoterFile("NC_000001", "other/"));
    EXPECT_TRUE(QFileInfo::exists("other/NC_000001_promoter_scores.txt"));
    EXPECT_EQ(readBytes("other/NC_000001_promoter_scores.txt"), QByteArray());
}

} // namespace
