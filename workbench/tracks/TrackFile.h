// Opening a data file as a track: bigWig (.bw, .bigwig) through libBigWig,
// bedGraph (.bedgraph, .bg), WIG (.wig: fixedStep and variableStep) and BED
// (.bed: one interval per feature, its score as value, else 1). A BED file
// with strands, or a forward file with its reverse partner beside it
// ("…forward…" and "…reverse…", "fwd"/"rev", "plus"/"minus"), gives a
// stranded track.
#pragma once

#include "Signal.h"

#include <memory>
#include <string>

namespace meridan::tracks {

struct TrackFile {
    std::string name;                  // for the track's label
    std::shared_ptr<Signal> forward;   // the only signal of an unstranded track
    std::shared_ptr<Signal> reverse;   // empty when unstranded
    std::string error;                 // "file:line: why" when it could not be read
    bool ok() const { return error.empty() && forward; }
    bool stranded() const { return bool(reverse); }
};

// One file, by its extension.
TrackFile readTrackFile(const std::string& path);

// The file and, when its name says a strand and the other strand's file
// exists beside it, that one too, as one stranded track.
TrackFile openTrack(const std::string& path);

// The other strand's file of a name that says its strand, or "".
std::string partnerFile(const std::string& path, bool* isReverse = nullptr);

// The file's sequence name for the genome's, or "" when none fits: the same
// name, or the same accession without its version (NC_000913 and NC_000913.3).
std::string matchingSequence(const Signal& signal, const std::string& genomeSequence);

} // namespace meridan::tracks
