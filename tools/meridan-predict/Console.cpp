#include "Console.h"

#include <unistd.h>

namespace {

// Live lines are cut to this width so that each takes one terminal row.
constexpr std::size_t kLiveWidth = 79;
constexpr auto kRedraw = std::chrono::milliseconds(100);

} // namespace

Console::Console(Mode mode)
    : mode_(mode), terminal_(::isatty(STDOUT_FILENO) == 1), lastDraw_(std::chrono::steady_clock::now())
{
}

Console::~Console()
{
    clearLive();
    if (log_)
        std::fclose(log_);
}

bool Console::openLog(const std::string& logPath)
{
    FILE* log = std::fopen(logPath.c_str(), "w");
    if (!log)
        return false;
    if (log_) // the next genome's log
        std::fclose(log_);
    log_ = log;
    logPath_ = logPath;
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
    for (const auto& [stage, text] : live_)
        std::fprintf(stdout, "%s\n", text.substr(0, kLiveWidth).c_str());
    drawn_ = int(live_.size());
    std::fflush(stdout);
    lastDraw_ = std::chrono::steady_clock::now();
}

void Console::line(const std::string& text)
{
    if (mode_ == Mode::Quiet)
        return;
    clearLive();
    std::fprintf(stdout, "%s\n", text.c_str());
    if (terminal_)
        drawLive();
    std::fflush(stdout);
}

void Console::error(const std::string& text)
{
    clearLive();
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    if (terminal_ && mode_ != Mode::Quiet)
        drawLive();
}

void Console::trace(const std::string& text)
{
    if (log_) {
        std::fprintf(log_, "%s\n", text.c_str());
        std::fflush(log_);
    }
    if (mode_ == Mode::Verbose)
        line(text);
}

void Console::progress(int stage, const std::string& text)
{
    if (!terminal_ || mode_ == Mode::Quiet)
        return;
    const bool changedRows = text.empty() ? live_.erase(stage) > 0 : !live_.count(stage);
    if (!text.empty())
        live_[stage] = text;
    // Progress comes often; the screen is redrawn at most ten times a second
    // unless a line appears or goes.
    if (!changedRows && std::chrono::steady_clock::now() - lastDraw_ < kRedraw)
        return;
    clearLive();
    drawLive();
}
