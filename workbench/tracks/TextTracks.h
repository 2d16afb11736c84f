// Readers of the text track formats into interval signals; an error names
// the file and line.
#pragma once

#include "IntervalSignal.h"

#include <memory>
#include <string>

namespace meridan::tracks {

struct TextTrack {
    std::shared_ptr<IntervalSignal> forward;
    std::shared_ptr<IntervalSignal> reverse;   // BED features on "-"; empty otherwise
    std::string error;
};

TextTrack readBedGraph(const std::string& path);
TextTrack readWig(const std::string& path);
TextTrack readBed(const std::string& path);

} // namespace meridan::tracks
