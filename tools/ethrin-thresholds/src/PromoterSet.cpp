#include "PromoterSet.h"

#include "ToolOptions.h"
#include "meridan/ethrin/InputError.h"
#include "meridan/ethrin/TextFields.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <utility>

namespace meridan::ethrin::tools {

std::vector<KnownPromoter> readPromoterSet(const std::string& path)
{
    std::ifstream in = openInputFile(path);
    std::vector<KnownPromoter> out;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        const auto f = splitTabs(line);
        if (f.size() < 8)
            throw InputError(path + ":" + std::to_string(number) + ": fewer than 8 columns");
        KnownPromoter p;
        p.name = std::string(f[1]);
        if (f[2] == "forward")
            p.strand = '+';
        else if (f[2] == "reverse")
            p.strand = '-';
        else
            continue; // no strand: not placeable
        const auto tss = toLong(f[3]);
        if (!tss)
            continue; // no start: not placeable
        p.tss = *tss;
        p.sigmas = splitCommas(std::string(f[4]));
        p.sequence = std::string(f[5]);
        for (char& c : p.sequence)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        p.confidence = std::string(f[7]);
        out.push_back(std::move(p));
    }
    return out;
}

std::vector<KnownPromoter> selectPromoters(const std::vector<KnownPromoter>& all, const std::string& sigma,
                                           const std::vector<std::string>& confidences, long skipFrom,
                                           long skipTo)
{
    std::vector<KnownPromoter> out;
    std::set<std::pair<char, long>> seen;
    for (const KnownPromoter& p : all) {
        if (std::find(p.sigmas.begin(), p.sigmas.end(), sigma) == p.sigmas.end())
            continue;
        if (std::find(confidences.begin(), confidences.end(), p.confidence) == confidences.end())
            continue;
        if (p.tss >= skipFrom && p.tss <= skipTo)
            continue;
        if (!seen.insert({p.strand, p.tss}).second)
            continue;
        out.push_back(p);
    }
    return out;
}

} // namespace meridan::ethrin::tools
