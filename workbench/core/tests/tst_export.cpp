// File > Export: the three entries, and each export written from a genome's
// result files.
#include "ExportMenu.h"
#include "MainWindow.h"
#include "ProjectModel.h"

#include "SmallGenome.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QMenu>

using namespace meridan;

class ExportTest : public QObject {
    Q_OBJECT

private slots:
    void fileMenuOffersTheExports()
    {
        MainWindow window;
        auto* menu = window.findChild<QMenu*>(QStringLiteral("menuExport"));
        QVERIFY(menu);
        for (const char* name : {"actionExportGff3", "actionExportBed", "actionExportTuTable"})
            QVERIFY2(window.findChild<QAction*>(QString::fromLatin1(name)), name);
        // Without a genome the entry explains itself instead of asking for a file.
        test::PromptScope scope;
        window.findChild<QAction*>(QStringLiteral("actionExportGff3"))->trigger();
        QCOMPARE(scope.prompts.warnings.size(), 1);
        QVERIFY(scope.prompts.warnings[0].second.contains(QStringLiteral("Load a genome")));
    }

    void eachExportIsWrittenFromTheResultFiles()
    {
        QTemporaryDir dir;
        const exports::GenomeText genome = exports::test::smallGenome();
        exports::test::writeSmallResults(dir.path().toStdString(), genome);
        ProjectModel model;
        model.forwardSequence = QString::fromStdString(genome.sequence);
        ProjectInputs inputs;
        inputs.genomeId = QStringLiteral("SMALL0001");
        inputs.resultDir = dir.path() + QLatin1Char('/');

        QString note;
        QCOMPARE(writeExport(inputs, model, ExportKind::Gff3, dir.filePath("out.gff3"), &note), QString());
        QVERIFY(test::readText(dir.filePath("out.gff3")).startsWith("##gff-version 3\n##sequence-region SMALL0001 1 400\n"));
        QVERIFY2(note.contains(QStringLiteral("4 TUs")) && note.contains(QStringLiteral("1 results left out")),
                 qPrintable(note));
        QCOMPARE(writeExport(inputs, model, ExportKind::Bed, dir.path()), QString());
        for (const char* name : {"SMALL0001_terminators.bed", "SMALL0001_promoters.bed", "SMALL0001_tus.bed"})
            QVERIFY2(test::readText(dir.filePath(name)).startsWith("track "), name);
        QCOMPARE(writeExport(inputs, model, ExportKind::TuTable, dir.filePath("tus.tsv")), QString());
        QCOMPARE(test::readText(dir.filePath("tus.tsv")).count('\n'), 5);

        inputs.genomeId = QStringLiteral("OTHER0001");
        QVERIFY(writeExport(inputs, model, ExportKind::Gff3, dir.filePath("other.gff3"))
                    .contains(QStringLiteral("OTHER0001_gene_index_file.txt: cannot open the file")));
        QVERIFY(!QFile::exists(dir.filePath("other.gff3")));
    }
};

MERIDAN_TEST_MAIN(ExportTest)
#include "tst_export.moc"
