// Where meridan-predict writes: its own report lines always reach the
// terminal; with --quiet the engines' trace lines (their standard output) and
// the runner's diagnostic lines go to a log file instead.
#pragma once

#include <QString>

#include <cstdio>

class Console {
public:
    Console() = default;
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // From now on standard output and debug messages go to logPath.
    bool divertEngineOutput(const QString& logPath);
    bool diverted() const { return diverted_; }

    void line(const QString& text);      // a report line on the terminal
    void error(const QString& text);     // a line on standard error

private:
    FILE* report_ = stdout;
    int savedStdout_ = -1;
    bool diverted_ = false;
};
