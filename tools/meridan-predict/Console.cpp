#include "Console.h"

#include <QFile>
#include <QtGlobal>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

FILE* logStream = nullptr;

// Debug lines of the runner join the engines' lines in the log; warnings
// still reach the terminal.
void logHandler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    FILE* target = type == QtDebugMsg || type == QtInfoMsg ? logStream : stderr;
    if (!target)
        return;
    std::fprintf(target, "%s\n", message.toLocal8Bit().constData());
    std::fflush(target);
}

} // namespace

Console::~Console()
{
    if (!diverted_)
        return;
    qInstallMessageHandler(nullptr);
    std::fflush(stdout);
    ::dup2(savedStdout_, STDOUT_FILENO);
    std::fclose(report_);
    logStream = nullptr;
}

bool Console::divertEngineOutput(const QString& logPath)
{
    const int log = ::open(QFile::encodeName(logPath).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (log < 0)
        return false;
    if (diverted_) { // the next genome's log
        std::fflush(stdout);
        const bool moved = ::dup2(log, STDOUT_FILENO) >= 0;
        ::close(log);
        return moved;
    }
    std::fflush(stdout);
    savedStdout_ = ::dup(STDOUT_FILENO);
    FILE* report = savedStdout_ >= 0 ? ::fdopen(::dup(savedStdout_), "w") : nullptr;
    if (!report || ::dup2(log, STDOUT_FILENO) < 0) {
        ::close(log);
        return false;
    }
    ::close(log);
    report_ = report;
    diverted_ = true;
    logStream = stdout;
    qInstallMessageHandler(logHandler);
    return true;
}

void Console::line(const QString& text)
{
    std::fprintf(report_, "%s\n", text.toLocal8Bit().constData());
    std::fflush(report_);
}

void Console::error(const QString& text)
{
    std::fflush(report_);
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}
