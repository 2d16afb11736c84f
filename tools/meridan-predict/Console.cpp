#include "Console.h"

#include <QFile>
#include <QtGlobal>

#include <cstdio>
#include <unistd.h>

namespace {

FILE* logStream = nullptr;

// Debug lines of the runner join the engines' lines in the log; warnings
// reach the terminal.
void logHandler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    FILE* target = type == QtDebugMsg || type == QtInfoMsg ? logStream : stderr;
    if (!target)
        return;
    std::fprintf(target, "%s\n", message.toLocal8Bit().constData());
    std::fflush(target);
}

// Live lines are cut to this width so that each takes one terminal row.
constexpr int kLiveWidth = 79;
constexpr qint64 kRedrawMilliseconds = 100;

} // namespace

Console::Console(Mode mode) : mode_(mode), terminal_(::isatty(STDOUT_FILENO) == 1)
{
    lastDraw_.start();
}

Console::~Console()
{
    clearLive();
    if (!log_)
        return;
    qInstallMessageHandler(nullptr);
    logStream = nullptr;
    std::fclose(log_);
}

bool Console::openLog(const QString& logPath)
{
    FILE* log = std::fopen(QFile::encodeName(logPath).constData(), "w");
    if (!log)
        return false;
    if (log_) // the next genome's log
        std::fclose(log_);
    log_ = log;
    logPath_ = logPath;
    logStream = log_;
    qInstallMessageHandler(logHandler);
    return true;
}

void Console::clearLive()
{
    if (drawn_ > 0) {
        std::fprintf(stdout, "\x1b[%dA\r\x1b[J", drawn_);
        drawn_ = 0;
    }
}

void Console::drawLive()
{
    for (const QString& text : live_)
        std::fprintf(stdout, "%s\n", text.left(kLiveWidth).toLocal8Bit().constData());
    drawn_ = int(live_.size());
    std::fflush(stdout);
    lastDraw_.restart();
}

void Console::line(const QString& text)
{
    if (mode_ == Mode::Quiet)
        return;
    clearLive();
    std::fprintf(stdout, "%s\n", text.toLocal8Bit().constData());
    if (terminal_)
        drawLive();
    std::fflush(stdout);
}

void Console::error(const QString& text)
{
    clearLive();
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
    if (terminal_ && mode_ != Mode::Quiet)
        drawLive();
}

void Console::trace(const QString& text)
{
    if (log_) {
        std::fprintf(log_, "%s\n", text.toLocal8Bit().constData());
        std::fflush(log_);
    }
    if (mode_ == Mode::Verbose)
        line(text);
}

void Console::progress(int stage, const QString& text)
{
    if (!terminal_ || mode_ == Mode::Quiet)
        return;
    const bool changedRows = text.isEmpty() ? live_.remove(stage) > 0 : !live_.contains(stage);
    if (!text.isEmpty())
        live_[stage] = text;
    // Progress comes often; the screen is redrawn at most ten times a second
    // unless a line appears or goes.
    if (!changedRows && lastDraw_.elapsed() < kRedrawMilliseconds)
        return;
    clearLive();
    drawLive();
}
