#include "BenchProject.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

namespace viewsbench {

namespace {

const QRegularExpression &blanks()
{
    static const QRegularExpression re("[ \\t\\r\\n]+");
    return re;
}

QStringList fieldsOf(const QString &line)
{
    return line.split(blanks(), Qt::SkipEmptyParts);
}

bool readAnnotation(const QString &path, ProjectModel &model)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    const QStringList title = in.readLine().split('.', Qt::SkipEmptyParts);
    model.genomeTitle = title.value(0);
    model.genomeLength = title.isEmpty() ? 0 : title.last().trimmed().toInt();
    in.readLine();
    in.readLine();
    while (!in.atEnd()) {
        const QStringList f = fieldsOf(in.readLine());
        if (f.size() < 8)
            continue;
        const QStringList location = f[0].split('.', Qt::SkipEmptyParts);
        if (location.size() < 2)
            continue;
        GeneEntry g;
        g.start = location[0].toInt();
        g.end = location[1].toInt();
        g.strand = f[1];
        g.length = f[2].toInt();
        g.pid = f[3];
        g.gene = f[4];
        g.synonym = f[5];
        g.cog = f[7].startsWith('-') ? QString("-") : f[7];
        for (int i = 8; i < f.size(); ++i)
            g.product += f[i] + " ";
        model.genes.append(g);
    }
    model.geneCount = model.genes.size();
    return true;
}

bool readGenome(const QString &path, ProjectModel &model)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    file.readLine();
    QString dna = QString::fromLatin1(file.readAll());
    dna.remove(blanks());
    model.forwardSequence = dna;
    model.complementSequence.resize(dna.size());
    for (qsizetype i = 0; i < dna.size(); ++i) {
        const QChar c = dna[i];
        model.complementSequence[i] = c == 'A' ? QChar('T') : c == 'T' ? QChar('A')
                                    : c == 'G' ? QChar('C') : c == 'C' ? QChar('G') : c;
    }
    return true;
}

template <typename LineFn>
bool forEachLine(const QString &path, LineFn fn)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    int i = 0;
    while (!in.atEnd())
        fn(i++, fieldsOf(in.readLine()));
    return true;
}

void makeNeighbourUnits(ProjectModel &model)
{
    int group = 0;
    TuEntry unit;
    auto flush = [&] {
        if (!unit.geneIndexes.isEmpty())
            model.tuMap.insert(group++, unit);
        unit = TuEntry();
    };
    for (int g = 0; g < model.genes.size(); ++g) {
        const GeneEntry &gene = model.genes[g];
        if (!unit.geneIndexes.isEmpty()) {
            const GeneEntry &prev = model.genes[unit.geneIndexes.last()];
            if (prev.strand != gene.strand || gene.start - prev.end > 50)
                flush();
        }
        unit.groupNumber = group;
        unit.unitNumber = 1;
        unit.strand = gene.strand;
        unit.geneIndexes.append(g);
        unit.members.append(QString("%1|%2|%3").arg(gene.synonym, gene.pid).arg(g));
        unit.geneNames += gene.gene + "/";
    }
    flush();
}

} // namespace

LoadReport loadProject(const Inputs &in, ProjectModel &model)
{
    LoadReport report;
    readAnnotation(in.annotation, model);
    readGenome(in.fna, model);
    const QString base = in.resultDir + in.genomeId;

    report.geneTags = forEachLine(base + "_genetag.txt", [&](int i, const QStringList &f) {
        if (i < model.genes.size() && f.size() >= 4) {
            model.genes[i].operonNumber = f[0].toInt();
            model.genes[i].sdPosition = f[1].toInt();
            model.genes[i].taPosition = f[2].toInt();
            model.genes[i].terminatorPosition = f[3].toInt();
        }
    });
    report.promoters = forEachLine(base + "_promoter_scores.txt", [&](int, const QStringList &f) {
        if (f.size() < 7)
            return;
        PromoterEntry p;
        p.name = f[0];
        p.score = f[1].toDouble();
        p.start = f[2].toInt();
        p.end = f[3].toInt();
        p.firstBox = f[4];
        p.secondBox = f[6];
        model.promoterMap.insert(p.name, p);
    });
    report.terminators = forEachLine(base + "_terminator_score.txt", [&](int, const QStringList &f) {
        if (f.size() < 7)
            return;
        TerminatorEntry t;
        t.start = f[0].toInt();
        t.stem = f[1].toInt();
        t.loop = f[2].toInt();
        t.tail = f[3].toInt();
        t.score = f[4].toDouble();
        t.sequence = f[5];
        t.label = f[6];
        t.totalLength = t.tail + t.loop + 2 * t.stem;
        model.terminators.append(t);
        model.terminatorMap.insert(t.label, t);
    });
    report.tuList = forEachLine(base + "_tulist.txt", [&](int, const QStringList &f) {
        if (f.size() < 7)
            return;
        TuEntry tu;
        const QStringList name = f[1].split('.', Qt::SkipEmptyParts);
        tu.groupNumber = name.value(0).toInt();
        tu.unitNumber = name.value(1).toInt();
        tu.strand = f[2];
        for (const QString &member : f[3].split(',', Qt::SkipEmptyParts)) {
            const int k = member.split('|', Qt::SkipEmptyParts).value(2).toInt();
            if (k < 0 || k >= model.genes.size())
                continue;
            tu.geneIndexes.append(k);
            tu.members.append(member);
            tu.geneNames += model.genes[k].gene + "/";
        }
        tu.promoterBox35 = f[4];
        tu.promoterBox10 = f[5];
        tu.terminatorSequence = f[6];
        model.tuMap.insert(tu.groupNumber, tu);
    });
    if (model.tuMap.isEmpty()) {
        makeNeighbourUnits(model);
        report.neighbourUnits = true;
    }
    return report;
}

} // namespace viewsbench
