// A stand-in for an engine library. The test copies it into bin/ under an
// engine's name; it appends that name and its arguments to "calls.txt" in the
// working folder, one line each, and writes the result file the engine of
// that name would into the output folder. Names listed in "fail.txt" fail;
// names listed in "silent.txt" succeed without writing anything; names listed
// in "wait.txt" wait for a cancel request.
#include "meridan/engine/EngineApi.h"

#include "FakeEngineFiles.h"

#include <dlfcn.h>

#include <chrono>
#include <thread>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {
using fake_engine::genomeId;
using fake_engine::listed;
using fake_engine::writeFile;

[[maybe_unused]] std::string ownName()
{
    Dl_info info{};
    dladdr(reinterpret_cast<void*>(&ownName), &info);
    std::string path = info.dli_fname ? info.dli_fname : "";
    path = path.substr(path.find_last_of('/') + 1);
    return path.substr(0, path.find('.'));
}

// Records the call; false when the engine must fail.
[[maybe_unused]] bool record(const std::vector<const char*>& args, bool* writeResults)
{
    const std::string name = ownName();
    std::ofstream log("calls.txt", std::ios::app | std::ios::binary);
    log << name << '\n';
    for (const char* a : args)
        log << (a ? a : "(null)") << '\n';
    log << "--\n";
    *writeResults = !listed("silent.txt", name);
    return !listed("fail.txt", name);
}

} // namespace

#if FAKE_ENTRY
// Records the output folder first, then the arguments.
extern "C" __attribute__((visibility("default"))) int
meridan_engine_run_v1(const MeridanEngineContext* context, int argc, const char* const* argv)
{
    std::vector<const char*> args{context->outputDir};
    args.insert(args.end(), argv, argv + argc);
    const std::string name = ownName();
    const auto say = [context](int level, const std::string& line) {
        context->log(context->user, level, line.c_str());
    };
    say(MERIDAN_LOG_TRACE, "fake " + name + " starts");
    context->progress(context->user, "steps", 0, 2);
    bool write = true;
    if (!record(args, &write)) {
        say(MERIDAN_LOG_ERROR, "fake failure of " + name);
        return MERIDAN_RUN_FAILED;
    }
    if (listed("wait.txt", name)) {   // until cancelled, at most ten seconds
        for (int k = 0; k < 1000 && !__atomic_load_n(context->cancel, __ATOMIC_ACQUIRE); ++k)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return MERIDAN_RUN_CANCELLED;
    }
    context->progress(context->user, "steps", 2, 2);
    if (!write)
        return MERIDAN_RUN_OK;
    const std::string out = context->outputDir;
    if (name == "Galvora")
        writeFile(out + genomeId(argv[0]) + "_genetag.txt", "0    -1    -1    -1\n");
    if (name == "Dovrane")
        writeFile(out + genomeId(argv[1]) + "_terminator_score.txt", "");
    if (name == "Brintel")
        writeFile(argv[4], "");
    if (name == "Ethrin") {
        const std::string prefix = out + argv[2];
        const char* header = "name\tx\ty\tstart\tscore\tz\tfirst\tw\tsecond\tspacer\n";
        writeFile(prefix + ".sigma24.sca.dat", std::string(header) + "g1 a b 100 2.5 c TTGACA d TATAAT 17\n");
        writeFile(prefix + ".sigma32.sca.dat", header);
        writeFile(prefix + ".sigma70.sca.dat", std::string(header) + "g1 a b 90 3.5 c TTGACA d TATAAT 16\n");
        writeFile(prefix + ".sigma38.sca.dat", std::string(header) + "g2 a b 500 1 c CTATACTTAACT\n");
    }
    return MERIDAN_RUN_OK;
}
#else
extern "C" __attribute__((visibility("default"))) int not_the_entry()
{
    return 1;
}
#endif
