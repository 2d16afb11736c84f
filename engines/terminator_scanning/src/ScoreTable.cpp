#include "dovrane/ScoreTable.h"

#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>

namespace meridan::dovrane {

std::string formatScoreRow(const ScanHit& hit, const std::string& region, const std::string& label)
{
    std::ostringstream row;
    row.imbue(std::locale::classic());
    row << std::setw(5) << hit.start << std::setw(10) << hit.stemLength() << std::setw(10)
        << hit.loopLength() << std::setw(10) << hit.tailLength() << std::setw(20) << std::log(hit.score)
        << "\t\t" << region.substr(static_cast<std::size_t>(hit.start),
                                    static_cast<std::size_t>(hit.tailEnd - hit.start))
        << '\t' << label << '\n';
    return row.str();
}

} // namespace meridan::dovrane
