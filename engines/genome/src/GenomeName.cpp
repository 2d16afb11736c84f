#include "meridan/genome/GenomeName.h"

namespace meridan::genome {

namespace {

std::string_view stem(std::string_view path)
{
    const std::size_t slash = path.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (name.size() > 3 && name.substr(name.size() - 3) == ".gz")
        name.remove_suffix(3);
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string_view::npos ? name : name.substr(0, dot);
}

} // namespace

bool isValidGenomeId(std::string_view id)
{
    if (id.empty() || id.front() == '.' || id.front() == '-')
        return false;
    for (const char c : id) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
                        c == '.' || c == '-';
        if (!ok)
            return false;
    }
    return true;
}

std::optional<std::string> genomeIdFromFileName(std::string_view path)
{
    const std::string_view id = stem(path);
    if (!isValidGenomeId(id))
        return std::nullopt;
    return std::string(id);
}

std::string genomeIdProblem(std::string_view path)
{
    if (genomeIdFromFileName(path))
        return {};
    return "\"" + std::string(stem(path)) +
           "\" cannot name a genome: a genome identifier is made of letters, digits, '_', '.' and '-' "
           "and starts with a letter, digit or '_' (like NC_000913 or NZ_AP025271.1)";
}

} // namespace meridan::genome
