// Where meridan-predict writes. Report lines (stage started, finished, the
// summary) go to standard output unless quiet; errors always to standard
// error. The engines' trace lines go to the log file, and with verbose also
// to the terminal. On a terminal each running stage has one progress line,
// rewritten in place below the report lines.
#pragma once

#include <chrono>
#include <cstdio>
#include <map>
#include <string>

class Console {
public:
    enum class Mode { Quiet, Normal, Verbose };

    explicit Console(Mode mode = Mode::Normal);
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // From now on trace lines go to logPath.
    bool openLog(const std::string& logPath);
    const std::string& logPath() const { return logPath_; }

    void line(const std::string& text);  // a report line
    void error(const std::string& text); // a line on standard error
    // One line of an engine: always to the log, to the terminal when verbose.
    void trace(const std::string& text);
    // The live line of one stage (terminal only); empty text removes it.
    void progress(int stage, const std::string& text);

private:
    void clearLive();
    void drawLive();

    Mode mode_;
    bool terminal_ = false;
    FILE* log_ = nullptr;
    std::string logPath_;
    std::map<int, std::string> live_;
    int drawn_ = 0; // live lines on the screen now
    std::chrono::steady_clock::time_point lastDraw_;
};
