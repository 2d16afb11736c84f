// Gene index rows made up for the assembly and output tests.
#pragma once

#include "brintel/GeneIndexTable.h"

#include <string>

namespace brintel::test {

// Row of gene g: synonym sg, PID pg, boxes and terminator sequence named after g.
inline std::string indexRow(int g, int tu, const std::string& strand,
                            const std::string& promoterScore = "-",
                            const std::string& terminatorScore = "-")
{
    const std::string id = std::to_string(g);
    return id + "\ts" + id + "\t" + std::to_string(tu) + "\t1..2\t" + strand + "\tp" + id +
           "\tgen\t-\tprod\t" + promoterScore + "\t-\t-\tbox35_" + id + "\t-\tbox10_" + id + "\t" +
           terminatorScore + "\t-\tterm_" + id;
}

} // namespace brintel::test
