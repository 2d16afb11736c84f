// One real prediction on the small plasmid NC_005816 through the window's
// slots, with the engines of the program folder. Skips when the data or an
// engine is missing.
#include "MainWindow.h"
#include "MainWindowUi.h"

#include "TestData.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>

using namespace meridan::test;

class RealPredictionTest : public QObject {
    Q_OBJECT

private slots:
    void predictsThePlasmid()
    {
        const std::filesystem::path genome = meridan::testdata::genomeDir("NC_005816");
        if (genome.empty())
            QSKIP("NC_005816 is not available");
        const QString runDir = QString::fromStdString(meridan::testdata::runDir().string());
        for (const char* engine : {"Galvora", "Castrel", "Dovrane", "Brintel", "Ethrin"}) {
            if (!QFileInfo::exists(runDir + QStringLiteral("/bin/%1.so").arg(QLatin1String(engine))))
                QSKIP(qPrintable(QStringLiteral("engine %1 is not built").arg(QLatin1String(engine))));
        }

        PromptScope scope;
        ProgramFolder folder;
        // The engines and the promoter library's data come from the program
        // folder; results and annotation stay in the test's own folder.
        QDir(folder.path()).rmdir(QStringLiteral("bin"));
        for (const char* shared : {"bin", "WM", "threshold"}) {
            const QString target = runDir + QLatin1Char('/') + QLatin1String(shared);
            if (QFileInfo::exists(target))
                QVERIFY(QFile::link(target, folder.path(QLatin1String(shared))));
        }

        const QString data = QString::fromStdString(genome.string());
        MainWindow w;
        scope.prompts.openAnswers << data + "/NC_005816.fna" << data + "/NC_005816.ptt" << data + "/NC_005816.rnt";
        w.form()->action_fna->trigger();
        w.form()->action_ptt->trigger();
        w.form()->action_rnt->trigger();
        QVERIFY(w.form()->action_pred->isEnabled());

        QElapsedTimer clock;
        clock.start();
        w.form()->action_pred->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!w.isPredictionRunning(), 600000);
        qInfo("NC_005816 prediction through the window: %lld ms", static_cast<long long>(clock.elapsed()));

        for (const auto& warning : scope.prompts.warnings)
            qWarning("%s: %s", qPrintable(warning.first), qPrintable(warning.second));
        QVERIFY(scope.prompts.warnings.isEmpty());

        const ProjectModel& model = w.projectModel();
        QCOMPARE(model.genes.size(), 10);
        QCOMPARE(model.genomeLength, 9609);
        QCOMPARE(model.forwardSequence.size(), 9609);
        QVERIFY(!model.promoterMap.isEmpty());
        QVERIFY(!model.terminatorMap.isEmpty());
        QVERIFY(!model.tuMap.isEmpty());
        for (const TuEntry& unit : model.tuMap) {
            QVERIFY(!unit.geneIndexes.isEmpty());
            for (int k : unit.geneIndexes)
                QVERIFY(k >= 0 && k < model.genes.size());
        }
        // Every gene has its tag line: operon numbers are ascending.
        for (qsizetype i = 1; i < model.genes.size(); ++i)
            QVERIFY(model.genes[i].operonNumber >= model.genes[i - 1].operonNumber);
        QVERIFY(w.form()->actionSummary->isEnabled());
    }
};

MERIDAN_TEST_MAIN(RealPredictionTest)
#include "tst_real_prediction.moc"
