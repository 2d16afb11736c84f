// SVG export of the genome map and the operon detail view.
#include "support/ViewsFixtures.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

using namespace viewsfixtures;

namespace {

struct Asked {
    int count = 0;
    QString caption;
    QString filter;
    QWidget *parent = nullptr;
};

svgexport::SaveFileNameAsker answer(Asked &asked, const QString &fileName)
{
    return [&asked, fileName](QWidget *parent, const QString &caption, const QString &filter) {
        ++asked.count;
        asked.parent = parent;
        asked.caption = caption;
        asked.filter = filter;
        return fileName;
    };
}

// The root element's attributes and the texts of its title and desc.
struct SvgHead {
    QString tagName;
    QXmlStreamAttributes attributes;
    QString title;
    QString desc;
    bool wellFormed = false;

    QString attribute(const QString &name) const { return attributes.value(name).toString(); }
};

SvgHead svgRoot(const QString &path)
{
    SvgHead head;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return head;
    QXmlStreamReader xml(&file);
    int depth = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            ++depth;
            if (depth == 1) {
                head.tagName = xml.name().toString();
                head.attributes = xml.attributes();
            } else if (depth == 2 && xml.name() == QLatin1String("title")) {
                head.title = xml.readElementText();
                --depth;
            } else if (depth == 2 && xml.name() == QLatin1String("desc")) {
                head.desc = xml.readElementText();
                --depth;
            }
        } else if (xml.isEndElement()) {
            --depth;
        }
    }
    head.wellFormed = !xml.hasError();
    return head;
}

} // namespace

class TestSvgExport : public QObject
{
    Q_OBJECT

private slots:
    void suffixIsAddedWhenMissing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::newRow("none") << "map" << "map.svg";
        QTest::newRow("present") << "map.svg" << "map.svg";
        QTest::newRow("upper case") << "MAP.SVG" << "MAP.SVG";
        QTest::newRow("other dot") << "e.coli" << "e.coli.svg";
        QTest::newRow("cancelled") << "" << "";
    }
    void suffixIsAddedWhenMissing()
    {
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QCOMPARE(svgexport::withSuffix(typed, ".svg"), saved);
    }

    void genomeMapIsSavedWhole()
    {
        QTemporaryDir dir;
        const ProjectModel m = sampleProject();
        Harness h(m);
        h.window.show();
        h.views->slotPredictOperon();
        h.genomeSlider->setValue(60);   // zoomed in: the file still holds the whole map
        Asked asked;
        h.views->setSaveFileNameAsker(answer(asked, dir.filePath("genome")));
        h.views->saveSvg();
        QCOMPARE(asked.count, 1);
        QCOMPARE(asked.filter, QString("SVG files (*.svg)"));
        QCOMPARE(asked.parent, &h.window);
        const SvgHead root = svgRoot(dir.filePath("genome.svg"));
        QVERIFY(root.wellFormed);
        QCOMPARE(root.attribute("viewBox"), QString("0 0 1200 1200"));
        QVERIFY(root.title.contains("bp"));
        // The view is as it was.
        QCOMPARE(h.genomeSlider->value(), 60);
    }

    void unitIsSavedAsSvgAndPng()
    {
        QTemporaryDir dir;
        const ProjectModel m = sampleProject();
        Harness h(m);
        h.drawUnit(0);
        Asked asked;
        h.views->setSaveFileNameAsker(answer(asked, dir.filePath("unit")));
        h.views->saveOperonSvg();
        const SvgHead root = svgRoot(dir.filePath("unit.svg"));
        QVERIFY(root.wellFormed);
        QVERIFY(root.attribute("viewBox").startsWith("0 0 1600 "));

        h.views->setSaveFileNameAsker(answer(asked, dir.filePath("unit.png")));
        int proposed = 0;
        h.views->setImageWidthAsker([&](QWidget *, const QString &, int p) { proposed = p; return 2400; });
        h.views->saveOperonPng();
        QVERIFY(proposed > 0);
        const QImage image(dir.filePath("unit.png"));
        QCOMPARE(image.width(), 2400);
        QVERIFY(image.height() > 100 && image.height() < 2400);
        // A cancelled size question writes nothing.
        h.views->setImageWidthAsker([](QWidget *, const QString &, int) { return 0; });
        h.views->setSaveFileNameAsker(answer(asked, dir.filePath("none.png")));
        h.views->saveOperonPng();
        QVERIFY(!QFile::exists(dir.filePath("none.png")));
    }

    void textGrowsWithTheImage()
    {
        // The genome's title in the middle of the map is as wide, relative
        // to the image, in a small and in a three times larger PNG.
        QTemporaryDir dir;
        const ProjectModel m = sampleProject();
        PredictedHarness h(m);
        Asked asked;
        auto titleWidth = [&](int width) {
            const QString path = dir.filePath(QString("map%1.png").arg(width));
            h.views->setSaveFileNameAsker(answer(asked, path));
            h.views->setImageWidthAsker([width](QWidget *, const QString &, int) { return width; });
            h.views->savePng();
            const QImage image(path);
            const int from = width * 2 / 5, to = width * 3 / 5;
            int left = width, right = -1;
            for (int y = from; y < to; ++y)
                for (int x = from; x < to; ++x)
                    if (qGray(image.pixel(x, y)) < 128) {
                        left = qMin(left, x);
                        right = qMax(right, x);
                    }
            return right >= left ? double(right - left + 1) / width : 0.0;
        };
        const double small = titleWidth(1200);
        const double large = titleWidth(3600);
        QVERIFY(small > 0.01);
        QVERIFY2(qAbs(large / small - 1.0) < 0.15, qPrintable(QString("%1 %2").arg(small).arg(large)));
    }

    void cancelledDialogsWriteNothing()
    {
        QTemporaryDir dir;
        const ProjectModel m = sampleProject();
        Harness h(m);
        h.drawUnit(0);
        Asked asked;
        h.views->setSaveFileNameAsker(answer(asked, QString()));
        h.views->saveSvg();
        h.views->saveOperonSvg();
        h.views->savePng();
        h.views->saveOperonPng();
        QCOMPARE(asked.count, 4);
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }

    void noUnitDrawnMeansNothingToSave()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("unit.svg");
        const ProjectModel m = sampleProject();
        PredictedHarness h(m);
        Asked asked;
        h.views->setSaveFileNameAsker(answer(asked, path));
        h.views->saveOperonSvg();
        h.views->saveOperonPng();
        QCOMPARE(asked.count, 0);
        QVERIFY(!QFile::exists(path));
        QVERIFY(!h.views->hasDetail());
    }
};

MERIDAN_VIEWS_TEST_MAIN(TestSvgExport)
#include "tst_svgexport.moc"
