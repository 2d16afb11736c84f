// The console lines of one genome's prediction: each stage as it starts and
// ends with its wall time, the engines' lines to the log, and a live
// progress line per running stage.
#pragma once

#include "Console.h"

#include "meridan/pipeline/PredictionListener.h"

#include <chrono>
#include <string>

class StageLines : public meridan::pipeline::PredictionListener {
public:
    explicit StageLines(Console& console) : console_(console) {}

    void stageStarted(meridan::pipeline::Stage stage, long long atMs) override;
    void stageFinished(const meridan::pipeline::StageReport& report) override;
    void engineLine(meridan::pipeline::Stage stage, const std::string& engine, int level,
                    const std::string& line) override;
    void engineProgress(meridan::pipeline::Stage stage, const std::string& engine, const std::string& step,
                        long long done, long long total) override;

    // "   12.34 s" (right-aligned in nine columns, in brackets).
    static std::string at(long long milliseconds);
    static std::string seconds(long long milliseconds);

private:
    long long nowMs() const;

    Console& console_;
    // The prediction's clock starts with its listener; the live lines tell
    // the time since then.
    const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};
