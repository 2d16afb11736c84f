#include "StageLines.h"

#include <cstdio>

using meridan::pipeline::Stage;
using meridan::pipeline::StageReport;

namespace {

// Stages without an engine of their own (the evidence step, the exports)
// report only when they end.
bool hasEngine(Stage stage)
{
    return *meridan::pipeline::stageEngines(stage) != '\0';
}

const char* levelTag(int level)
{
    switch (level) {
    case 1:
        return " warning";
    case 2:
        return " error";
    default:
        return "";
    }
}

} // namespace

std::string StageLines::seconds(long long milliseconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", double(milliseconds) / 1000.0);
    return text;
}

std::string StageLines::at(long long milliseconds)
{
    char text[40];
    std::snprintf(text, sizeof text, "[%9s]", seconds(milliseconds).c_str());
    return text;
}

long long StageLines::nowMs() const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
}

void StageLines::stageStarted(Stage stage, long long atMs)
{
    if (!hasEngine(stage))
        return;
    const std::string name = meridan::pipeline::stageName(stage);
    console_.line(at(atMs) + " " + name + " started (" + meridan::pipeline::stageEngines(stage) + ")");
    console_.progress(int(stage), at(atMs) + " " + name + ": starting");
}

void StageLines::stageFinished(const StageReport& report)
{
    const long long now = report.startedMs + report.tookMs;
    const std::string name = meridan::pipeline::stageName(report.stage);
    if (report.stage == Stage::Export) {
        for (const std::string& failure : report.failures)
            console_.line(failure);
        for (const std::string& note : report.notes)
            console_.line(note);
        return;
    }
    console_.progress(int(report.stage), std::string());
    std::string times;
    if (report.engineTimes.size() > 1) {
        for (const auto& t : report.engineTimes)
            times += (times.empty() ? " (" : ", ") + t.engine + " " + seconds(t.milliseconds);
        times += ")";
    }
    console_.line(at(now) + " " + name + (report.ok ? " finished" : " FAILED") + " in " + seconds(report.tookMs)
                  + times);
    if (report.stage == Stage::OperonEvidence) {
        for (const std::string& note : report.notes)
            console_.line("            " + note);
        return;
    }
    for (const std::string& failure : report.failures) {
        console_.line("            " + failure);
        console_.trace(failure);
    }
}

void StageLines::engineLine(Stage, const std::string& engine, int level, const std::string& line)
{
    console_.trace(engine + levelTag(level) + ": " + line);
}

void StageLines::engineProgress(Stage stage, const std::string& engine, const std::string& step, long long done,
                                long long total)
{
    std::string text = engine + " " + step + " " + std::to_string(done);
    if (total > 0)
        text += "/" + std::to_string(total);
    console_.progress(int(stage), at(nowMs()) + " " + meridan::pipeline::stageName(stage) + ": " + text);
}
