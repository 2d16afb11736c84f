// Loading a project: FNA, PTT, RNT and GBZ files through the file dialogs,
// the genome identifier, mismatches and unreadable files, "View ATU"
// availability, the work directory, the PTT/RNT merge and the annotation
// reader's PTT fallback.
#include "MainWindow.h"
#include "MainWindowUi.h"

#include "support/TestSupport.h"

#include <QLabel>

using namespace meridan::test;

namespace {

QString call(MainWindow& w, const char* slot)
{
    QString result;
    const bool invoked = QMetaObject::invokeMethod(&w, slot, Qt::DirectConnection, Q_RETURN_ARG(QString, result));
    return invoked ? result : QStringLiteral("<not invoked>");
}

void writeResultFiles(const QString& dir, const QString& id, int count = 4)
{
    const char* suffixes[] = {"_genetag.txt", "_promoter_scores.txt", "_terminator_score.txt", "_tulist.txt"};
    for (int i = 0; i < count; ++i)
        writeText(dir + id + suffixes[i], "");
}

} // namespace

class LoadingTest : public QObject {
    Q_OBJECT

private slots:
    void genomeFileWithTwoRecordsAsksForOne()
    {
        PromptScope scope;
        ProgramFolder folder;
        QByteArray text;
        for (const char* name : {"pTWO.1", "CHR.3"}) {
            text += QByteArray("LOCUS       ") + name + " 120 bp DNA\nDEFINITION  Test " +
                    (name[0] == 'p' ? "plasmid" : "chromosome") +
                    ".\nFEATURES             Location/Qualifiers\n"
                    "     CDS             1..30\n                     /locus_tag=\"A1\"\n"
                    "     CDS             complement(40..90)\n                     /locus_tag=\"A2\"\n"
                    "ORIGIN\n";
            for (int i = 0; i < 2; ++i)
                text += "        " + QByteArray::number(i * 60 + 1) + " " + QByteArray(60, 'a') + "\n";
            text += "//\n";
        }
        const QString file = QDir::current().absoluteFilePath("two.gbk");
        writeText(file, text);
        MainWindow w;
        scope.prompts.openAnswers << file;
        scope.prompts.itemAnswer = 2;
        QCOMPARE(call(w, "importGenomeFile"), QStringLiteral("pTWO.1"));
        QCOMPARE(scope.prompts.itemsOffered.size(), 3);
        QVERIFY(scope.prompts.itemsOffered[0].startsWith("All 2 records as one genome (4 protein genes)"));
        QVERIFY(scope.prompts.itemsOffered[1].startsWith("CHR.3"));   // chromosome first
        QCOMPARE(w.projectInputs().genomeId, QStringLiteral("pTWO.1"));
        QVERIFY(w.form()->action_pred->isEnabled());
        QVERIFY(w.windowTitle().startsWith("pTWO.1 Test plasmid"));
        QVERIFY(QFileInfo::exists("annotation/pTWO.1.ptt"));
        QVERIFY(scope.prompts.warnings.isEmpty());

        // Both records as one genome, as the command line predicts a file of
        // several records: named after the file, joined, with its record table.
        MainWindow joined;
        scope.prompts.openAnswers << file;
        scope.prompts.itemAnswer = 0;
        QCOMPARE(call(joined, "importGenomeFile"), QStringLiteral("two"));
        QFile table("annotation/two.ptt");
        QVERIFY(table.open(QIODevice::ReadOnly));
        QCOMPARE(table.readAll().count('\n'), 3 + 4);   // the genes of both records
        QVERIFY(joined.form()->action_pred->isEnabled());
        QVERIFY(!joined.projectModel().circular);
        QVERIFY(QFileInfo::exists("annotation/two_records.txt"));
        QVERIFY(scope.prompts.warnings.isEmpty());

        writeText(file, "LOCUS       R 50 bp DNA\nORIGIN\n        1 acgt\n");
        MainWindow broken;
        scope.prompts.openAnswers << file;
        QCOMPARE(call(broken, "importGenomeFile"), QString());
        QVERIFY(scope.prompts.warnings.last().second.contains("two.gbk:3: record R ends without"));
    }

    void fnaThenPtt()
    {
        SampleWindow sample;
        auto& [scope, folder, inputs, w] = sample;
        Ui::MainWindow* ui = w.form();

        scope.prompts.openAnswers << inputs + "/NC_999999.fna";
        QCOMPARE(call(w, "loadFnaFile"), inputs + "/NC_999999.fna");
        QCOMPARE(scope.prompts.openCaptions.last(), QStringLiteral("Open FNA File..."));
        QCOMPARE(scope.prompts.openFilters.last(), QStringLiteral("FNA-Files (*.fna)"));
        QCOMPARE(w.statusLabelWidget()->text(), QStringLiteral("Load fna file"));
        QVERIFY(w.statusLabelWidget()->isVisible());
        QCOMPARE(w.projectInputs().resultDir, QStringLiteral("./results/"));
        QVERIFY(ui->action_fna->isEnabled());   // Import stays: a new genome replaces this one
        QVERIFY(!ui->action_pred->isEnabled());

        scope.prompts.openAnswers << inputs + "/NC_999999.ptt";
        QCOMPARE(call(w, "loadPttFile"), inputs + "/NC_999999.ptt");
        QCOMPARE(scope.prompts.openFilters.last(), QStringLiteral("PTT-Files (*.ptt)"));
        QCOMPARE(w.projectInputs().genomeId, QStringLiteral("NC_999999"));
        QVERIFY(ui->action_ptt->isEnabled());
        QVERIFY(ui->action_pred->isEnabled());
        QVERIFY(!ui->action_View->isEnabled());   // no result files yet
        QCOMPARE(w.windowTitle(), QFileInfo(inputs + "/NC_999999.ptt").canonicalFilePath() + "[*]");
        QVERIFY(scope.prompts.warnings.isEmpty());
    }

    void viewAtuNeedsAllFourResultFiles()
    {
        PromptScope scope;
        ProgramFolder folder;
        const QString inputs = writeSampleInputs(folder);
        writeResultFiles(QStringLiteral("./results/"), QStringLiteral("NC_999999"), 3);
        {
            MainWindow w;
            scope.prompts.openAnswers << inputs + "/NC_999999.fna" << inputs + "/NC_999999.ptt";
            w.form()->action_fna->trigger();
            w.form()->action_ptt->trigger();
            QVERIFY(w.form()->action_pred->isEnabled());
            QVERIFY(!w.form()->action_View->isEnabled());
        }
        writeResultFiles(QStringLiteral("./results/"), QStringLiteral("NC_999999"));
        MainWindow w;
        scope.prompts.openAnswers << inputs + "/NC_999999.fna" << inputs + "/NC_999999.ptt";
        w.form()->action_fna->trigger();
        w.form()->action_ptt->trigger();
        QVERIFY(w.form()->action_View->isEnabled());
    }

    void pttBeforeFnaDoesNotMatch()
    {
        SampleWindow sample({"NC_999999.ptt"});
        auto& [scope, folder, inputs, w] = sample;
        QVERIFY(call(w, "loadPttFile").isNull());
        QCOMPARE(scope.prompts.warnings.size(), 1);
        QCOMPARE(scope.prompts.warnings[0].first, QStringLiteral("Read file"));
        QCOMPARE(scope.prompts.warnings[0].second,
                 QStringLiteral("ptt file %1： \n doesn't match.").arg(inputs + "/NC_999999.ptt"));
        // The table of another (or no) genome is not kept.
        QVERIFY(w.projectInputs().genomeId.isEmpty());
        QVERIFY(w.projectInputs().pttPath.isEmpty());
        QVERIFY(w.form()->action_ptt->isEnabled());
        QVERIFY(!w.form()->action_pred->isEnabled());
    }

    void mismatchedPttAndRntAreNotKept()
    {
        PromptScope scope;
        ProgramFolder folder;
        const QString inputs = writeSampleInputs(folder);
        writeSampleInputs(folder, QStringLiteral("NC_888888"));
        MainWindow w;
        scope.prompts.openAnswers << inputs + "/NC_999999.fna" << inputs + "/NC_999999.ptt"
                                  << inputs + "/NC_888888.rnt" << inputs + "/NC_999999.rnt";
        call(w, "loadFnaFile");
        call(w, "loadPttFile");
        QVERIFY(call(w, "loadRntFile").isNull());
        QCOMPARE(scope.prompts.warnings.size(), 1);
        QCOMPARE(scope.prompts.warnings[0].first, QStringLiteral("Read rnt file"));
        QCOMPARE(scope.prompts.warnings[0].second,
                 QStringLiteral("ptt file %1： \ndoesn't match.").arg(inputs + "/NC_888888.rnt"));
        QCOMPARE(w.projectInputs().rntPath, QString());
        QCOMPARE(w.projectInputs().genomeId, QStringLiteral("NC_999999"));
        QVERIFY(w.form()->action_rnt->isEnabled());

        QCOMPARE(call(w, "loadRntFile"), inputs + "/NC_999999.rnt");
        QVERIFY(w.form()->action_rnt->isEnabled());
        QVERIFY(w.form()->action_ptt->isEnabled());

        MainWindow other;
        scope.prompts.openAnswers << inputs + "/NC_999999.fna" << inputs + "/NC_888888.ptt";
        call(other, "loadFnaFile");
        QVERIFY(call(other, "loadPttFile").isNull());
        QVERIFY(other.projectInputs().pttPath.isEmpty());
        QVERIFY(other.projectInputs().genomeId.isEmpty());
    }

    void rntBeforePttKeepsPttLoadable()
    {
        SampleWindow sample({"NC_999999.fna", "NC_999999.rnt", "NC_999999.ptt"});
        auto& [scope, folder, inputs, w] = sample;
        call(w, "loadFnaFile");
        QCOMPARE(call(w, "loadRntFile"), inputs + "/NC_999999.rnt");
        QVERIFY(w.form()->action_ptt->isEnabled());
        QVERIFY(!w.form()->action_pred->isEnabled());
        QCOMPARE(call(w, "loadPttFile"), inputs + "/NC_999999.ptt");
        QVERIFY(w.form()->action_pred->isEnabled());
    }

    void unreadableAndCancelled()
    {
        PromptScope scope;
        ProgramFolder folder;
        MainWindow w;
        const QString missing = folder.path("nowhere/NC_999999.fna");
        scope.prompts.openAnswers << missing;
        QVERIFY(call(w, "loadFnaFile").isNull());
        QCOMPARE(scope.prompts.warnings.size(), 1);
        QCOMPARE(scope.prompts.warnings[0].first, QStringLiteral("Read file"));
        QVERIFY(scope.prompts.warnings[0].second.startsWith(
            QStringLiteral("Cannot read fna file %1： \n").arg(missing)));
        QVERIFY(w.projectInputs().fnaPath.isEmpty());
        QVERIFY(w.form()->action_fna->isEnabled());

        // A cancelled dialog is no error.
        QVERIFY(call(w, "loadFnaFile").isNull());
        QVERIFY(call(w, "loadPttFile").isNull());
        QVERIFY(call(w, "loadRntFile").isNull());
        QVERIFY(call(w, "loadBzFile").isNull());
        QCOMPARE(scope.prompts.warnings.size(), 1);
    }

    void gbzFile()
    {
        PromptScope scope;
        ProgramFolder folder;
        writeText(folder.path("labels.gbz"), "x\n");
        MainWindow w;
        scope.prompts.openAnswers << folder.path("labels.gbz");
        QCOMPARE(call(w, "loadBzFile"), folder.path("labels.gbz"));
        QCOMPARE(scope.prompts.openFilters.last(),
                 QStringLiteral("TXT-Files (*.txt);;GBZ files (*.gbz);;All Files (*)"));
        QVERIFY(!w.form()->action_genebz->isEnabled());
        QCOMPARE(w.projectInputs().gbzPath, folder.path("labels.gbz"));
    }

    void workDirectory()
    {
        SampleWindow sample({"NC_999999.fna", "NC_999999.ptt"});
        auto& [scope, folder, inputs, w] = sample;
        call(w, "loadFnaFile");
        call(w, "loadPttFile");

        // Cancelling keeps the current directory and the command.
        QCOMPARE(call(w, "slotChangeDirectory"), QStringLiteral("./results/"));
        QCOMPARE(w.projectInputs().resultDir, QStringLiteral("./results/"));
        QVERIFY(w.form()->actionChangeDirectory->isEnabled());

        const QString other = folder.path("elsewhere");
        QDir().mkpath(other);
        writeResultFiles(other + "/", QStringLiteral("NC_999999"));
        scope.prompts.directoryAnswers << other;
        QCOMPARE(call(w, "slotChangeDirectory"), other + "/");
        QCOMPARE(w.projectInputs().resultDir, other + "/");
        QVERIFY(!w.form()->actionChangeDirectory->isEnabled());
        QVERIFY(w.form()->action_View->isEnabled());
    }

    void mergeOfPttAndRnt()
    {
        SampleWindow sample({"NC_999999.fna", "NC_999999.ptt", "NC_999999.rnt"});
        auto& [scope, folder, inputs, w] = sample;
        call(w, "loadFnaFile");
        call(w, "loadPttFile");
        call(w, "loadRntFile");
        bool merged = false;
        QVERIFY(QMetaObject::invokeMethod(&w, "integratePtt_Rnt", Q_RETURN_ARG(bool, merged)));
        QVERIFY(merged);
        QCOMPARE(w.projectInputs().annotationPath, QStringLiteral("./annotation/NC_999999.ano"));
        const QList<QByteArray> lines = readText("./annotation/NC_999999.ano").split('\n');
        QCOMPARE(lines[0], samplePtt.split('\n')[0]);
        QVERIFY(lines[3].startsWith("100..400"));
        QVERIFY(lines[7].startsWith("1800..1880"));
    }

    void annotationReaderFallsBackToPtt()
    {
        // A project of FNA and PTT only: no annotation file is made, so the
        // genes come from the PTT file.
        PromptScope scope;
        ProgramFolder folder;
        const QString inputs = writeSampleInputs(folder);
        writeResultFiles(QStringLiteral("./results/"), QStringLiteral("NC_999999"));
        MainWindow w;
        scope.prompts.openAnswers << inputs + "/NC_999999.fna" << inputs + "/NC_999999.ptt";
        call(w, "loadFnaFile");
        call(w, "loadPttFile");
        QVERIFY(QFileInfo::exists("./results/NC_999999_tulist.txt"));
        QVERIFY(QMetaObject::invokeMethod(&w, "slotLoadResultFile"));
        QCOMPARE(w.projectModel().genes.size(), 4);
        QCOMPARE(w.projectModel().genomeLength, 2000);
        QCOMPARE(w.windowTitle(), QStringLiteral("Test organism plasmid pTest, complete sequence"));
        QCOMPARE(w.projectModel().forwardSequence.left(20), QString::fromLatin1(sampleBases));
        QCOMPARE(w.projectModel().forwardSequence.size(), 2000);
        QCOMPARE(w.projectModel().complementSequence.left(20), QStringLiteral("TGCATGCATGCCGGAATTgc"));
        QVERIFY(w.form()->actionSummary->isEnabled());
        QVERIFY(!w.form()->action_View->isEnabled());
        QCOMPARE(w.statusLabelWidget()->text(), QStringLiteral("Prediction is finished"));
        // The TU-list run started by the loading has no engine here; the
        // window waits for it before going away.
        QTRY_VERIFY_WITH_TIMEOUT(!w.isPredictionRunning(), 20000);
    }
};

MERIDAN_TEST_MAIN(LoadingTest)
#include "tst_loading.moc"
