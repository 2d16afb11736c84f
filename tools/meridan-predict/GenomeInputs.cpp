#include "GenomeInputs.h"

#include "GenomeId.h"
#include "meridan/genome/EngineInputFiles.h"
#include "meridan/genome/GenomeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

std::string local(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString fromLocal(const std::string& path) { return QFile::decodeName(path.c_str()); }

QString readableProblem(const QString& path, const char* kind)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("the %1 file %2 does not exist").arg(kind, path);
    if (!info.isFile() || !info.isReadable())
        return QStringLiteral("the %1 file %2 cannot be read").arg(kind, path);
    return QString();
}

// A copy of path in folder, replacing an earlier one.
QString copyInto(const QString& path, const QString& folder, QString& problem)
{
    const QString target = QDir(folder).filePath(QFileInfo(path).fileName());
    if (QFileInfo(target).absoluteFilePath() == QFileInfo(path).absoluteFilePath())
        return target;
    QFile::remove(target);
    if (!QFile::copy(path, target))
        problem = QStringLiteral("cannot copy %1 to %2").arg(path, folder);
    return target;
}

GenomeInputs fromTables(const QStringList& files, const QString& annotationFolder, bool copyTables)
{
    GenomeInputs inputs;
    GenomeJob job{meridan::genomeIdFromPath(files[1]), files[0], files[1], files.value(2)};
    if (copyTables) {
        job.fnaPath = copyInto(job.fnaPath, annotationFolder, inputs.problem);
        job.pttPath = copyInto(job.pttPath, annotationFolder, inputs.problem);
        if (!job.rntPath.isEmpty())
            job.rntPath = copyInto(job.rntPath, annotationFolder, inputs.problem);
    }
    inputs.jobs.append(job);
    return inputs;
}

} // namespace

bool isAnnotationForm(const QStringList& files)
{
    if (files.size() == 1)
        return true;
    if (files.size() != 2)
        return false;
    const auto kind = meridan::genome::genomeFileKind(local(files[1]));
    return kind == meridan::genome::GenomeFileKind::Gff3 || kind == meridan::genome::GenomeFileKind::GenBank;
}

QString checkTableInputs(const QStringList& files)
{
    const QList<const char*> kinds{"FNA", "PTT", "RNT"};
    for (int i = 0; i < files.size(); ++i) {
        if (QString problem = readableProblem(files[i], kinds[i]); !problem.isEmpty())
            return problem;
        if (QString problem = meridan::genomeFileNameProblem(files[i]); !problem.isEmpty())
            return problem;
    }
    const QString id = meridan::genomeIdFromPath(files[1]);
    for (int i = 0; i < files.size(); ++i)
        if (meridan::genomeIdFromPath(files[i]) != id)
            return QStringLiteral("the %1 file %2 names genome %3 but the PTT file names %4; "
                                  "the files of one genome must share the identifier")
                .arg(kinds[i], QFileInfo(files[i]).fileName(), meridan::genomeIdFromPath(files[i]), id);
    return QString();
}

GenomeInputs prepareGenomes(const QStringList& files, const QString& annotationFolder, bool copyTables)
{
    if (!isAnnotationForm(files))
        return fromTables(files, annotationFolder, copyTables);

    GenomeInputs inputs;
    inputs.fromAnnotation = true;
    for (const QString& file : files)
        if (QString problem = readableProblem(file, files.size() == 2 && file == files[0] ? "FASTA" : "annotation");
            !problem.isEmpty()) {
            inputs.problem = problem;
            return inputs;
        }
    const auto read = files.size() == 1 ? meridan::genome::readAnnotatedGenome(local(files[0]))
                                        : meridan::genome::readAnnotatedGenome(local(files[0]), local(files[1]));
    if (!read) {
        inputs.problem = fromLocal(read.error);
        return inputs;
    }
    for (const meridan::genome::AnnotatedRecord* record : meridan::genome::chromosomeFirst(*read.value)) {
        const QString id = QString::fromStdString(record->id);
        const int proteins = static_cast<int>(record->proteins.size());
        const int rnas = static_cast<int>(record->rnas.size());
        if (record->pseudogenes + record->pseudoCds > 0)
            inputs.notes << QStringLiteral("record %1: %2 pseudogenes and %3 pseudo CDS left out")
                                .arg(id)
                                .arg(record->pseudogenes)
                                .arg(record->pseudoCds);
        if (proteins < 2) {
            inputs.notes << QStringLiteral("record %1: skipped, it has %2 protein gene%3 (a prediction needs two or more)")
                                .arg(id)
                                .arg(proteins)
                                .arg(proteins == 1 ? "" : "s");
            continue;
        }
        const auto written = meridan::genome::writeEngineInputFiles(*record, local(annotationFolder));
        if (!written) {
            inputs.problem = fromLocal(written.error);
            return inputs;
        }
        inputs.jobs.append({id, fromLocal(written.value->fna), fromLocal(written.value->ptt),
                            fromLocal(written.value->rnt), proteins, rnas});
    }
    if (inputs.jobs.isEmpty())
        inputs.problem = QStringLiteral("no record of %1 has two or more protein genes to predict on").arg(files.last());
    return inputs;
}
