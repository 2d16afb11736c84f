// The exported entry of the promoter scanner library: fifteen arguments,
// twelve strings (argument 5 is never read) and three integers.
#include "meridan/ethrin/EthrinRun.h"

#include <cstdio>
#include <exception>
#include <iostream>

namespace {

std::string text(const char* s)
{
    return s ? std::string(s) : std::string();
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
