#include "meridan/panel/PanelDatabase.h"

#include "meridan/genome/ReadResult.h"
#include "meridan/panel/HomologySearch.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace meridan::panel {

namespace fs = std::filesystem;

namespace {

constexpr const char* kManifest = "panel.tsv";
constexpr const char* kGeneOrder = "genes.tsv";
constexpr const char* kProteins = "proteins.faa";
constexpr const char* kFormat = "#meridan-panel\t1";
// Raised whenever what a build writes changes, so that older databases are built again.
constexpr int kBuilderVersion = 2;

// Names, sizes and modification times of the panel's files: a database
// built from the same signature is up to date.
std::string signatureOf(const std::vector<std::vector<std::string>>& sources)
{
    std::ostringstream text;
    text << kBuilderVersion << '\n';
    for (const auto& genome : sources) {
        for (const auto& file : genome) {
            std::error_code ec;
            const auto size = fs::file_size(file, ec);
            const auto time = fs::last_write_time(file, ec).time_since_epoch().count();
            text << fs::absolute(file).lexically_normal().string() << '|' << size << '|' << time << ';';
        }
        text << '\n';
    }
    return hashText(sequenceHash({text.str()}));
}

std::string genomeName(const std::vector<std::string>& sources)
{
    std::string name = fs::path(sources.back()).filename().string();
    for (const char* ext : {".gz", ".gbff", ".gbk", ".gb", ".gff3", ".gff", ".ptt"})
        if (name.size() > std::strlen(ext) && name.ends_with(ext))
            name.resize(name.size() - std::strlen(ext));
    return name;
}

bool readManifest(const std::string& folder, std::string& signature, PanelDatabase& out)
{
    std::ifstream in(folder + "/" + kManifest);
    std::string line;
    if (!std::getline(in, line) || line != kFormat)
        return false;
    out.folder = folder;
    out.genomes.clear();
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string kind;
        std::getline(fields, kind, '\t');
        if (kind == "#signature") {
            std::getline(fields, signature);
        } else if (kind == "genome") {
            PanelEntry e;
            std::string hash, count, sources;
            std::getline(fields, e.name, '\t');
            std::getline(fields, hash, '\t');
            std::getline(fields, count, '\t');
            std::getline(fields, sources);
            e.sequenceHash = std::stoull(hash, nullptr, 16);
            std::istringstream list(sources);
            for (std::string s; std::getline(list, s, ';');)
                e.sources.push_back(s);
            e.genes.resize(std::stoul(count));
            out.genomes.push_back(std::move(e));
        }
    }
    return !signature.empty();
}

bool readGeneOrder(PanelDatabase& db, std::string& error)
{
    std::ifstream in(db.folder + "/" + kGeneOrder);
    if (!in) {
        error = genome::cantOpenMessage(db.folder + "/" + kGeneOrder);
        return false;
    }
    std::vector<std::size_t> filled(db.genomes.size(), 0);
    std::size_t genome = 0;
    PanelGene g;
    while (in >> genome >> g.record >> g.start >> g.end >> g.strand) {
        if (genome >= db.genomes.size() || filled[genome] >= db.genomes[genome].genes.size()) {
            error = db.folder + "/" + kGeneOrder + ": does not match " + kManifest + "; build the panel again";
            return false;
        }
        db.genomes[genome].genes[filled[genome]++] = g;
    }
    for (std::size_t k = 0; k < db.genomes.size(); ++k)
        if (filled[k] != db.genomes[k].genes.size()) {
            error = db.folder + "/" + kGeneOrder + ": does not match " + kManifest + "; build the panel again";
            return false;
        }
    return true;
}

// Reads the genomes on all cores; an unreadable genome is reported and left out.
std::vector<PanelGenome> readGenomes(const std::vector<std::vector<std::string>>& sources, const PanelLog& log)
{
    std::vector<PanelGenome> genomes(sources.size());
    std::vector<std::string> errors(sources.size());
    std::vector<char> ok(sources.size(), 0);
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t k; (k = next++) < sources.size();)
            ok[k] = readPanelGenome(sources[k], genomes[k], errors[k]);
    };
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < std::max(1u, std::thread::hardware_concurrency()); ++t)
        threads.emplace_back(work);
    for (auto& t : threads)
        t.join();
    std::vector<PanelGenome> out;
    for (std::size_t k = 0; k < sources.size(); ++k) {
        if (ok[k] && genomes[k].genes.size() >= 2) {
            genomes[k].name = genomeName(sources[k]);
            out.push_back(std::move(genomes[k]));
        } else if (log) {
            log("panel genome left out: " + (ok[k] ? sources[k].back() + ": fewer than two protein genes" : errors[k]));
        }
    }
    return out;
}

bool writeDatabase(const std::vector<PanelGenome>& genomes, const std::string& folder, const std::string& signature,
                   std::string& error)
{
    {
        std::ofstream order(folder + "/" + kGeneOrder, std::ios::trunc);
        std::ofstream proteins(folder + "/" + kProteins, std::ios::trunc);
        for (std::size_t k = 0; k < genomes.size(); ++k)
            for (std::size_t i = 0; i < genomes[k].genes.size(); ++i) {
                const PanelGene& g = genomes[k].genes[i];
                order << k << '\t' << g.record << '\t' << g.start << '\t' << g.end << '\t' << g.strand << '\n';
                if (!g.protein.empty())
                    proteins << ">g" << k << '_' << i << '\n' << g.protein << '\n';
            }
        if (!order.flush() || !proteins.flush()) {
            error = "Can't write the panel database in " + folder + " !";
            return false;
        }
    }
    if (!runProgram({mmseqsProgram(), "createdb", folder + "/" + kProteins, folder + "/proteins", "-v", "1"},
                    folder + "/mmseqs.log", error))
        return false;
    const std::string manifest = folder + "/" + kManifest;
    {
        std::ofstream out(manifest + ".part", std::ios::trunc);
        out << kFormat << "\n#signature\t" << signature << '\n';
        for (const auto& g : genomes) {
            out << "genome\t" << g.name << '\t' << hashText(g.sequenceHash) << '\t' << g.genes.size() << '\t';
            for (std::size_t s = 0; s < g.sources.size(); ++s)
                out << (s ? ";" : "") << g.sources[s];
            out << '\n';
        }
        if (!out.flush()) {
            error = "Can't write file " + manifest + " !";
            return false;
        }
    }
    std::error_code ec;
    fs::rename(manifest + ".part", manifest, ec);
    if (ec) {
        error = "Can't write file " + manifest + " !";
        return false;
    }
    return true;
}

} // namespace

bool openPanel(const std::string& folder, PanelDatabase& out, std::string& error)
{
    std::string signature;
    if (!readManifest(folder, signature, out)) {
        error = folder + ": no panel database here (build it with meridan-panel build)";
        return false;
    }
    return readGeneOrder(out, error);
}

bool openOrBuildPanel(const std::vector<std::vector<std::string>>& sources, const std::string& folder,
                      PanelDatabase& out, std::string& error, const PanelLog& log)
{
    const std::string signature = signatureOf(sources);
    std::string stored;
    if (readManifest(folder, stored, out) && stored == signature && readGeneOrder(out, error)) {
        if (log)
            log("panel database up to date: " + std::to_string(out.genomes.size()) + " genomes in " + folder);
        return true;
    }
    std::error_code ec;
    fs::create_directories(folder, ec);
    fs::remove(folder + "/" + kManifest, ec);
    fs::remove_all(folder + "/searches", ec); // searches of the old panel
    const auto genomes = readGenomes(sources, log);
    if (genomes.empty()) {
        error = "no panel genome could be read";
        return false;
    }
    if (!writeDatabase(genomes, folder, signature, error))
        return false;
    if (log)
        log("panel database built: " + std::to_string(genomes.size()) + " genomes in " + folder);
    return openPanel(folder, out, error);
}

std::string cachedPanelFolder(const std::string& panel)
{
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    const fs::path base = cache && *cache ? fs::path(cache) : fs::path(home && *home ? home : ".") / ".cache";
    std::error_code ec;
    const std::string key = fs::absolute(panel, ec).lexically_normal().string();
    return (base / "meridan" / "panels" / hashText(sequenceHash({key}))).string();
}

bool openNamedPanel(const std::string& panel, PanelDatabase& out, std::string& error, const PanelLog& log)
{
    std::error_code ec;
    if (fs::is_directory(panel, ec) && fs::exists(fs::path(panel) / kManifest, ec))
        return openPanel(panel, out, error);
    const auto sources = panelSources(panel, error);
    if (sources.empty())
        return false;
    return openOrBuildPanel(sources, cachedPanelFolder(panel), out, error, log);
}

} // namespace meridan::panel
