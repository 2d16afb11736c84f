// One engine run: the engine library <program>/bin/<name>.so is loaded by
// path at the moment of the run (dlopen), its versioned entry point is
// called on the calling thread with an output folder and a context, and the
// outcome is told. The library stays loaded afterwards.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace meridan::pipeline {

struct EngineOutcome {
    enum Status { Succeeded, LoadFailed, ResolveFailed, ReturnedFailure, Threw, Cancelled };
    Status status = Succeeded;
    std::string libraryPath;
    std::string detail;         // the loader's error text, or the engine's reason, when it failed
    long long milliseconds = 0; // wall time of the whole step
    bool ok() const { return status == Succeeded; }
};

struct EngineRequest {
    std::string programFolder;
    std::string name;                   // Galvora, Castrel, Dovrane, Brintel or Ethrin
    std::string outputFolder;           // every file of the run goes there
    std::vector<std::string> arguments; // as the engine's entry point lists them
    std::function<void(int level, const std::string& line)> onLine;
    std::function<void(const std::string& step, long long done, long long total)> onProgress;
    const int* cancel = nullptr;        // nonzero: the engine stops between steps
};

// <programFolder>/bin/<name>.so
std::string engineLibraryPath(const std::string& programFolder, const std::string& name);

EngineOutcome callEngine(const EngineRequest& request);

// "Galvora (operon): <why>" for a failed outcome; empty for a good one.
std::string describeFailure(const std::string& engine, const std::string& stage, const EngineOutcome& outcome);

} // namespace meridan::pipeline
