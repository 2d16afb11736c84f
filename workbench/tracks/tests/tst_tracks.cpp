// Reading data tracks: bedGraph, WIG and BED into per-strand signals, bad
// lines named by file and line, the bins' means and maxima against sums done
// by hand, pairing a forward file with its reverse partner, matching the
// files' sequence names to the genome's, and the real stranded RNA-seq files
// (skipped when absent).
#include "IntervalSignal.h"
#include "TrackFile.h"

#include "TestData.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace meridan::tracks;

namespace {

QString write(const QTemporaryDir& dir, const QString& name, const QByteArray& text)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
    return path;
}

} // namespace

class TracksTest : public QObject {
    Q_OBJECT

private slots:
    void bedGraphBinsAverageOverTheCoveredBases()
    {
        QTemporaryDir dir;
        const QString path = write(dir, "a.bedgraph",
                                   "track type=bedGraph name=x\n# comment\nchr1\t0\t10\t2\nchr1\t10\t20\t4\r\nchr1\t30\t40\t8\n");
        const TrackFile file = readTrackFile(path.toStdString());
        QVERIFY2(file.ok(), file.error.c_str());
        QVERIFY(!file.stranded());
        const Summary s = file.forward->summarise("chr1", 0, 40, 4);
        QCOMPARE(s.mean[0], 2.0);
        QCOMPARE(s.mean[1], 4.0);
        QVERIFY(std::isnan(s.mean[2]));
        QCOMPARE(s.mean[3], 8.0);
        // One bin over everything: (10*2 + 10*4 + 10*8) / 30 covered bases.
        const Summary one = file.forward->summarise("chr1", 0, 40, 1);
        QCOMPARE(one.mean[0], 140.0 / 30.0);
        QCOMPARE(one.maximum[0], 8.0);
        QCOMPARE(file.forward->maximum(), 8.0);
        // More bins than bases, and a sequence the file does not have.
        const Summary fine = file.forward->summarise("chr1", 8, 12, 8);
        QCOMPARE(fine.mean[0], 2.0);
        QCOMPARE(fine.mean[7], 4.0);
        QVERIFY(std::isnan(file.forward->summarise("chr2", 0, 40, 2).mean[0]));
    }

    void wigStepsAndSpans()
    {
        QTemporaryDir dir;
        const QString path = write(dir, "a.wig",
                                   "track type=wiggle_0\nfixedStep chrom=c start=11 step=10 span=5\n1\n2\n"
                                   "variableStep chrom=c span=2\n101 7\n");
        const TrackFile file = readTrackFile(path.toStdString());
        QVERIFY2(file.ok(), file.error.c_str());
        auto at = [&](std::int64_t base) { return file.forward->summarise("c", base - 1, base, 1).mean[0]; };
        QCOMPARE(at(11), 1.0);
        QCOMPARE(at(15), 1.0);
        QVERIFY(std::isnan(at(16)));
        QCOMPARE(at(21), 2.0);
        QCOMPARE(at(101), 7.0);
        QCOMPARE(at(102), 7.0);
        QVERIFY(std::isnan(at(103)));
    }

    void bedWithStrandsIsStranded()
    {
        QTemporaryDir dir;
        const QString path = write(dir, "a.bed", "c\t0\t10\tf1\t5\t+\nc\t20\t30\tr1\t3\t-\nc\t40\t50\n");
        const TrackFile file = readTrackFile(path.toStdString());
        QVERIFY2(file.ok(), file.error.c_str());
        QVERIFY(file.stranded());
        QCOMPARE(file.forward->summarise("c", 0, 10, 1).mean[0], 5.0);
        QCOMPARE(file.forward->summarise("c", 40, 50, 1).mean[0], 1.0);   // no score: 1
        QCOMPARE(file.reverse->summarise("c", 20, 30, 1).mean[0], 3.0);
        QVERIFY(std::isnan(file.reverse->summarise("c", 0, 10, 1).mean[0]));
    }

    void badLinesNameFileAndLine_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("said");
        QTest::newRow("value") << "b.bedgraph" << QByteArray("c\t0\t10\t1\nc\t10\t20\tmany\n") << ":2: the value";
        QTest::newRow("order") << "b.bedgraph" << QByteArray("c\t10\t5\t1\n") << ":1: the end must lie after";
        QTest::newRow("fields") << "b.bed" << QByteArray("c\t0\n") << ":1: expected sequence";
        QTest::newRow("no declaration") << "b.wig" << QByteArray("1.5\n") << ":1: data before";
        QTest::newRow("no chrom") << "b.wig" << QByteArray("fixedStep start=1 step=1\n") << ":1: the declaration";
        QTest::newRow("empty") << "b.bedgraph" << QByteArray("track name=x\n") << "no data lines";
        QTest::newRow("binary") << "b.bw" << QByteArray("not a bigwig at all") << "not a bigWig file";
        QTest::newRow("extension") << "b.txt" << QByteArray("c 0 1 1\n") << "not a track file";
    }

    void badLinesNameFileAndLine()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, text);
        QFETCH(QString, said);
        QTemporaryDir dir;
        const QString path = write(dir, name, text);
        const TrackFile file = readTrackFile(path.toStdString());
        QVERIFY(!file.ok());
        const QString error = QString::fromStdString(file.error);
        QVERIFY2(error.startsWith(path), qPrintable(error));
        QVERIFY2(error.contains(said), qPrintable(error));
    }

    void aForwardFileBringsItsReversePartner()
    {
        QTemporaryDir dir;
        const QString forward = write(dir, "T0_forward.bedgraph", "c\t0\t10\t2\n");
        const QString reverse = write(dir, "T0_reverse.bedgraph", "c\t0\t10\t3\n");
        write(dir, "Lone_Plus.bedgraph", "c\t0\t10\t1\n");
        for (const QString& chosen : {forward, reverse}) {
            const TrackFile file = openTrack(chosen.toStdString());
            QVERIFY2(file.ok(), file.error.c_str());
            QVERIFY(file.stranded());
            QCOMPARE(QString::fromStdString(file.name), QStringLiteral("T0"));
            QCOMPARE(file.forward->summarise("c", 0, 10, 1).mean[0], 2.0);
            QCOMPARE(file.reverse->summarise("c", 0, 10, 1).mean[0], 3.0);
        }
        QVERIFY(partnerFile(dir.filePath("Lone_Plus.bedgraph").toStdString()).empty());
        QVERIFY(!openTrack(dir.filePath("Lone_Plus.bedgraph").toStdString()).stranded());
    }

    void sequenceNamesMatchWithOrWithoutVersion()
    {
        IntervalSignal s;
        s.add("NC_000913.3", {0, 1, 1});
        s.add("plasmid", {0, 1, 1});
        s.finish();
        QCOMPARE(matchingSequence(s, "NC_000913.3"), std::string("NC_000913.3"));
        QCOMPARE(matchingSequence(s, "NC_000913"), std::string("NC_000913.3"));
        QCOMPARE(matchingSequence(s, "NC_000913.2"), std::string("NC_000913.3"));
        QVERIFY(matchingSequence(s, "NC_007795").empty());
        QVERIFY(matchingSequence(s, "plasmid.x").empty());
    }

    void theRealStrandedRnaSeqFiles()
    {
        const std::filesystem::path tracks = meridan::testdata::dataDir() / "tracks";
        const std::string forward = (tracks / "T0_forward.bw").string();
        if (!std::filesystem::exists(forward))
            QSKIP("the RNA-seq tracks are not available");
        QElapsedTimer clock;
        clock.start();
        const TrackFile file = openTrack(forward);
        qInfo("opening T0_forward.bw with its reverse partner: %lld ms", static_cast<long long>(clock.elapsed()));
        QVERIFY2(file.ok(), file.error.c_str());
        QVERIFY(file.stranded());
        const std::vector<std::string> names = file.forward->sequenceNames();
        QCOMPARE(names.size(), size_t(16));
        // The largest scaffold has coverage; E. coli's name finds nothing.
        QVERIFY(!matchingSequence(*file.forward, names.front()).empty());
        QVERIFY(matchingSequence(*file.forward, "NC_000913.3").empty());
        const Summary s = file.forward->summarise(names.front(), 0, 3990542, 100);
        int covered = 0;
        for (double v : s.mean)
            covered += !std::isnan(v) && v > 0;
        QVERIFY(covered > 50);
    }
};

QTEST_GUILESS_MAIN(TracksTest)
#include "tst_tracks.moc"
