// The two outputs of the TU assembly: the three-line summary and the TU list.
#pragma once

#include "brintel/GeneIndexTable.h"
#include "brintel/TuAssembly.h"

#include <iosfwd>
#include <string>

namespace brintel {

// The summary: each count summed over both strand passes.
void writeSummary(std::ostream& out, const PassCounters& plusPass, const PassCounters& otherPass);

// The TU list: one line per TU in text order of the names: genomeId, name,
// strand, members (synonym|PID|index, comma-separated), the head gene's -35
// and -10 boxes and the tail gene's terminator sequence. A TU whose first,
// head or tail gene has no row is left out; another member without a row is
// left out of the member list. Each missing row is noted on `log`.
void writeTuList(std::ostream& out, const std::string& genomeId, const TuMap& tus,
                 const GeneIndexTable& table, std::ostream& log);

} // namespace brintel
