#include "meridan/export/Writers.h"

#include "FormatText.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace meridan::exports {

std::string tuTable(const GenomeFeatures& f)
{
    std::vector<const TuFeature*> order;
    for (const TuFeature& tu : f.tus)
        order.push_back(&tu);
    std::sort(order.begin(), order.end(), [](const TuFeature* a, const TuFeature* b) {
        return std::tie(a->span.start, a->span.end, a->id) < std::tie(b->span.start, b->span.end, b->id);
    });
    // A joined genome's table names each unit's record first, with the
    // coordinates on that record.
    const bool joined = f.records.joined();
    const auto at = [&](const Span& span) {
        const Span local = onRecord(f, span).span;
        return std::to_string(local.start) + "\t" + std::to_string(local.end);
    };
    std::string out = joined ? "seqid\t" : "";
    out += "tu_id\tunit\toperon_id\tstrand\tstart\tend\tgene_count\tgenes\tlocus_tags\talternative\t"
                      "promoter_id\tpromoter_sigma\tpromoter_score\tpromoter_start\tpromoter_end\t"
                      "terminator_id\tterminator_score\tterminator_start\tterminator_end\n";
    for (const TuFeature* tu : order) {
        std::string genes;
        std::string tags;
        for (long g : tu->genes) {
            const GeneFeature& gene = f.genes[static_cast<std::size_t>(g)];
            genes += (genes.empty() ? "" : ",") + cellText(gene.name);
            tags += (tags.empty() ? "" : ",") + cellText(gene.locusTag);
        }
        if (joined)
            out += cellText(onRecord(f, tu->span).seqid) + "\t";
        out += cellText(tu->id) + "\t" + cellText(tu->name) + "\t" + (tu->operon ? cellText(f.operons[*tu->operon].id) : "") +
               "\t" + tu->span.strand + "\t" + at(tu->span) + "\t" + std::to_string(tu->genes.size()) + "\t" + genes + "\t" + tags + "\t" +
               (tu->alternative ? "yes" : "no") + "\t";
        if (tu->promoter) {
            const PromoterFeature& p = f.promoters[*tu->promoter];
            out += cellText(p.id) + "\t" + p.sigma + "\t" + formatNumber(p.score) + "\t" + at(p.span) + "\t";
        } else {
            out += "\t\t\t\t\t";
        }
        if (tu->terminator) {
            const TerminatorFeature& t = f.terminators[*tu->terminator];
            out += cellText(t.id) + "\t" + formatNumber(t.score) + "\t" + at(t.span) + "\n";
        } else {
            out += "\t\t\t\n";
        }
    }
    return out;
}

} // namespace meridan::exports
