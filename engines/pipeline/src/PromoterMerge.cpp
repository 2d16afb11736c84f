#include "meridan/pipeline/PromoterMerge.h"

#include "meridan/genome/ResultFiles.h"
#include "meridan/genome/results/ResultPaths.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

namespace meridan::pipeline {

namespace {

struct Promoter {
    std::string name;
    float score = 0.0f;
    int start = 0;
    int end = 0;
    std::string firstBox;
    std::string secondBox;
};

// The items of a line split at runs of blanks, tabs, carriage returns and
// line feeds, up to its first NUL byte.
std::vector<std::string> columns(std::string line)
{
    if (const auto nul = line.find('\0'); nul != std::string::npos)
        line.resize(nul);
    std::vector<std::string> items;
    std::istringstream in(line);
    for (std::string item; in >> item;)
        items.push_back(item);
    return items;
}

int integerColumn(const std::string& text)
{
    int value = 0;
    const char* first = text.data() + (!text.empty() && text.front() == '+' ? 1 : 0);
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

float realColumn(const std::string& text)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && !text.empty() ? float(value) : 0.0f;
}

// Reads one sigma file after its header line. sigma38 lines carry no second
// box and no spacer. Lines with fewer items than are used are skipped.
void readSigmaFile(std::istream& in, bool sigma38, std::vector<Promoter>& out)
{
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        const std::vector<std::string> c = columns(line);
        if (c.size() < (sigma38 ? 7u : 10u))
            continue;
        Promoter p;
        p.name = c[0];
        p.start = integerColumn(c[3]);
        p.score = realColumn(c[4]);
        p.firstBox = c[6];
        if (sigma38) {
            p.secondBox.assign(1, '-'); // a one-box model
            p.end = p.start + int(p.firstBox.size());
        } else {
            p.secondBox = c[8];
            p.end = p.start + integerColumn(c[9]) + int(p.secondBox.size()) + int(p.firstBox.size());
        }
        out.push_back(std::move(p));
    }
}

void appendField(std::string& line, const std::string& item)
{
    constexpr std::size_t width = 15;
    if (item.size() < width)
        line.resize(line.size() + width - item.size(), ' ');
    line.append(item);
}

std::string scoreText(float score)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", double(score));
    return text;
}

} // namespace

bool mergePromoterFiles(const std::string& resultFolder, const std::string& genomeId,
                        std::vector<std::string>* unopened)
{
    const genome::results::ResultPaths paths = genome::results::resultPaths(resultFolder, genomeId);
    std::vector<std::unique_ptr<std::ifstream>> inputs;
    std::vector<std::string> missing;
    for (const std::string& path : paths.sigmaScores) {
        inputs.push_back(std::make_unique<std::ifstream>(path, std::ios::binary));
        if (!*inputs.back())
            missing.push_back(path);
    }
    if (missing.empty() && !genome::canWriteBeside(paths.promoterTable))
        missing.push_back(paths.promoterTable);
    if (!missing.empty()) {
        if (unopened)
            *unopened = missing;
        return false;
    }

    std::vector<Promoter> all;
    for (std::size_t i = 0; i < inputs.size(); ++i)
        readSigmaFile(*inputs[i], paths.sigmaScores[i].find(".sigma38.") != std::string::npos, all);

    // Highest score per name; on equal scores the entry read first stays.
    std::map<std::string, Promoter> best;
    for (const Promoter& p : all) {
        const auto [it, added] = best.emplace(p.name, p);
        if (!added && p.score > it->second.score)
            it->second = p;
    }

    std::string text;
    for (const auto& [name, p] : best) {
        appendField(text, p.name);
        appendField(text, scoreText(p.score));
        appendField(text, std::to_string(p.start));
        appendField(text, std::to_string(p.end));
        appendField(text, p.firstBox);
        appendField(text, "-");
        appendField(text, p.secondBox);
        appendField(text, "\n");
    }
    if (!genome::writeFileWhole(paths.promoterTable, text)) {
        if (unopened)
            *unopened = {paths.promoterTable};
        return false;
    }
    return true;
}

} // namespace meridan::pipeline
