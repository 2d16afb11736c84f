// The bands of the genome browser, top to bottom, in pixels: the fixed
// tracks, then one band per data track.
#pragma once

namespace browserlayout {

// Track bands, top to bottom: name and height in pixels.
enum Track { Ruler, Sequence, GenesPlus, GenesMinus, Operons, Links, Units, Promoters, Terminators, GcContent, GcSkew, TrackCount };
inline constexpr int trackHeight[TrackCount] = {30, 36, 28, 28, 22, 20, 34, 22, 30, 46, 46};
inline const char *const trackName[TrackCount] = {"",        "Sequence",  "Genes +",     "Genes \u2212", "Operons", "Links",
                                           "TUs",     "Promoters", "Terminators", "GC content",   "GC skew"};

inline int trackTop(Track t)
{
    int y = 0;
    for (int i = 0; i < t; ++i)
        y += trackHeight[i];
    return y;
}

inline int dataTracksTop()
{
    return trackTop(TrackCount);
}

} // namespace browserlayout
