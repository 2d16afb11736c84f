// The linear genome browser: one axis from the whole replicon down to single
// bases, with tracks for the sequence (at base level), genes on both
// strands, operons, transcription units (alternative ones marked),
// promoters with their -35/-10 boxes, terminators with their hairpins, GC
// content and GC skew. Wheel zooms about the cursor, dragging and the arrow
// keys pan, every feature has a tooltip and a click selects its gene.
#pragma once

#include "BrowserAxis.h"
#include "BrowserFeatures.h"

#include "Signal.h"

#include <QStringList>
#include <QVector>
#include <QWidget>

#include <memory>
#include <utility>

struct ProjectModel;

class GenomeBrowser : public QWidget {
    Q_OBJECT
public:
    // Width of the column of track names at the left.
    static constexpr int nameColumn = 96;
    static constexpr int dataTrackHeight = 70;

    // A coverage track of the user's own, one or both strands.
    struct DataTrack {
        QString name;
        std::shared_ptr<meridan::tracks::Signal> forward;
        std::shared_ptr<meridan::tracks::Signal> reverse;   // none: unstranded
        std::string sequence;                               // the file's name of the genome's sequence
        bool logScale = false;
        bool autoscale = true;   // to the stretch shown; else to the file's maximum
        // The last summary drawn, reused while the view does not move.
        struct Cache {
            qint64 start = -1, end = -1;
            int bins = 0;
            meridan::tracks::Summary forward, reverse;
        };
        mutable Cache cache;
    };

    explicit GenomeBrowser(QWidget *parent = nullptr);

    // Reads the project's genes and results again (call after loading);
    // shows the whole replicon.
    void setProject(const ProjectModel *model);
    const browser::Features &features() const { return features_; }
    const BrowserAxis &axis() const { return axis_; }

    void showBases(qint64 first, qint64 last);
    void showAll();
    void zoomBy(double factor);         // about the middle
    void panBy(double pixels);
    // The gene's operon with some room around it; selects the gene.
    void showGene(int gene);
    int selectedGene() const { return selectedGene_; }

    // The genome's sequence names (the first is the one shown), for
    // matching the names of data files.
    void setSequenceNames(const QStringList &names);
    // Adds a data file as a track (its other strand's file with it when the
    // name says a strand); empty when added, else why not (a file that
    // cannot be read, or whose sequence names do not include the genome's).
    QString addDataTrack(const QString &path);
    const QVector<DataTrack> &dataTracks() const { return dataTracks_; }
    // The top of a data track's band.
    static int dataTrackTop(int track);
    void setTrackLogScale(int track, bool on);
    void setTrackAutoscale(int track, bool on);
    void removeDataTrack(int track);
    // The track's value at base `position` (1-based), NaN without data.
    double dataValueAt(int track, qint64 position, bool reverse) const;
    // The track's summary over the bins drawn now (cached per view).
    const DataTrack::Cache &dataSummary(int track, int bins) const;

    // A position ("787797"), a range ("787,000-790,000" or "..") or a gene
    // name, locus tag or product word; empty when found, else why not.
    QString goTo(const QString &text);

    // What the last paint drew, in widget coordinates: a feature's
    // rectangle (empty when not drawn) and the ruler's marks (base, x).
    QRectF drawnRect(browser::Kind kind, int index) const;
    const QVector<std::pair<qint64, double>> &rulerMarks() const { return rulerMarks_; }
    // Whether the sequence letters were drawn.
    bool sequenceShown() const { return sequenceShown_; }
    // The tooltip of whatever lies under a point ("" for nothing).
    QString tooltipAt(const QPointF &point) const;

public slots:
    void selectGene(int gene);

signals:
    void geneClicked(int gene);
    void viewChanged(qint64 first, qint64 last);
    void positionHovered(qint64 position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool event(QEvent *event) override;

private:
    struct Hit {
        QRectF rect;
        browser::Kind kind;
        int index;
    };
    struct Painter;   // GenomeBrowser_paint.cpp

    void changed();
    void fitHeight();
    // The data track whose band holds y, or -1.
    int dataTrackAt(double y) const;
    QString dataTooltipAt(const QPointF &point) const;
    const browser::Feature *hitAt(const QPointF &point) const;
    const browser::Feature &featureOf(const Hit &hit) const;

    const ProjectModel *model_ = nullptr;
    browser::Features features_;
    BrowserAxis axis_;
    int selectedGene_ = -1;
    int productSearchFrom_ = 0;
    QVector<DataTrack> dataTracks_;
    QStringList sequenceNames_;
    QVector<Hit> hits_;
    QVector<std::pair<qint64, double>> rulerMarks_;
    bool sequenceShown_ = false;
    QPointF pressPoint_;
    double pressStart_ = 0;
    bool dragging_ = false;
};
