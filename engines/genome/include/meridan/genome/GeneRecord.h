// One protein-table row and the table of all rows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace meridan::genome {

struct GeneRecord {
    std::string location;    // Location column as read, e.g. 190..255
    std::int32_t start = 0;  // left coordinate, 1-based
    std::int32_t end = 0;    // right coordinate, 1-based, inclusive
    char strand = ' ';       // '+' or '-' (not validated)
    std::int32_t length = 0; // Length column (residues), as read
    std::string pid;
    std::string name;
    std::string cog; // "-" or the concatenated functional-category letters
};

struct GeneTable {
    std::vector<GeneRecord> genes; // file order
    std::int32_t geneCount = 0;
};

} // namespace meridan::genome
