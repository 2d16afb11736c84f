// ethrin-call: loads a promoter scanner library and calls its mainfun with
// fifteen arguments exactly as the workbench does.
//
//   ethrin-call <library.so> a0 a1 a2 a3 a4 NULL a6 a7 a8 a9 a10 a11 a12 a13 a14
//
// Argument 5 is always passed as a null pointer (write NULL for it);
// a12..a14 are whole numbers. Prints the wall time of the call.
#include <chrono>
#include <cstdlib>
#include <dlfcn.h>
#include <iostream>
#include <string>

using EthrinMain = void (*)(const char*, const char*, const char*, const char*, const char*, const char*,
                            const char*, const char*, const char*, const char*, const char*, const char*, int, int,
                            int);

int main(int argc, char** argv)
{
    if (argc != 17) {
        std::cerr << "usage: ethrin-call <library> a0 a1 a2 a3 a4 NULL a6 a7 a8 a9 a10 a11 a12 a13 a14\n";
        return 2;
    }
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        std::cerr << "can't load " << argv[1] << ": " << dlerror() << '\n';
        return 1;
    }
    auto fn = reinterpret_cast<EthrinMain>(dlsym(library, "mainfun"));
    if (!fn) {
        std::cerr << "no mainfun in " << argv[1] << '\n';
        return 1;
    }
    const char* const* a = argv + 2;
    const auto from = std::chrono::steady_clock::now();
    fn(a[0], a[1], a[2], a[3], a[4], nullptr, a[6], a[7], a[8], a[9], a[10], a[11], std::atoi(a[12]),
       std::atoi(a[13]), std::atoi(a[14]));
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - from;
    std::cerr << "mainfun took " << took.count() << " s\n";
    dlclose(library);
    return 0;
}
