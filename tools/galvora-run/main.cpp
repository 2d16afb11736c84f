// galvora-run LIBRARY FNA PTT OUTPUT_PREFIX
// Loads the operon engine library, calls mainfun(FNA, PTT, OUTPUT_PREFIX)
// and exits with 0 when it returned 1.
#include <dlfcn.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s LIBRARY FNA PTT OUTPUT_PREFIX\n", argv[0]);
        return 2;
    }
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        std::fprintf(stderr, "cannot load %s: %s\n", argv[1], dlerror());
        return 2;
    }
    using Entry = int (*)(const char*, const char*, const char*);
    auto entry = reinterpret_cast<Entry>(dlsym(library, "mainfun"));
    if (!entry) {
        std::fprintf(stderr, "no mainfun in %s\n", argv[1]);
        dlclose(library);
        return 2;
    }
    const int result = entry(argv[2], argv[3], argv[4]);
    std::fflush(stdout);
    dlclose(library);
    return result == 1 ? 0 : 1;
}
