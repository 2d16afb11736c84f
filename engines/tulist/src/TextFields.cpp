#include "brintel/TextFields.h"

namespace brintel {

const std::string& itemOr(const std::vector<std::string>& items, std::size_t index)
{
    static const std::string dash = "-";
    return index < items.size() ? items[index] : dash;
}

} // namespace brintel
