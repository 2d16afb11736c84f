// The main window as a frame: widget tree, menus and tool bars, actions and
// when they are enabled, the status bar, recent files, New Prediction and Exit.
#include "MainWindow.h"
#include "MainWindowUi.h"

#include "support/TestSupport.h"

#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>

using namespace meridan::test;

namespace {

QStringList entryTexts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (QAction* a : actions)
        texts << (a->isSeparator() ? QStringLiteral("|") : a->menu() ? a->menu()->title() : a->text());
    return texts;
}

QSettings store()
{
    return QSettings(QStringLiteral("Quenby"), QStringLiteral("SDI example"));
}

} // namespace

class FrameTest : public QObject {
    Q_OBJECT

private slots:
    void init() { clearRecentFiles(); }

    void widgetTree()
    {
        MainWindow w;
        Ui::MainWindow* ui = w.form();
        QCOMPARE(w.objectName(), QStringLiteral("MainWindow"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Meridan 1.0 "));
        QVERIFY(w.isMaximized());
        QVERIFY(!w.windowIcon().isNull());
        QCOMPARE(w.iconSize(), QSize(64, 32));
        QCOMPARE(ui->groupBox_operon->title(), QStringLiteral("Operon Information"));
        QVERIFY(ui->groupBox_operon->font().bold());
        QCOMPARE(ui->groupBox_gene->title(), QStringLiteral("Gene Information"));
        QCOMPARE(ui->treeWidget->columnCount(), 10);
        QCOMPARE(ui->treeWidget->headerItem()->text(9), QStringLiteral("Private Gene Id"));
        QCOMPARE(ui->tabWidget->currentWidget(), ui->tab_2);
        QVERIFY(ui->windowGraphicsView->inherits("GlobalView"));

        // Zoom levels: 0 fits, every 10 levels double.
        QCOMPARE(ui->verticalSlider->minimum(), 0);
        QCOMPARE(ui->verticalSlider->value(), 0);
        QCOMPARE(ui->verticalSlider_2->value(), 0);
        QCOMPARE(ui->genomeButton->toolTip(), QStringLiteral("Save genome as SVG."));
        QCOMPARE(ui->operonButton->toolTip(), QStringLiteral("Save transcript unit as SVG."));

        QSignalSpy genomeSvg(ui->actionSaveSVG, &QAction::triggered);
        QSignalSpy operonSvg(ui->actionOperonSVG, &QAction::triggered);
        // Nothing to export yet: the buttons and actions wait for a drawing.
        QVERIFY(!ui->genomeButton->isEnabled());
        QVERIFY(!ui->actionOperonSVG->isEnabled());
        ui->genomeButton->click();
        ui->operonButton->click();
        QCOMPARE(genomeSvg.count(), 0);
        QCOMPARE(operonSvg.count(), 0);
    }

    void menusAndToolBars()
    {
        MainWindow w;
        Ui::MainWindow* ui = w.form();
        QCOMPARE(entryTexts(ui->menuBar->actions()),
                 (QStringList{"&File", "&Edit", "&Prediction", "&Help"}));

        QStringList file = entryTexts(ui->menu_F->actions());
        QStringList expectedFile{"New Prediction", "|", "Import", "Save Genome as SVG",
                                 "Save Genome Map as PNG...", "Save Transcript Unit as SVG",
                                 "Save Transcript Unit as PNG...", "|"};
        for (int i = 0; i < MainWindow::MaxRecentFiles; ++i)
            expectedFile << QString();
        expectedFile << "|" << "Export" << "Exit";
        QCOMPARE(file, expectedFile);
        QCOMPARE(entryTexts(ui->menu_file->actions()).mid(0, 3), (QStringList{"FNA File", "PTT File", "RNT File"}));
        const QStringList edit = entryTexts(ui->menu_edit->actions());
        for (const char* entry : {"Search", "Zoom &In", "Zoom &Out", "&Fit Map", "DNA", "Find Files"})
            QVERIFY2(edit.contains(QString::fromUtf8(entry)), qPrintable(edit.join(',')));
        QVERIFY(entryTexts(ui->menu_predict->actions()).contains(QStringLiteral("&Cancel Prediction")));
        {
            const QStringList predict = entryTexts(ui->menu_predict->actions());
            QCOMPARE(predict.first(), QStringLiteral("ATU"));
            QVERIFY(predict.contains("View ATU") && predict.contains("Statistics"));
        }
        QCOMPARE(entryTexts(ui->menu_help->actions()),
                 (QStringList{"Contents", "|", "About Meridan", "About Qt"}));

        QCOMPARE(ui->mainToolBar->windowTitle(), QStringLiteral("Load Files"));
        QCOMPARE(ui->mainToolBar->iconSize(), QSize(29, 24));
        QCOMPARE(entryTexts(ui->mainToolBar->actions()), (QStringList{"FNA File", "PTT File", "RNT File"}));
        QCOMPARE(ui->toolBar->windowTitle(), QStringLiteral("Prediction"));
        QCOMPARE(ui->toolBar->iconSize(), QSize(32, 24));
        QCOMPARE(entryTexts(ui->toolBar->actions()).first(), QStringLiteral("ATU"));
        QCOMPARE(ui->toolBar_2->iconSize(), QSize(40, 24));
        QCOMPARE(entryTexts(ui->toolBar_2->actions()).first(), QStringLiteral("View ATU"));
        for (QToolBar* bar : {ui->mainToolBar, ui->toolBar, ui->toolBar_2})
            QCOMPARE(w.toolBarArea(bar), Qt::TopToolBarArea);
    }

    void actionsTable()
    {
        MainWindow w;
        Ui::MainWindow* ui = w.form();
        QCOMPARE(ui->action_exit->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
        QVERIFY(ui->action_about->shortcut().isEmpty());
        QVERIFY(ui->action_Qt->shortcut().isEmpty());
        QCOMPARE(ui->action_new->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
        QCOMPARE(ui->action_findoperon->shortcut(), QKeySequence(QStringLiteral("Ctrl+F")));
        QCOMPARE(ui->action_exportOperon->shortcut(), QKeySequence(QStringLiteral("Ctrl+Alt+P")));
        QCOMPARE(ui->action_pred->toolTip(), QStringLiteral("Predict Alternative Transcription Unit"));
        QCOMPARE(ui->action_View->toolTip(), QStringLiteral("View the ATU Prediction Result"));
        QCOMPARE(ui->action_undo->text(), QStringLiteral("撤销"));
        for (QAction* a : {ui->action_fna, ui->action_ptt, ui->action_rnt, ui->action_find, ui->action_pred,
                           ui->action_helpfile, ui->action_findoperon, ui->action_View, ui->actionZoom,
                           ui->actionPromoter, ui->actionTerminator})
            QVERIFY2(!a->icon().isNull(), qPrintable(a->objectName()));

        // Enabled after construction.
        for (QAction* a : {ui->action_pred, ui->actionDNA, ui->action_export_2, ui->action_operon,
                           ui->action_View, ui->actionZoom, ui->actionSummary})
            QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
        for (QAction* a : {ui->action_fna, ui->action_ptt, ui->action_rnt, ui->action_genebz,
                           ui->actionChangeDirectory, ui->action_new, ui->action_exit})
            QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
        QVERIFY(ui->action_View->isVisible());
    }

    void statusBar()
    {
        MainWindow w;
        QProgressBar* bar = w.progressBarWidget();
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 1000);
        QCOMPARE(bar->maximumSize(), QSize(225, 25));
        QVERIFY(bar->isHidden());
        QVERIFY(w.statusLabelWidget()->isHidden());
        QVERIFY(w.modifiedLabelWidget()->isHidden());
        QVERIFY(QMetaObject::invokeMethod(&w, "doModified"));
        QCOMPARE(w.modifiedLabelWidget()->text(), QStringLiteral("正在修改"));
        QVERIFY(w.modifiedLabelWidget()->isHidden());

        // Outside a prediction run engine progress changes nothing.
        const int before = bar->value();
        QVERIFY(QMetaObject::invokeMethod(&w, "slotEngineProgress", Q_ARG(int, Thread::OperonRun),
                                          Q_ARG(QString, "Galvora"), Q_ARG(QString, "restarts"),
                                          Q_ARG(qint64, 5), Q_ARG(qint64, 10)));
        QCOMPARE(bar->value(), before);
        QVERIFY(w.statusLabelWidget()->isHidden());
    }

    void recentFilesEmptyStore()
    {
        MainWindow w;
        for (QAction* a : w.recentFileEntries())
            QVERIFY(!a->isVisible());
        QVERIFY(!w.recentFileSeparator()->isVisible());
        QVERIFY(w.isUntitledFile());
        QCOMPARE(w.currentFileName(), QStringLiteral("untitled"));
    }

    void recentFilesShowNineOfTwelve()
    {
        QStringList stored;
        for (int i = 0; i < 12; ++i)
            stored << QStringLiteral("/data/genome%1.ptt").arg(i);
        store().setValue(QStringLiteral("recentFiles"), stored);
        MainWindow w;
        const QList<QAction*> entries = w.recentFileEntries();
        QCOMPARE(entries.size(), 9);
        for (int i = 0; i < 9; ++i) {
            QVERIFY(entries[i]->isVisible());
            QCOMPARE(entries[i]->text(), QStringLiteral("&%1 &%2").arg(i + 1).arg(stored[i]));
            QCOMPARE(entries[i]->data().toString(), stored[i]);
        }
        QVERIFY(w.recentFileSeparator()->isVisible());
    }

    void setCurrentFileMovesToFrontAndDropsOldest()
    {
        ProgramFolder folder;
        const QString inputs = writeSampleInputs(folder);
        QStringList stored;
        for (int i = 0; i < 9; ++i)
            stored << QStringLiteral("/data/g%1.ptt").arg(i);
        store().setValue(QStringLiteral("recentFiles"), stored);
        MainWindow w;

        w.setCurrentFile(QStringLiteral("/data/g4.ptt"));
        QStringList now = store().value(QStringLiteral("recentFiles")).toStringList();
        QCOMPARE(now.size(), 9);
        QCOMPARE(now.first(), QStringLiteral("/data/g4.ptt"));
        QCOMPARE(now.count(QStringLiteral("/data/g4.ptt")), 1);
        QCOMPARE(w.recentFileEntries().first()->data().toString(), QStringLiteral("/data/g4.ptt"));

        const QString tenth = inputs + QStringLiteral("/NC_999999.fna");
        w.setCurrentFile(tenth);
        now = store().value(QStringLiteral("recentFiles")).toStringList();
        QCOMPARE(now.size(), 9);
        QCOMPARE(now.first(), tenth);
        QVERIFY(!now.contains(QStringLiteral("/data/g8.ptt")));
        QVERIFY(!w.isUntitledFile());
        QCOMPARE(w.currentFileName(), QFileInfo(tenth).canonicalFilePath());
        QCOMPARE(w.windowTitle(), QFileInfo(tenth).canonicalFilePath() + "[*]");
    }

    void recentEntryLoadsItsFile()
    {
        ProgramFolder folder;
        const QString inputs = writeSampleInputs(folder);
        store().setValue(QStringLiteral("recentFiles"), QStringList{inputs + "/NC_999999.fna"});
        MainWindow w;
        w.recentFileEntries().first()->trigger();
        // The genome comes back with its three files.
        QCOMPARE(w.projectInputs().fnaPath, inputs + "/NC_999999.fna");
        QCOMPARE(w.projectInputs().pttPath, inputs + "/NC_999999.ptt");
        QCOMPARE(w.projectInputs().rntPath, inputs + "/NC_999999.rnt");
        QVERIFY(w.form()->action_pred->isEnabled());
    }

    void recentEntryWithoutItsFilesSaysWhy()
    {
        PromptScope scope;
        ProgramFolder folder;
        const QString inputs = writeSampleInputs(folder);
        QFile::remove(inputs + "/NC_999999.ptt");
        store().setValue(QStringLiteral("recentFiles"), QStringList{inputs + "/NC_999999.fna"});
        MainWindow w;
        w.recentFileEntries().first()->trigger();
        QCOMPARE(scope.prompts.warnings.size(), 1);
        QVERIFY(scope.prompts.warnings[0].second.contains(inputs + "/NC_999999.ptt"));
        QVERIFY(w.projectInputs().fnaPath.isEmpty());
    }

    void newPredictionOpensIndependentWindow()
    {
        SampleWindow sample;
        auto& [scope, folder, inputs, w] = sample;
        QSet<QWidget*> before;
        for (QWidget* t : QApplication::topLevelWidgets())
            before.insert(t);
        w.form()->action_new->trigger();
        MainWindow* other = nullptr;
        for (QWidget* t : QApplication::topLevelWidgets()) {
            if (!before.contains(t) && qobject_cast<MainWindow*>(t))
                other = static_cast<MainWindow*>(t);
        }
        QVERIFY(other);
        QVERIFY(other->isVisible());
        QVERIFY(other->testAttribute(Qt::WA_DeleteOnClose));
        // Not maximised exactly over the first window: offset from it.
        QVERIFY(!(other->windowState() & Qt::WindowMaximized));
        QVERIFY(other->geometry().topLeft() != w.geometry().topLeft());

        scope.prompts.openAnswers << inputs + "/NC_999999.fna";
        other->form()->action_fna->trigger();
        QVERIFY(!other->projectInputs().fnaPath.isEmpty());
        QVERIFY(w.projectInputs().fnaPath.isEmpty());
        QVERIFY(w.form()->action_fna->isEnabled());
        QPointer<MainWindow> guard(other);
        other->close();
        QTRY_VERIFY(guard.isNull());
    }

    void exitClosesTheWindow()
    {
        MainWindow w;
        QVERIFY(w.isVisible());
        w.form()->action_exit->trigger();
        QVERIFY(!w.isVisible());
    }

    void slotsWithoutEffectAreCallable()
    {
        PromptScope scope;
        MainWindow w;
        for (const char* slot : {"doCursorChanged", "doUndo", "doCopy", "doPaste", "doAll", "doFind", "ini_preDilg",
                                 "slotTimerUpDate", "slotMakeTuList", "doOpen", "doSave", "doASave"})
            QVERIFY2(QMetaObject::invokeMethod(&w, slot), slot);
        bool saved = true;
        QVERIFY(QMetaObject::invokeMethod(&w, "saveOperon", Q_RETURN_ARG(bool, saved)));
        QVERIFY(!saved);
        QVERIFY(scope.prompts.warnings.isEmpty());
    }
};

MERIDAN_TEST_MAIN(FrameTest)
#include "tst_frame.moc"
