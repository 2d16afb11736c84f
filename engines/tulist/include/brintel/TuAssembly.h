// Assembly of transcription units (TUs) from the gene index table: every
// operon is one TU from its first to its last gene; confident internal
// promoters open and confident internal terminators close alternative TUs.
#pragma once

#include "brintel/GeneIndexTable.h"

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace brintel {

// TU name (text order) -> gene indexes of the TU.
using TuMap = std::map<std::string, std::vector<int>>;

struct PassCounters {
    int internalPromoters = 0;
    int internalTerminators = 0;
    int tuCount = 0;
    int alternativeCount = 0;
};

struct PassResult {
    TuMap tus;
    PassCounters counters;
};

// One strand pass: plusStrand selects the rows whose strand starts with '+',
// otherwise all other rows. Scores strictly above the cut values are
// confident. Writes the pass's three count lines to `log`.
PassResult assembleTus(const GeneIndexTable& table, bool plusStrand, double promoterCut,
                       double terminatorCut, std::ostream& log);

// The operon number padded with '0' to four characters (7 -> 0007,
// -1 -> 00-1); numbers of five characters or more stay as they are, with a
// note on `log`.
std::string padOperonNumber(int operon, std::ostream& log);

// Moves the '+' pass's TUs into the other pass's map; a name present in both
// gets the '+' indexes appended to its list.
void mergeTuMaps(TuMap& into, const TuMap& plusPass);

} // namespace brintel
