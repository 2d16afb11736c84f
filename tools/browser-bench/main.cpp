// Times the genome browser on one genome's results, offscreen: opening a
// bigWig file (with its first whole-replicon summary), and redrawing a
// 50 kb window with every track and two bigWig files, the view moved a few
// pixels before each redraw so that every redraw reads the files again.
//
//   meridan_browser_bench --annotation A --fna F --results DIR/ --id ID
//                         --sequence NAME --at POSITION [--runs N] [--bigwig FILE]...
// Without --bigwig, two coverage files for NAME are written with
// libBigWig's writer into a temporary folder (about 2.5 MB each for E. coli).
#include "BenchProject.h"
#include "GenomeBrowser.h"
#include "TrackFile.h"

#ifdef MERIDAN_HAVE_BIGWIG
#define NOCURL 1
extern "C" {
#include <bigWig.h>
}
#endif

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void report(const char *what, const std::vector<double> &ms)
{
    std::printf("%-52s n=%-3zu min %7.2f  median %7.2f  max %7.2f ms\n", what, ms.size(),
                *std::min_element(ms.begin(), ms.end()), median(ms), *std::max_element(ms.begin(), ms.end()));
}

#ifdef MERIDAN_HAVE_BIGWIG
// Coverage like RNA-seq: smooth bumps, in intervals of 8 to 19 bases, about
// 2.5 MB for a 4.6 Mb genome.
bool writeCoverage(const QString &path, const std::string &sequence, qint64 length, unsigned seed)
{
    bigWigFile_t *fp = bwOpen(path.toLocal8Bit().constData(), nullptr, "w");
    if (!fp || bwCreateHdr(fp, 10) != 0)
        return false;
    const char *names[] = {sequence.c_str()};
    const uint32_t lengths[] = {uint32_t(length)};
    fp->cl = bwCreateChromList(names, lengths, 1);
    if (!fp->cl || bwWriteHdr(fp) != 0)
        return false;
    unsigned state = seed;
    auto next = [&state] { state = state * 1103515245u + 12345u; return (state >> 16) & 0x7fff; };
    std::vector<uint32_t> starts, ends;
    std::vector<float> values;
    for (uint32_t p = 0; p < uint32_t(length);) {
        const uint32_t span = 8 + next() % 12;
        const uint32_t end = std::min<uint32_t>(uint32_t(length), p + span);
        const double wave = 0.5 + 0.5 * std::sin(p / 900.0 + seed) * std::sin(p / 137.0);
        starts.push_back(p);
        ends.push_back(end);
        values.push_back(float(wave * wave * 400.0 + (next() % 100) / 10.0));
        p = end;
    }
    bool ok = bwAddIntervals(fp, names, &starts[0], &ends[0], &values[0], 1) == 0
           && bwAppendIntervals(fp, &starts[1], &ends[1], &values[1], uint32_t(starts.size() - 1)) == 0;
    bwClose(fp);
    return ok;
}
#endif

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOptions({{"annotation", "annotation table", "file"},
                       {"fna", "genome FASTA", "file"},
                       {"results", "result folder", "dir"},
                       {"id", "genome id", "id"},
                       {"sequence", "the genome's sequence name", "name"},
                       {"at", "middle of the 50 kb window", "position", "790000"},
                       {"runs", "redraws", "n", "40"},
                       {"bigwig", "a bigWig file to use (twice: two tracks)", "file"}});
    parser.process(app);

    ProjectModel model;
    viewsbench::loadProject({parser.value("annotation"), parser.value("fna"), parser.value("results"), parser.value("id")},
                            model);
    const std::string sequence = parser.value("sequence").toStdString();
    QStringList files = parser.values("bigwig");
    QTemporaryDir dir;
#ifdef MERIDAN_HAVE_BIGWIG
    if (files.isEmpty()) {
        for (unsigned k = 0; k < 2; ++k) {
            const QString path = dir.filePath(QStringLiteral("coverage_%1.bw").arg(k));
            if (!writeCoverage(path, sequence, model.genomeLength, 7 + k)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
            files << path;
        }
    }
#endif
    if (files.size() < 2) {
        std::fprintf(stderr, "two bigWig files are needed\n");
        return 1;
    }
    const int runs = std::max(1, parser.value("runs").toInt());

    std::vector<double> open;
    for (int r = 0; r < std::max(5, runs / 4); ++r) {
        QElapsedTimer t;
        t.start();
        const meridan::tracks::TrackFile file = meridan::tracks::readTrackFile(files.first().toStdString());
        if (!file.ok()) {
            std::fprintf(stderr, "%s\n", file.error.c_str());
            return 1;
        }
        file.forward->summarise(sequence, 0, model.genomeLength, 750);
        open.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("bigWig file: %s, %.2f MB\n", qPrintable(QFileInfo(files.first()).fileName()),
                QFileInfo(files.first()).size() / 1048576.0);
    report("open a bigWig and summarise the whole replicon", open);

    GenomeBrowser browser;
    browser.resize(1600, 900);
    browser.setProject(&model);
    browser.setSequenceNames({QString::fromStdString(sequence)});
    for (int k = 0; k < 2; ++k) {
        const QString problem = browser.addDataTrack(files[k]);
        if (!problem.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(problem));
            return 1;
        }
    }
    const qint64 at = parser.value("at").toLongLong();
    browser.showBases(at - 25000, at + 24999);
    QImage image(browser.size(), QImage::Format_ARGB32_Premultiplied);
    auto redraw = [&] {
        QPainter painter(&image);
        browser.render(&painter);
    };
    redraw();
    std::vector<double> moved, still;
    for (int r = 0; r < runs; ++r) {
        browser.panBy(r % 2 == 0 ? 3 : -3);
        QElapsedTimer t;
        t.start();
        redraw();
        moved.push_back(t.nsecsElapsed() / 1e6);
        t.restart();
        redraw();
        still.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("genes %lld, promoters %lld, terminators %lld, units %lld, data tracks %lld\n",
                static_cast<long long>(browser.features().genes.size()),
                static_cast<long long>(browser.features().promoters.size()),
                static_cast<long long>(browser.features().terminators.size()),
                static_cast<long long>(browser.features().units.size()),
                static_cast<long long>(browser.dataTracks().size()));
    report("redraw 50 kb, view moved (files read again)", moved);
    report("redraw 50 kb, same view (summaries kept)", still);
    browser.showAll();
    std::vector<double> whole;
    for (int r = 0; r < std::max(5, runs / 4); ++r) {
        browser.panBy(0);
        browser.zoomBy(r % 2 == 0 ? 1.001 : 1 / 1.001);
        QElapsedTimer t;
        t.start();
        redraw();
        whole.push_back(t.nsecsElapsed() / 1e6);
    }
    report("redraw the whole replicon (files read again)", whole);
    return 0;
}
