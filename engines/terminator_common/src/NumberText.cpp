#include "terminator/NumberText.h"

#include <locale>
#include <sstream>

namespace meridan::terminator {

std::string defaultNotation(double value)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << value;
    return out.str();
}

} // namespace meridan::terminator
