#include "ProjectReaders.h"

#include "ModelText.h"
#include "ProjectModel.h"

#include "meridan/genome/GeneTableFile.h"
#include "meridan/genome/TextFields.h"

#include <QFile>

namespace meridan {

bool readGeneTable(const QString& path, ProjectModel& model)
{
    // The rows the engines read, so that a gene's position here is the gene
    // index of every result file.
    const auto read = genome::readGeneTableText(model::localPath(path));
    if (!read)
        return false;
    const genome::GeneTableText& table = *read.value;

    // "Organism name, complete genome - 1..4641652": the whole name (dots
    // included) and the range's end as the genome length.
    const QString titleLine = table.header.empty() ? QString() : model::latin1(table.header.front());
    const qsizetype range = titleLine.lastIndexOf(QLatin1String(" - "));
    const QString rangeText = range >= 0 ? titleLine.mid(range + 3) : titleLine;
    const QStringList titleParts = rangeText.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    model.genomeTitle = (range >= 0 ? titleLine.left(range) : titleLine).trimmed();
    model.genomeLength = titleParts.isEmpty() ? 0 : model::wholeNumber(titleParts.last().toStdString());

    namespace column = genome::column;
    model.genes.clear();
    for (const genome::GeneTableRow& row : table.rows) {
        const std::vector<std::string>& f = row.columns;
        const auto span = genome::parseSpan(f[column::location]);
        GeneEntry gene;
        gene.start = int(span->start);
        gene.end = int(span->end);
        gene.strand = model::field(f[column::strand]);
        gene.length = model::wholeNumber(f[column::length]);
        gene.pid = model::field(f[column::pid]);
        gene.gene = model::field(f[column::gene]);
        gene.synonym = model::field(f[column::synonym]);
        const QString cog = f.size() > column::cog ? model::field(f[column::cog]) : QString();
        gene.cog = cog.isEmpty() || cog.startsWith(QLatin1Char('-')) ? QStringLiteral("-") : cog;
        for (std::size_t i = column::product; i < f.size(); ++i)
            for (const std::string& word : genome::splitBlanks(f[i]))
                gene.product += model::latin1(word) + QLatin1Char(' ');
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
