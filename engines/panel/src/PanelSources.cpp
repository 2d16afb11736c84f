#include "meridan/panel/PanelDatabase.h"

#include "meridan/genome/ReadResult.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace meridan::panel {

namespace fs = std::filesystem;

namespace {

enum class FileRole { GenBank, Gff3, Fasta, ProteinTable, Other };

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// The role of a file from its name, and its name without the extensions.
FileRole roleOf(const fs::path& path, std::string& stem)
{
    std::string name = path.filename().string();
    std::string lower = lowerCase(name);
    if (lower.size() > 3 && lower.ends_with(".gz")) {
        name.resize(name.size() - 3);
        lower.resize(lower.size() - 3);
    }
    const auto dot = lower.rfind('.');
    if (dot == std::string::npos)
        return FileRole::Other;
    const std::string ext = lower.substr(dot + 1);
    stem = name.substr(0, dot);
    if (ext == "gbff" || ext == "gbk" || ext == "gb" || ext == "genbank")
        return FileRole::GenBank;
    if (ext == "gff" || ext == "gff3")
        return FileRole::Gff3;
    if (ext == "fna" || ext == "fa" || ext == "fasta" || ext == "fas")
        return FileRole::Fasta;
    if (ext == "ptt")
        return FileRole::ProteinTable;
    return FileRole::Other;
}

std::vector<std::vector<std::string>> folderSources(const fs::path& folder)
{
    std::map<std::string, std::map<FileRole, std::string>> byStem;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        std::string stem;
        const FileRole role = roleOf(file, stem);
        if (role != FileRole::Other)
            byStem[stem].emplace(role, file.string());
    }
    std::vector<std::vector<std::string>> out;
    for (const auto& [stem, roles] : byStem) {
        const auto has = [&](FileRole r) { return roles.count(r) != 0; };
        if (has(FileRole::GenBank))
            out.push_back({roles.at(FileRole::GenBank)});
        else if (has(FileRole::Gff3) && has(FileRole::Fasta))
            out.push_back({roles.at(FileRole::Fasta), roles.at(FileRole::Gff3)});
        else if (has(FileRole::Gff3))
            out.push_back({roles.at(FileRole::Gff3)});
        else if (has(FileRole::Fasta) && has(FileRole::ProteinTable))
            out.push_back({roles.at(FileRole::Fasta), roles.at(FileRole::ProteinTable)});
    }
    return out;
}

} // namespace

std::vector<std::vector<std::string>> panelSources(const std::string& panel, std::string& error)
{
    std::error_code ec;
    if (fs::is_directory(panel, ec)) {
        auto out = folderSources(panel);
        if (out.empty())
            error = panel + ": no annotated genome (GenBank, GFF3, FASTA with GFF3 or PTT) in this folder";
        return out;
    }
    std::ifstream in(panel);
    if (!in) {
        error = genome::cantOpenMessage(panel);
        return {};
    }
    const fs::path base = fs::path(panel).parent_path();
    std::vector<std::vector<std::string>> out;
    std::string line;
    for (long number = 1; std::getline(in, line); ++number) {
        if (const auto hash = line.find('#'); hash != std::string::npos)
            line.resize(hash);
        std::istringstream words(line);
        std::vector<std::string> files;
        for (std::string w; words >> w;)
            files.push_back(fs::path(w).is_absolute() ? w : (base / w).string());
        if (files.empty())
            continue;
        if (files.size() > 2) {
            error = panel + ":" + std::to_string(number) + ": a genome is one or two files, not " +
                    std::to_string(files.size());
            return {};
        }
        out.push_back(files);
    }
    if (out.empty())
        error = panel + ": the list names no genome";
    return out;
}

} // namespace meridan::panel
