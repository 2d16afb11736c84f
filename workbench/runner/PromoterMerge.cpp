#include "PromoterMerge.h"

#include <QDebug>
#include <QFile>
#include <QMap>
#include <QSaveFile>
#include <QVector>

#include <memory>

namespace meridan {

namespace {

struct Promoter {
    QByteArray name;
    float score = 0.0f;
    int start = 0;
    int end = 0;
    QByteArray firstBox;
    QByteArray secondBox;
};

// Splits at runs of blanks, tabs, carriage returns and line feeds.
QList<QByteArray> columns(QByteArray line)
{
    const qsizetype nul = line.indexOf('\0');
    if (nul >= 0)
        line.truncate(nul);
    return line.simplified().split(' ');
}

int integerColumn(const QByteArray& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : 0;
}

float realColumn(const QByteArray& text)
{
    bool ok = false;
    const float value = text.toFloat(&ok);
    return ok ? value : 0.0f;
}

// Reads one sigma file after its header line. sigma38 lines carry no second
// box and no spacer. Lines with fewer columns than are used are skipped.
void readSigmaFile(QFile& file, bool sigma38, QVector<Promoter>& out)
{
    file.readLine();
    while (!file.atEnd()) {
        const QList<QByteArray> c = columns(file.readLine());
        if (c.size() < (sigma38 ? 7 : 10) || c.first().isEmpty())
            continue;
        Promoter p;
        p.name = c[0];
        p.start = integerColumn(c[3]);
        p.score = realColumn(c[4]);
        p.firstBox = c[6];
        if (sigma38) {
            p.secondBox = "-";
            p.end = p.start + int(p.firstBox.size());
        } else {
            p.secondBox = c[8];
            const int spacer = integerColumn(c[9]);
            p.end = p.start + spacer + int(p.secondBox.size()) + int(p.firstBox.size());
        }
        out.append(p);
    }
}

void appendField(QByteArray& line, const QByteArray& item)
{
    constexpr int width = 15;
    if (item.size() < width)
        line += QByteArray(width - item.size(), ' ');
    line += item;
}

} // namespace

QStringList sigmaFileSuffixes()
{
    return {QStringLiteral(".sigma24.sca.dat"), QStringLiteral(".sigma32.sca.dat"),
            QStringLiteral(".sigma70.sca.dat"), QStringLiteral(".sigma38.sca.dat")};
}

bool integratePromoterFile(const QString& genomeId, const QString& resultDir, QStringList* missing)
{
    const QStringList suffixes = sigmaFileSuffixes();
    std::vector<std::unique_ptr<QFile>> inputs;
    QStringList unopened;
    for (const QString& suffix : suffixes) {
        auto file = std::make_unique<QFile>(resultDir + genomeId + suffix);
        if (!file->open(QIODevice::ReadOnly))
            unopened << file->fileName();
        inputs.push_back(std::move(file));
    }
    QSaveFile out(resultDir + genomeId + QStringLiteral("_promoter_scores.txt"));
    if (unopened.isEmpty() && !out.open(QIODevice::WriteOnly))
        unopened << out.fileName();
    if (!unopened.isEmpty()) {
        if (missing)
            *missing = unopened;
        return false;
    }

    QVector<Promoter> all;
    for (size_t i = 0; i < inputs.size(); ++i)
        readSigmaFile(*inputs[i], suffixes[int(i)].startsWith(QLatin1String(".sigma38")), all);
    qDebug().nospace() << all.size() << " promoter entries collected";

    // Highest score per name; on equal scores the entry read first stays.
    QMap<QByteArray, Promoter> best;
    for (const Promoter& p : all) {
        auto it = best.find(p.name);
        if (it == best.end())
            best.insert(p.name, p);
        else if (p.score > it->score)
            *it = p;
    }
    qDebug().nospace() << "promoter size " << best.size();

    QByteArray text;
    for (const Promoter& p : best) {
        appendField(text, p.name);
        appendField(text, QString::number(double(p.score), 'g', 6).toLatin1());
        appendField(text, QByteArray::number(p.start));
        appendField(text, QByteArray::number(p.end));
        appendField(text, p.firstBox);
        appendField(text, "-");
        appendField(text, p.secondBox);
        appendField(text, "\n");
    }
    if (out.write(text) != text.size() || !out.commit()) {
        if (missing)
            *missing = QStringList{out.fileName()};
        return false;
    }
    return true;
}

} // namespace meridan
