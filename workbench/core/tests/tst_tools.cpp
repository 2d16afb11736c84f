// The tool windows reached from the main window: the DNA line for the
// stretch around the selected tree row, Find Files, the query forms, help
// and about.
#include "MainWindow.h"
#include "MainWindowUi.h"

#include "AboutDialog.h"
#include "GenomeBrowser.h"
#include "GenomeBrowserPanel.h"
#include "UnitTablePanel.h"
#include "FindDialog.h"
#include "ResultViews.h"
#include "FindFileForm.h"
#include "HelpDialog.h"
#include "QPromoterDlg.h"
#include "QTerminatorDlg.h"

#include "support/TestSupport.h"

#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QDockWidget>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTreeWidget>

using namespace meridan::test;

namespace {

template <typename T>
QList<T*> windowsOf()
{
    QList<T*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<T*>(w))
            found << t;
    return found;
}

template <typename T>
T* visibleWindow()
{
    for (T* t : windowsOf<T>())
        if (t->isVisible())
            return t;
    return nullptr;
}

void hideAll()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!qobject_cast<MainWindow*>(w))
            w->hide();
}

// Twelve genes in eight operons (numbers 0 0 1 2 2 2 3 4 5 5 6 7), one unit
// per operon, as result loading leaves them.
void fillProject(ProjectModel& model)
{
    const QVector<int> operons{0, 0, 1, 2, 2, 2, 3, 4, 5, 5, 6, 7};
    model.genomeLength = 20000;
    model.genomeTitle = QStringLiteral("Test genome");
    for (int i = 0; i < operons.size(); ++i) {
        GeneEntry g;
        g.start = 1000 * i + 100;
        g.end = 1000 * i + 900;
        g.strand = operons[i] % 2 ? "-" : "+";
        g.gene = QStringLiteral("gen%1").arg(i);
        g.synonym = QStringLiteral("T%1").arg(i, 4, 10, QLatin1Char('0'));
        g.pid = QString::number(100 + i);
        g.operonNumber = operons[i];
        model.genes.append(g);
    }
    model.geneCount = int(model.genes.size());
    for (int o = 0; o <= 7; ++o) {
        TuEntry tu;
        tu.groupNumber = o;
        tu.unitNumber = 0;
        for (int i = 0; i < operons.size(); ++i) {
            if (operons[i] != o)
                continue;
            tu.geneIndexes << i;
            tu.strand = model.genes[i].strand;
            tu.geneNames += model.genes[i].gene + "/";
            tu.members << model.genes[i].synonym + "|" + model.genes[i].pid + "|" + QString::number(i);
        }
        tu.promoterBox35 = tu.promoterBox10 = tu.terminatorSequence = QStringLiteral("-");
        model.tuMap.insert(o, tu);
    }
}

// A window in a fresh program folder with the project above loaded and its
// tree built.
struct ProjectWindow {
    ProgramFolder folder;
    MainWindow w;
    Ui::MainWindow* ui = w.form();

    explicit ProjectWindow(const QSize& size = QSize())
    {
        if (size.isValid())
            w.resize(size);
        fillProject(w.projectModel());
        emit w.Predict_Operon();
    }
};

} // namespace

class ToolsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { hideAll(); }

    void editMenuEntries()
    {
        MainWindow w;
        Ui::MainWindow* ui = w.form();
        QVERIFY(ui->menu_edit->actions().contains(ui->actionDNA));
        QVERIFY(ui->menu_edit->actions().contains(ui->action_find));
        QCOMPARE(ui->actionDNA->text(), QStringLiteral("DNA"));
        QCOMPARE(ui->actionDNA->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
        QCOMPARE(ui->action_find->text(), QStringLiteral("Find Files"));
        QCOMPARE(ui->action_find->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+L")));
        // No genes, no DNA line.
        QVERIFY(!ui->actionDNA->isEnabled());
        QVERIFY(ui->action_find->isEnabled());
    }

    void dnaLineOfTheSelectedOperon()
    {
        ProjectWindow project(QSize(1600, 1000));
        auto& [folder, w, ui] = project;
        QVERIFY(ui->actionDNA->isEnabled());
        QCOMPARE(ui->treeWidget->topLevelItemCount(), 8);

        // "Operon 5" (number 4, gene 7): the browser opens docked in the
        // window on that operon and its neighbours, the gene selected.
        ui->treeWidget->setCurrentItem(ui->treeWidget->topLevelItem(4));
        ui->actionDNA->trigger();
        QDockWidget* dock = w.dnaDockWidget();
        QVERIFY(dock->isVisible());
        QCOMPARE(dock->parentWidget(), &w);
        QVERIFY(!dock->isFloating());
        QCOMPARE(dock->windowTitle(), QStringLiteral("DNA Line"));
        GenomeBrowser* browser = w.dnaWindow()->browser();
        QCOMPARE(browser->selectedGene(), 7);
        const browser::Feature& gene = browser->features().genes[7];
        QVERIFY(browser->axis().firstVisible() <= gene.first);
        QVERIFY(browser->axis().lastVisible() >= gene.last);
        // Operons carry the tree's names.
        QStringList operonNames;
        for (const browser::Feature& operon : browser->features().operons)
            operonNames << operon.label;
        QVERIFY(operonNames.contains(ui->treeWidget->topLevelItem(4)->text(0)));

        // A gene row of the first operon: the browser moves there.
        QTreeWidgetItem* firstGene = ui->treeWidget->topLevelItem(0)->child(1);
        QCOMPARE(firstGene->text(9), QStringLiteral("1"));
        ui->treeWidget->setCurrentItem(firstGene);
        QCOMPARE(browser->selectedGene(), 1);
        QVERIFY(browser->axis().firstVisible() <= browser->features().genes[1].first);
        QCOMPARE(w.findChildren<GenomeBrowserPanel*>().size(), 1);
    }

    void findDialogOpensBesideTheMap()
    {
        MainWindow w;
        w.showNormal();
        w.setGeometry(0, 0, 1600, 1000);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QWidget* find = w.findDialogWidget();
        const QWidget* map = w.form()->windowGraphicsView;
        const QRect mapOnScreen(map->mapToGlobal(QPoint(0, 0)), map->size());
        // Where a window manager might put a new window: over the map.
        find->move(mapOnScreen.center());
        w.form()->action_findoperon->trigger();
        QVERIFY(find->isVisible());
        QVERIFY(!find->frameGeometry().intersects(mapOnScreen));
        find->hide();
    }

    void operonTableInStepWithTheTree()
    {
        ProjectWindow project;
        auto& [folder, w, ui] = project;
        UnitTablePanel* tables = w.unitTables();
        QCOMPARE(tables->proxy()->rowCount(), ui->treeWidget->topLevelItemCount());
        w.findChild<QAction*>(QStringLiteral("actionUnitTables"))->trigger();
        QVERIFY(w.tablesDockWidget()->isVisible());
        // The tree's row selects the table's row of its operon ...
        ui->treeWidget->setCurrentItem(ui->treeWidget->topLevelItem(4));
        const QModelIndex current = tables->view()->currentIndex();
        QCOMPARE(tables->proxy()->index(current.row(), UnitTableModel::Name).data().toString(),
                 ui->treeWidget->topLevelItem(4)->text(0));
        // ... and a row chosen in the table becomes the tree's current row.
        tables->view()->setCurrentIndex(tables->proxy()->index(1, 0));
        QCOMPARE(ui->treeWidget->currentItem()->text(9),
                 QString::number(tables->proxy()->index(1, 0).data(UnitTableModel::GeneRole).toInt()));
    }

    void searchResultBringsEveryViewToTheGene()
    {
        ProjectWindow project(QSize(1600, 1000));
        auto& [folder, w, ui] = project;
        // A single click (the current row) shows the first operon everywhere.
        ui->treeWidget->setCurrentItem(ui->treeWidget->topLevelItem(0));
        QCOMPARE(w.resultViewsController()->detailGenes(), (QVector<int>{0, 1}));
        ui->actionDNA->trigger();
        GenomeBrowser* browser = w.dnaWindow()->browser();
        QCOMPARE(browser->selectedGene(), 0);

        QVERIFY(QMetaObject::invokeMethod(&w, "findOperon", Q_ARG(QString, "gen7"), Q_ARG(int, 0)));
        QTreeWidgetItem* found = ui->treeWidget->currentItem();
        QCOMPARE(found->text(9), QStringLiteral("7"));
        QCOMPARE(ui->tableWidget->item(1, 0)->text(), QStringLiteral("T0007"));
        QCOMPARE(w.resultViewsController()->detailGenes(), (QVector<int>{7}));
        // The open browser moved to gene 7.
        QCOMPARE(browser->selectedGene(), 7);
        QVERIFY(browser->axis().firstVisible() <= browser->features().genes[7].first);
        QVERIFY(browser->axis().lastVisible() >= browser->features().genes[7].last);
        // The found row and its operon row are both in sight.
        const QRect viewport = ui->treeWidget->viewport()->rect();
        QVERIFY(viewport.intersects(ui->treeWidget->visualItemRect(found)));
        QVERIFY(viewport.intersects(ui->treeWidget->visualItemRect(found->parent())));
        QVERIFY(w.findDialogWidget()->resultText().isEmpty());

        QVERIFY(QMetaObject::invokeMethod(&w, "findOperon", Q_ARG(QString, "nosuchgene"), Q_ARG(int, 0)));
        QVERIFY(w.findDialogWidget()->resultText().contains(QStringLiteral("not found")));
        QCOMPARE(ui->treeWidget->currentItem(), found);
    }

    void findFilesOpensOneForm()
    {
        MainWindow w;
        const int before = int(windowsOf<FindFileForm>().size());
        w.form()->action_find->trigger();
        FindFileForm* form = visibleWindow<FindFileForm>();
        QVERIFY(form);
        form->hide();
        w.form()->action_find->trigger();
        QCOMPARE(visibleWindow<FindFileForm>(), form);
        QCOMPARE(int(windowsOf<FindFileForm>().size()), before + 1);
    }

    void helpAboutAndQueryForms()
    {
        MainWindow w;
        Ui::MainWindow* ui = w.form();
        ui->action_about->trigger();
        QVERIFY(visibleWindow<AboutDialog>());
        ui->actionPromoter->trigger();
        QVERIFY(visibleWindow<QPromoterDlg>());
        ui->actionTerminator->trigger();
        QVERIFY(visibleWindow<QTerminatorDlg>());
        ui->action_helpfile->trigger();
        HelpDialog* help = visibleWindow<HelpDialog>();
        QVERIFY(help);
        QVERIFY(help->isManualRequested());
        QCOMPARE(help->manualUrl().fileName(), QStringLiteral("meridan.html"));
    }
};

MERIDAN_TEST_MAIN(ToolsTest)

#include "tst_tools.moc"
