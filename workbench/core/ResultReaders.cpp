#include "ResultReaders.h"

#include "ProjectModel.h"
#include "TextFields.h"

#include "meridan/genome/results/PromoterTable.h"

#include <QDebug>
#include <QFile>

#include <algorithm>
#include <cmath>

using namespace meridan::text;

namespace meridan {

bool readGeneTags(const QString& path, ProjectModel& model)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    qsizetype i = 0;
    while (!file.atEnd() && i < model.genes.size()) {
        const QStringList f = splitFields(readLatin1Line(file));
        if (f.isEmpty())
            continue;
        if (f.size() >= 4) {
            GeneEntry& gene = model.genes[i];
            gene.operonNumber = toInt(f[0]);
            gene.sdPosition = toInt(f[1]);
            gene.taPosition = toInt(f[2]);
            gene.terminatorPosition = toInt(f[3]);
        }
        ++i;
    }
    return true;
}

bool readPromoterScores(const QString& path, ProjectModel& model)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    model.promoterMap.clear();
    while (!file.atEnd()) {
        const QStringList f = splitFields(readLatin1Line(file));
        if (f.size() < 7)
            continue;
        PromoterEntry promoter;
        promoter.name = f[0];
        promoter.score = toReal(f[1]);
        promoter.start = toInt(f[2]);
        promoter.end = toInt(f[3]);
        promoter.firstBox = f[4];
        promoter.placeholder = QStringLiteral("-");
        promoter.secondBox = f[6];
        promoter.spacer = 0;
        model.promoterMap.insert(promoter.name, promoter);
    }
    return true;
}

void readPromoterSigmas(const QString& folder, const QString& genomeId, ProjectModel& model)
{
    for (const char* sigma : {"70", "38", "32", "24"}) {
        const QString path = folder + genomeId + QStringLiteral(".sigma%1.sca.dat").arg(QLatin1String(sigma));
        const auto hits = genome::results::readSigmaScoreFile(QFile::encodeName(path).toStdString());
        for (const genome::results::SigmaHit& hit : hits.rows) {
            const auto it = model.promoterMap.find(QString::fromStdString(hit.synonym));
            // The table keeps each gene's best hit with its score rounded
            // to the table's precision.
            if (it == model.promoterMap.end() || !it->sigma.isEmpty() || it->start != hit.start
                || std::abs(it->score - hit.score) > 1e-4 * std::max(1.0, std::abs(hit.score)))
                continue;
            it->sigma = QLatin1String(sigma);
        }
    }
}

bool readTerminatorScores(const QString& path, ProjectModel& model)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    model.terminators.clear();
    model.terminatorMap.clear();
    while (!file.atEnd()) {
        const QStringList f = splitFields(readLatin1Line(file));
        if (f.size() < 7)
            continue;
        TerminatorEntry terminator;
        terminator.start = toInt(f[0]);
        terminator.stem = toInt(f[1]);
        terminator.loop = toInt(f[2]);
        terminator.tail = toInt(f[3]);
        terminator.score = toReal(f[4]);
        terminator.sequence = f[5];
        terminator.label = f[6];
        terminator.totalLength = terminator.tail + terminator.loop + 2 * terminator.stem;
        model.terminators.append(terminator);
        model.terminatorMap.insert(terminator.label, terminator);
    }
    if (!model.terminators.isEmpty())
        qDebug() << model.terminators.first().sequence;
    return true;
}

bool readTuList(const QString& path, ProjectModel& model)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    model.tuMap.clear();
    while (!file.atEnd()) {
        const QStringList f = splitFields(readLatin1Line(file));
        if (f.size() < 7)
            continue;
        TuEntry unit;
        const QStringList name = f[1].split(QLatin1Char('.'), Qt::SkipEmptyParts);
        unit.groupNumber = name.isEmpty() ? 0 : toInt(name[0]);
        unit.unitNumber = name.size() < 2 ? 0 : toInt(name[1]);
        unit.strand = f[2];
        for (const QString& member : f[3].split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QStringList parts = member.split(QLatin1Char('|'), Qt::SkipEmptyParts);
            if (parts.size() < 3)
                continue;
            const int k = toInt(parts[2]);
            if (k < 0 || k >= model.genes.size())
                continue;
            unit.geneIndexes.append(k);
            unit.members.append(member);
            unit.geneNames += model.genes[k].gene + QLatin1Char('/');
        }
        if (unit.geneIndexes.isEmpty())
            continue;
        unit.promoterBox35 = f[4];
        unit.promoterBox10 = f[5];
        unit.terminatorSequence = f[6];
        model.tuMap.insert(unit.groupNumber, unit);
    }
    return true;
}

} // namespace meridan
