#include "PredictionExports.h"

#include "Console.h"

#include "meridan/export/ExportSet.h"
#include "meridan/export/GenomeFile.h"

#include <QFile>

bool writePredictionExports(const QString& resultDir, const QString& genomeId, const QString& fnaPath,
                            Console& console)
{
    const std::string folder = QFile::encodeName(resultDir).toStdString();
    const std::string id = genomeId.toStdString();
    meridan::exports::GenomeLoad load = meridan::exports::loadGenomeText(QFile::encodeName(fnaPath).toStdString(), id);
    if (!load.error.empty()) {
        console.line(QStringLiteral("export FAILED: %1").arg(QString::fromLocal8Bit(load.error.c_str())));
        return false;
    }
    const meridan::exports::ExportOutcome outcome = meridan::exports::exportResults(folder, id, load.genome, folder);
    if (!outcome.written) {
        console.line(QStringLiteral("export FAILED: %1").arg(QString::fromLocal8Bit(outcome.error.c_str()).trimmed()));
        return false;
    }
    const meridan::exports::GenomeFeatures& f = outcome.features;
    console.line(QStringLiteral("export: %1 operons, %2 TUs, %3 promoters, %4 terminators in %5.gff3, "
                                "%5_terminators.bed, %5_promoters.bed, %5_tus.bed, %5_tus.tsv")
                     .arg(f.operons.size())
                     .arg(f.tus.size())
                     .arg(f.promoters.size())
                     .arg(f.terminators.size())
                     .arg(genomeId));
    if (!outcome.warnings.empty()) {
        console.line(QStringLiteral("export: %1 result(s) left out, e.g. %2")
                         .arg(outcome.warnings.size())
                         .arg(QString::fromLocal8Bit(outcome.warnings.front().c_str())));
    }
    return true;
}
