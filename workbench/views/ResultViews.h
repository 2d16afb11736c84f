// The result views of one project window: the operon tree, the gene
// information table, the circular genome map and the operon detail view,
// with their zoom controls, lookups and SVG export. The window hands over
// its widgets and its project model; its slots call the ones here.
#pragma once

#include "SvgExport.h"

#include <QList>
#include <QObject>
#include <QVector>

#include <memory>

struct ProjectModel;
class ArrowItem;
class GeneLine;
class GenomeMapBuilder;
class GlobalView;
class OperonsScene;
class QAction;
class QGraphicsScene;
class QGraphicsView;
class QSlider;
class QTableWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

struct ResultViewWidgets {
    QTreeWidget *tree = nullptr;          // treeWidget
    QTableWidget *table = nullptr;        // tableWidget
    GlobalView *genomeView = nullptr;     // windowGraphicsView
    QSlider *genomeSlider = nullptr;      // verticalSlider
    QGraphicsView *operonView = nullptr;  // graphicsView
    QSlider *geneSlider = nullptr;        // verticalSlider_2
    QAction *zoomAction = nullptr;        // actionZoom
    QWidget *dialogParent = nullptr;      // parent of the save dialogs
};

class ResultViews : public QObject
{
    Q_OBJECT
public:
    static constexpr int arrowDisplayMs = 20000;

    ResultViews(const ProjectModel &model, const ResultViewWidgets &widgets,
                QObject *parent = nullptr);
    ~ResultViews() override;

    // Sets the view modes of the two graphics views.
    void setUpViews();
    // Connects the two sliders and the genome view's wheel steps to the
    // zoom slots; for windows that do not connect them themselves.
    void connectControls();

    void setSaveFileNameAsker(svgexport::SaveFileNameAsker asker);
    void setArrowDuration(int milliseconds);

    OperonsScene *genomeScene() const { return genomeMapScene; }
    QGraphicsScene *operonScene() const { return detailScene; }
    const QVector<GeneLine *> &geneLines() const { return mapGeneLines; }
    const QList<ArrowItem *> &arrows() const { return mapArrows; }
    double lastGenomeScale() const { return genomeScale; }
    double lastGeneScale() const { return geneScale; }
    int plusOperonCount() const;
    int minusOperonCount() const;
    QTimer *arrowTimer() const { return arrowHideTimer; }

public slots:
    // Tree, table and lookups.
    void slotPredictOperon();
    void slotDoubleClickedItem(QTreeWidgetItem *item, int column);
    void slotRelease();
    void findGene(const QString &text);
    void findOperon(const QString &text, int field);

    // Circular genome map.
    void slotOperonView();
    void drawOperonOnMap(int firstGene, int lastGene);
    void slotScale(int value);
    void slotGlobalScale(int steps);
    void slotZoom();
    void slotArrow(double x, double y, int direction, int geneIndex);
    void slotCenterOn(QTreeWidgetItem *item, int column);

    // Operon detail view.
    void slotGenomeView(QTreeWidgetItem *item, int column);
    void drawGeneItem(QTreeWidgetItem *item);
    void slotGeneScale(int value);

    // SVG export.
    void saveSvg();
    void saveOperonSvg();

private:
    void search(const QString &text, int column, bool centreMap);
    void replaceOperonScene();
    void hideLatestArrow();

    const ProjectModel &model;
    ResultViewWidgets w;
    svgexport::SaveFileNameAsker askSaveFileName;

    std::unique_ptr<GenomeMapBuilder> mapBuilder;
    OperonsScene *genomeMapScene = nullptr;
    QVector<GeneLine *> mapGeneLines;
    QList<ArrowItem *> mapArrows;
    QTimer *arrowHideTimer = nullptr;
    QGraphicsScene *detailScene = nullptr;
    double genomeScale = 50.0;
    double geneScale = 25.0;
};
