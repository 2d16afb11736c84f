// The result views of one project window: the operon tree and the gene
// information table, the circular genome map and the operon detail view,
// with their zoom controls, lookups and SVG/PNG export. The window hands over
// its widgets and its project model; its slots call the ones here.
//
// Selecting a tree row (click or keyboard) updates the gene table, the
// detail view and the map's pointer together and announces the row's gene
// through geneSelected().
#pragma once

#include "SvgExport.h"

#include <QList>
#include <QObject>
#include <QVector>

#include <memory>

struct ProjectModel;
class ArrowItem;
class GenomeMapBuilder;
class GlobalView;
class MapFeature;
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
    QAction *zoomAction = nullptr;        // actionZoom ("Fit")
    QWidget *dialogParent = nullptr;      // parent of the save dialogs
};

class ResultViews : public QObject
{
    Q_OBJECT
public:
    static constexpr int arrowDisplayMs = 20000;
    // Zoom levels of both sliders: level 0 fits, every 10 levels double.
    static constexpr int MapZoomLevels = 120;
    static constexpr int DetailZoomLevels = 60;
    static constexpr int WheelLevels = 5;

    ResultViews(const ProjectModel &model, const ResultViewWidgets &widgets,
                QObject *parent = nullptr);
    ~ResultViews() override;

    // Empties the tree, the table and both drawings (a new genome replaces
    // the loaded one).
    void clear();
    // Sets the view modes of the two graphics views and the sliders' ranges.
    void setUpViews();
    // Connects the two sliders and the genome view's wheel steps to the
    // zoom slots; for windows that do not connect them themselves.
    void connectControls();

    void setSaveFileNameAsker(svgexport::SaveFileNameAsker asker);
    void setImageWidthAsker(svgexport::ImageWidthAsker asker);
    void setArrowDuration(int milliseconds);

    OperonsScene *genomeScene() const { return genomeMapScene; }
    GenomeMapBuilder *map() const { return mapBuilder.get(); }
    QGraphicsScene *operonScene() const { return detailScene; }
    const QVector<MapFeature *> &geneFeatures() const;
    const QList<ArrowItem *> &arrows() const { return mapArrows; }
    int plusOperonCount() const;
    int minusOperonCount() const;
    QTimer *arrowTimer() const { return arrowHideTimer; }
    // The genes drawn in the detail view, in order.
    QVector<int> detailGenes() const { return detailGeneIndexes; }
    bool hasMap() const;
    bool hasDetail() const { return !detailGeneIndexes.isEmpty(); }
    // The gene of a tree row: itself, or the first gene of an operon/unit.
    static int geneOfRow(QTreeWidgetItem *item);

signals:
    // A tree row became current; gene is its (first) gene, or -1.
    void geneSelected(int gene);
    // Whether the map and the detail view hold something to export.
    void mapAvailable(bool available);
    void detailAvailable(bool available);

public slots:
    // Tree, table and lookups.
    void slotPredictOperon();
    void slotDoubleClickedItem(QTreeWidgetItem *item, int column);
    void slotRelease();
    void findGene(const QString &text);
    // Returns whether a row matched.
    bool findOperon(const QString &text, int field);
    void selectRow(QTreeWidgetItem *item);

    // Circular genome map.
    void slotOperonView();
    void drawOperonOnMap(int firstGene, int lastGene);
    void slotScale(int value);
    void slotGlobalScale(int steps);
    void slotZoom();          // fit the whole map
    void zoomIn();
    void zoomOut();
    void pointAtGene(int gene);
    void slotCenterOn(QTreeWidgetItem *item, int column);

    // Operon detail view.
    void slotGenomeView(QTreeWidgetItem *item, int column);
    void drawGeneItem(QTreeWidgetItem *item);
    void slotGeneScale(int value);
    void fitDetail();

    // Export.
    void saveSvg();
    void saveOperonSvg();
    void savePng();
    void saveOperonPng();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool search(const QString &text, int column, bool centreMap);
    void replaceOperonScene();
    void hideLatestArrow();
    void applyMapZoom(bool aboutMouse);
    double mapFitScale() const;
    void refreshMapLabels();
    void spaceRulerLabels();
    void paintMap(QPainter *painter, const QRectF &target);
    // Ask for the file (for a PNG then for its width) and write the drawing;
    // false when a question was cancelled. `sizeFor` gives a PNG's size for
    // the width asked.
    bool exportSvg(const QString &caption, const QSize &size, const QString &title,
                   const svgexport::Painting &paint);
    bool exportPng(const QString &caption, const QString &widthCaption, int drawnWidth,
                   const std::function<QSize(int)> &sizeFor, const svgexport::Painting &paint);

    const ProjectModel &model;
    ResultViewWidgets w;
    svgexport::SaveFileNameAsker askSaveFileName;
    svgexport::ImageWidthAsker askImageWidth;

    std::unique_ptr<GenomeMapBuilder> mapBuilder;
    OperonsScene *genomeMapScene = nullptr;
    QList<ArrowItem *> mapArrows;
    QTimer *arrowHideTimer = nullptr;
    QGraphicsScene *detailScene = nullptr;
    QVector<int> detailGeneIndexes;
    double detailFit = 1.0;
    bool wheelZoom = false;
};
