#include "meridan/genome/SequenceName.h"

#include "OpenInput.h"

#include <string_view>

namespace meridan::genome {

std::string sequenceName(const std::string& header)
{
    std::string_view text = header;
    if (!text.empty() && text.front() == '>')
        text.remove_prefix(1);
    const std::size_t begin = text.find_first_not_of(" \t\r");
    if (begin == std::string_view::npos)
        return {};
    text = text.substr(begin);
    const std::string_view word = text.substr(0, text.find_first_of(" \t\r"));
    // gi|number|ref|accession|: the accession.
    for (const std::string_view database : {"|ref|", "|gb|", "|emb|", "|dbj|"}) {
        const std::size_t at = word.find(database);
        if (word.rfind("gi|", 0) == 0 && at != std::string_view::npos) {
            const std::string_view rest = word.substr(at + database.size());
            const std::string_view accession = rest.substr(0, rest.find('|'));
            if (!accession.empty())
                return std::string(accession);
        }
    }
    return std::string(word);
}

std::string fastaHeaderLine(const std::string& path)
{
    std::ifstream in;
    if (!detail::openInput(path, in))
        return {};
    std::string line;
    if (!std::getline(in, line) || line.empty() || line.front() != '>')
        return {};
    if (line.back() == '\r')
        line.pop_back();
    return line;
}

} // namespace meridan::genome
