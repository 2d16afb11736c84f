// The genome browser's data tracks: adding a file (with its other strand),
// matching its sequence names to the genome's, the per-view summary, values
// under the pointer and the track's menu (log scale, autoscale, remove).
#include "GenomeBrowser.h"

#include "BrowserLayout.h"
#include "TrackFile.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>

#include <cmath>

void GenomeBrowser::setSequenceNames(const QStringList &names)
{
    sequenceNames_ = names;
}

QString GenomeBrowser::addDataTrack(const QString &path)
{
    const meridan::tracks::TrackFile file = meridan::tracks::openTrack(QFileInfo(path).filePath().toStdString());
    if (!file.ok())
        return QString::fromStdString(file.error);
    if (sequenceNames_.isEmpty())
        return tr("%1: load a genome before its data tracks").arg(path);
    const std::string genome = sequenceNames_.first().toStdString();
    const std::string sequence = meridan::tracks::matchingSequence(*file.forward, genome);
    if (sequence.empty()) {
        QStringList names;
        for (const std::string &name : file.forward->sequenceNames())
            names << QString::fromStdString(name);
        const QString shown = names.size() > 4 ? QStringList(names.mid(0, 4)).join(QStringLiteral(", ")) + tr(", \u2026")
                                               : names.join(QStringLiteral(", "));
        return tr("%1 holds no data for the genome's sequence %2: its sequences are %3 (%n in all). "
                  "Use a file made for this genome.", nullptr, int(names.size()))
            .arg(QFileInfo(path).fileName(), sequenceNames_.first(), shown);
    }
    DataTrack track;
    track.name = QString::fromStdString(file.name);
    track.forward = file.forward;
    track.reverse = file.reverse;
    track.sequence = sequence;
    dataTracks_ << track;
    fitHeight();
    update();
    return {};
}

int GenomeBrowser::dataTrackTop(int track)
{
    return browserlayout::dataTracksTop() + track * dataTrackHeight;
}

void GenomeBrowser::fitHeight()
{
    setMinimumHeight(browserlayout::dataTracksTop() + int(dataTracks_.size()) * dataTrackHeight + 4);
}

void GenomeBrowser::setTrackLogScale(int track, bool on)
{
    if (track >= 0 && track < dataTracks_.size()) {
        dataTracks_[track].logScale = on;
        update();
    }
}

void GenomeBrowser::setTrackAutoscale(int track, bool on)
{
    if (track >= 0 && track < dataTracks_.size()) {
        dataTracks_[track].autoscale = on;
        update();
    }
}

void GenomeBrowser::removeDataTrack(int track)
{
    if (track >= 0 && track < dataTracks_.size()) {
        dataTracks_.remove(track);
        fitHeight();
        update();
    }
}

const GenomeBrowser::DataTrack::Cache &GenomeBrowser::dataSummary(int track, int bins) const
{
    const DataTrack &t = dataTracks_[track];
    const qint64 start = qint64(std::floor(axis_.start()));
    const qint64 end = qint64(std::ceil(axis_.start() + axis_.span()));
    DataTrack::Cache &c = t.cache;
    if (c.start != start || c.end != end || c.bins != bins) {
        c.start = start;
        c.end = end;
        c.bins = bins;
        c.forward = t.forward->summarise(t.sequence, start, end, bins);
        c.reverse = t.reverse ? t.reverse->summarise(t.sequence, start, end, bins) : meridan::tracks::Summary();
    }
    return c;
}

double GenomeBrowser::dataValueAt(int track, qint64 position, bool reverse) const
{
    if (track < 0 || track >= dataTracks_.size())
        return meridan::tracks::noData;
    const DataTrack &t = dataTracks_[track];
    const auto &signal = reverse ? t.reverse : t.forward;
    if (!signal)
        return meridan::tracks::noData;
    return signal->summarise(t.sequence, position - 1, position, 1).mean.front();
}

int GenomeBrowser::dataTrackAt(double y) const
{
    const double offset = y - browserlayout::dataTracksTop();
    if (offset < 0)
        return -1;
    const int track = int(offset / dataTrackHeight);
    return track < dataTracks_.size() ? track : -1;
}

QString GenomeBrowser::dataTooltipAt(const QPointF &point) const
{
    const int track = dataTrackAt(point.y());
    if (track < 0 || point.x() < nameColumn)
        return {};
    const qint64 position = axis_.positionAt(point.x() - nameColumn);
    const DataTrack &t = dataTracks_[track];
    auto value = [&](bool reverse) {
        const double v = dataValueAt(track, position, reverse);
        return std::isnan(v) ? tr("no data") : QLocale().toString(v, 'g', 4);
    };
    QString text = tr("<b>%1</b> at %2<br>").arg(t.name.toHtmlEscaped(), QLocale().toString(position));
    text += t.reverse ? tr("forward %1, reverse %2").arg(value(false), value(true)) : tr("value %1").arg(value(false));
    return text;
}

void GenomeBrowser::contextMenuEvent(QContextMenuEvent *event)
{
    const int track = dataTrackAt(event->pos().y());
    if (track < 0)
        return QWidget::contextMenuEvent(event);
    const DataTrack &t = dataTracks_[track];
    QMenu menu(this);
    QAction *log = menu.addAction(tr("&Log scale"));
    log->setCheckable(true);
    log->setChecked(t.logScale);
    QAction *autoscale = menu.addAction(tr("&Autoscale to the stretch shown"));
    autoscale->setCheckable(true);
    autoscale->setChecked(t.autoscale);
    menu.addSeparator();
    QAction *remove = menu.addAction(tr("&Remove track"));
    QAction *chosen = menu.exec(event->globalPos());
    if (chosen == log)
        setTrackLogScale(track, !t.logScale);
    else if (chosen == autoscale)
        setTrackAutoscale(track, !t.autoscale);
    else if (chosen == remove)
        removeDataTrack(track);
}
