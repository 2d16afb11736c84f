#include "KnownSets.h"

#include "PromoterSet.h"
#include "meridan/evidence/ResultInputs.h"
#include "meridan/genome/TextFields.h"

#include <algorithm>
#include <fstream>
#include <set>

namespace meridan::evaluate {

using evidence::InputError;
using evidence::openInput;

namespace {

// Data lines (comments and blank lines skipped) with their line numbers.
std::vector<std::pair<int, std::string>> dataLines(const std::string& path)
{
    std::ifstream in = openInput(path);
    std::vector<std::pair<int, std::string>> lines;
    std::string line;
    int number = 0;
    while (genome::readLine(in, line)) {
        ++number;
        if (line.empty() || line[0] == '#' || line.find_first_not_of(" \t") == std::string::npos)
            continue;
        lines.emplace_back(number, line);
    }
    return lines;
}

bool isStrandWord(const std::string& s) { return s == "forward" || s == "reverse"; }

bool isNumber(const std::string& s)
{
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

} // namespace

std::vector<std::string> splitList(const std::string& text, const std::string& separators)
{
    std::vector<std::string> parts;
    std::size_t from = 0;
    while (from < text.size()) {
        const auto to = std::min(text.find_first_of(separators, from), text.size());
        if (to > from)
            parts.push_back(text.substr(from, to - from));
        from = to + 1;
    }
    return parts;
}

std::map<std::string, std::string> readGeneProducts(const std::string& path)
{
    std::map<std::string, std::string> names;
    for (const auto& [number, line] : dataLines(path)) {
        const auto f = genome::splitTabs(line);
        if (f.size() < 3)
            throw InputError(path + ":" + std::to_string(number) + ": fewer than 3 tab-separated columns");
        if (!f[1].empty() && !f[2].empty())
            names.emplace(f[1], f[2]);
    }
    return names;
}

std::vector<KnownUnit> readRegulonUnits(const std::string& path, const std::vector<std::string>& levels,
                                        const std::map<std::string, std::string>& names)
{
    std::vector<KnownUnit> units;
    for (const auto& [number, line] : dataLines(path)) {
        const auto f = genome::splitTabs(line);
        // OperonSet: name, left, right, strand, count, genes, evidence, level.
        // TUSet: id, name, operon, genes, promoter, evidence, level.
        const bool operonSet = f.size() >= 6 && isStrandWord(f[3]);
        const std::size_t genesColumn = operonSet ? 5 : 3;
        const std::size_t levelColumn = operonSet ? 7 : 6;
        if (f.size() <= genesColumn)
            throw InputError(path + ":" + std::to_string(number) + ": no gene column");
        const std::string level = f.size() > levelColumn ? f[levelColumn] : std::string();
        if (std::find(levels.begin(), levels.end(), level) == levels.end())
            continue;
        KnownUnit unit;
        for (const std::string& name : splitList(f[genesColumn], ", ")) {
            const auto it = names.find(name);
            unit.genes.push_back(it == names.end() ? name : it->second);
        }
        if (!unit.genes.empty())
            units.push_back(std::move(unit));
    }
    return units;
}

std::vector<KnownUnit> readUnitTable(const std::string& path)
{
    std::vector<KnownUnit> units;
    for (const auto& [number, line] : dataLines(path)) {
        const auto f = genome::splitTabs(line);
        if (f[0] == "promoter" || f[0] == "terminator")
            continue;
        KnownUnit unit;
        unit.genes = f[0] == "operon" ? (f.size() > 4 ? splitList(f[4], ",") : std::vector<std::string>{})
                                      : splitList(line, ", \t");
        if (unit.genes.empty())
            throw InputError(path + ":" + std::to_string(number) + ": no genes");
        units.push_back(std::move(unit));
    }
    return units;
}

std::vector<Site> readSites(const std::string& path)
{
    const bool bed = path.size() >= 4 && path.compare(path.size() - 4, 4, ".bed") == 0;
    std::vector<Site> sites;
    for (const auto& [number, line] : dataLines(path)) {
        if (line.rfind("track", 0) == 0 || line.rfind("browser", 0) == 0)
            continue;
        const auto f = splitList(line, "\t");
        const auto bad = [&, n = number](const std::string& why) {
            return InputError(path + ":" + std::to_string(n) + ": " + why);
        };
        Site site;
        if (bed) {
            if (f.size() < 3 || !isNumber(f[1]) || !isNumber(f[2]))
                throw bad("a BED row needs chromosome, start and end");
            const long from = std::stol(f[1]);
            const long to = std::stol(f[2]);
            if (to <= from)
                throw bad("BED end not after start");
            site.position = from + 1 + (to - from - 1) / 2;
            if (f.size() >= 6 && (f[5] == "+" || f[5] == "-"))
                site.strand = f[5][0];
        } else {
            bool placed = false;
            for (const std::string& field : f) {
                if (!placed && isNumber(field)) {
                    site.position = std::stol(field);
                    placed = true;
                } else if (field == "+" || field == "forward") {
                    site.strand = '+';
                } else if (field == "-" || field == "reverse") {
                    site.strand = '-';
                }
            }
            if (!placed)
                throw bad("no position");
        }
        sites.push_back(site);
    }
    return sites;
}

std::vector<Site> readStartSites(const std::string& path, const std::string& sigma,
                                 const std::vector<std::string>& levels)
{
    const auto lines = dataLines(path);
    const bool promoterSet = !lines.empty() && [&] {
        const auto f = genome::splitTabs(lines.front().second);
        return f.size() >= 8 && isStrandWord(f[2]);
    }();
    if (!promoterSet)
        return readSites(path);
    std::vector<Site> sites;
    for (const auto& p : ethrin::tools::selectPromoters(ethrin::tools::readPromoterSet(path), sigma, levels))
        sites.push_back(Site{p.tss, p.strand});
    return sites;
}

} // namespace meridan::evaluate
