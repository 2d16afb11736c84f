#include "FormatText.h"

#include "meridan/genome/TextFields.h"


namespace meridan::exports {

std::string formatNumber(double value)
{
    return genome::defaultNotation(value);
}

std::string cellText(const std::string& text)
{
    std::string out = text;
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return out;
}

std::string bedName(const std::string& text)
{
    std::string out = text;
    for (char& c : out)
        if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F)
            c = '_';
    return out.empty() ? "." : out;
}

} // namespace meridan::exports
