#include "meridan/pipeline/EngineCall.h"

#include "meridan/engine/EngineApi.h"

#include <chrono>
#include <dlfcn.h>
#include <exception>
#include <filesystem>

namespace meridan::pipeline {

namespace {

// The context's user pointer: forwards to the request's callbacks and keeps
// the engine's reason for a failure.
struct Relay {
    const EngineRequest* request = nullptr;
    std::string lastError;

    static void line(void* user, int level, const char* text)
    {
        auto* relay = static_cast<Relay*>(user);
        if (level == MERIDAN_LOG_ERROR)
            relay->lastError = text;
        if (relay->request->onLine)
            relay->request->onLine(level, text);
    }
    static void progress(void* user, const char* step, long long done, long long total)
    {
        auto* relay = static_cast<Relay*>(user);
        if (relay->request->onProgress)
            relay->request->onProgress(step, done, total);
    }
};

// Loaded by absolute path: the loader keeps libraries by the name they were
// opened with.
void* load(const std::string& path, std::string& error)
{
    std::error_code ignored;
    const std::string absolute = std::filesystem::absolute(path, ignored).string();
    void* handle = dlopen(absolute.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        error = "Cannot load library " + absolute + ": (" + (why ? why : "unknown reason") + ")";
    }
    return handle;
}

} // namespace

std::string engineLibraryPath(const std::string& programFolder, const std::string& name)
{
    return (programFolder.empty() ? std::string(".") : programFolder) + "/bin/" + name + ".so";
}

EngineOutcome callEngine(const EngineRequest& request)
{
    const auto started = std::chrono::steady_clock::now();
    EngineOutcome outcome;
    outcome.libraryPath = engineLibraryPath(request.programFolder, request.name);
    void* library = load(outcome.libraryPath, outcome.detail);
    const auto entry = library ? reinterpret_cast<MeridanEngineRun>(dlsym(library, MERIDAN_ENGINE_RUN_SYMBOL))
                               : nullptr;
    if (!library) {
        outcome.status = EngineOutcome::LoadFailed;
    } else if (!entry) {
        outcome.status = EngineOutcome::ResolveFailed;
    } else {
        std::vector<const char*> argv;
        for (const std::string& argument : request.arguments)
            argv.push_back(argument.c_str());
        Relay relay{&request, {}};
        const MeridanEngineContext context{MERIDAN_ENGINE_API_VERSION, request.outputFolder.c_str(), &Relay::line,
                                           &Relay::progress, &relay, request.cancel};
        try {
            switch (entry(&context, int(argv.size()), argv.data())) {
            case MERIDAN_RUN_OK:
                break;
            case MERIDAN_RUN_CANCELLED:
                outcome.status = EngineOutcome::Cancelled;
                break;
            default:
                outcome.status = EngineOutcome::ReturnedFailure;
                outcome.detail = relay.lastError;
                break;
            }
        } catch (const std::exception& e) {
            outcome.status = EngineOutcome::Threw;
            outcome.detail = e.what();
        } catch (...) {
            outcome.status = EngineOutcome::Threw;
        }
    }
    outcome.milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(
                               std::chrono::steady_clock::now() - started)
                               .count();
    return outcome;
}

std::string describeFailure(const std::string& engine, const std::string& stage, const EngineOutcome& outcome)
{
    const std::string head = engine + " (" + stage + "): ";
    switch (outcome.status) {
    case EngineOutcome::Succeeded:
        return {};
    case EngineOutcome::LoadFailed:
        return head + "the library " + outcome.libraryPath + " could not be loaded (" + outcome.detail + ")";
    case EngineOutcome::ResolveFailed:
        return head + "the library " + outcome.libraryPath + " has no function " + MERIDAN_ENGINE_RUN_SYMBOL;
    case EngineOutcome::ReturnedFailure:
        return head + (outcome.detail.empty() ? "the engine reported a failure"
                                              : "the engine reported a failure: " + outcome.detail);
    case EngineOutcome::Threw:
        return outcome.detail.empty() ? head + "the engine stopped with an exception"
                                      : head + "the engine stopped with an exception " + outcome.detail;
    case EngineOutcome::Cancelled:
        return head + "cancelled; no result file written";
    }
    return head;
}

} // namespace meridan::pipeline
