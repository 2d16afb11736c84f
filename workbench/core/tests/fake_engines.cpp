// Stand-ins for the engine libraries, for the window's prediction tests. Each
// build defines one FAKE_<Name>; the library appends its name to "calls.txt"
// in the working folder and writes small, predictable result files for the
// genes of the table it is given, into the output folder of its context.
// While "hold.txt" exists in the working folder the operon stand-in waits (at
// most a minute, or until cancelled), so tests can act during a run. Names
// listed in "fail.txt" fail without writing.
#include "meridan/engine/EngineApi.h"

#include "FakeEngineFiles.h"

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))
// The versioned entry point around a stand-in taking the context `c`, argv
// `a` and giving a MeridanRunStatus.
#define FAKE_ENTRY(body)                                                                       \
    FAKE_EXPORT int meridan_engine_run_v1([[maybe_unused]] const MeridanEngineContext* c, int,          \
                                          [[maybe_unused]] const char* const* a)                     \
    {                                                                                          \
        return (body);                                                                         \
    }

namespace {
using fake_engine::genomeId;
using fake_engine::listed;
using fake_engine::writeFile;
// Each build uses only some of these helpers.

[[maybe_unused]] bool exists(const char* path)
{
    return std::ifstream(path).good();
}

// Records the call; false when the engine must fail.
[[maybe_unused]] bool record(const std::string& name)
{
    std::ofstream("calls.txt", std::ios::app) << name << '\n';
    return !listed("fail.txt", name);
}

// Synonyms of the data rows of a gene table, in order.
[[maybe_unused]] std::vector<std::string> synonyms(const std::string& table)
{
    std::ifstream in(table);
    std::string line;
    std::vector<std::string> result;
    for (int i = 0; i < 3 && std::getline(in, line); ++i) {
    }
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string f[6];
        for (auto& x : f)
            fields >> x;
        if (!f[5].empty())
            result.push_back(f[5]);
    }
    return result;
}

} // namespace

#if defined(FAKE_Galvora)
// Operon numbers i / 2 and signal positions 10 + i, -1, 5 * i.
int run(const MeridanEngineContext* c, const char* fna, const char* table)
{
    const char* out = c->outputDir;
    const int* cancel = c->cancel;
    if (exists("hold.txt"))
        c->progress(c->user, "restarts", 1, 10);
    for (int i = 0; i < 3000 && exists("hold.txt"); ++i) {
        if (cancel && __atomic_load_n(cancel, __ATOMIC_ACQUIRE))
            return MERIDAN_RUN_CANCELLED;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!record("Galvora"))
        return MERIDAN_RUN_FAILED;
    std::ostringstream text;
    const auto genes = synonyms(table);
    for (std::size_t i = 0; i < genes.size(); ++i)
        text << i / 2 << "    " << 10 + i << "    " << -1 << "    " << 5 * i << '\n';
    writeFile(std::string(out) + genomeId(fna) + "_genetag.txt", text.str());
    return MERIDAN_RUN_OK;
}
FAKE_ENTRY(run(c, a[0], a[1]))
#elif defined(FAKE_Castrel)
FAKE_ENTRY(record("Castrel") ? MERIDAN_RUN_OK : MERIDAN_RUN_FAILED)
#elif defined(FAKE_Dovrane)
// One terminator after every gene of the PTT file, scored 1, 2, 3, ...
bool run(const char* fna, const char* ptt, const char* out)
{
    if (!record("Dovrane"))
        return false;
    std::ostringstream text;
    const auto genes = synonyms(ptt);
    for (std::size_t i = 0; i < genes.size(); ++i)
        text << "   12         5         4         6                   " << i + 1 << "\t\tGCGCGAAAACGCGCTTTTTT\t"
             << genes[i] << '\n';
    writeFile(std::string(out) + genomeId(fna) + "_terminator_score.txt", text.str());
    return true;
}
FAKE_ENTRY(run(a[0], a[1], c->outputDir) ? MERIDAN_RUN_OK : MERIDAN_RUN_FAILED)
#elif defined(FAKE_Ethrin)
bool run(const char* out, const char* id)
{
    if (!record("Ethrin"))
        return false;
    const std::string prefix = std::string(out) + id;
    const char* header = "name\tx\ty\tstart\tscore\tz\tfirst\tw\tsecond\tspacer\n";
    writeFile(prefix + ".sigma24.sca.dat", std::string(header) + "T0001 a b 100 2.5 c TTGACA d TATAAT 17\n");
    writeFile(prefix + ".sigma32.sca.dat", header);
    writeFile(prefix + ".sigma70.sca.dat", std::string(header) + "T0001 a b 90 3.5 c TTGACA d TATAAT 16\n");
    writeFile(prefix + ".sigma38.sca.dat", std::string(header) + "T0004 a b 500 1 c CTATACTTAACT\n");
    return true;
}
FAKE_ENTRY(run(c->outputDir, a[2]) ? MERIDAN_RUN_OK : MERIDAN_RUN_FAILED)
#elif defined(FAKE_Brintel)
// One unit per pair of genes, and a summary counting the runs in the output folder.
bool run(const char* table, const char* tulist, const char* id, const char* out)
{
    if (!record("Brintel"))
        return false;
    const auto genes = synonyms(table);
    std::ostringstream text;
    for (std::size_t i = 0; i < genes.size(); i += 2) {
        text << id << "\t000" << i / 2 << ".0\t+\t" << genes[i] << "|p|" << i;
        if (i + 1 < genes.size())
            text << ',' << genes[i + 1] << "|p|" << i + 1;
        text << "\t-\t-\t-\n";
    }
    writeFile(tulist, text.str());

    const std::string summary = std::string(out) + id + "_summary.txt";
    int runs = 0;
    std::ifstream(summary) >> runs;
    writeFile(summary, std::to_string(runs + 1) + " internal promoters,\n0 internal terminators,\n"
                           + std::to_string(genes.size()) + " TUs including 0 alternative ones.\n");
    return true;
}
FAKE_ENTRY(run(a[0], a[4], a[5], c->outputDir) ? MERIDAN_RUN_OK : MERIDAN_RUN_FAILED)
#elif defined(FAKE_NoEntry)
FAKE_EXPORT int not_the_entry()
{
    return 1;
}
#endif
