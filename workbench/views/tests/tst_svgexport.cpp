// SVG export of the genome map and the operon detail view.
#include "support/ViewsFixtures.h"

#include <QFile>
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

// The x scale most of the drawing is painted with.
double drawingScale(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QString text = QString::fromUtf8(file.readAll());
    static const QRegularExpression matrix("matrix\\(([-0-9.e]+),");
    QMap<QString, int> counts;
    for (auto it = matrix.globalMatch(text); it.hasNext();)
        ++counts[it.next().captured(1)];
    QString best;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (best.isEmpty() || it.value() > counts[best])
            best = it.key();
    return best.toDouble();
}

} // namespace

class TestSvgExport : public QObject
{
    Q_OBJECT

private slots:
    void genomeMapIsSavedAt2000By2000()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("genome.svg");
        const ProjectModel m = sampleProject();
        Harness h(m);
        h.window.show();
        h.views->slotPredictOperon();
        Asked asked;
        h.views->setSaveFileNameAsker(answer(asked, path));
        h.views->saveSvg();
        QCOMPARE(asked.count, 1);
        QCOMPARE(asked.caption, QString("Save Genome as SVG"));
        QCOMPARE(asked.filter, QString("SVG files (*.svg)"));
        QCOMPARE(asked.parent, &h.window);

        const SvgHead root = svgRoot(path);
        QVERIFY(root.wellFormed);
        QCOMPARE(root.tagName, QString("svg"));
        QCOMPARE(root.attribute("viewBox"), QString("0 0 2000 2000"));
        // 2000 dots at 100 dots per inch: 20 inches.
        QCOMPARE(root.attribute("width"), QString("508mm"));
        QCOMPARE(root.attribute("height"), QString("508mm"));
        QCOMPARE(root.title, QString("SVG Drawing"));
        QCOMPARE(root.desc, QString("An SVG drawing created by Meridan"));
    }

    void genomeMapSavesTheVisiblePart()
    {
        QTemporaryDir dir;
        const ProjectModel m = sampleProject();
        Harness h(m);
        h.window.show();
        h.views->slotPredictOperon();
        Asked asked;
        h.views->setSaveFileNameAsker(answer(asked, dir.filePath("far.svg")));
        h.views->saveSvg();
        h.genomeSlider->setValue(110);
        h.views->setSaveFileNameAsker(answer(asked, dir.filePath("near.svg")));
        h.views->saveSvg();
        // Zoomed in, the same page shows fewer scene units, drawn larger.
        QVERIFY(drawingScale(dir.filePath("near.svg")) > 10 * drawingScale(dir.filePath("far.svg")));
    }

    void operonViewIsSavedAt2000By500()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("unit.svg");
        const ProjectModel m = sampleProject();
        Harness h(m);
        h.views->slotPredictOperon();
        h.views->slotGenomeView(h.tree->topLevelItem(0), 0);
        // Zooming the view does not change what is saved.
        h.geneSlider->setValue(50);
        Asked asked;
        h.views->setSaveFileNameAsker(answer(asked, path));
        h.views->saveOperonSvg();
        QCOMPARE(asked.caption, QString("Save Operon as SVG"));
        QCOMPARE(asked.filter, QString("SVG files (*.svg)"));

        const SvgHead root = svgRoot(path);
        QVERIFY(root.wellFormed);
        QCOMPARE(root.attribute("viewBox"), QString("0 0 2000 500"));
        QCOMPARE(root.attribute("width"), QString("508mm"));
        QCOMPARE(root.attribute("height"), QString("127mm"));
        QCOMPARE(root.title, QString("SVG Drawing"));
        // The 700 x 600 scene fills the page's height: 500 / 600.
        QVERIFY(qAbs(drawingScale(path) - 500.0 / 600.0) < 1e-3);
    }

    void cancelledDialogsWriteNothing()
    {
        QTemporaryDir dir;
        const ProjectModel m = sampleProject();
        Harness h(m);
        h.views->slotPredictOperon();
        h.views->slotGenomeView(h.tree->topLevelItem(0), 0);
        Asked asked;
        h.views->setSaveFileNameAsker(answer(asked, QString()));
        h.views->saveSvg();
        h.views->saveOperonSvg();
        QCOMPARE(asked.count, 2);
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }

    void noUnitDrawnMeansNothingToSave()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("unit.svg");
        const ProjectModel m = sampleProject();
        Harness h(m);
        h.views->slotPredictOperon();
        Asked asked;
        h.views->setSaveFileNameAsker(answer(asked, path));
        h.views->saveOperonSvg();
        QCOMPARE(asked.count, 0);
        QVERIFY(!QFile::exists(path));
    }
};

MERIDAN_VIEWS_TEST_MAIN(TestSvgExport)
#include "tst_svgexport.moc"
