#include "meridan/panel/HomologySearch.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace meridan::panel {

namespace fs = std::filesystem;

namespace {

constexpr double kMaxEvalue = 1e-5;

// "g<genome>_<gene>" back into its two numbers.
bool parseTarget(const std::string& id, int& genome, int& gene)
{
    if (id.size() < 4 || id[0] != 'g')
        return false;
    const auto bar = id.find('_');
    if (bar == std::string::npos)
        return false;
    genome = std::atoi(id.c_str() + 1);
    gene = std::atoi(id.c_str() + bar + 1);
    return true;
}

} // namespace

std::string mmseqsProgram()
{
    const char* named = std::getenv("MERIDAN_MMSEQS");
    return named && *named ? named : "mmseqs";
}

bool runProgram(const std::vector<std::string>& argv, const std::string& logPath, std::string& error)
{
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        error = "cannot run " + argv[0] + " (install MMseqs2: the Debian package mmseqs2)";
        return false;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) {
            error = "lost track of " + argv[0];
            return false;
        }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = argv[0] + " " + (argv.size() > 1 ? argv[1] : "") + " failed; its messages are in " + logPath;
        return false;
    }
    return true;
}

bool searchPanel(const PanelDatabase& panel, const std::vector<std::string>& proteins,
                 std::vector<std::vector<Homologue>>& out, std::string& error, int threads)
{
    std::ostringstream fasta;
    for (std::size_t i = 0; i < proteins.size(); ++i)
        if (!proteins[i].empty())
            fasta << ">q" << i << '\n' << proteins[i] << '\n';
    const std::string text = fasta.str();
    const std::string key = hashText(sequenceHash({text}));
    const fs::path searches = fs::path(panel.folder) / "searches";
    const fs::path hits = searches / (key + ".m8");
    std::error_code ec;
    fs::create_directories(searches, ec);
    if (!fs::exists(hits)) {
        // Each search has its own files, so that several genomes can be searched at once.
        const fs::path work = searches / (key + ".work." + std::to_string(::getpid()));
        fs::create_directories(work, ec);
        const std::string query = (work / "query.faa").string();
        std::ofstream(query, std::ios::trunc) << text;
        const std::string result = (work / "hits.m8").string();
        const bool ran = runProgram({mmseqsProgram(), "easy-search", query, panel.proteinDatabase(), result,
                                     (work / "tmp").string(), "-e", "1e-5", "--threads", std::to_string(threads),
                                     "--format-output", "query,target,evalue,bits", "-v", "1"},
                                    (searches / "mmseqs.log").string(), error);
        if (ran)
            fs::rename(result, hits, ec);
        fs::remove_all(work, ec);
        if (!ran)
            return false;
        if (ec) {
            error = "Can't write file " + hits.string() + " !";
            return false;
        }
    }
    std::ifstream in(hits);
    out.assign(proteins.size(), {});
    std::string q, t;
    double evalue = 0.0, bits = 0.0;
    while (in >> q >> t >> evalue >> bits) {
        int genome = 0, gene = 0;
        const std::size_t query = std::size_t(std::atol(q.c_str() + 1));
        if (evalue > kMaxEvalue || query >= out.size() || !parseTarget(t, genome, gene) ||
            genome >= int(panel.genomes.size()) || gene >= int(panel.genomes[std::size_t(genome)].genes.size()))
            continue;
        out[query].push_back({genome, gene, bits});
    }
    return true;
}

} // namespace meridan::panel
