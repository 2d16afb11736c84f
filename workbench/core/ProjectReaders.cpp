#include "ProjectReaders.h"

#include "ProjectModel.h"
#include "TextFields.h"

#include <QFile>

using namespace meridan::text;

namespace meridan {

bool readGeneTable(const QString& path, ProjectModel& model)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;

    QString titleLine = readLatin1Line(file);
    while (titleLine.endsWith(QLatin1Char('\n')) || titleLine.endsWith(QLatin1Char('\r')))
        titleLine.chop(1);
    // "Organism name, complete genome - 1..4641652": the whole name (dots
    // included) and the range's end as the genome length.
    const qsizetype range = titleLine.lastIndexOf(QLatin1String(" - "));
    const QString rangeText = range >= 0 ? titleLine.mid(range + 3) : titleLine;
    const QStringList titleParts = rangeText.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    model.genomeTitle = (range >= 0 ? titleLine.left(range) : titleLine).trimmed();
    model.genomeLength = titleParts.isEmpty() ? 0 : toInt(titleParts.last());
    readLatin1Line(file);
    readLatin1Line(file);

    model.genes.clear();
    while (!file.atEnd()) {
        const QStringList f = splitFields(readLatin1Line(file));
        if (f.size() < 8)
            continue;
        const QStringList location = f[0].split(QLatin1Char('.'), Qt::SkipEmptyParts);
        if (location.size() < 2)
            continue;
        GeneEntry gene;
        gene.start = toInt(location[0]);
        gene.end = toInt(location[1]);
        gene.strand = f[1];
        gene.length = toInt(f[2]);
        gene.pid = f[3];
        gene.gene = f[4];
        gene.synonym = f[5];
        gene.cog = f[7].startsWith(QLatin1Char('-')) ? QStringLiteral("-") : f[7];
        for (qsizetype i = 8; i < f.size(); ++i)
            gene.product += f[i] + QLatin1Char(' ');
        model.genes.append(gene);
    }
    model.geneCount = int(model.genes.size());
    return true;
}

void complementInPlace(QString& sequence)
{
    for (QChar& c : sequence) {
        switch (c.unicode()) {
        case 'A': c = QLatin1Char('T'); break;
        case 'G': c = QLatin1Char('C'); break;
        case 'C': c = QLatin1Char('G'); break;
        case 'T': c = QLatin1Char('A'); break;
        default: break;
        }
    }
}

bool readGenomeSequence(const QString& fnaPath, ProjectModel& model)
{
    QFile file(fnaPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    file.readLine();
    QByteArray bytes = file.readAll();
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    bytes.removeIf([](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
    model.forwardSequence = QString::fromLatin1(bytes);
    model.complementSequence = model.forwardSequence;
    complementInPlace(model.complementSequence);
    return true;
}

} // namespace meridan
