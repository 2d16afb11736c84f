// The exported entry of the terminator scanning library.
#include "dovrane/Scanning.h"

#include <iostream>

extern "C" __attribute__((visibility("default"))) int mainfun(const char* fnaPath, const char* pttPath,
                                                              const char* outputDir)
{
    try {
        if (fnaPath == nullptr || pttPath == nullptr || outputDir == nullptr) {
            std::cout << "Dovrane: missing argument" << std::endl;
            return 0;
        }
        meridan::dovrane::ScanningInputs inputs{fnaPath, pttPath, outputDir, {}};
        const bool ok = meridan::dovrane::runScanning(inputs, std::cout).ok;
        std::cout.flush();
        return ok ? 1 : 0;
    } catch (...) {
        return 0;
    }
}
