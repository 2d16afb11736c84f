// The exported entry of the promoter scanner library: fifteen arguments,
// twelve strings (argument 5 is never read) and three integers.
#include "meridan/engine/RunContext.h"
#include "meridan/ethrin/EthrinRun.h"

#include <charconv>
#include <cstring>

#include <cstdio>
#include <exception>
#include <iostream>

namespace {

std::string text(const char* s)
{
    return s ? std::string(s) : std::string();
}

bool readNumber(const char* s, int& value)
{
    const char* end = s + std::strlen(s);
    const auto [stop, error] = std::from_chars(s, end, value);
    return error == std::errc() && stop == end && stop != s;
}

} // namespace

extern "C" __attribute__((visibility("default"))) void mainfun(
    const char* a0, const char* /*a1*/, const char* a2, const char* a3, const char* /*a4*/,
    const char* /*a5*/, const char* a6, const char* /*a7*/, const char* a8, const char* a9,
    const char* a10, const char* a11, int a12, int a13, int a14)
{
    try {
        meridan::ethrin::EthrinArguments args;
        args.resultDir = text(a0);
        args.annotationDir = text(a2);
        args.fnaDir = text(a3);
        args.genomeId = text(a6);
        args.wmDir = text(a8);
        args.pttDir = text(a9);
        args.rntDir = text(a10);
        args.thresholdDir = text(a11);
        args.upstream = a12;
        args.downstream = a13;
        args.keep = a14;
        meridan::ethrin::runEthrin(args, std::cout);
    } catch (...) {
        // Nothing may leave the library; an allocation failure while
        // building the arguments is the only way here.
        std::fputs("Ethrin: out of memory; no promoter files written\n", stdout);
    }
}

// argv: ANNOTATION_DIR FNA_DIR ID WM_DIR PTT_DIR RNT_DIR THRESHOLD_DIR UPSTREAM
// DOWNSTREAM KEEP (mainfun's arguments 2, 3, 6, 8-14). Writes the four
// ID.sigmaNN.sca.dat files into the context's output folder; progress stage
// "genes scanned".
MERIDAN_ENGINE_EXPORT int meridan_engine_run_v1(const MeridanEngineContext* context, int argc,
                                                const char* const* argv)
{
    using namespace meridan;
    return engine::runEntry("Ethrin", context, argc, argv, 10,
                            [argv](const engine::RunContext& run, std::ostream& log, const std::string& prefix) {
                                ethrin::EthrinArguments args;
                                args.resultDir = prefix;
                                args.annotationDir = argv[0];
                                args.fnaDir = argv[1];
                                args.genomeId = argv[2];
                                args.wmDir = argv[3];
                                args.pttDir = argv[4];
                                args.rntDir = argv[5];
                                args.thresholdDir = argv[6];
                                int* numbers[] = {&args.upstream, &args.downstream, &args.keep};
                                for (int k = 0; k < 3; ++k)
                                    if (!readNumber(argv[7 + k], *numbers[k])) {
                                        log << "Ethrin: argument " << (8 + k) << " \"" << argv[7 + k]
                                            << "\" is not a whole number; no promoter files written\n";
                                        return false;
                                    }
                                args.context = &run;
                                return ethrin::runEthrin(args, log);
                            });
}
