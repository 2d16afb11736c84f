// Text helpers the tests share: a file's bytes, a text's lines and the
// message of an exception.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace meridan::testtext {

// The file's bytes; empty when it cannot be read.
inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The lines of a text without their line breaks; a last line without a
// break counts, a final break adds no empty line.
inline std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

// The pieces of a text between separators, empty pieces kept (a text ending
// in the separator ends in an empty piece).
inline std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    if (!text.empty() && text.back() == separator)
        parts.push_back("");
    return parts;
}

// The reverse complement of a run of bases, written independently of the
// genome library so that tests can check it: A<->T, C<->G in either case,
// upper case out, N for any other character.
inline std::string reverseComplement(const std::string& bases)
{
    std::string out(bases.rbegin(), bases.rend());
    for (char& c : out) {
        switch (c) {
        case 'A': case 'a': c = 'T'; break;
        case 'C': case 'c': c = 'G'; break;
        case 'G': case 'g': c = 'C'; break;
        case 'T': case 't': c = 'A'; break;
        default: c = 'N';
        }
    }
    return out;
}

// The message of the Error that action() throws, or "no error" when it
// throws none.
template <typename Error, typename Action> std::string thrownMessage(Action action)
{
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    }
    return "no error";
}

} // namespace meridan::testtext
