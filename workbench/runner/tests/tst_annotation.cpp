// The annotation file: merging PTT and RNT rows, and choosing which gene
// table the engines read.
#include "AnnotationIntegration.h"
#include "RunnerTestSupport.h"

#include <QDateTime>
#include <QFileInfo>

using namespace runnertest;
using meridan::integrateAnnotation;
using meridan::selectAnnotation;

namespace {

class AnnotationTest : public WorkFolderTest {
protected:
    // Writes G.ptt and G.rnt (folder in/) and returns the merged file's text.
    QByteArray merge(const QByteArray& pttRows, const QByteArray& rntRows)
    {
        writeBytes(path("in/NC_000001.ptt"), pttHeader() + pttRows);
        writeBytes(path("in/NC_000001.rnt"), pttHeader("2 RNAs") + rntRows);
        EXPECT_TRUE(integrateAnnotation("in/NC_000001.ptt", "in/NC_000001.rnt", "./annotation/NC_000001.ano"));
        return readBytes("annotation/NC_000001.ano");
    }
};

TEST_F(AnnotationTest, RnaRowReplacesProteinRowOfSameLocationInItsPlace)
{
    const QByteArray text = merge(row("100..200", "+", "p1") + row("300..400", "+", "p2"),
                                  row("100..200", "+", "r1"));
    EXPECT_EQ(text, pttHeader() + row("100..200", "+", "r1") + row("300..400", "+", "p2"));
}

TEST_F(AnnotationTest, DifferentGenesSharingAStartAreAllKeptInInputOrder)
{
    // Two proteins on opposite strands and an RNA gene, all starting at 100
    // (like hokC and mokC), and rows given out of coordinate order.
    const QByteArray text = merge(row("500..600", "+", "p3") + row("100..200", "+", "p1")
                                      + row("100..180", "-", "p2"),
                                  row("100..150", "+", "r1") + row("50..90", "-", "r0"));
    EXPECT_EQ(text, pttHeader() + row("50..90", "-", "r0") + row("100..200", "+", "p1")
                        + row("100..180", "-", "p2") + row("100..150", "+", "r1")
                        + row("500..600", "+", "p3"));
}

TEST_F(AnnotationTest, BlankLineIsKeyedZeroAndWrittenRightAfterTheHeader)
{
    const QByteArray text = merge(row("100..200", "+", "p1") + "\n" + row("300..400", "+", "p2"), "");
    EXPECT_EQ(text, pttHeader() + "\n" + row("100..200", "+", "p1") + row("300..400", "+", "p2"));
}

TEST_F(AnnotationTest, LastRowWithoutLineBreakGetsOne)
{
    QByteArray last = row("300..400", "+", "p2");
    last.chop(1);
    QByteArray rna = row("900..950", "+", "r1");
    rna.chop(1);
    const QByteArray text = merge(row("100..200", "+", "p1") + last, rna);
    EXPECT_EQ(text, pttHeader() + row("100..200", "+", "p1") + row("300..400", "+", "p2")
                        + row("900..950", "+", "r1"));
}

TEST_F(AnnotationTest, RowsAreCopiedByteForByteWithTheirOwnLineEnds)
{
    const QByteArray latin1Row = "100..200\t+\t100\t1\tgr\xfc n\tp1\t-\tCOG0001H\tprot\xe9ine\r\n";
    const QByteArray text = merge(latin1Row, "");
    EXPECT_EQ(text, pttHeader() + latin1Row);
}

TEST_F(AnnotationTest, FailsWithoutOutputWhenAnInputCannotBeOpened)
{
    writeBytes(path("in/NC_000001.ptt"), pttHeader() + row("100..200", "+", "p1"));
    EXPECT_FALSE(integrateAnnotation("in/NC_000001.ptt", "in/missing.rnt", "./annotation/NC_000001.ano"));
    EXPECT_FALSE(integrateAnnotation("in/missing.ptt", "in/NC_000001.ptt", "./annotation/NC_000001.ano"));
    EXPECT_FALSE(integrateAnnotation("in/NC_000001.ptt", "", "./annotation/NC_000001.ano"));
    EXPECT_FALSE(QFileInfo::exists("annotation/NC_000001.ano"));
}

class AnnotationChoiceTest : public WorkFolderTest {
protected:
    void SetUp() override
    {
        WorkFolderTest::SetUp();
        writeBytes(path("in/NC_000001.ptt"), pttHeader() + row("300..400", "+", "p2") + row("100..200", "+", "p1"));
        writeBytes(path("in/NC_000001.rnt"), pttHeader("1 RNAs") + row("250..280", "-", "r1"));
    }
    static void age(const QString& file, int seconds)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-seconds),
                                  QFileDevice::FileModificationTime));
    }
};

TEST_F(AnnotationChoiceTest, WithoutRntAndWithoutAnnotationFileTheEnginesReadThePtt)
{
    const meridan::AnnotationChoice choice = selectAnnotation("in/NC_000001.ptt", "", "NC_000001");
    EXPECT_EQ(choice.path, "in/NC_000001.ptt");
    EXPECT_FALSE(choice.usesAnnotationFile);
    EXPECT_FALSE(QFileInfo::exists("annotation/NC_000001.ano"));
}

TEST_F(AnnotationChoiceTest, MissingFileIsMadeInANewAnnotationFolder)
{
    const meridan::AnnotationChoice choice =
        selectAnnotation("in/NC_000001.ptt", "in/NC_000001.rnt", "NC_000001");
    EXPECT_EQ(choice.path, "./annotation/NC_000001.ano");
    EXPECT_TRUE(choice.usesAnnotationFile);
    EXPECT_EQ(readBytes("annotation/NC_000001.ano"),
              pttHeader() + row("100..200", "+", "p1") + row("250..280", "-", "r1")
                  + row("300..400", "+", "p2"));
}

TEST_F(AnnotationChoiceTest, UpToDateFileIsReusedUnchanged)
{
    writeBytes(path("annotation/NC_000001.ano"), "kept as it is\n");
    age("in/NC_000001.ptt", 60);
    age("in/NC_000001.rnt", 60);
    const meridan::AnnotationChoice choice =
        selectAnnotation("in/NC_000001.ptt", "in/NC_000001.rnt", "NC_000001");
    EXPECT_EQ(choice.path, "./annotation/NC_000001.ano");
    EXPECT_EQ(readBytes("annotation/NC_000001.ano"), "kept as it is\n");
    // Also without an RNT file.
    EXPECT_EQ(selectAnnotation("in/NC_000001.ptt", "", "NC_000001").path, "./annotation/NC_000001.ano");
}

TEST_F(AnnotationChoiceTest, FileOlderThanItsRntIsMadeAgain)
{
    writeBytes(path("annotation/NC_000001.ano"), "stale\n");
    age("annotation/NC_000001.ano", 120);
    age("in/NC_000001.ptt", 300);
    const meridan::AnnotationChoice choice =
        selectAnnotation("in/NC_000001.ptt", "in/NC_000001.rnt", "NC_000001");
    EXPECT_TRUE(choice.usesAnnotationFile);
    EXPECT_TRUE(readBytes("annotation/NC_000001.ano").contains("\tr1\t"));
}

TEST_F(AnnotationChoiceTest, OutdatedFileWithoutRntIsRemovedAndThePttRead)
{
    writeBytes(path("annotation/NC_000001.ano"), "stale\n");
    age("annotation/NC_000001.ano", 120);
    const meridan::AnnotationChoice choice = selectAnnotation("in/NC_000001.ptt", "", "NC_000001");
    EXPECT_EQ(choice.path, "in/NC_000001.ptt");
    EXPECT_FALSE(choice.usesAnnotationFile);
    EXPECT_FALSE(QFileInfo::exists("annotation/NC_000001.ano"));
}

} // namespace
