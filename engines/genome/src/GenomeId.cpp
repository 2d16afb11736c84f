#include "meridan/genome/GenomeId.h"

#include "meridan/genome/TextFields.h"

namespace meridan::genome {

namespace {
constexpr std::size_t kSuffixLength = 4; // ".fna"
} // namespace

std::optional<std::string> genomeIdFromPath(const std::string& path)
{
    if (path.size() < kGenomeIdLength + kSuffixLength)
        return std::nullopt;
    return path.substr(path.size() - kGenomeIdLength - kSuffixLength, kGenomeIdLength);
}

std::string genomeFileNameProblem(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    bool ok = name.size() >= kGenomeIdLength + kSuffixLength
              && name[name.size() - kSuffixLength] == '.';
    if (ok) {
        // Neither the identifier nor the extension may hold a further dot,
        // otherwise "NC_000913.3.fna" would yield "_000913.3".
        const std::string id = *genomeIdFromPath(name);
        ok = id.find('.') == std::string::npos && !trimmed(id).empty()
             && name.find('.', name.size() - kSuffixLength + 1) == std::string::npos;
    }
    if (ok)
        return {};
    return "\"" + name
           + "\" does not end in a 9-character genome identifier and a 3-letter extension; name "
             "the file like NC_000913.fna, NC_000913.ptt or NC_000913.rnt, since the engines take "
             "the genome identifier from the file name";
}

} // namespace meridan::genome
