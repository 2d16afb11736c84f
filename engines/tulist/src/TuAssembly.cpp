#include "brintel/TuAssembly.h"

#include "brintel/TextFields.h"

#include <limits>
#include <ostream>
#include <set>

namespace brintel {

std::string padOperonNumber(int operon, std::ostream& log)
{
    std::string text = std::to_string(operon);
    if (text.size() < 5)
        return std::string(4 - std::min<std::size_t>(text.size(), 4), '0') + text;
    log << "given length is not enough.\n";
    return text;
}

namespace {

struct StrandGenes {
    std::map<int, std::vector<int>> operons; // operon number -> ascending gene indexes
    std::set<int> promoterGenes;
    std::set<int> terminatorGenes;
};

StrandGenes collectStrand(const GeneIndexTable& table, bool plusStrand, double promoterCut,
                          double terminatorCut)
{
    StrandGenes genes;
    for (const auto& [index, row] : table) {
        const std::vector<std::string> fields = splitFields(row);
        const std::string strand = fields.size() > field::strand ? fields[field::strand] : "";
        const bool plus = !strand.empty() && strand.front() == '+';
        if (plus != plusStrand)
            continue;
        genes.operons[leadingInt(itemOr(fields, field::tu))].push_back(index);
        if (decimalValue(itemOr(fields, field::promoterScore)) > promoterCut)
            genes.promoterGenes.insert(index);
        if (decimalValue(itemOr(fields, field::terminatorScore)) > terminatorCut)
            genes.terminatorGenes.insert(index);
    }
    return genes;
}

// Members of `genes` in the closed range [low, high].
std::vector<int> inRange(const std::set<int>& genes, long long low, long long high)
{
    std::vector<int> found;
    if (low > high || low > std::numeric_limits<int>::max())
        return found;
    for (auto it = genes.lower_bound(static_cast<int>(low)); it != genes.end() && *it <= high; ++it)
        found.push_back(*it);
    return found;
}

} // namespace

PassResult assembleTus(const GeneIndexTable& table, bool plusStrand, double promoterCut,
                       double terminatorCut, std::ostream& log)
{
    const StrandGenes genes = collectStrand(table, plusStrand, promoterCut, terminatorCut);
    PassResult result;
    PassCounters& counters = result.counters;

    for (const auto& [operon, members] : genes.operons) {
        const long long first = members.front();
        const long long last = members.back();
        std::set<int> lower{members.front()};
        std::set<int> upper{members.back()};

        // A promoter opens a TU in the direction of transcription; a
        // terminator closes one. On '+' that is toward higher indexes, on
        // the other strand toward lower ones.
        const std::vector<int> promoters = plusStrand ? inRange(genes.promoterGenes, first + 1, last)
                                                      : inRange(genes.promoterGenes, first, last - 1);
        const std::vector<int> terminators = plusStrand
                                                 ? inRange(genes.terminatorGenes, first, last - 1)
                                                 : inRange(genes.terminatorGenes, first + 1, last);
        std::set<int>& promoterBounds = plusStrand ? lower : upper;
        std::set<int>& terminatorBounds = plusStrand ? upper : lower;
        promoterBounds.insert(promoters.begin(), promoters.end());
        terminatorBounds.insert(terminators.begin(), terminators.end());
        counters.internalPromoters += static_cast<int>(promoters.size());
        counters.internalTerminators += static_cast<int>(terminators.size());

        int ordinal = 0;
        for (int s : lower) {
            for (auto e = upper.lower_bound(s); e != upper.end(); ++e) {
                const std::string name = padOperonNumber(operon, log) + "." + std::to_string(ordinal);
                std::vector<int>& tu = result.tus[name];
                tu.clear();
                for (long long g = s; g <= *e; ++g)
                    tu.push_back(static_cast<int>(g));
                ++counters.tuCount;
                if (ordinal > 0)
                    ++counters.alternativeCount;
                ++ordinal;
            }
        }
    }

    log << counters.internalPromoters << " internal promoters when the cut value set " << promoterCut
        << '\n';
    log << counters.internalTerminators << " internal terminators when the cut value set "
        << terminatorCut << '\n';
    log << counters.tuCount << " TUs including " << counters.alternativeCount
        << " alternative ones\n";
    return result;
}

void mergeTuMaps(TuMap& into, const TuMap& plusPass)
{
    for (const auto& [name, members] : plusPass) {
        std::vector<int>& target = into[name];
        target.insert(target.end(), members.begin(), members.end());
    }
}

} // namespace brintel
