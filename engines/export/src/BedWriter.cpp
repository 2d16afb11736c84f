#include "meridan/export/Writers.h"

#include "FormatText.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

namespace meridan::exports {

int promoterBedScore(double score)
{
    return static_cast<int>(std::clamp(std::lround(score * 100.0), 0L, 1000L));
}

int terminatorBedScore(double score)
{
    return static_cast<int>(std::clamp(std::lround((score + 10.0) * 40.0), 0L, 1000L));
}

namespace {

const char* strandColour(char strand)
{
    return strand == '-' ? "214,39,40" : "31,119,180";
}

const char* sigmaColour(const std::string& sigma)
{
    if (sigma == "sigma70")
        return "44,160,44";
    if (sigma == "sigma24")
        return "255,127,14";
    if (sigma == "sigma32")
        return "148,103,189";
    if (sigma == "sigma38")
        return "23,190,207";
    return "127,127,127";
}

struct BedLine {
    long order = 0; // 0-based start on the genome (the joined sequence for several records)
    long start = 0; // 0-based, on the line's sequence
    long end = 0;   // exclusive
    std::string name;
    std::string rest;
    std::string chrom;
};

class Bed {
public:
    Bed(const GenomeFeatures& f, const std::string& what) : f_(f), what_(what) {}

    // One feature, split at the origin when it crosses it.
    void add(const Span& span, Span thick, const std::string& name, int score, const char* colour)
    {
        const long n = f_.genomeLength;
        // A thick part past the origin is counted on from the genome's end,
        // as its feature is.
        if (n > 0 && thick.start < span.start) {
            thick.start += n;
            thick.end += n;
        }
        std::vector<std::pair<long, long>> pieces; // 0-based half-open
        if (n > 0 && span.end > n)
            pieces = {{span.start - 1, n}, {0, span.end - n}};
        else
            pieces = {{span.start - 1, span.end}};
        for (const auto& [from, to] : pieces) {
            // The thick part in the piece's own coordinates.
            const long offset = from == 0 && n > 0 && span.end > n ? n : 0;
            long thickFrom = std::max(thick.start - 1 - offset, from);
            long thickTo = std::min(thick.end - offset, to);
            if (thickFrom >= thickTo)
                thickFrom = thickTo = from;
            // On a joined genome the line names its record, in the record's coordinates.
            const RecordPlace place = onRecord(f_, Span{from + 1, to, span.strand});
            const long shift = from + 1 - place.span.start;
            lines_.push_back({from, from - shift, to - shift, bedName(name),
                              std::to_string(score) + "\t" + span.strand + "\t" + std::to_string(thickFrom - shift) +
                                  "\t" + std::to_string(thickTo - shift) + "\t" + colour,
                              bedName(place.seqid)});
        }
    }

    std::string text()
    {
        std::sort(lines_.begin(), lines_.end(), [](const BedLine& a, const BedLine& b) {
            return std::tie(a.order, a.end, a.name) < std::tie(b.order, b.end, b.name);
        });
        std::string out = "track name=\"" + cellText(f_.genomeId) + " " + what_ + "\" description=\"Meridan " +
                          what_ + " of " + cellText(f_.genomeId) + "\" itemRgb=\"On\" useScore=0\n";
        for (const BedLine& line : lines_)
            out += line.chrom + "\t" + std::to_string(line.start) + "\t" + std::to_string(line.end) + "\t" + line.name +
                   "\t" + line.rest + "\n";
        return out;
    }

private:
    const GenomeFeatures& f_;
    std::string what_;
    std::vector<BedLine> lines_;
};

} // namespace

std::string terminatorBed(const GenomeFeatures& features)
{
    Bed bed(features, "terminators");
    for (const TerminatorFeature& t : features.terminators)
        bed.add(t.span, t.hairpin, t.id, terminatorBedScore(t.score), strandColour(t.span.strand));
    return bed.text();
}

std::string promoterBed(const GenomeFeatures& features)
{
    Bed bed(features, "promoters");
    for (const PromoterFeature& p : features.promoters)
        bed.add(p.span, p.box10, p.id, promoterBedScore(p.score), sigmaColour(p.sigma));
    return bed.text();
}

std::string tuBed(const GenomeFeatures& features)
{
    Bed bed(features, "transcription units");
    for (const TuFeature& tu : features.tus)
        bed.add(tu.span, tu.span, tu.id, tu.alternative ? 500 : 1000, strandColour(tu.span.strand));
    return bed.text();
}

} // namespace meridan::exports
