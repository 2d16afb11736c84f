// The four runs of Thread: which engine is called with which arguments, and
// how each stage's failure is told.
#include "Thread.h"

#include "EngineCall.h"
#include "PromoterArguments.h"
#include "PromoterMerge.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>

using meridan::EngineMessages;
using meridan::EngineOutcome;
using meridan::engineString;

namespace {

const EngineMessages operonMessages{"OperonDll is OK!", "OperonDll is not OK",
                                    "linked to OperonDll function is ok!",
                                    "linked to OperonDll function is not ok!"};
const EngineMessages tulistMessages{"tulist Dll is OK!", "tulist Dll is not OK",
                                    "linked to tulist function is ok!",
                                    "linked to tulist function is not ok!"};
const EngineMessages discoveryMessages{"terminator Dll is OK!", "terminator Dll is not OK",
                                       "linked to terminator function is ok!",
                                       "linked to terminator function is not ok!"};
const EngineMessages scanMessages{"Dovrane_dll Dll is OK!", "Dovrane_dll Dll is not OK",
                                  "linked to Dovrane_dll function is ok!",
                                  "linked to Dovrane_dll function is not ok!"};
const EngineMessages promoterMessages{"Promoter Dll is OK!", "Promoter Dll is not OK",
                                      "linked to Ethrin function is ok!",
                                      "linked to Ethrin function is not ok!"};

// Result folders the engines write into; made when missing.
void makeFolderOf(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
}

} // namespace

// What a result file looked like before its engine ran, to tell a file the
// engine wrote from one an earlier run left behind.
struct Thread::FileStamp {
    bool exists = false;
    QDateTime modified;
    qint64 size = -1;

    static FileStamp of(const QString& path)
    {
        const QFileInfo info(path);
        FileStamp stamp;
        stamp.exists = info.exists();
        if (stamp.exists) {
            stamp.modified = info.lastModified();
            stamp.size = info.size();
        }
        return stamp;
    }
    bool operator==(const FileStamp& o) const
    {
        return exists == o.exists && modified == o.modified && size == o.size;
    }
};

void Thread::checkWritten(const QString& engine, const QString& stage, const QString& path,
                          const FileStamp& before)
{
    const FileStamp after = FileStamp::of(path);
    if (!after.exists)
        addFailure(QStringLiteral("%1 (%2): the engine wrote no result file %3")
                       .arg(engine, stage, path));
    else if (after == before)
        addFailure(QStringLiteral("%1 (%2): the engine did not write its result file %3; "
                                  "the file there is from an earlier run")
                       .arg(engine, stage, path));
}

void Thread::runOperon()
{
    const QString engine = QStringLiteral("Galvora");
    const QString stage = QStringLiteral("operon");
    qDebug() << annotationPath_ << fnaPath_ << rntPath_;
    const QString result = resultFilePath();
    makeFolderOf(result);
    const FileStamp before = FileStamp::of(result);
    const EngineOutcome outcome =
        call(engine, operonMessages, {engineString(fnaPath_), engineString(annotationPath_)});
    if (recordOutcome(engine, stage, outcome))
        checkWritten(engine, stage, result, before);
}

void Thread::runPromoter()
{
    const QString engine = QStringLiteral("Ethrin");
    const QString stage = QStringLiteral("promoter");
    const meridan::PromoterArguments arguments = meridan::PromoterArguments::build(
        resultDir_, fnaPath_, pttPath_, rntPath_, genomeId_, usesAnnotationFile_);
    qDebug() << "this is ethrin" << arguments.pttDirectory() << arguments.fnaDirectory()
             << arguments.rntDirectory();
    const QString result = resultFilePath();
    makeFolderOf(result);
    const FileStamp before = FileStamp::of(result);
    const EngineOutcome outcome = call(engine, promoterMessages, arguments.entryArguments());
    if (!recordOutcome(engine, stage, outcome))
        return;
    qDebug() << "promoter scan has been finished!";
    // The promoter table must exist before results are read and before the
    // TU builder starts, so it is merged here, on the promoter thread.
    QStringList unopened;
    if (!meridan::integratePromoterFile(genomeId_, resultDir_, &unopened)) {
        addFailure(QStringLiteral("%1 (%2): the promoter table %3 could not be made; "
                                  "cannot open %4")
                       .arg(engine, stage, result, unopened.join(QStringLiteral(", "))));
        return;
    }
    checkWritten(engine, stage, result, before);
}

void Thread::runTerminator()
{
    const QString result = resultFilePath();
    makeFolderOf(result);
    const FileStamp before = FileStamp::of(result);
    const QList<QByteArray> arguments{engineString(fnaPath_), engineString(pttPath_)};

    const QString discovery = QStringLiteral("Castrel");
    const EngineOutcome first = call(discovery, discoveryMessages, arguments);
    const QString scan = QStringLiteral("Dovrane");
    const QString scanStage = QStringLiteral("terminator scan");
    // The scan needs the model the training leaves in the result folder:
    // without it the stage ends here.
    if (!recordOutcome(discovery, QStringLiteral("terminator discovery"), first)) {
        if (first.status != EngineOutcome::Cancelled)
            addFailure(QStringLiteral("%1 (%2): not run, as the terminator model could not be trained")
                           .arg(scan, scanStage));
        return;
    }
    const EngineOutcome second = call(scan, scanMessages, arguments);
    if (recordOutcome(scan, scanStage, second))
        checkWritten(scan, scanStage, result, before);
}

void Thread::runTulist()
{
    const QString engine = QStringLiteral("Brintel");
    const QString stage = QStringLiteral("TU list");
    const QString result = resultFilePath();
    makeFolderOf(result);
    QStringList absent;
    for (const QString& input : {annotationPath_, genetagPath_, promoterScorePath_, terminatorScorePath_})
        if (!QFileInfo::exists(input))
            absent << input;
    const FileStamp before = FileStamp::of(result);
    const EngineOutcome outcome =
        call(engine, tulistMessages,
             {engineString(annotationPath_), engineString(genetagPath_), engineString(promoterScorePath_),
              engineString(terminatorScorePath_), engineString(tulistPath_), engineString(genomeId_)});
    const QString missing = absent.isEmpty()
        ? QString()
        : QStringLiteral("missing input %1").arg(absent.join(QStringLiteral(", ")));
    if (recordOutcome(engine, stage, outcome, missing))
        checkWritten(engine, stage, result, before);
}
