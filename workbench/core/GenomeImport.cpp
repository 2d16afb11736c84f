#include "GenomeImport.h"

#include "meridan/genome/EngineInputFiles.h"
#include "meridan/genome/GenomeFile.h"

#include <QFile>

namespace {
std::string local(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString fromLocal(const std::string& path) { return QFile::decodeName(path.c_str()); }
} // namespace

bool GenomeImport::read(const QString& annotationPath, const QString& fastaPath)
{
    auto result = fastaPath.isEmpty() ? meridan::genome::readAnnotatedGenome(local(annotationPath))
                                      : meridan::genome::readAnnotatedGenome(local(fastaPath), local(annotationPath));
    if (!result) {
        problem_ = fromLocal(result.error);
        return false;
    }
    genome_ = std::move(*result.value);
    order_ = meridan::genome::chromosomeFirst(genome_);
    return true;
}

QStringList GenomeImport::recordLabels() const
{
    QStringList labels;
    for (const auto* record : order_) {
        QString label = QString::fromStdString(record->id);
        if (!record->description.empty())
            label += QStringLiteral(" \u2013 ") + QString::fromStdString(record->description);
        labels << label + QStringLiteral(" (%1 protein genes)").arg(record->proteins.size());
    }
    return labels;
}

bool GenomeImport::writeRecord(int index, const QString& folder, Files& files)
{
    if (index < 0 || index >= static_cast<int>(order_.size()))
        return false;
    const auto& record = *order_[static_cast<std::size_t>(index)];
    if (record.proteins.size() < 2) {
        problem_ = QStringLiteral("record %1 has %2 protein genes; a prediction needs two or more")
                       .arg(QString::fromStdString(record.id))
                       .arg(record.proteins.size());
        return false;
    }
    const auto written = meridan::genome::writeEngineInputFiles(record, local(folder));
    if (!written) {
        problem_ = fromLocal(written.error);
        return false;
    }
    files.genomeId = QString::fromStdString(record.id);
    files.title = QString::fromStdString(record.description.empty() ? record.id : record.id + " " + record.description);
    files.fna = fromLocal(written.value->fna);
    files.ptt = fromLocal(written.value->ptt);
    files.rnt = fromLocal(written.value->rnt);
    files.circular = !record.linear;
    return true;
}
