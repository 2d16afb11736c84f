#include "GenomeImport.h"

#include "meridan/genome/EngineInputFiles.h"
#include "meridan/genome/GenomeFile.h"
#include "meridan/genome/PredictedRecords.h"

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
    path_ = annotationPath;
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

QString GenomeImport::wholeGenomeLabel() const
{
    const meridan::genome::PredictedRecords chosen = meridan::genome::predictedRecords(genome_);
    if (chosen.records.size() < 2)
        return QString();
    return QStringLiteral("All %1 records as one genome (%2 protein genes)")
        .arg(chosen.records.size())
        .arg(chosen.proteins);
}

bool GenomeImport::writeWholeGenome(const QString& folder, Files& files)
{
    const meridan::genome::PredictedRecords chosen = meridan::genome::predictedRecords(genome_);
    notes_.clear();
    for (const std::string& note : chosen.notes)
        notes_ << QString::fromStdString(note);
    if (chosen.records.size() < 2) {
        problem_ = QStringLiteral("fewer than two records of %1 have two or more protein genes").arg(path_);
        return false;
    }
    const std::string id = meridan::genome::predictedGenomeId(local(path_), chosen.records);
    std::vector<std::string> joinNotes;
    const auto written = meridan::genome::writeGenomeInputFiles(id, chosen.records, local(folder), &joinNotes);
    if (!written) {
        problem_ = fromLocal(written.error);
        return false;
    }
    for (const std::string& note : joinNotes)
        notes_ << QString::fromStdString(note);
    files.genomeId = QString::fromStdString(id);
    files.title = QStringLiteral("%1 (%2 records)").arg(files.genomeId).arg(chosen.records.size());
    files.fna = fromLocal(written.value->fna);
    files.ptt = fromLocal(written.value->ptt);
    files.rnt = fromLocal(written.value->rnt);
    // Joined records are no one circle: the map draws them as a line.
    files.circular = false;
    files.records = int(chosen.records.size());
    return true;
}
