#include "meridan/operon/Galvora.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>

namespace meridan::operon {

std::optional<std::uint32_t> parseSeed(const char* text)
{
    if (text == nullptr || *text == '\0')
        return std::nullopt;
    const char* digits = text + (*text == '+' || *text == '-' ? 1 : 0);
    if (*digits == '\0')
        return std::nullopt;
    for (const char* p = digits; *p; ++p)
        if (*p < '0' || *p > '9')
            return std::nullopt;
    errno = 0;
    const long long value = std::strtoll(text, nullptr, 10);
    if (errno == ERANGE)
        return std::nullopt;
    return static_cast<std::uint32_t>(static_cast<unsigned long long>(value));
}

std::uint32_t seedFromEnvironment()
{
    if (const auto seed = parseSeed(std::getenv("MERIDAN_SEED")))
        return *seed;
    return static_cast<std::uint32_t>(std::time(nullptr));
}

} // namespace meridan::operon
