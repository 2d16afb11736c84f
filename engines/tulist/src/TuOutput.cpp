#include "brintel/TuOutput.h"

#include "brintel/TextFields.h"

#include <ostream>
#include <vector>

namespace brintel {

void writeSummary(std::ostream& out, const PassCounters& plusPass, const PassCounters& otherPass)
{
    out << plusPass.internalPromoters + otherPass.internalPromoters << " internal promoters,\n";
    out << plusPass.internalTerminators + otherPass.internalTerminators << " internal terminators,\n";
    out << plusPass.tuCount + otherPass.tuCount << " TUs including "
        << plusPass.alternativeCount + otherPass.alternativeCount << " alternative ones.\n";
}

namespace {

// The fields of gene `index`'s row, or nothing (with a note) when it has none.
const std::string* findRow(const GeneIndexTable& table, int index, std::ostream& log)
{
    auto it = table.find(index);
    if (it != table.end())
        return &it->second;
    log << "cannot find gene corresponds to index " << index << '\n';
    return nullptr;
}

void writeTu(std::ostream& out, const std::string& genomeId, const std::string& name,
             const std::vector<int>& members, const GeneIndexTable& table, std::ostream& log)
{
    if (members.empty())
        return;
    const std::string* firstRow = findRow(table, members.front(), log);
    if (!firstRow)
        return;
    const std::string strandField = itemOr(splitFields(*firstRow), field::strand);
    const bool plus = !strandField.empty() && strandField.front() == '+';

    // The head is the gene transcribed first, the tail the one transcribed last.
    const int headIndex = plus ? members.front() : members.back();
    const int tailIndex = plus ? members.back() : members.front();
    const std::string* headRow = findRow(table, headIndex, log);
    const std::string* tailRow = headIndex == tailIndex ? headRow : findRow(table, tailIndex, log);
    if (!headRow || !tailRow)
        return;

    std::string memberList;
    for (int index : members) {
        const std::string* row = findRow(table, index, log);
        if (!row)
            continue;
        const std::vector<std::string> fields = splitFields(*row);
        if (!memberList.empty())
            memberList += ',';
        memberList += itemOr(fields, field::synonym) + "|" + itemOr(fields, field::pid) + "|" +
                      std::to_string(index);
    }

    const std::vector<std::string> head = splitFields(*headRow);
    const std::vector<std::string> tail = splitFields(*tailRow);
    out << genomeId << '\t' << name << '\t' << strandField.substr(0, 1) << '\t' << memberList << '\t'
        << itemOr(head, field::promoterBox35) << '\t' << itemOr(head, field::promoterBox10) << '\t'
        << itemOr(tail, field::terminatorSequence) << '\n';
}

} // namespace

void writeTuList(std::ostream& out, const std::string& genomeId, const TuMap& tus,
                 const GeneIndexTable& table, std::ostream& log)
{
    for (const auto& [name, members] : tus)
        writeTu(out, genomeId, name, members, table, log);
}

} // namespace brintel
