// Usage: terminator-run <library.so> <genome.fna> <genome.ptt> <output folder/>
// Loads an engine library whose mainfun takes (FNA, PTT, output folder) --
// the terminator engines and the operon engine -- calls it once and exits
// with 0 when it returned 1.
#include <dlfcn.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s <library.so> <genome.fna> <genome.ptt> <output folder/>\n", argv[0]);
        return 2;
    }
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        std::fprintf(stderr, "cannot load %s: %s\n", argv[1], dlerror());
        return 2;
    }
    using Entry = int (*)(const char*, const char*, const char*);
    const auto entry = reinterpret_cast<Entry>(dlsym(library, "mainfun"));
    if (entry == nullptr) {
        std::fprintf(stderr, "no mainfun in %s\n", argv[1]);
        dlclose(library);
        return 2;
    }
    const int result = entry(argv[2], argv[3], argv[4]);
    std::fflush(stdout);
    dlclose(library);
    std::fprintf(stderr, "mainfun returned %d\n", result);
    return result == 1 ? 0 : 1;
}
