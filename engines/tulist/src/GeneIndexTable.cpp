#include "brintel/GeneIndexTable.h"

#include "brintel/TextFields.h"

#include <istream>
#include <ostream>

namespace brintel {

namespace {
// What a gene without promoter or terminator prediction is joined with.
const std::string kNoPrediction = "-\t-\t-\t-\t-\t-\t-";
} // namespace

const std::string& geneIndexHeader()
{
    static const std::string header =
        "gene_index\tgene_name\ttu_index\tlocation\tstrand\tPID\talternative_name\tproduct\t"
        "promoter_score\tpromoter.left\tpromoter.right\tpromoter_seq_35\tpromoter_seq_mid\t"
        "promoter_seq_10\tterminator_score\tterminator.left\tterminator_seq";
    return header;
}

std::string geneIndexRow(int index, const std::string& geneRow, int tu,
                         const std::string* promoterRow, const std::string* terminatorRow)
{
    const std::vector<std::string> columns = splitFields(geneRow);
    const std::vector<std::string> p = splitTokens(geneRow);
    const std::vector<std::string> r = splitTokens(promoterRow ? *promoterRow : kNoPrediction);
    const std::vector<std::string> t = splitTokens(terminatorRow ? *terminatorRow : kNoPrediction);

    std::string row = std::to_string(index);
    auto add = [&row](const std::string& value) {
        row += '\t';
        row += value;
    };
    add(itemOr(columns, 5)); // Synonym column
    add(std::to_string(tu));
    add(itemOr(p, 0)); // location
    add(itemOr(p, 1)); // strand
    add(itemOr(p, 3)); // PID
    add(itemOr(p, 4)); // gene name
    add(itemOr(p, 7)); // COG categories
    add(itemOr(p, 8)); // first word of the product
    for (std::size_t i = 1; i <= 6; ++i)
        add(itemOr(r, i)); // score, start, end, -35 box, middle, -10 box
    add(itemOr(t, 4));     // logarithmic score
    add(itemOr(t, 0));     // start within the region
    add(itemOr(t, 5));     // hairpin and tail
    return row;
}

void writeGeneIndexFile(std::ostream& out, const BuilderInputs& inputs)
{
    out << geneIndexHeader() << '\n';
    for (std::size_t i = 0; i < inputs.geneRows.size(); ++i) {
        const int index = static_cast<int>(i);
        const std::string& geneRow = inputs.geneRows[i].text;
        const std::vector<std::string> columns = splitFields(geneRow);

        auto operon = inputs.operonNumbers.find(index);
        const int tu = operon != inputs.operonNumbers.end() ? operon->second : -1;

        const std::string* promoter = nullptr;
        const std::string* terminator = nullptr;
        if (columns.size() > 5) {
            const std::string& synonym = columns[5];
            if (auto it = inputs.promoterRows.find(synonym); it != inputs.promoterRows.end())
                promoter = &it->second.text;
            if (auto it = inputs.terminatorRows.find(synonym); it != inputs.terminatorRows.end())
                terminator = &it->second.text;
        }
        out << geneIndexRow(index, geneRow, tu, promoter, terminator) << '\n';
    }
}

GeneIndexTable readGeneIndexTable(std::istream& in)
{
    GeneIndexTable table;
    std::string line;
    if (!readLine(in, line))
        return table;
    while (readLine(in, line)) {
        if (isBlank(line))
            continue;
        table[leadingInt(splitFields(line).front())] = line;
    }
    return table;
}

} // namespace brintel
