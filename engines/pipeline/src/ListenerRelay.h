// Hands the calls of a prediction's threads to its listener one at a time,
// with the time since the prediction started.
#pragma once

#include "meridan/pipeline/PredictionListener.h"

#include <chrono>
#include <mutex>

namespace meridan::pipeline {

class ListenerRelay {
public:
    explicit ListenerRelay(PredictionListener* listener) : listener_(listener) {}

    long long elapsedMs() const
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_)
            .count();
    }
    void stageStarted(Stage stage)
    {
        const long long at = elapsedMs();
        std::lock_guard lock(mutex_);
        if (listener_)
            listener_->stageStarted(stage, at);
    }
    void stageFinished(const StageReport& report)
    {
        std::lock_guard lock(mutex_);
        if (listener_)
            listener_->stageFinished(report);
    }
    void line(Stage stage, const std::string& engine, int level, const std::string& text)
    {
        std::lock_guard lock(mutex_);
        if (listener_)
            listener_->engineLine(stage, engine, level, text);
    }
    void progress(Stage stage, const std::string& engine, const std::string& step, long long done, long long total)
    {
        std::lock_guard lock(mutex_);
        if (listener_)
            listener_->engineProgress(stage, engine, step, done, total);
    }

private:
    PredictionListener* listener_;
    std::mutex mutex_;
    const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

} // namespace meridan::pipeline
