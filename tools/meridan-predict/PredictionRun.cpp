#include "PredictionRun.h"

#include "Console.h"
#include "GenomeId.h"
#include "GenomeInputs.h"
#include "PredictionExports.h"
#include "Thread.h"

#include "meridan/evidence/OperonRefinement.h"
#include "meridan/genome/InputCheck.h"
#include "meridan/genome/ResultFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>
#include <array>

namespace {

struct Stage {
    Thread::RunMode mode;
    QString name;
    QString engines;
};

const std::array<Stage, 4> stages{{{Thread::OperonRun, "operon", "Galvora"},
                                   {Thread::PromoterRun, "promoter", "Ethrin"},
                                   {Thread::TerminatorRun, "terminator", "Castrel, Dovrane"},
                                   {Thread::TulistRun, "TU list", "Brintel"}}};

QString seconds(qint64 milliseconds)
{
    return QString::number(double(milliseconds) / 1000.0, 'f', 2) + QStringLiteral(" s");
}

// "Galvora restarts 3/10" or "Castrel training 152".
QString advance(const QString& engine, const QString& stage, qint64 done, qint64 total)
{
    QString text = engine + QLatin1Char(' ') + stage + QLatin1Char(' ') + QString::number(done);
    if (total > 0)
        text += QLatin1Char('/') + QString::number(total);
    return text;
}

QString levelTag(int level)
{
    switch (level) {
    case 1:
        return QStringLiteral(" warning");
    case 2:
        return QStringLiteral(" error");
    default:
        return QString();
    }
}

class Prediction {
public:
    Prediction(const GenomeJob& job, bool evidenceOperons, Console& console)
        : in_(job), evidenceOperons_(evidenceOperons), console_(console)
    {
        genomeId_ = in_.genomeId;
        QObject* app = QCoreApplication::instance();
        for (size_t i = 0; i < threads_.size(); ++i) {
            Thread& thread = threads_[i];
            thread.setMode(stages[i].mode);
            QObject::connect(&thread, &QThread::finished, app, [this, i] { finished(i); });
            QObject::connect(&thread, &Thread::progressed, app,
                             [this, i](const QString& engine, const QString& stage, qint64 done, qint64 total) {
                                 console_.progress(int(i), QStringLiteral("[%1] %2: %3")
                                                               .arg(seconds(clock_.elapsed()), 9)
                                                               .arg(stages[i].name, advance(engine, stage, done, total)));
                             });
            QObject::connect(&thread, &Thread::engineLine, app,
                             [this](const QString& engine, int level, const QString& line) {
                                 console_.trace(engine + levelTag(level) + QStringLiteral(": ") + line);
                             });
        }
    }

    int run()
    {
        clock_.start();
        // The three predictions start together, in this order, like the
        // workbench's ATU command; the TU list waits for all three.
        for (size_t i = 0; i < 3; ++i) {
            threads_[i].setPredictionInputs(in_.fnaPath, in_.pttPath, in_.rntPath, resultDir_, genomeId_);
            start(i);
        }
        QCoreApplication::exec();
        return report();
    }

private:
    void start(size_t i)
    {
        Thread& thread = threads_[i];
        startedAt_[i] = clock_.elapsed();
        console_.line(QStringLiteral("[%1] %2 started (%3)")
                          .arg(seconds(startedAt_[i]), 9)
                          .arg(stages[i].name, stages[i].engines));
        console_.progress(int(i), QStringLiteral("[%1] %2: starting").arg(seconds(startedAt_[i]), 9).arg(stages[i].name));
        thread.start();
    }

    void finished(size_t i)
    {
        const qint64 took = clock_.elapsed() - startedAt_[i];
        console_.progress(int(i), QString());
        const QStringList failures = threads_[i].failures();
        QString times;
        const QVector<Thread::EngineTime> engineTimes = threads_[i].engineTimes();
        if (engineTimes.size() > 1) {
            QStringList parts;
            for (const Thread::EngineTime& t : engineTimes)
                parts << t.engine + QLatin1Char(' ') + seconds(t.milliseconds);
            times = QStringLiteral(" (") + parts.join(QStringLiteral(", ")) + QLatin1Char(')');
        }
        console_.line(QStringLiteral("[%1] %2 %3 in %4%5")
                          .arg(seconds(clock_.elapsed()), 9)
                          .arg(stages[i].name, failures.isEmpty() ? "finished" : "FAILED", seconds(took), times));
        for (const QString& failure : failures) {
            console_.line(QStringLiteral("            ") + failure);
            console_.trace(failure);
        }

        if (i < 3 && ++predictionsDone_ == 3)
            startTulist();
        else if (i == 3)
            QCoreApplication::quit();
    }

    // The evidence step between the predictions and the TU list: the
    // operon engine's gene tags are rewritten in place. When it fails the
    // engine's operons stay and the run counts as failed.
    void refineOperons()
    {
        const QString prefix = resultDir_ + genomeId_;
        meridan::evidence::RefinementRequest request;
        request.geneTables.push_back(threads_[0].annotationPath().toStdString());
        request.geneTagPath = (prefix + "_genetag.txt").toStdString();
        request.promoterPath = (prefix + ".sigma70.sca.dat").toStdString();
        request.terminatorPath = (prefix + "_terminator_score.txt").toStdString();
        const qint64 from = clock_.elapsed();
        const meridan::evidence::RefinementOutcome outcome = meridan::evidence::refineOperons(request);
        console_.line(QStringLiteral("[%1] operon evidence %2 in %3")
                          .arg(seconds(clock_.elapsed()), 9)
                          .arg(outcome.ok ? "finished" : "FAILED", seconds(clock_.elapsed() - from)));
        console_.line(QStringLiteral("            ") + QString::fromStdString(outcome.message));
        evidenceFailed_ = !outcome.ok;
    }

    void startTulist()
    {
        if (evidenceOperons_)
            refineOperons();
        const QString prefix = resultDir_ + genomeId_;
        threads_[3].setTulistInputs(in_.pttPath, in_.rntPath, prefix + "_genetag.txt",
                                    prefix + "_promoter_scores.txt", prefix + "_terminator_score.txt",
                                    prefix + "_tulist.txt", genomeId_);
        start(3);
    }

public:
    QStringList summaryLines;

private:
    int report()
    {
        console_.line(QStringLiteral("whole prediction: %1").arg(seconds(clock_.elapsed())));
        const QString summaryPath = resultDir_ + genomeId_ + "_summary.txt";
        QFile summary(summaryPath);
        if (summary.open(QIODevice::ReadOnly)) {
            console_.line(QStringLiteral("summary (%1):").arg(QDir::cleanPath(summaryPath)));
            for (const QByteArray& line : summary.readAll().split('\n'))
                if (!line.trimmed().isEmpty()) {
                    summaryLines << QString::fromLocal8Bit(line.trimmed());
                    console_.line(QStringLiteral("  ") + summaryLines.last());
                }
        }

        QStringList failed;
        for (size_t i = 0; i < threads_.size(); ++i)
            if (!threads_[i].failures().isEmpty())
                failed << stages[i].name;
        if (evidenceFailed_)
            failed << QStringLiteral("operon evidence");
        // The exports are made from the result files, so only from complete ones.
        if (failed.isEmpty() && !writePredictionExports(resultDir_, genomeId_, in_.fnaPath, console_))
            failed << QStringLiteral("export");
        const QDir results(QDir::current().absoluteFilePath(resultDir_));
        const QStringList files = results.entryList({genomeId_ + "_*", genomeId_ + ".gff3"}, QDir::Files, QDir::Name);
        console_.line(QStringLiteral("results in %1:").arg(QDir::cleanPath(results.absolutePath())));
        for (const QString& file : files)
            console_.line(QStringLiteral("  ") + file);
        if (threads_[0].usesAnnotationFile())
            console_.line(QStringLiteral("annotation file: %1")
                              .arg(QDir::cleanPath(QDir::current().absoluteFilePath(threads_[0].annotationPath()))));
        if (failed.isEmpty())
            return 0;
        QString message = QStringLiteral("meridan-predict: the %1 stage%2 failed (see above)")
                              .arg(failed.join(QStringLiteral(", ")), failed.size() > 1 ? "s" : "");
        if (!console_.logPath().isEmpty())
            message += QStringLiteral("; the engines' own messages are in %1")
                           .arg(QDir::cleanPath(QDir::current().absoluteFilePath(console_.logPath())));
        console_.error(message);
        for (const QString& failure : failuresOfAllStages())
            console_.error(QStringLiteral("  ") + failure);
        return 1;
    }

    QStringList failuresOfAllStages() const
    {
        QStringList all;
        for (const Thread& thread : threads_)
            all << thread.failures();
        return all;
    }

    GenomeJob in_;
    bool evidenceOperons_ = false;
    Console& console_;
    QString genomeId_;
    const QString resultDir_ = QStringLiteral("./results/");
    std::array<Thread, 4> threads_;
    std::array<qint64, 4> startedAt_{};
    int predictionsDone_ = 0;
    bool evidenceFailed_ = false;
    QElapsedTimer clock_;
};

// The folder a run with -o works in: its own results/ and annotation/ and
// the terminator engines' work files. The engines, matrices and thresholds
// are found beside the executable and only read.
QString prepareOutputFolder(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot create the output folder %1").arg(folder);
    return QString();
}

// The genome library's content check of one genome's FNA/PTT[/RNT] files:
// its notes are added to notes; the first error, if any, is returned.
QString checkContents(const QString& fna, const QString& ptt, const QString& rnt, QStringList& notes)
{
    const meridan::genome::InputCheck check = meridan::genome::checkGenomeInputs(
        QFile::encodeName(fna).toStdString(), QFile::encodeName(ptt).toStdString(),
        QFile::encodeName(rnt).toStdString());
    for (const std::string& note : check.notes)
        notes << QString::fromLocal8Bit(note.c_str());
    if (!check.usable())
        return QString::fromLocal8Bit(check.errors.front().c_str());
    return QString();
}

} // namespace

QString checkInputs(PredictionInputs& in)
{
    in.notes.clear();
    if (in.files.isEmpty() || in.files.size() > 3)
        return QStringLiteral("give a GenBank or GFF3 file, a FASTA file and its GFF3 file, or the FNA and "
                              "PTT files and, optionally, the RNT file (see meridan-predict --help)");
    for (const QString& file : in.files)
        if (!QFileInfo::exists(file))
            return QStringLiteral("the file %1 does not exist").arg(file);
    if (isAnnotationForm(in.files))
        return QString();
    if (in.files.size() < 2)
        return QStringLiteral("give the PTT file with the FNA file (see meridan-predict --help)");
    if (QString problem = checkTableInputs(in.files); !problem.isEmpty())
        return problem;
    return checkContents(in.files[0], in.files[1], in.files.value(2), in.notes);
}

int runPrediction(PredictionInputs in, const QString& programFolder, Console& console)
{
    // The engines receive absolute input paths; everything else is relative
    // to the working folder: the program folder, which holds bin/, WM/ and
    // threshold/, or the output folder given with -o.
    for (QString& file : in.files)
        file = QFileInfo(file).absoluteFilePath();
    QString workFolder = programFolder;
    if (!in.outputDir.isEmpty()) {
        workFolder = QFileInfo(in.outputDir).absoluteFilePath();
        if (const QString problem = prepareOutputFolder(workFolder); !problem.isEmpty()) {
            console.error(QStringLiteral("meridan-predict: ") + problem);
            return 2;
        }
    }
    if (!QDir::setCurrent(workFolder)) {
        console.error(QStringLiteral("meridan-predict: cannot enter the folder %1").arg(workFolder));
        return 2;
    }
    for (const char* folder : {"results", "annotation"})
        if (!QDir().mkpath(folder) || !meridan::genome::canWriteBeside(std::string(folder) + "/probe")) {
            console.error(QStringLiteral("meridan-predict: cannot create or write the folder %1/%2").arg(workFolder, folder));
            return 2;
        }

    // The terminator engines hand their pair file and training log over in the
    // result folder, so two runs there at the same time would spoil each other's.
    QLockFile lock(QStringLiteral("meridan-predict.lock"));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) {
        console.line(QStringLiteral("waiting for another prediction in %1 to end").arg(workFolder));
        if (!lock.lock()) {
            console.error(QStringLiteral("meridan-predict: cannot lock the folder %1").arg(workFolder));
            return 2;
        }
    }

    const GenomeInputs genomes =
        prepareGenomes(in.files, QDir::current().absoluteFilePath(QStringLiteral("annotation")), !in.outputDir.isEmpty());
    for (const QString& note : genomes.notes)
        console.line(note);
    if (!genomes.problem.isEmpty()) {
        console.error(QStringLiteral("meridan-predict: ") + genomes.problem);
        return 2;
    }
    // The tables written from a GenBank or GFF3 file get the same check as
    // given ones, every record before any engine runs.
    if (genomes.fromAnnotation)
        for (const GenomeJob& job : genomes.jobs)
            if (const QString problem = checkContents(job.fnaPath, job.pttPath, job.rntPath, in.notes);
                !problem.isEmpty()) {
                console.error(QStringLiteral("meridan-predict: ") + problem);
                return 2;
            }
    for (const QString& note : in.notes)
        console.line(QStringLiteral("note: ") + note);

    console.line(QStringLiteral("program folder %1").arg(programFolder));
    if (workFolder != programFolder)
        console.line(QStringLiteral("output folder %1").arg(workFolder));
    int status = 0;
    QStringList overview;
    for (int i = 0; i < genomes.jobs.size(); ++i) {
        const GenomeJob& job = genomes.jobs[i];
        const QString position =
            genomes.jobs.size() > 1 ? QStringLiteral(" (record %1 of %2)").arg(i + 1).arg(genomes.jobs.size()) : QString();
        console.line(QStringLiteral("genome %1%2: %3, %4%5")
                         .arg(job.genomeId, position, job.fnaPath, job.pttPath,
                              job.rntPath.isEmpty() ? QString() : ", " + job.rntPath));
        if (!console.openLog(QStringLiteral("results/") + job.genomeId + "_predict.log"))
            console.error(QStringLiteral("meridan-predict: cannot write the log file results/%1_predict.log").arg(job.genomeId));
        Prediction prediction(job, in.evidenceOperons, console);
        const int result = prediction.run();
        status = std::max(status, result);
        QString genes;
        if (job.proteins >= 0)
            genes = QStringLiteral(", %1 protein and %2 RNA genes").arg(job.proteins).arg(job.rnas);
        overview << QStringLiteral("  %1%2: %3").arg(job.genomeId, genes, result == 0 ? "predicted" : "FAILED");
        for (const QString& line : prediction.summaryLines)
            overview << QStringLiteral("    ") + line;
    }
    if (genomes.fromAnnotation) {
        console.line(QStringLiteral("all records: %1 predicted of %2 with genes to predict on")
                         .arg(std::count_if(overview.begin(), overview.end(),
                                            [](const QString& l) { return l.endsWith(": predicted"); }))
                         .arg(genomes.jobs.size()));
        for (const QString& line : overview)
            console.line(line);
        for (const QString& note : genomes.notes)
            if (note.contains(QStringLiteral("skipped")))
                console.line(QStringLiteral("  ") + note);
    }
    return status;
}
