// meridan-panel: builds (once) the panel database of comparative operon
// evidence from a folder or list of annotated genomes, and tells what it holds.
//
//   meridan-panel build PANEL DB     # PANEL: a folder of genomes or a list file
//   meridan-panel show DB
#include "meridan/panel/PanelDatabase.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: meridan-panel build PANEL DB   (PANEL: a folder of annotated genomes, or a list file)\n"
                 "       meridan-panel show DB\n"
                 "Genomes: GenBank files, GFF3 files with their sequence, FASTA + GFF3 or FASTA + PTT pairs of\n"
                 "the same name. The database is built with MMseqs2 (Debian package mmseqs2) and built again only\n"
                 "when the panel's files change.\n");
    return 2;
}

void show(const meridan::panel::PanelDatabase& db)
{
    std::size_t genes = 0;
    for (const auto& g : db.genomes) {
        std::printf("  %-40s %6zu genes\n", g.name.c_str(), g.genes.size());
        genes += g.genes.size();
    }
    std::printf("%zu genomes, %zu genes in %s\n", db.genomes.size(), genes, db.folder.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    using namespace meridan::panel;
    if (argc == 3 && std::strcmp(argv[1], "show") == 0) {
        PanelDatabase db;
        std::string error;
        if (!openPanel(argv[2], db, error)) {
            std::fprintf(stderr, "meridan-panel: %s\n", error.c_str());
            return 1;
        }
        show(db);
        return 0;
    }
    if (argc != 4 || std::strcmp(argv[1], "build") != 0)
        return usage();
    std::string error;
    const auto sources = panelSources(argv[2], error);
    if (sources.empty()) {
        std::fprintf(stderr, "meridan-panel: %s\n", error.c_str());
        return 2;
    }
    const auto from = std::chrono::steady_clock::now();
    PanelDatabase db;
    const bool ok = openOrBuildPanel(sources, argv[3], db, error,
                                     [](const std::string& line) { std::printf("%s\n", line.c_str()); });
    if (!ok) {
        std::fprintf(stderr, "meridan-panel: %s\n", error.c_str());
        return 1;
    }
    show(db);
    std::printf("took %.1f s\n", std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count());
    return 0;
}
