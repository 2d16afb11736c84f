// Entry of the Galvora engine library.
#include "meridan/operon/Galvora.h"

#include <exception>
#include <iostream>

extern "C" __attribute__((visibility("default"))) int
mainfun(const char* fnaPath, const char* pttPath, const char* outputDirectory)
{
    try {
        if (!fnaPath || !pttPath || !outputDirectory) {
            std::cout << "Galvora: missing argument" << std::endl;
            return 0;
        }
        meridan::operon::RunRequest request;
        request.fnaPath = fnaPath;
        request.pttPath = pttPath;
        request.outputDirectory = outputDirectory;
        request.seed = meridan::operon::seedFromEnvironment();
        const int result = meridan::operon::runGalvora(request, std::cout);
        std::cout.flush();
        return result;
    } catch (const std::exception& e) {
        std::cout << "Galvora: " << e.what() << std::endl;
    } catch (...) {
        std::cout << "Galvora: unexpected failure" << std::endl;
    }
    return 0;
}
