// The runs of Thread against stand-in engine libraries that record the
// output folder and arguments they receive.
#include "RunnerTestSupport.h"
#include "Thread.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSignalSpy>

using namespace runnertest;

namespace {

struct Call {
    QByteArray engine;
    QList<QByteArray> arguments;
};

class ThreadTest : public WorkFolderTest {
protected:
    void SetUp() override
    {
        WorkFolderTest::SetUp();
        for (const char* engine : {"Galvora", "Castrel", "Dovrane", "Brintel", "Ethrin"})
            install(FAKE_ENGINE, engine);
        useInputFolder("in");
    }

    static void install(const char* library, const char* name)
    {
        QDir().mkpath("bin");
        const QString target = QStringLiteral("bin/%1.so").arg(name);
        QFile::remove(target);
        ASSERT_TRUE(QFile::copy(library, target));
    }

    void useInputFolder(const QString& folder)
    {
        fna = path(folder + "/NC_000001.fna");
        ptt = path(folder + "/NC_000001.ptt");
        rnt = path(folder + "/NC_000001.rnt");
        writeBytes(fna, ">test\nACGT\n");
        writeBytes(ptt, pttHeader() + row("100..200", "+", "p1"));
        writeBytes(rnt, pttHeader("1 RNAs") + row("300..400", "-", "r1"));
    }

    static QList<Call> calls()
    {
        QList<Call> out;
        Call current;
        bool named = false;
        for (const QByteArray& line : readBytes("calls.txt").split('\n')) {
            if (line == "--") {
                out << current;
                current = Call();
                named = false;
            } else if (!named) {
                current.engine = line;
                named = true;
            } else {
                current.arguments << line;
            }
        }
        return out;
    }

    static void run(Thread& thread)
    {
        thread.start();
        ASSERT_TRUE(thread.wait(60000));
    }

    // A prediction run of the given mode on the inputs, RNT optional.
    void predict(Thread& thread, int mode, bool withRnt = true)
    {
        thread.setMode(mode);
        thread.setPredictionInputs(fna, ptt, withRnt ? rnt : QString(), "./results/", "NC_000001");
        run(thread);
    }

    QString fna, ptt, rnt;
};

QByteArray bytes(const QString& s)
{
    return QFile::encodeName(s);
}

TEST_F(ThreadTest, OperonRunGivesGalvoraTheGenomeTheAnnotationFileAndTheResultFolder)
{
    Thread thread;
    predict(thread, Thread::OperonRun);
    EXPECT_TRUE(thread.failures().isEmpty()) << thread.failures().join("\n").toStdString();
    const QList<Call> c = calls();
    ASSERT_EQ(c.size(), 1);
    EXPECT_EQ(c[0].engine, "Galvora");
    EXPECT_EQ(c[0].arguments, (QList<QByteArray>{"./results/", bytes(fna), "./annotation/NC_000001.ano"}));
    EXPECT_TRUE(QFileInfo::exists("annotation/NC_000001.ano"));
    ASSERT_EQ(thread.engineTimes().size(), 1);
    EXPECT_EQ(thread.engineTimes()[0].engine, "Galvora");
}

TEST_F(ThreadTest, WithoutRntTheEnginesReadThePttFile)
{
    Thread thread;
    predict(thread, Thread::OperonRun, false);
    ASSERT_EQ(calls().size(), 1);
    EXPECT_EQ(calls()[0].arguments[2], bytes(ptt));
    EXPECT_EQ(thread.annotationPath(), ptt);
    EXPECT_FALSE(QFileInfo::exists("annotation/NC_000001.ano"));
}

TEST_F(ThreadTest, TerminatorRunCallsDiscoveryThenScanWithThePttFile)
{
    Thread thread;
    predict(thread, Thread::TerminatorRun);
    EXPECT_TRUE(thread.failures().isEmpty()) << thread.failures().join("\n").toStdString();
    const QList<QByteArray> expected{"./results/", bytes(fna), bytes(ptt)};
    const QList<Call> c = calls();
    ASSERT_EQ(c.size(), 2);
    EXPECT_EQ(c[0].engine, "Castrel");
    EXPECT_EQ(c[0].arguments, expected);
    EXPECT_EQ(c[1].engine, "Dovrane");
    EXPECT_EQ(c[1].arguments, expected);
    EXPECT_EQ(thread.engineTimes().size(), 2);
}

TEST_F(ThreadTest, FailedTrainingEndsTheTerminatorStageBeforeTheScan)
{
    QFile::remove("bin/Castrel.so");
    Thread thread;
    predict(thread, Thread::TerminatorRun);
    QStringList failures = thread.failures();
    ASSERT_EQ(failures.size(), 2);
    EXPECT_TRUE(failures[0].startsWith("Castrel (terminator discovery): the library ./bin/Castrel.so "
                                       "could not be loaded"))
        << failures[0].toStdString();
    EXPECT_EQ(failures[1], "Dovrane (terminator scan): not run, as the terminator model could not be trained");
    EXPECT_TRUE(calls().isEmpty());

    install(FAKE_ENGINE, "Castrel");
    writeBytes("fail.txt", "Castrel\n");
    predict(thread, Thread::TerminatorRun);
    failures = thread.failures();
    ASSERT_EQ(failures.size(), 2);
    EXPECT_EQ(failures[0], "Castrel (terminator discovery): the engine reported a failure: fake failure of Castrel");
    EXPECT_EQ(calls().size(), 1);
}

TEST_F(ThreadTest, PromoterRunPassesFifteenArgumentsAndLeavesTheMergedTable)
{
    Thread thread;
    predict(thread, Thread::PromoterRun);
    EXPECT_TRUE(thread.failures().isEmpty()) << thread.failures().join("\n").toStdString();
    const QByteArray inputDir = bytes(path("in")) + "/";
    ASSERT_EQ(calls().size(), 1);
    EXPECT_EQ(calls()[0].engine, "Ethrin");
    EXPECT_EQ(calls()[0].arguments,
              (QList<QByteArray>{"./results/", "./annotation/", inputDir, "NC_000001", "./WM/", "", inputDir,
                                 "./threshold/", "250", "100", "1"}));
    const QByteArray table = readBytes("results/NC_000001_promoter_scores.txt");
    EXPECT_TRUE(table.contains(QByteArray(12, ' ') + "3.5" + QByteArray(13, ' ') + "90" + QByteArray(12, ' ') + "118"))
        << table.constData();
    EXPECT_TRUE(table.contains("CTATACTTAACT"));
}

TEST_F(ThreadTest, PromoterRunOnThePttFileNamesItsFolderInstead)
{
    Thread thread;
    predict(thread, Thread::PromoterRun, false);
    const QList<QByteArray> a = calls().value(0).arguments;
    ASSERT_EQ(a.size(), 11);
    EXPECT_EQ(a[1], "");
    EXPECT_EQ(a[5], bytes(path("in")) + "/");
    EXPECT_EQ(a[6], "/");   // no RNT file: the folder of an empty path
}

TEST_F(ThreadTest, PromoterRunWithoutScoreFilesNamesTheMissingFiles)
{
    writeBytes("silent.txt", "Ethrin\n");
    Thread thread;
    predict(thread, Thread::PromoterRun);
    ASSERT_EQ(thread.failures().size(), 1);
    EXPECT_TRUE(thread.failures()[0].startsWith("Ethrin (promoter): "));
    EXPECT_TRUE(thread.failures()[0].contains("./results/NC_000001.sigma24.sca.dat"));
}

TEST_F(ThreadTest, TulistRunPassesSixArgumentsAndTheTulistFolder)
{
    Thread thread;
    thread.setMode(Thread::TulistRun);
    thread.setTulistInputs(ptt, rnt, "./results/", "NC_000001");
    run(thread);
    ASSERT_EQ(calls().size(), 1);
    EXPECT_EQ(calls()[0].engine, "Brintel");
    EXPECT_EQ(calls()[0].arguments,
              (QList<QByteArray>{"./results/", "./annotation/NC_000001.ano", "./results/NC_000001_genetag.txt",
                                 "./results/NC_000001_promoter_scores.txt",
                                 "./results/NC_000001_terminator_score.txt",
                                 "./results/NC_000001_tulist.txt", "NC_000001"}));
    EXPECT_TRUE(thread.failures().isEmpty()) << thread.failures().join("\n").toStdString();
}

TEST_F(ThreadTest, EngineReturningZeroIsAFailedStage)
{
    writeBytes("fail.txt", "Galvora\n");
    Thread thread;
    predict(thread, Thread::OperonRun);
    EXPECT_EQ(thread.failures(),
              QStringList{"Galvora (operon): the engine reported a failure: fake failure of Galvora"});
}

TEST_F(ThreadTest, LibraryWithoutTheEntryPointIsAFailedStage)
{
    install(FAKE_ENGINE_NO_ENTRY, "Brintel");
    Thread thread;
    thread.setMode(Thread::TulistRun);
    thread.setTulistInputs(ptt, "", "./results/", "NC_000001");
    run(thread);
    ASSERT_EQ(thread.failures().size(), 1);
    EXPECT_TRUE(thread.failures()[0].startsWith(
        "Brintel (TU list): the library ./bin/Brintel.so has no function meridan_engine_run_v1"));
    EXPECT_TRUE(thread.failures()[0].contains("missing input ./results/NC_000001_genetag.txt"));
}

TEST_F(ThreadTest, SuccessWithoutAFreshResultFileIsAFailedStage)
{
    writeBytes("silent.txt", "Galvora\nDovrane\n");
    writeBytes(path("results/NC_000001_genetag.txt"), "left by an earlier run\n");
    {
        QFile old(path("results/NC_000001_genetag.txt"));
        ASSERT_TRUE(old.open(QIODevice::ReadWrite));
        old.setFileTime(QDateTime::currentDateTime().addSecs(-100), QFileDevice::FileModificationTime);
    }
    Thread operon;
    predict(operon, Thread::OperonRun);
    ASSERT_EQ(operon.failures().size(), 1);
    EXPECT_TRUE(operon.failures()[0].contains("from an earlier run"));
    Thread terminator;
    predict(terminator, Thread::TerminatorRun);
    EXPECT_EQ(terminator.failures(),
              QStringList{"Dovrane (terminator scan): the engine wrote no result file "
                          "./results/NC_000001_terminator_score.txt"});
}

TEST_F(ThreadTest, PathsReachTheEnginesInTheFileSystemEncoding)
{
    useInputFolder(QString::fromUtf8("données/基因組"));
    Thread thread;
    predict(thread, Thread::TerminatorRun);
    ASSERT_FALSE(calls().isEmpty());
    EXPECT_EQ(calls()[0].arguments[1], bytes(fna));
    EXPECT_TRUE(calls()[0].arguments[1].contains("\xe5\x9f\xba\xe5\x9b\xa0"));   // 基因 in UTF-8
}

TEST_F(ThreadTest, ThreadIsReusedForALaterRunAndReportsOnlyThatRun)
{
    writeBytes("fail.txt", "Galvora\n");
    Thread thread;
    predict(thread, Thread::OperonRun);
    EXPECT_EQ(thread.failures().size(), 1);
    QFile::remove("fail.txt");
    predict(thread, Thread::OperonRun);
    EXPECT_TRUE(thread.failures().isEmpty());
    EXPECT_EQ(calls().size(), 2);
}

TEST_F(ThreadTest, ReportsTheEnginesLinesAndProgress)
{
    Thread thread;
    QSignalSpy lines(&thread, &Thread::engineLine);
    QSignalSpy progress(&thread, &Thread::progressed);
    predict(thread, Thread::TerminatorRun);   // the spies record on the worker thread
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0][0].toString(), "Castrel");
    EXPECT_EQ(lines[1][2].toString(), "fake Dovrane starts");
    ASSERT_EQ(progress.size(), 4);
    EXPECT_EQ(progress[3], (QList<QVariant>{"Dovrane", "steps", qint64(2), qint64(2)}));
}

TEST_F(ThreadTest, CancelStopsTheRunningEngineAndTheRestOfTheStage)
{
    writeBytes("wait.txt", "Castrel\n");
    Thread thread;
    thread.setMode(Thread::TerminatorRun);
    thread.setPredictionInputs(fna, ptt, rnt, "./results/", "NC_000001");
    thread.start();
    for (int k = 0; k < 1000 && !QFileInfo::exists("calls.txt"); ++k)   // until the engine runs
        QThread::msleep(10);
    thread.requestCancel();
    ASSERT_TRUE(thread.wait(10000));
    EXPECT_TRUE(thread.wasCancelled());
    EXPECT_EQ(thread.failures(),
              QStringList{"Castrel (terminator discovery): cancelled; no result file written"});
    EXPECT_EQ(calls().size(), 1);   // no scan after it

    QFile::remove("wait.txt");   // the flag does not outlive the run
    predict(thread, Thread::TerminatorRun);
    EXPECT_FALSE(thread.wasCancelled());
    EXPECT_TRUE(thread.failures().isEmpty());
}

TEST_F(ThreadTest, UnknownModeDoesNothing)
{
    Thread thread;
    EXPECT_EQ(thread.mode(), 0);
    thread.setPredictionInputs(fna, ptt, rnt, "./results/", "NC_000001");
    run(thread);
    EXPECT_TRUE(calls().isEmpty());
    EXPECT_TRUE(thread.failures().isEmpty());
}

} // namespace
