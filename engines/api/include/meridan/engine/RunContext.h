// The engine side of the run context: reporting progress, checking for a
// cancel request, and an output stream whose lines go to the caller's log
// callback. The engines' cores take a RunContext (a default one reports
// nothing and is never cancelled) and write their lines to a std::ostream.
#pragma once

#include "meridan/engine/EngineApi.h"

#include <exception>
#include <filesystem>
#include <functional>
#include <new>
#include <ostream>
#include <streambuf>
#include <string>
#include <system_error>

namespace meridan::engine {

// Thrown between steps when the caller asked the run to stop. Not a
// std::exception, so that the engines' failure handlers let it pass to the
// entry point; files staged so far are removed while the stack unwinds.
struct Cancelled {};

class RunContext {
public:
    RunContext() = default;
    explicit RunContext(const MeridanEngineContext* context) : context_(context) {}

    void progress(const char* stage, long long done, long long total) const
    {
        if (context_ && context_->progress)
            context_->progress(context_->user, stage, done, total);
    }
    bool cancelRequested() const
    {
        return context_ && context_->cancel && __atomic_load_n(context_->cancel, __ATOMIC_ACQUIRE) != 0;
    }
    void throwIfCancelled() const
    {
        if (cancelRequested())
            throw Cancelled{};
    }
    void log(int level, const std::string& line) const
    {
        if (context_ && context_->log)
            context_->log(context_->user, level, line.c_str());
    }

private:
    const MeridanEngineContext* context_ = nullptr;
};

// A std::ostream that gives every complete line to the context's log. The
// most recent line is held back until the next one arrives, so that finish()
// can send it at error level when the run failed: the line that says why.
class LineLog : private std::streambuf, public std::ostream {
public:
    explicit LineLog(const RunContext& context) : std::ostream(this), context_(context) {}
    ~LineLog() override { finish(true); }

    // Sends what is still held back; `succeeded` chooses its level.
    void finish(bool succeeded)
    {
        if (!partial_.empty())
            takeLine();
        if (held_)
            context_.log(succeeded ? MERIDAN_LOG_TRACE : MERIDAN_LOG_ERROR, last_);
        held_ = false;
    }

private:
    int overflow(int c) override
    {
        if (c == std::char_traits<char>::eof())
            return std::char_traits<char>::not_eof(c);
        if (c == '\n')
            takeLine();
        else
            partial_.push_back(static_cast<char>(c));
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override
    {
        for (std::streamsize k = 0; k < n; ++k)
            overflow(static_cast<unsigned char>(s[k]));
        return n;
    }
    void takeLine()
    {
        if (held_)
            context_.log(MERIDAN_LOG_TRACE, last_);
        last_.swap(partial_);
        partial_.clear();
        held_ = true;
    }

    const RunContext& context_;
    std::string partial_;
    std::string last_;
    bool held_ = false;
};

// The output folder of a context as the prefix the engines' cores expect
// ("dir/"), made when missing; empty when the context names none.
inline std::string outputPrefix(const MeridanEngineContext& context)
{
    if (!context.outputDir || !*context.outputDir)
        return std::string();
    std::string prefix = context.outputDir;
    if (prefix.back() != '/')
        prefix += '/';
    std::error_code ignored;
    std::filesystem::create_directories(prefix, ignored);
    return prefix;
}

// What every versioned entry point does around its engine: checks the call,
// makes the output folder, gives `body` the context, a line log and the
// output prefix, and turns its outcome, a cancel and any exception into a
// status. `body` returns true when the result files were written.
using EngineBody = std::function<bool(const RunContext&, std::ostream&, const std::string& outputPrefix)>;

inline int runEntry(const char* engine, const MeridanEngineContext* context, int argc,
                    const char* const* argv, int expectedArgc, const EngineBody& body)
{
    if (!context || context->version != MERIDAN_ENGINE_API_VERSION)
        return MERIDAN_RUN_BAD_CALL;
    const RunContext run(context);
    try {
        if (argc != expectedArgc || !argv) {
            run.log(MERIDAN_LOG_ERROR, std::string(engine) + ": expected " + std::to_string(expectedArgc)
                                           + " arguments, got " + std::to_string(argc));
            return MERIDAN_RUN_BAD_CALL;
        }
        for (int k = 0; k < argc; ++k)
            if (!argv[k]) {
                run.log(MERIDAN_LOG_ERROR, std::string(engine) + ": argument " + std::to_string(k + 1) + " is missing");
                return MERIDAN_RUN_BAD_CALL;
            }
        const std::string prefix = outputPrefix(*context);
        if (prefix.empty()) {
            run.log(MERIDAN_LOG_ERROR, std::string(engine) + ": no output folder given");
            return MERIDAN_RUN_BAD_CALL;
        }
        LineLog log(run);
        bool ok = false;
        try {
            ok = body(run, log, prefix);
        } catch (const Cancelled&) {
            log.finish(true);
            run.log(MERIDAN_LOG_WARNING, std::string(engine) + ": cancelled; no result file written");
            return MERIDAN_RUN_CANCELLED;
        } catch (const std::exception& e) {
            log << engine << ": " << e.what() << '\n';
        } catch (...) {
            log << engine << ": unexpected failure\n";
        }
        log.finish(ok);
        return ok ? MERIDAN_RUN_OK : MERIDAN_RUN_FAILED;
    } catch (...) {
        // Only an allocation failure while reporting can get here.
        return MERIDAN_RUN_FAILED;
    }
}

} // namespace meridan::engine

// Marks a function the engine library exports; everything else stays inside.
#define MERIDAN_ENGINE_EXPORT extern "C" __attribute__((visibility("default")))
