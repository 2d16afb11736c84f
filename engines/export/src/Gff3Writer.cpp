#include "meridan/export/Writers.h"

#include "FormatText.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace meridan::exports {

namespace {

std::string percent(unsigned char c)
{
    char text[4];
    std::snprintf(text, sizeof text, "%%%02X", c);
    return text;
}

} // namespace

std::string escapeGff3Attribute(const std::string& value)
{
    std::string out;
    for (char ch : value) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F || ch == '%' || ch == ';' || ch == '=' || ch == '&' || ch == ',')
            out += percent(c);
        else
            out += ch;
    }
    return out;
}

std::string escapeGff3Seqid(const std::string& seqid)
{
    static const std::string allowed = ".:^*$@!+_?-|";
    std::string out;
    for (char ch : seqid) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            allowed.find(ch) != std::string::npos)
            out += ch;
        else
            out += percent(c);
    }
    return out;
}

namespace {

// Type order among features that start and end at the same base.
enum Rank { RegionRank, OperonRank, TuRank, PromoterRank, Box35Rank, Box10Rank, TerminatorRank };

struct Line {
    Span span;
    Rank rank;
    std::string id;
    std::string text;
};

class Gff3 {
public:
    explicit Gff3(const GenomeFeatures& f) : f_(f), seqid_(escapeGff3Seqid(f.seqid)) {}

    std::string text()
    {
        long end = f_.genomeLength;
        // The records of a joined genome (contigs, plasmids) with no claim on
        // their topology: GFF3 knows only Is_circular=true.
        for (const genome::RecordSpan& record : f_.records.records)
            add({static_cast<long>(record.start), static_cast<long>(record.end()), '+'}, RegionRank, "", "region", ".",
                '.', {{"ID", record.id}});
        if (f_.genomeLength > 0 && !f_.records.joined())
            add({1, f_.genomeLength, '+'}, RegionRank, "", "region", ".", '.',
                {{"ID", f_.seqid}, {"Is_circular", f_.circular ? "true" : "false"}});
        for (const OperonFeature& op : f_.operons) {
            std::vector<std::pair<std::string, std::string>> a{{"ID", op.id},
                                                               {"Name", rangeName(op.genes)},
                                                               {"genes", geneNames(op.genes)},
                                                               {"locus_tags", locusTags(op.genes)}};
            if (op.weakestLink) {
                char p[16];
                std::snprintf(p, sizeof p, "%.3f", *op.weakestLink);
                a.push_back({"link_probability", p});
            }
            add(op.span, OperonRank, op.id, "operon", ".", op.span.strand, a);
        }
        for (const TuFeature& tu : f_.tus) {
            std::vector<std::pair<std::string, std::string>> a{{"ID", tu.id}, {"Name", rangeName(tu.genes)}};
            if (tu.operon)
                a.push_back({"Parent", f_.operons[*tu.operon].id});
            a.push_back({"genes", geneNames(tu.genes)});
            a.push_back({"locus_tags", locusTags(tu.genes)});
            a.push_back({"unit", tu.name});
            a.push_back({"alternative", tu.alternative ? "true" : "false"});
            if (tu.promoter)
                a.push_back({"promoter", f_.promoters[*tu.promoter].id});
            if (tu.terminator)
                a.push_back({"terminator", f_.terminators[*tu.terminator].id});
            add(tu.span, TuRank, tu.id, "transcript", ".", tu.span.strand, a);
        }
        for (const PromoterFeature& p : f_.promoters) {
            const GeneFeature& gene = f_.genes[static_cast<std::size_t>(p.gene)];
            std::vector<std::pair<std::string, std::string>> a{{"ID", p.id}, {"Name", gene.name}};
            if (!p.sigma.empty())
                a.push_back({"sigma", p.sigma});
            a.push_back({"gene", gene.locusTag});
            add(p.span, PromoterRank, p.id, promoterType(p.sigma), formatNumber(p.score), p.span.strand, a);
            if (p.box35)
                add(*p.box35, Box35Rank, p.id + ":-35", "minus_35_signal", ".", p.span.strand,
                    {{"ID", p.id + ":-35"}, {"Parent", p.id}, {"sequence", p.box35Text}});
            add(p.box10, Box10Rank, p.id + ":-10", "minus_10_signal", ".", p.span.strand,
                {{"ID", p.id + ":-10"}, {"Parent", p.id}, {"sequence", p.box10Text}});
        }
        for (const TerminatorFeature& t : f_.terminators) {
            const GeneFeature& gene = f_.genes[static_cast<std::size_t>(t.gene)];
            add(t.span, TerminatorRank, t.id, "rho_independent_bacterial_terminator", formatNumber(t.score),
                t.span.strand,
                {{"ID", t.id}, {"Name", gene.name}, {"gene", gene.locusTag}, {"stem", std::to_string(t.stem)},
                 {"loop", std::to_string(t.loop)}, {"tail", std::to_string(t.tail)}, {"sequence", t.sequence}});
        }
        std::sort(lines_.begin(), lines_.end(), [](const Line& a, const Line& b) {
            if (a.span.start != b.span.start)
                return a.span.start < b.span.start;
            if (a.span.end != b.span.end)
                return a.span.end > b.span.end;
            if (a.rank != b.rank)
                return a.rank < b.rank;
            return a.id < b.id;
        });
        for (const Line& line : lines_)
            end = std::max(end, line.span.end);
        std::string out = "##gff-version 3\n";
        // One sequence region per record: the files open against the records' own FASTA.
        for (const genome::RecordSpan& record : f_.records.records)
            out += "##sequence-region " + escapeGff3Seqid(record.id) + " 1 " + std::to_string(record.length) + "\n";
        if (!f_.records.joined())
            out += "##sequence-region " + seqid_ + " 1 " + std::to_string(f_.genomeLength > 0 ? f_.genomeLength : std::max(end, 1L)) + "\n";
        if (f_.seed)
            out += "#seed " + std::to_string(*f_.seed) + "\n";
        for (const Line& line : lines_)
            out += line.text;
        return out;
    }

private:
    static std::string promoterType(const std::string& sigma)
    {
        if (sigma == "sigma70")
            return "bacterial_RNApol_promoter_sigma_70";
        if (sigma == "sigma24")
            return "bacterial_RNApol_promoter_sigma_ecf";
        return "bacterial_RNApol_promoter";
    }

    void add(const Span& span, Rank rank, const std::string& id, const std::string& type, const std::string& score,
             char strand, const std::vector<std::pair<std::string, std::string>>& attributes)
    {
        const RecordPlace place = onRecord(f_, span);
        std::string text = (f_.records.joined() ? escapeGff3Seqid(place.seqid) : seqid_) + "\tMeridan\t" + type + "\t" +
                           std::to_string(place.span.start) + "\t" + std::to_string(place.span.end) + "\t" + score +
                           "\t" + strand + "\t.\t";
        for (std::size_t k = 0; k < attributes.size(); ++k) {
            if (k > 0)
                text += ';';
            // genes and locus_tags are lists: their commas separate values.
            const bool list = attributes[k].first == "genes" || attributes[k].first == "locus_tags";
            text += attributes[k].first + "=" + (list ? attributes[k].second : escapeGff3Attribute(attributes[k].second));
        }
        lines_.push_back({span, rank, id, text + "\n"});
    }

    std::string joined(const std::vector<long>& genes, bool names) const
    {
        std::string out;
        for (long g : genes) {
            const GeneFeature& gene = f_.genes[static_cast<std::size_t>(g)];
            if (!out.empty())
                out += ',';
            out += escapeGff3Attribute(names ? gene.name : gene.locusTag);
        }
        return out;
    }
    std::string geneNames(const std::vector<long>& genes) const { return joined(genes, true); }
    std::string locusTags(const std::vector<long>& genes) const { return joined(genes, false); }

    // "thrL-thrC": the first and the last gene in genome order.
    std::string rangeName(const std::vector<long>& genes) const
    {
        const std::string& first = f_.genes[static_cast<std::size_t>(genes.front())].name;
        const std::string& last = f_.genes[static_cast<std::size_t>(genes.back())].name;
        return genes.size() == 1 ? first : first + "-" + last;
    }

    const GenomeFeatures& f_;
    std::string seqid_;
    std::vector<Line> lines_;
};

} // namespace

std::string gff3Text(const GenomeFeatures& features)
{
    return Gff3(features).text();
}

} // namespace meridan::exports
