// The prediction runs through the window's slots, with stand-in engines:
// the ATU command, the actions while it runs, result loading once per run,
// the TU-list run after it, the statistics of this run, repeated "View ATU",
// the engines' progress in the status bar and closing the window during a run.
#include "MainWindow.h"
#include "SummaryDialog.h"
#include "MainWindowUi.h"

#include "support/FakeEngines.h"

#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTimer>

using namespace meridan::test;

namespace {

// Scripted prompts and a program folder holding the stand-in engines and the
// sample genome's input files.
struct FakeEngineRun {
    PromptScope scope;
    ProgramFolder folder;
    QString inputs;
    FakeEngineRun()
    {
        installFakeEngines(folder);
        inputs = writeSampleInputs(folder);
    }
};

void loadSample(MainWindow& w, ScriptedPrompts& prompts, const QString& inputs, bool withRnt = true)
{
    prompts.openAnswers << inputs + "/NC_999999.fna" << inputs + "/NC_999999.ptt";
    w.form()->action_fna->trigger();
    w.form()->action_ptt->trigger();
    if (withRnt) {
        prompts.openAnswers << inputs + "/NC_999999.rnt";
        w.form()->action_rnt->trigger();
    }
    QVERIFY(w.form()->action_pred->isEnabled());
}

// A window, deleted when it closes, running the stand-in prediction, which
// waits in the operon engine until hold.txt is removed.
MainWindow* startHeldRun(FakeEngineRun& run)
{
    auto* w = new MainWindow;
    w->setAttribute(Qt::WA_DeleteOnClose);
    loadSample(*w, run.scope.prompts, run.inputs);
    writeText(QStringLiteral("hold.txt"), "");
    w->form()->action_pred->trigger();
    return w;
}

void waitForRun(MainWindow& w)
{
    QTRY_VERIFY_WITH_TIMEOUT(!w.isPredictionRunning(), 60000);
    QVERIFY(!w.anyThreadRunning());
}

} // namespace

class PredictionTest : public QObject {
    Q_OBJECT

private slots:
    void threadModes()
    {
        MainWindow w;
        QCOMPARE(w.workerThread(Thread::OperonRun).mode(), 1);
        QCOMPARE(w.workerThread(Thread::PromoterRun).mode(), 2);
        QCOMPARE(w.workerThread(Thread::TerminatorRun).mode(), 3);
        QCOMPARE(w.workerThread(Thread::TulistRun).mode(), 4);
    }

    void atuRunsEverythingAndLoadsOnce()
    {
        FakeEngineRun run;
        MainWindow w;
        loadSample(w, run.scope.prompts, run.inputs);
        Ui::MainWindow* ui = w.form();
        QSignalSpy treeRequests(&w, &MainWindow::Predict_Operon);

        ui->action_pred->trigger();
        QVERIFY(w.isPredictionRunning());
        QVERIFY(!ui->action_pred->isEnabled());
        QVERIFY(!ui->action_View->isEnabled());
        QVERIFY(!ui->actionChangeDirectory->isEnabled());
        QVERIFY(w.progressBarWidget()->isVisible());
        QCOMPARE(w.statusLabelWidget()->text(), QStringLiteral("Predicting"));
        waitForRun(w);

        QCOMPARE(run.scope.prompts.warnings, (QList<QPair<QString, QString>>{}));
        QCOMPARE(treeRequests.count(), 1);
        for (const char* engine : {"Galvora", "Ethrin", "Castrel", "Dovrane", "Brintel"})
            QCOMPARE(callCount(QString::fromLatin1(engine)), 1);

        // The RNT row joins the PTT rows through the annotation file.
        const ProjectModel& model = w.projectModel();
        QVERIFY(QFileInfo::exists("./annotation/NC_999999.ano"));
        QCOMPARE(model.genes.size(), 5);
        QCOMPARE(model.geneCount, 5);
        QCOMPARE(model.genes[4].synonym, QStringLiteral("T0005"));
        QCOMPARE(model.genes[3].operonNumber, 1);
        QCOMPARE(model.genes[3].sdPosition, 13);
        QCOMPARE(model.genes[3].taPosition, -1);
        QCOMPARE(model.genes[3].terminatorPosition, 15);
        QCOMPARE(model.genomeLength, 2000);
        QCOMPARE(model.forwardSequence.size(), 2000);

        QCOMPARE(model.promoterMap.size(), 2);
        QCOMPARE(model.promoterMap.value("T0001").score, 3.5);
        QCOMPARE(model.promoterMap.value("T0001").start, 90);
        QCOMPARE(model.promoterMap.value("T0001").end, 90 + 16 + 6 + 6);
        QCOMPARE(model.promoterMap.value("T0004").end, 512);
        QCOMPARE(model.promoterMap.value("T0004").secondBox, QStringLiteral("-"));

        QCOMPARE(model.terminators.size(), 4);
        QCOMPARE(model.terminatorMap.value("T0003").score, 3.0);
        QCOMPARE(model.terminatorMap.value("T0003").totalLength, 20);

        QCOMPARE(model.tuMap.size(), 3);
        QCOMPARE(model.tuMap.value(1).geneIndexes, (QVector<int>{2, 3}));
        QCOMPARE(model.tuMap.value(1).geneNames, QStringLiteral("geneC/geneD/"));

        // The statistics show the summary this run wrote.
        QVERIFY(ui->actionSummary->isEnabled());
        QVERIFY(w.summaryDialogWidget()->statisticsText().contains(QStringLiteral("1 internal promoters,")));

        QVERIFY(ui->action_pred->isEnabled());
        QVERIFY(!ui->action_View->isEnabled());
        QVERIFY(ui->actionChangeDirectory->isEnabled());
        QVERIFY(w.progressBarWidget()->isHidden());
        QCOMPARE(w.windowTitle(), QStringLiteral("Test organism plasmid pTest, complete sequence"));

        // A second notification of the same run loads nothing again.
        QVERIFY(QMetaObject::invokeMethod(&w, "slotIFLoadResult"));
        QTest::qWait(200);
        QCOMPARE(callCount("Brintel"), 1);
        QCOMPARE(treeRequests.count(), 1);

        // "View ATU" twice: the model is replaced, never appended to.
        for (int i = 0; i < 2; ++i) {
            QVERIFY(QMetaObject::invokeMethod(&w, "slotLoadResultFile"));
            waitForRun(w);
        }
        QCOMPARE(callCount("Brintel"), 3);
        QCOMPARE(treeRequests.count(), 3);
        QCOMPARE(model.genes.size(), 5);
        QCOMPARE(model.terminators.size(), 4);
        QCOMPARE(model.tuMap.size(), 3);
        QCOMPARE(model.promoterMap.size(), 2);
        QVERIFY(w.summaryDialogWidget()->statisticsText().contains(QStringLiteral("3 internal promoters,")));

        // A second prediction reuses the window's threads and starts its bar afresh.
        const int timers = int(w.findChildren<QTimer*>().size());
        ui->action_pred->trigger();
        QCOMPARE(w.progressBarWidget()->value(), 0);
        waitForRun(w);
        QCOMPARE(int(w.findChildren<QTimer*>().size()), timers);
        QCOMPARE(callCount("Galvora"), 2);
        QCOMPARE(callCount("Brintel"), 4);
        QCOMPARE(model.genes.size(), 5);
    }

    void withoutRntTheEnginesReadThePtt()
    {
        FakeEngineRun run;
        MainWindow w;
        loadSample(w, run.scope.prompts, run.inputs, false);
        w.form()->action_pred->trigger();
        waitForRun(w);
        QVERIFY(run.scope.prompts.warnings.isEmpty());
        QVERIFY(!QFileInfo::exists("./annotation/NC_999999.ano"));
        QCOMPARE(w.projectModel().genes.size(), 4);
        QCOMPARE(w.projectModel().tuMap.size(), 2);
    }

    void statusBarFollowsTheEngines()
    {
        FakeEngineRun run;
        MainWindow w;
        loadSample(w, run.scope.prompts, run.inputs);
        writeText(QStringLiteral("hold.txt"), "");   // the operon stand-in reports 1 of 10 and waits
        w.form()->action_pred->trigger();
        // The promoter and terminator runs are done (600), the operon run at a tenth.
        QTRY_COMPARE_WITH_TIMEOUT(w.progressBarWidget()->value(), 630, 30000);
        QVERIFY(w.statusLabelWidget()->text().contains(QStringLiteral("operons 10 %")));
        QFile::remove(QStringLiteral("hold.txt"));
        waitForRun(w);
        QVERIFY(w.progressBarWidget()->isHidden());
    }

    void closingDuringARunWithWaitKeepsEveryResult()
    {
        FakeEngineRun run;
        MainWindow* w = startHeldRun(run);
        QPointer<MainWindow> guard(w);
        QVERIFY(w->anyThreadRunning());

        // Neither the work directory nor the results can change meanwhile.
        run.scope.prompts.directoryAnswers << run.folder.path();
        QCOMPARE(QMetaObject::invokeMethod(w, "slotChangeDirectory"), true);
        QCOMPARE(w->projectInputs().resultDir, QStringLiteral("./results/"));

        run.scope.prompts.choiceAnswer = 2;   // Keep open
        QVERIFY(!w->close());
        QVERIFY(w->isVisible());
        run.scope.prompts.choiceAnswer = 0;   // Wait
        QVERIFY(!w->close());
        QVERIFY(w->isVisible());
        QVERIFY(!w->close());             // asked once only
        QCOMPARE(run.scope.prompts.choices.size(), 2);

        QFile::remove(QStringLiteral("hold.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(guard.isNull(), 60000);
        // The window went only after the TU list and the summary were
        // written and read: both are complete.
        QCOMPARE(callCount("Brintel"), 1);
        const QList<QByteArray> units = readText("./results/NC_999999_tulist.txt").split('\n');
        QCOMPARE(units.size(), 4);   // five genes in pairs, and the final line break
        QVERIFY(units[2].startsWith("NC_999999\t0002.0\t+\tT0005|p|4"));
        QCOMPARE(readText("./results/NC_999999_summary.txt"),
                 QByteArray("1 internal promoters,\n0 internal terminators,\n5 TUs including 0 alternative ones.\n"));
    }

    void choiceAfterTheRunEndedWhileAskingClosesTheWindow_data()
    {
        QTest::addColumn<int>("choice");
        QTest::newRow("Wait") << 0;
        QTest::newRow("Cancel run") << 1;   // nothing is left to cancel
    }

    void choiceAfterTheRunEndedWhileAskingClosesTheWindow()
    {
        QFETCH(int, choice);
        FakeEngineRun run;
        MainWindow* w = startHeldRun(run);
        QPointer<MainWindow> guard(w);
        QVERIFY(w->anyThreadRunning());
        // The whole run, TU list included, ends while the question is open.
        run.scope.prompts.whileChoosing = [w] {
            QFile::remove(QStringLiteral("hold.txt"));
            QTRY_VERIFY_WITH_TIMEOUT(!w->isPredictionRunning() && !w->anyThreadRunning(), 60000);
        };
        run.scope.prompts.choiceAnswer = choice;
        QVERIFY(w->close());
        QTRY_VERIFY_WITH_TIMEOUT(guard.isNull(), 10000);
        QCOMPARE(run.scope.prompts.choices.size(), 1);
        QCOMPARE(callCount("Brintel"), 1);
        QVERIFY(QFileInfo::exists(QStringLiteral("./results/NC_999999_tulist.txt")));
    }

    void cancelledRunLeavesNoPartialResultFiles()
    {
        FakeEngineRun run;
        MainWindow w;
        loadSample(w, run.scope.prompts, run.inputs);
        // A file of someone else in the result folder stays as it was.
        writeText(QStringLiteral("./results/notes.txt"), "mine");
        const QStringList before = QDir(QStringLiteral("./results")).entryList(QDir::Files);

        writeText(QStringLiteral("hold.txt"), "");
        w.form()->action_pred->trigger();
        QVERIFY(w.cancelRunAction()->isEnabled());
        // The other engines write their files while the operon engine waits.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists("./results/NC_999999_terminator_score.txt"), 20000);
        w.cancelRunAction()->trigger();
        QVERIFY(w.isCancelRequested());
        QVERIFY(!w.cancelRunAction()->isEnabled());
        QFile::remove(QStringLiteral("hold.txt"));
        waitForRun(w);

        QCOMPARE(QDir(QStringLiteral("./results")).entryList(QDir::Files), before);
        QCOMPARE(readText(QStringLiteral("./results/notes.txt")), QByteArray("mine"));
        QCOMPARE(callCount("Brintel"), 0);
        QVERIFY(w.statusLabelWidget()->text().contains(QStringLiteral("cancelled")));
        QVERIFY(w.form()->action_pred->isEnabled());
        QVERIFY(!w.cancelRunAction()->isEnabled());
        QVERIFY(w.projectModel().tuMap.isEmpty());

        // "Cancel run" on closing: the same, and the window goes.
        auto* closing = new MainWindow;
        closing->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<MainWindow> guard(closing);
        loadSample(*closing, run.scope.prompts, run.inputs);
        writeText(QStringLiteral("hold.txt"), "");
        closing->form()->action_pred->trigger();
        run.scope.prompts.choiceAnswer = 1;
        QVERIFY(!closing->close());
        QFile::remove(QStringLiteral("hold.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(guard.isNull(), 60000);
        QCOMPARE(QDir(QStringLiteral("./results")).entryList(QDir::Files), before);
        QCOMPARE(callCount("Brintel"), 0);
    }
};

MERIDAN_TEST_MAIN(PredictionTest)
#include "tst_prediction.moc"
