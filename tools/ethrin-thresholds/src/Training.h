// Building a promoter model from known promoter sequences: starting from a
// seed model (counts from the published consensus), every sequence is
// aligned at its best placement within the seed's window before the
// transcription start, the boxes are counted from those placements, and
// this repeats until the placements no longer change.
#pragma once

#include "meridan/ethrin/PromoterModel.h"

#include <string>
#include <vector>

namespace meridan::ethrin::tools {

struct Placement {
    int firstBox = -1;
    int spacer = 0;
    int tssOffset = 0; // bases from the last box base to the start
    bool operator==(const Placement&) const = default;
};

struct TrainingResult {
    PromoterModel model;
    std::vector<Placement> placements;
    int iterations = 0;
    bool converged = false;
};

// `sequences` hold the transcription start at index tssIndex. The seed must
// carry a "tsswindow". Throws InputError when it does not or when no
// sequence admits a placement. With learnSpacer, the spacer lengths counted
// in one round weigh the placements of the next; otherwise every length in
// the range is equally likely while placing (the counts are still kept).
TrainingResult trainModel(const PromoterModel& seed, const std::vector<std::string>& sequences, int tssIndex,
                          int maxIterations, bool learnSpacer);

} // namespace meridan::ethrin::tools
