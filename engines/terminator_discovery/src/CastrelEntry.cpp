// The exported entry of the terminator discovery library.
#include "castrel/Discovery.h"

#include <iostream>

extern "C" __attribute__((visibility("default"))) int mainfun(const char* fnaPath, const char* pttPath,
                                                              const char* outputDir)
{
    try {
        if (fnaPath == nullptr || pttPath == nullptr || outputDir == nullptr) {
            std::cout << "Castrel: missing argument" << std::endl;
            return 0;
        }
        meridan::castrel::DiscoveryInputs inputs{fnaPath, pttPath, outputDir, {}};
        const bool ok = meridan::castrel::runDiscovery(inputs, std::cout).ok;
        std::cout.flush();
        return ok ? 1 : 0;
    } catch (...) {
        return 0;
    }
}
