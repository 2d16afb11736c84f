#include "Training.h"

#include "meridan/ethrin/InputError.h"
#include "meridan/ethrin/Nucleotides.h"
#include "meridan/ethrin/PromoterScanner.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace meridan::ethrin::tools {

namespace {

using Codes = std::vector<std::uint8_t>;

std::optional<Placement> bestPlacement(const Codes& s, int tssIndex, const PromoterModel& model,
                                       const BoxScorer& first, const BoxScorer* second,
                                       const PromoterScanner& scanner)
{
    std::optional<Placement> best;
    double bestScore = -std::numeric_limits<double>::infinity();
    const int n = static_cast<int>(s.size());
    const int w1 = first.width();
    for (int d = model.tssWindowMin; d <= model.tssWindowMax; ++d) {
        const int last = tssIndex - d; // last base of the last box
        if (last >= n)
            continue;
        if (!second) {
            const int i = last - w1 + 1;
            if (i < 0)
                continue;
            const double score = first.score(s.data() + i);
            if (score > bestScore) {
                bestScore = score;
                best = Placement{i, 0, d};
            }
            continue;
        }
        const int j = last - second->width() + 1;
        if (j < 0)
            continue;
        const double s2 = second->score(s.data() + j);
        for (int sp = model.spacerMin; sp <= model.spacerMax; ++sp) {
            const int i = j - sp - w1;
            if (i < 0)
                continue;
            const double score = first.score(s.data() + i) + s2 + scanner.spacerScore(sp);
            if (score > bestScore) {
                bestScore = score;
                best = Placement{i, sp, d};
            }
        }
    }
    return best;
}

void countBox(BoxCounts& box, const Codes& s, int from)
{
    for (int k = 0; k < box.width(); ++k)
        if (s[from + k] < 4)
            box.counts[k][s[from + k]] += 1.0;
}

} // namespace

TrainingResult trainModel(const PromoterModel& seed, const std::vector<std::string>& sequences, int tssIndex,
                          int maxIterations, bool learnSpacer)
{
    if (!seed.hasTssWindow)
        throw InputError("the seed model has no \"tsswindow\" line");
    std::vector<Codes> codes;
    Codes all;
    for (const std::string& text : sequences) {
        Codes c;
        for (char ch : text)
            c.push_back(baseCode(ch));
        all.insert(all.end(), c.begin(), c.end());
        codes.push_back(std::move(c));
    }
    const Composition background = strandSymmetricComposition(all);

    TrainingResult result;
    result.model = seed;
    std::vector<std::optional<Placement>> previous;
    for (int iteration = 1; iteration <= maxIterations; ++iteration) {
        PromoterModel& model = result.model;
        const BoxScorer first(model.boxes[0], model.pseudocount, background);
        std::optional<BoxScorer> second;
        if (model.twoBoxes())
            second.emplace(model.boxes[1], model.pseudocount, background);
        PromoterModel placing = model;
        if (!learnSpacer)
            placing.spacerCounts.clear();
        const PromoterScanner scanner(placing, background);

        std::vector<std::optional<Placement>> placements;
        for (const Codes& s : codes)
            placements.push_back(bestPlacement(s, tssIndex, model, first, second ? &*second : nullptr, scanner));
        result.iterations = iteration;
        if (placements == previous) {
            result.converged = true;
            break;
        }

        for (BoxCounts& box : model.boxes)
            std::fill(box.counts.begin(), box.counts.end(), std::array<double, 4>{});
        if (model.twoBoxes())
            model.spacerCounts.assign(model.spacerMax - model.spacerMin + 1, 0.0);
        std::vector<int> offsets;
        for (std::size_t k = 0; k < codes.size(); ++k) {
            if (!placements[k])
                continue;
            const Placement& p = *placements[k];
            countBox(model.boxes[0], codes[k], p.firstBox);
            if (model.twoBoxes()) {
                countBox(model.boxes[1], codes[k], p.firstBox + model.boxes[0].width() + p.spacer);
                model.spacerCounts[p.spacer - model.spacerMin] += 1.0;
            }
            offsets.push_back(p.tssOffset);
        }
        if (offsets.empty())
            throw InputError("no sequence admits a placement of the model");
        std::nth_element(offsets.begin(), offsets.begin() + offsets.size() / 2, offsets.end());
        model.tssOffset = offsets[offsets.size() / 2];
        previous = std::move(placements);
    }
    result.placements.clear();
    for (const auto& p : previous)
        result.placements.push_back(p.value_or(Placement{}));
    return result;
}

} // namespace meridan::ethrin::tools
