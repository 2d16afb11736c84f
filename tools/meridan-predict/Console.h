// Where meridan-predict writes. Report lines (stage started, finished, the
// summary) go to standard output unless quiet; errors always to standard
// error. The engines' trace lines and the runner's diagnostic lines go to the
// log file, and with verbose also to the terminal. On a terminal each running
// stage has one progress line, rewritten in place below the report lines.
#pragma once

#include <QElapsedTimer>
#include <QMap>
#include <QString>

#include <cstdio>

class Console {
public:
    enum class Mode { Quiet, Normal, Verbose };

    explicit Console(Mode mode = Mode::Normal);
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // From now on trace lines and the runner's debug lines go to logPath.
    bool openLog(const QString& logPath);
    QString logPath() const { return logPath_; }

    void line(const QString& text);      // a report line
    void error(const QString& text);     // a line on standard error
    // One line of an engine: always to the log, to the terminal when verbose.
    void trace(const QString& text);
    // The live line of one stage (terminal only); empty text removes it.
    void progress(int stage, const QString& text);

private:
    void clearLive();
    void drawLive();

    Mode mode_;
    bool terminal_ = false;
    FILE* log_ = nullptr;
    QString logPath_;
    QMap<int, QString> live_;
    int drawn_ = 0;              // live lines on the screen now
    QElapsedTimer lastDraw_;
};
