// A panel of annotated genomes turned once into a reusable database: the
// gene order of every genome and its proteins as an MMseqs2 database. Built
// again only when the panel's files change.
#pragma once

#include "meridan/panel/PanelGenes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace meridan::panel {

// One genome of the panel, as the database lists it.
struct PanelEntry {
    std::string name;
    std::vector<std::string> sources;
    std::uint64_t sequenceHash = 0;
    std::vector<PanelGene> genes; // order on its records; proteins are not kept
};

struct PanelDatabase {
    std::string folder;
    std::vector<PanelEntry> genomes;
    std::string proteinDatabase() const { return folder + "/proteins"; }
};

// The genomes a panel names: a folder of annotation files (a GenBank file, a
// GFF3 file with or without a FASTA file of the same name, a FASTA file with
// a protein table of the same name), or a text file listing one genome per
// line (its files separated by blanks; '#' starts a comment). Paths in a
// list are relative to the list's folder.
std::vector<std::vector<std::string>> panelSources(const std::string& panel, std::string& error);

using PanelLog = std::function<void(const std::string&)>;

// Opens the database in folder when it was built from the same files, else
// builds it there: reads every genome (one that cannot be read is reported on
// log and left out), writes the gene order and the proteins, and runs
// `mmseqs createdb`. Fails naming the reason (no genome could be read, MMseqs2
// missing or failing, the folder not writable).
bool openOrBuildPanel(const std::vector<std::vector<std::string>>& sources, const std::string& folder,
                      PanelDatabase& out, std::string& error, const PanelLog& log = {});

// Reads a database built before; fails when folder holds none.
bool openPanel(const std::string& folder, PanelDatabase& out, std::string& error);

// The database of what a user names as the panel: a database folder itself,
// or a folder or list of genomes, whose database is kept (and reused while
// its files stay the same) under the user's cache folder
// ($XDG_CACHE_HOME/meridan/panels, else ~/.cache/meridan/panels).
bool openNamedPanel(const std::string& panel, PanelDatabase& out, std::string& error, const PanelLog& log = {});

// Where openNamedPanel keeps the database of a panel of genomes.
std::string cachedPanelFolder(const std::string& panel);

} // namespace meridan::panel
