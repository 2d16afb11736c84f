#include "AnnotationIntegration.h"

#include <QByteArray>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QVector>

#include <algorithm>

namespace meridan {

namespace {

// One line of a gene table, as 8-bit text up to its first NUL byte.
QByteArray readRow(QFile& file)
{
    QByteArray line = file.readLine();
    const qsizetype nul = line.indexOf('\0');
    if (nul >= 0)
        line.truncate(nul);
    return line;
}

// The start coordinate: the text before the first '.', as a decimal number;
// anything else (a blank line, a header) gives 0.
int rowKey(const QByteArray& row)
{
    const qsizetype dot = row.indexOf('.');
    bool ok = false;
    const int key = (dot < 0 ? row : row.left(dot)).toInt(&ok);
    return ok ? key : 0;
}

// Location and Strand columns: what makes two rows the same gene.
QByteArray rowIdentity(const QByteArray& row)
{
    const QList<QByteArray> fields = row.split('\t');
    const QByteArray location = fields.value(0).trimmed();
    const QByteArray strand = fields.value(1).trimmed();
    return location + '\t' + strand;
}

struct Row {
    int key = 0;
    int order = 0;   // input order: PTT rows first, then RNT rows
    QByteArray text;
};

class RowMerge {
public:
    void add(const QByteArray& text)
    {
        const QByteArray identity = rowIdentity(text);
        const auto it = indexOf_.constFind(identity);
        if (it != indexOf_.constEnd()) {
            rows_[*it].text = text;   // the later row replaces the gene in its place
            return;
        }
        indexOf_.insert(identity, rows_.size());
        rows_.append(Row{rowKey(text), int(rows_.size()), text});
    }

    QVector<Row> sorted() const
    {
        QVector<Row> rows = rows_;
        std::stable_sort(rows.begin(), rows.end(),
                         [](const Row& a, const Row& b) { return a.key < b.key; });
        return rows;
    }

private:
    QVector<Row> rows_;
    QHash<QByteArray, qsizetype> indexOf_;
};

void appendLine(QByteArray& out, const QByteArray& line, const QByteArray& lineEnd)
{
    out += line;
    if (!line.endsWith('\n'))
        out += lineEnd;
}

bool olderThan(const QFileInfo& file, const QString& otherPath)
{
    const QFileInfo other(otherPath);
    return other.exists() && file.lastModified() < other.lastModified();
}

} // namespace

QString annotationFilePath(const QString& genomeId)
{
    return QStringLiteral("./annotation/") + genomeId + QStringLiteral(".ano");
}

bool integrateAnnotation(const QString& pttPath, const QString& rntPath,
                         const QString& annotationPath)
{
    QFile ptt(pttPath);
    if (!ptt.open(QIODevice::ReadOnly))
        return false;
    QFile rnt(rntPath);
    if (rntPath.isEmpty() || !rnt.open(QIODevice::ReadOnly))
        return false;
    QDir().mkpath(QFileInfo(annotationPath).absolutePath());
    QSaveFile out(annotationPath);
    if (!out.open(QIODevice::WriteOnly))
        return false;

    QByteArray header[3];
    for (QByteArray& line : header)
        line = ptt.atEnd() ? QByteArray() : readRow(ptt);
    for (int i = 0; i < 3 && !rnt.atEnd(); ++i)
        readRow(rnt);

    RowMerge merge;
    while (!ptt.atEnd())
        merge.add(readRow(ptt));
    while (!rnt.atEnd())
        merge.add(readRow(rnt));

    const QByteArray lineEnd = header[0].endsWith("\r\n") ? QByteArray("\r\n") : QByteArray("\n");
    QByteArray text;
    for (const QByteArray& line : header)
        if (!line.isEmpty())
            appendLine(text, line, lineEnd);
    for (const Row& row : merge.sorted())
        appendLine(text, row.text, lineEnd);

    if (out.write(text) != text.size() || !out.commit())
        return false;
    qDebug() << "already integrate ptt and rnt";
    return true;
}

AnnotationChoice selectAnnotation(const QString& pttPath, const QString& rntPath,
                                  const QString& genomeId)
{
    const QString path = annotationFilePath(genomeId);
    const QFileInfo annotation(path);
    const bool exists = annotation.exists();
    if (exists) {
        const bool stale = olderThan(annotation, pttPath)
                           || (!rntPath.isEmpty() && olderThan(annotation, rntPath));
        if (!stale) {
            qDebug() << "annotation file exists!";
            return {path, true};
        }
        qDebug() << "annotation file is older than its PTT or RNT file!";
    } else {
        qDebug() << "annotation file doesn't exist!";
    }

    if (rntPath.isEmpty()) {
        qDebug() << "Doesn't provide rnt file";
        // A stale file would still be read as the genome's gene table by
        // whoever opens it; without an RNT file the PTT file takes its place.
        if (exists && !QFile::remove(path))
            qWarning().noquote() << "Could not remove the outdated annotation file" << path;
        return {pttPath, false};
    }
    if (integrateAnnotation(pttPath, rntPath, path))
        return {path, true};
    qWarning().noquote() << "Could not write the annotation file" << path
                         << "- the engines read the PTT file" << pttPath << "instead";
    return {pttPath, false};
}

} // namespace meridan
