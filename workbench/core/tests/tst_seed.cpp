// The seed of the operon engine through the window: two runs on the same
// input use the same fixed seed and write identical gene tags; a seed chosen
// in the options and one given in MERIDAN_SEED reach the engine. Uses the
// real operon engine on the plasmid NC_005816 with stand-ins for the other
// engines; skips when the data or the engine is missing.
#include "MainWindow.h"
#include "MainWindowUi.h"
#include "RunSeed.h"

#include "TestData.h"
#include "support/FakeEngines.h"

using namespace meridan::test;

namespace {

struct RunResult {
    QByteArray geneTags;
    QStringList seedLines;   // the operon engine's "seed=" lines
};

void predictInto(RunResult& result, ScriptedPrompts& prompts, const QString& data)
{
    MainWindow w;
    QObject::connect(&w.workerThread(Thread::OperonRun), &Thread::engineLine, &w,
                     [&result](const QString&, int, const QString& line) {
                         if (line.startsWith(QLatin1String("seed=")))
                             result.seedLines << line.trimmed();
                     });
    prompts.openAnswers << data + "/NC_005816.fna" << data + "/NC_005816.ptt" << data + "/NC_005816.rnt";
    w.form()->action_fna->trigger();
    w.form()->action_ptt->trigger();
    w.form()->action_rnt->trigger();
    QVERIFY(w.form()->action_pred->isEnabled());
    QFile::remove(QStringLiteral("./results/NC_005816_genetag.txt"));
    w.form()->action_pred->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!w.isPredictionRunning() && !w.anyThreadRunning(), 300000);
    result.geneTags = readText(QStringLiteral("./results/NC_005816_genetag.txt"));
}

RunResult predictOnce(ScriptedPrompts& prompts, const QString& data)
{
    RunResult result;
    predictInto(result, prompts, data);
    return result;
}

} // namespace

class SeedTest : public QObject {
    Q_OBJECT

    QString data;
    QString realOperonEngine;

    // Stand-ins for every engine but the operon engine.
    void useRealOperonEngine(const ProgramFolder& folder)
    {
        installFakeEngines(folder);
        QFile::remove(folder.path(QStringLiteral("bin/Galvora.so")));
        QVERIFY(QFile::copy(realOperonEngine, folder.path(QStringLiteral("bin/Galvora.so"))));
    }

private slots:
    void initTestCase()
    {
        const std::filesystem::path genome = meridan::testdata::genomeDir("NC_005816");
        data = QString::fromStdString(genome.string());
        realOperonEngine = QString::fromStdString((meridan::testdata::runDir() / "bin" / "Galvora.so").string());
    }

    void init()
    {
        if (data.isEmpty())
            QSKIP("NC_005816 is not available");
        if (!QFileInfo::exists(realOperonEngine))
            QSKIP("the operon engine is not built");
        qunsetenv("MERIDAN_SEED");
        meridan::runseed::setChosenSeed(std::nullopt);
    }

    void cleanup()
    {
        qunsetenv("MERIDAN_SEED");
        meridan::runseed::setChosenSeed(std::nullopt);
    }

    void twoRunsOnTheSameInputWriteIdenticalGeneTags()
    {
        PromptScope scope;
        ProgramFolder folder;
        useRealOperonEngine(folder);

        const RunResult first = predictOnce(scope.prompts, data);
        const RunResult second = predictOnce(scope.prompts, data);
        QVERIFY(scope.prompts.warnings.isEmpty());
        QVERIFY(!first.geneTags.isEmpty());
        QCOMPARE(second.geneTags, first.geneTags);
        const QStringList fixed{QStringLiteral("seed=%1").arg(meridan::runseed::defaultSeed)};
        QCOMPARE(first.seedLines, fixed);
        QCOMPARE(second.seedLines, fixed);
        // MERIDAN_SEED is what the engines read; the workbench left its own there.
        QCOMPARE(qgetenv("MERIDAN_SEED"), QByteArray::number(meridan::runseed::defaultSeed));
    }

    void aChosenSeedAndMeridanSeedReachTheEngine()
    {
        PromptScope scope;
        ProgramFolder folder;
        useRealOperonEngine(folder);

        meridan::runseed::setChosenSeed(7u);
        QCOMPARE(predictOnce(scope.prompts, data).seedLines, QStringList{QStringLiteral("seed=7")});
        // Without a chosen seed the user's own MERIDAN_SEED wins over the default,
        // but what the workbench wrote there before does not.
        meridan::runseed::setChosenSeed(std::nullopt);
        QCOMPARE(predictOnce(scope.prompts, data).seedLines,
                 QStringList{QStringLiteral("seed=%1").arg(meridan::runseed::defaultSeed)});
        qputenv("MERIDAN_SEED", "11");
        QCOMPARE(predictOnce(scope.prompts, data).seedLines, QStringList{QStringLiteral("seed=11")});
    }
};

MERIDAN_TEST_MAIN(SeedTest)
#include "tst_seed.moc"
