// A stand-in for an engine library. The test copies it into bin/ under an
// engine's name; it appends that name and its arguments to "calls.txt" in the
// working folder, one line each, and writes the result file the engine of
// that name would. Names listed in "fail.txt" return 0; names listed in
// "silent.txt" return 1 without writing anything.
#include <dlfcn.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

[[maybe_unused]] std::string ownName()
{
    Dl_info info{};
    dladdr(reinterpret_cast<void*>(&ownName), &info);
    std::string path = info.dli_fname ? info.dli_fname : "";
    path = path.substr(path.find_last_of('/') + 1);
    return path.substr(0, path.find('.'));
}

[[maybe_unused]] bool listed(const char* file, const std::string& name)
{
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line))
        if (line == name)
            return true;
    return false;
}

[[maybe_unused]] std::string genomeId(const std::string& path)
{
    return path.size() >= 13 ? path.substr(path.size() - 13, 9) : path;
}

[[maybe_unused]] void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
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

#if FAKE_ARGS == 3
extern "C" __attribute__((visibility("default"))) int mainfun(const char* a, const char* b, const char* c)
{
    bool write = true;
    if (!record({a, b, c}, &write))
        return 0;
    const std::string name = ownName();
    if (write && name == "Galvora")
        writeFile(std::string(c) + genomeId(a) + "_genetag.txt", "0    -1    -1    -1\n");
    if (write && name == "Dovrane")
        writeFile(std::string(c) + genomeId(b) + "_terminator_score.txt", "");
    return 1;
}
#elif FAKE_ARGS == 6
extern "C" __attribute__((visibility("default"))) int mainfun(const char* a, const char* b, const char* c,
                                                              const char* d, const char* e, const char* f)
{
    bool write = true;
    if (!record({a, b, c, d, e, f}, &write))
        return 0;
    if (write)
        writeFile(e, "");
    return 1;
}
#elif FAKE_ARGS == 15
extern "C" __attribute__((visibility("default"))) void mainfun(
    const char* a0, const char* a1, const char* a2, const char* a3, const char* a4, const char* a5,
    const char* a6, const char* a7, const char* a8, const char* a9, const char* a10, const char* a11,
    int n12, int n13, int n14)
{
    bool write = true;
    const std::string n = std::to_string(n12) + " " + std::to_string(n13) + " " + std::to_string(n14);
    record({a0, a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, n.c_str()}, &write);
    if (!write)
        return;
    const std::string prefix = std::string(a0) + a6;
    const char* header = "name\tx\ty\tstart\tscore\tz\tfirst\tw\tsecond\tspacer\n";
    writeFile(prefix + ".sigma24.sca.dat", std::string(header) + "g1 a b 100 2.5 c TTGACA d TATAAT 17\n");
    writeFile(prefix + ".sigma32.sca.dat", header);
    writeFile(prefix + ".sigma70.sca.dat", std::string(header) + "g1 a b 90 3.5 c TTGACA d TATAAT 16\n");
    writeFile(prefix + ".sigma38.sca.dat", std::string(header) + "g2 a b 500 1 c CTATACTTAACT\n");
}
#else
extern "C" __attribute__((visibility("default"))) int not_the_entry()
{
    return 1;
}
#endif
