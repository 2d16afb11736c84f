#include "PredictionRun.h"

#include "Console.h"
#include "GenomeId.h"
#include "Thread.h"
#include "meridan/genome/InputCheck.h"
#include "meridan/genome/ResultFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

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

class Prediction {
public:
    Prediction(const PredictionInputs& inputs, Console& console) : in_(inputs), console_(console)
    {
        genomeId_ = meridan::genomeIdFromPath(in_.pttPath);
        for (size_t i = 0; i < threads_.size(); ++i)
            threads_[i].setMode(stages[i].mode);
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
        QObject::connect(&thread, &QThread::finished, QCoreApplication::instance(),
                         [this, i] { finished(i); });
        startedAt_[i] = clock_.elapsed();
        console_.line(QStringLiteral("[%1] %2 started (%3)")
                          .arg(seconds(startedAt_[i]), 9)
                          .arg(stages[i].name, stages[i].engines));
        thread.start();
    }

    void finished(size_t i)
    {
        const qint64 took = clock_.elapsed() - startedAt_[i];
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
        for (const QString& failure : failures)
            console_.line(QStringLiteral("            ") + failure);

        if (i < 3 && ++predictionsDone_ == 3)
            startTulist();
        else if (i == 3)
            QCoreApplication::quit();
    }

    void startTulist()
    {
        const QString prefix = resultDir_ + genomeId_;
        threads_[3].setTulistInputs(in_.pttPath, in_.rntPath, prefix + "_genetag.txt",
                                    prefix + "_promoter_scores.txt", prefix + "_terminator_score.txt",
                                    prefix + "_tulist.txt", genomeId_);
        start(3);
    }

    int report()
    {
        console_.line(QStringLiteral("whole prediction: %1").arg(seconds(clock_.elapsed())));
        const QString summaryPath = resultDir_ + genomeId_ + "_summary.txt";
        QFile summary(summaryPath);
        if (summary.open(QIODevice::ReadOnly)) {
            console_.line(QStringLiteral("summary (%1):").arg(QDir::cleanPath(summaryPath)));
            for (const QByteArray& line : summary.readAll().split('\n'))
                if (!line.trimmed().isEmpty())
                    console_.line(QStringLiteral("  ") + QString::fromLocal8Bit(line.trimmed()));
        }

        QStringList failed;
        for (size_t i = 0; i < threads_.size(); ++i)
            if (!threads_[i].failures().isEmpty())
                failed << stages[i].name;
        const QDir results(QDir::current().absoluteFilePath(resultDir_));
        const QStringList files = results.entryList({genomeId_ + "_*"}, QDir::Files, QDir::Name);
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
        if (console_.diverted())
            message += QStringLiteral("; the engines' own messages are in %1")
                           .arg(QDir::cleanPath(QDir::current().absoluteFilePath(resultDir_ + genomeId_ + "_predict.log")));
        console_.error(message);
        return 1;
    }

    PredictionInputs in_;
    Console& console_;
    QString genomeId_;
    const QString resultDir_ = QStringLiteral("./results/");
    std::array<Thread, 4> threads_;
    std::array<qint64, 4> startedAt_{};
    int predictionsDone_ = 0;
    QElapsedTimer clock_;
};

QString readableProblem(const QString& path, const char* kind)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("the %1 file %2 does not exist").arg(kind, path);
    if (!info.isFile() || !info.isReadable())
        return QStringLiteral("the %1 file %2 cannot be read").arg(kind, path);
    return QString();
}

} // namespace

QString checkInputs(PredictionInputs& in)
{
    QList<QPair<QString, const char*>> files{{in.fnaPath, "FNA"}, {in.pttPath, "PTT"}};
    if (!in.rntPath.isEmpty())
        files.append({in.rntPath, "RNT"});
    for (const auto& [path, kind] : files) {
        if (QString problem = readableProblem(path, kind); !problem.isEmpty())
            return problem;
        if (QString problem = meridan::genomeFileNameProblem(path); !problem.isEmpty())
            return problem;
    }
    const QString id = meridan::genomeIdFromPath(in.pttPath);
    for (const auto& [path, kind] : files)
        if (meridan::genomeIdFromPath(path) != id)
            return QStringLiteral("the %1 file %2 names genome %3 but the PTT file names %4; "
                                  "the files of one genome must share the identifier")
                .arg(kind, QFileInfo(path).fileName(), meridan::genomeIdFromPath(path), id);
    const meridan::genome::InputCheck check = meridan::genome::checkGenomeInputs(
        QFile::encodeName(in.fnaPath).toStdString(), QFile::encodeName(in.pttPath).toStdString(),
        QFile::encodeName(in.rntPath).toStdString());
    in.notes.clear();
    for (const std::string& note : check.notes)
        in.notes << QString::fromLocal8Bit(note.c_str());
    if (!check.usable())
        return QString::fromLocal8Bit(check.errors.front().c_str());
    return QString();
}

int runPrediction(PredictionInputs in, const QString& programFolder, Console& console)
{
    // The engines receive absolute input paths; everything else is relative
    // to the program folder, which holds bin/, WM/ and threshold/.
    in.fnaPath = QFileInfo(in.fnaPath).absoluteFilePath();
    in.pttPath = QFileInfo(in.pttPath).absoluteFilePath();
    if (!in.rntPath.isEmpty())
        in.rntPath = QFileInfo(in.rntPath).absoluteFilePath();
    if (!QDir::setCurrent(programFolder)) {
        console.error(QStringLiteral("meridan-predict: cannot enter the program folder %1").arg(programFolder));
        return 2;
    }
    for (const char* folder : {"results", "annotation"})
        if (!QDir().mkpath(folder) || !meridan::genome::canWriteBeside(std::string(folder) + "/probe")) {
            console.error(QStringLiteral("meridan-predict: cannot create or write the folder %1/%2").arg(programFolder, folder));
            return 2;
        }

    // The terminator engines keep work files in the program folder itself, so
    // two runs there at the same time would spoil each other's.
    QLockFile lock(QStringLiteral("meridan-predict.lock"));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) {
        console.line(QStringLiteral("waiting for another prediction in %1 to end").arg(programFolder));
        if (!lock.lock()) {
            console.error(QStringLiteral("meridan-predict: cannot lock the program folder %1").arg(programFolder));
            return 2;
        }
    }

    const QString genomeId = meridan::genomeIdFromPath(in.pttPath);
    console.line(QStringLiteral("genome %1: %2, %3%4").arg(genomeId, in.fnaPath, in.pttPath,
                                                          in.rntPath.isEmpty() ? QString() : ", " + in.rntPath));
    console.line(QStringLiteral("program folder %1").arg(QDir::currentPath()));
    for (const QString& note : in.notes)
        console.line(QStringLiteral("note: ") + note);
    if (in.quiet && !console.divertEngineOutput(QStringLiteral("results/") + genomeId + "_predict.log"))
        console.error(QStringLiteral("meridan-predict: cannot write the log file; engine messages stay on the terminal"));
    return Prediction(in, console).run();
}
