#include "meridan/operon/TrainingMaterial.h"

namespace meridan::operon {

int categoryIndex(char c)
{
    if (c >= 'A' && c <= 'T')
        return c - 'A';
    switch (c) {
    case 'V':
        return 21;
    case 'W':
        return 22;
    case 'Y':
        return 23;
    case 'Z':
        return 24;
    default:
        return 20;
    }
}

std::string categoryLabel(const std::string& firstCog, const std::string& secondCog)
{
    // A cog without letters counts as unknown, like "-".
    if (firstCog == "-" || secondCog == "-" || firstCog.empty() || secondCog.empty())
        return "-";
    for (const char c : firstCog) {
        if (secondCog.find(c) != std::string::npos)
            return std::string{c, '_', c};
    }
    return std::string{firstCog.front(), '_', secondCog.front()};
}

} // namespace meridan::operon
