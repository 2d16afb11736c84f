// Engine stages that fail: a library without mainfun and an engine that
// returns 0 are reported to the user in one warning naming each stage; the
// program goes on and loads what the other engines wrote.
#include "MainWindow.h"
#include "MainWindowUi.h"

#include "support/FakeEngines.h"

using namespace meridan::test;

class PredictionFailuresTest : public QObject {
    Q_OBJECT

private slots:
    void failedStagesAreNamed()
    {
        PromptScope scope;
        ProgramFolder folder;
        installFakeEngines(folder, {{QStringLiteral("Castrel"), QStringLiteral("NoEntry")}});
        writeText(QStringLiteral("fail.txt"), "Galvora\n");
        const QString inputs = writeSampleInputs(folder);
        MainWindow w;
        scope.prompts.openAnswers << inputs + "/NC_999999.fna" << inputs + "/NC_999999.ptt";
        w.form()->action_fna->trigger();
        w.form()->action_ptt->trigger();

        w.form()->action_pred->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!w.isPredictionRunning(), 60000);

        QCOMPARE(scope.prompts.warnings.size(), 1);
        const QString text = scope.prompts.warnings[0].second;
        qInfo("%s", qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Galvora")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Castrel")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Dovrane (terminator scan): not run")), qPrintable(text));
        QVERIFY2(!text.contains(QStringLiteral("Ethrin")), qPrintable(text));

        // The scanning engine did not run after the failed discovery engine;
        // the results that exist were loaded and the TU list was still built.
        QCOMPARE(w.projectModel().genes.size(), 4);
        QCOMPARE(w.projectModel().terminators.size(), 0);
        QCOMPARE(w.projectModel().promoterMap.size(), 2);
        QCOMPARE(w.projectModel().genes[3].operonNumber, 0);
        QCOMPARE(callCount(QStringLiteral("Brintel")), 1);
        QVERIFY(w.form()->action_pred->isEnabled());
    }

    void unusableInputsStopBeforeAnyEngine()
    {
        PromptScope scope;
        ProgramFolder folder;
        installFakeEngines(folder);
        const QString inputs = writeSampleInputs(folder);
        MainWindow w;
        scope.prompts.openAnswers << inputs + "/NC_999999.fna" << inputs + "/NC_999999.ptt";
        w.form()->action_fna->trigger();
        w.form()->action_ptt->trigger();
        // The sequence file is replaced by bytes that are no FASTA at all.
        writeText(inputs + "/NC_999999.fna", QByteArray("\x01\x02PK\x03\x04 binary\n"));

        w.form()->action_pred->trigger();
        QVERIFY(!w.isPredictionRunning());
        QCOMPARE(scope.prompts.warnings.size(), 1);
        const QString text = scope.prompts.warnings[0].second;
        QVERIFY2(text.contains(QStringLiteral("NC_999999.fna")), qPrintable(text));
        for (const char* engine : {"Galvora", "Ethrin", "Castrel", "Brintel"})
            QCOMPARE(callCount(QString::fromLatin1(engine)), 0);
        QVERIFY(w.form()->action_pred->isEnabled());
    }
};

MERIDAN_TEST_MAIN(PredictionFailuresTest)
#include "tst_prediction_failures.moc"
