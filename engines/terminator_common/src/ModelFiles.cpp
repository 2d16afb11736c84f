#include "terminator/ModelFiles.h"

#include "terminator/FileCommit.h"
#include "terminator/NumberText.h"
#include "terminator/RunError.h"
#include "TextLines.h"

#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>

namespace meridan::terminator {

std::string formatModelFile(const std::string& extension, const ModelParameters& model)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    if (extension == ".bf") {
        for (int b = 0; b < 4; ++b)
            out << (b ? " " : "") << roundToHundredths(model.background[b]);
    } else if (extension == ".ws") {
        for (const auto& row : model.pairProb) {
            for (const double value : row)
                out << value << '\t';
            out << '\n';
        }
    } else if (extension == ".wt") {
        for (const double value : model.tailProb)
            out << value << '\t';
    } else if (extension == ".ls" || extension == ".ll" || extension == ".lt") {
        const std::vector<double>& values = extension == ".ls"   ? model.stemLen
                                            : extension == ".ll" ? model.loopLen
                                                                 : model.tailLen;
        for (const double value : values)
            out << value << '\n';
    } else if (extension == ".ifo") {
        out << model.p0 << '\n';
    }
    return out.str();
}

namespace {

// Reads up to values.size() numbers into values; the rest stay as they are.
void readValues(const std::string& path, std::vector<double>& values)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw RunError(cantOpenMessage(path));
    std::string line;
    long lineNumber = 0;
    std::size_t filled = 0;
    while (filled < values.size() && std::getline(in, line)) {
        ++lineNumber;
        for (const std::string& token : splitBlanks(line)) {
            if (filled == values.size())
                break;
            const std::optional<double> value = parseFiniteNumber(token);
            if (!value)
                throw RunError("Bad line " + std::to_string(lineNumber) + " in file " + path
                               + ": \"" + token + "\" is not a number !");
            values[filled++] = *value;
        }
    }
}

} // namespace

double roundToHundredths(double value)
{
    if (!(value >= 0.0 && value <= 1e6))
        return value;
    return static_cast<double>(static_cast<long long>(value * 100 + 0.5)) / 100;
}

void writeModelFiles(const std::string& prefix, const ModelParameters& model)
{
    StagedFiles files;
    for (const char* extension : kModelExtensions)
        files.add(prefix + extension, formatModelFile(extension, model));
    files.commit();
}

ModelParameters readModelFiles(const std::string& prefix, const ModelCapacity& capacity)
{
    ModelParameters model;
    std::vector<double> values(4, 0.0);
    readValues(prefix + ".bf", values);
    std::copy(values.begin(), values.end(), model.background.begin());

    values.assign(16, 0.0);
    readValues(prefix + ".ws", values);
    for (int k = 0; k < 16; ++k)
        model.pairProb[k / 4][k % 4] = values[k];

    values.assign(4, 0.0);
    readValues(prefix + ".wt", values);
    std::copy(values.begin(), values.end(), model.tailProb.begin());

    model.stemLen.assign(capacity.stemLen, 0.0);
    readValues(prefix + ".ls", model.stemLen);
    model.loopLen.assign(capacity.loopLen, 0.0);
    readValues(prefix + ".ll", model.loopLen);
    model.tailLen.assign(capacity.tailLen, 0.0);
    readValues(prefix + ".lt", model.tailLen);

    values.assign(1, 0.0);
    readValues(prefix + ".ifo", values);
    model.p0 = values[0];
    return model;
}

void removeModelFiles(const std::string& prefix)
{
    for (const char* extension : kModelExtensions) {
        std::error_code ignored;
        std::filesystem::remove(prefix + extension, ignored);
    }
}

} // namespace meridan::terminator
