#include "meridan/ethrin/PromoterModel.h"

#include "meridan/ethrin/InputError.h"
#include "meridan/ethrin/TextFields.h"

#include <algorithm>
#include <fstream>
#include <ostream>
#include <set>

namespace meridan::ethrin {

namespace {

constexpr int kMaxBoxWidth = 100;
constexpr int kMaxSpacer = 1000;
constexpr int kMaxTssOffset = 1000;
constexpr int kMaxRegion = 100000;

class ModelParser {
public:
    explicit ModelParser(std::string fileName) : file_(std::move(fileName)) {}

    void line(std::string_view text, int number)
    {
        line_ = number;
        if (const auto hash = text.find('#'); hash != std::string_view::npos)
            text = text.substr(0, hash);
        const auto words = splitWords(text);
        if (words.empty())
            return;
        if (words.size() == 4 && !isKey(words[0])) {
            countRow(words);
            return;
        }
        keyLine(words);
    }

    PromoterModel finish()
    {
        closeBox();
        const std::string where = file_ + ": ";
        if (model_.boxes.empty())
            throw InputError(where + "no box defined");
        if (model_.twoBoxes() && !seen_.count("spacer"))
            throw InputError(where + "a model of two boxes needs a \"spacer\" line");
        if (!model_.twoBoxes() && (seen_.count("spacer") || seen_.count("spacercounts")))
            throw InputError(where + "a single-box model takes no spacer");
        if (seen_.count("spacercounts")
            && static_cast<int>(model_.spacerCounts.size()) != model_.spacerMax - model_.spacerMin + 1)
            throw InputError(where + "\"spacercounts\" needs one count per spacer length from "
                             + std::to_string(model_.spacerMin) + " to " + std::to_string(model_.spacerMax));
        if (model_.gapOdds.size() != (model_.gapOdds.empty() ? 0 : model_.gapEdges.size() + 1)
            || (model_.gapOdds.empty() && !model_.gapEdges.empty()))
            throw InputError(where + "\"gapodds\" needs one value more than \"gapedges\" has edges");
        return std::move(model_);
    }

private:
    static bool isKey(std::string_view word)
    {
        return word == "sigma" || word == "pseudocount" || word == "spacer" || word == "spacercounts"
            || word == "tss" || word == "tsswindow" || word == "box" || word == "position"
            || word == "intergenic" || word == "upelement" || word == "gapedges" || word == "gapodds";
    }

    [[noreturn]] void fail(const std::string& message) const
    {
        throw InputError(file_ + ":" + std::to_string(line_) + ": " + message);
    }

    double number(std::string_view word) const
    {
        const auto value = toDouble(word);
        if (!value)
            fail("\"" + std::string(word) + "\" is not a number");
        return *value;
    }

    int integer(std::string_view word, long low, long high) const
    {
        const auto value = toLong(word);
        if (!value)
            fail("\"" + std::string(word) + "\" is not a whole number");
        if (*value < low || *value > high)
            fail(std::string(word) + " is outside " + std::to_string(low) + ".." + std::to_string(high));
        return static_cast<int>(*value);
    }

    void expectWords(const std::vector<std::string>& words, std::size_t n) const
    {
        if (words.size() != n)
            fail("\"" + std::string(words[0]) + "\" takes " + std::to_string(n - 1) + " value(s)");
    }

    void keyLine(const std::vector<std::string>& words)
    {
        const std::string key(words[0]);
        if (!isKey(key))
            fail("unknown line \"" + key + "\" (expected a keyword or four counts A C G T)");
        if (key != "box" && !seen_.insert(key).second)
            fail("\"" + key + "\" given twice");
        if (key == "box") {
            expectWords(words, 3);
            closeBox();
            if (model_.boxes.size() == 2)
                fail("more than two boxes");
            if (words[2].size() > static_cast<std::size_t>(kMaxBoxWidth))
                fail("box wider than " + std::to_string(kMaxBoxWidth));
            model_.boxes.push_back({std::string(words[1]), std::string(words[2]), {}});
            boxLine_ = line_;
            inBox_ = true;
            return;
        }
        closeBox();
        if (key == "sigma") {
            expectWords(words, 2);
            model_.sigma = std::string(words[1]);
        } else if (key == "pseudocount") {
            expectWords(words, 2);
            model_.pseudocount = number(words[1]);
            if (!(model_.pseudocount > 0.0))
                fail("the pseudocount must be greater than 0");
        } else if (key == "spacer") {
            expectWords(words, 3);
            model_.spacerMin = integer(words[1], 0, kMaxSpacer);
            model_.spacerMax = integer(words[2], 0, kMaxSpacer);
            if (model_.spacerMin > model_.spacerMax)
                fail("the shortest spacer is longer than the longest");
        } else if (key == "spacercounts") {
            if (words.size() < 2)
                fail("\"spacercounts\" needs at least one count");
            for (std::size_t i = 1; i < words.size(); ++i) {
                const double c = number(words[i]);
                if (c < 0.0)
                    fail("a count must not be negative");
                model_.spacerCounts.push_back(c);
            }
        } else if (key == "tss") {
            expectWords(words, 2);
            model_.tssOffset = integer(words[1], -kMaxTssOffset, kMaxTssOffset);
        } else if (key == "tsswindow") {
            expectWords(words, 3);
            model_.tssWindowMin = integer(words[1], -kMaxTssOffset, kMaxTssOffset);
            model_.tssWindowMax = integer(words[2], -kMaxTssOffset, kMaxTssOffset);
            if (model_.tssWindowMin > model_.tssWindowMax)
                fail("the window's first value is greater than its last");
            model_.hasTssWindow = true;
        } else if (key == "position") {
            if (words.size() < 4)
                fail("\"position\" takes the first offset, the bin width and at least one value");
            model_.positionFirst = integer(words[1], -kMaxRegion, kMaxRegion);
            model_.positionBin = integer(words[2], 1, kMaxRegion);
            for (std::size_t i = 3; i < words.size(); ++i)
                model_.positionOdds.push_back(number(words[i]));
        } else if (key == "intergenic") {
            expectWords(words, 3);
            model_.intergenicOdds = number(words[1]);
            model_.genicOdds = number(words[2]);
            model_.hasIntergenic = true;
        } else if (key == "gapedges" || key == "gapodds") {
            if (words.size() < 2)
                fail("\"" + key + "\" needs at least one value");
            auto& values = key == "gapedges" ? model_.gapEdges : model_.gapOdds;
            for (std::size_t i = 1; i < words.size(); ++i)
                values.push_back(number(words[i]));
            if (key == "gapedges" && !std::is_sorted(values.begin(), values.end()))
                fail("the gap edges must be in increasing order");
        } else if (key == "upelement") {
            expectWords(words, 3);
            model_.upElementWidth = integer(words[1], 1, kMaxBoxWidth);
            model_.upElementShift = number(words[2]);
        }
    }

    void countRow(const std::vector<std::string>& words)
    {
        if (!inBox_)
            fail("a count row outside a box");
        std::array<double, 4> row{};
        for (int b = 0; b < 4; ++b) {
            row[b] = number(words[b]);
            if (row[b] < 0.0)
                fail("a count must not be negative");
        }
        BoxCounts& box = model_.boxes.back();
        if (box.width() == static_cast<int>(box.consensus.size()))
            fail("box " + box.name + " has more rows than its consensus " + box.consensus + " has letters");
        box.counts.push_back(row);
    }

    void closeBox()
    {
        if (!inBox_)
            return;
        inBox_ = false;
        const BoxCounts& box = model_.boxes.back();
        if (box.width() != static_cast<int>(box.consensus.size()))
            throw InputError(file_ + ":" + std::to_string(boxLine_) + ": box " + box.name + " has "
                             + std::to_string(box.width()) + " rows but its consensus " + box.consensus
                             + " has " + std::to_string(box.consensus.size()) + " letters");
    }

    std::string file_;
    int line_ = 0;
    int boxLine_ = 0;
    bool inBox_ = false;
    std::set<std::string> seen_;
    PromoterModel model_;
};

} // namespace

double PromoterModel::positionScore(long offset) const
{
    if (positionOdds.empty())
        return 0.0;
    const long bin = (offset - positionFirst) / positionBin - (offset < positionFirst ? 1 : 0);
    return positionOdds[static_cast<std::size_t>(std::clamp<long>(bin, 0, static_cast<long>(positionOdds.size()) - 1))];
}

double PromoterModel::gapScore(long gap) const
{
    if (gapOdds.empty())
        return 0.0;
    const auto k = std::lower_bound(gapEdges.begin(), gapEdges.end(), static_cast<double>(gap)) - gapEdges.begin();
    return gapOdds[static_cast<std::size_t>(k)];
}

PromoterModel parseModel(std::istream& in, const std::string& fileName)
{
    ModelParser parser(fileName);
    std::string text;
    int number = 0;
    while (std::getline(in, text))
        parser.line(text, ++number);
    if (in.bad())
        throw InputError(fileName + ": read error");
    return parser.finish();
}

PromoterModel readModelFile(const std::string& path)
{
    std::ifstream in = openInputFile(path);
    return parseModel(in, path);
}

namespace {

// Each value after a blank, then the end of the line.
void writeValues(std::ostream& out, const std::vector<double>& values)
{
    for (double v : values)
        out << ' ' << v;
    out << '\n';
}

} // namespace

void writeModel(std::ostream& out, const PromoterModel& model, const std::vector<std::string>& comments)
{
    for (const std::string& c : comments)
        out << "# " << c << '\n';
    if (!model.sigma.empty())
        out << "sigma " << model.sigma << '\n';
    out << "pseudocount " << model.pseudocount << '\n';
    if (model.twoBoxes()) {
        out << "spacer " << model.spacerMin << ' ' << model.spacerMax << '\n';
        if (!model.spacerCounts.empty()) {
            out << "spacercounts";
            writeValues(out, model.spacerCounts);
        }
    }
    out << "tss " << model.tssOffset << '\n';
    if (model.hasTssWindow)
        out << "tsswindow " << model.tssWindowMin << ' ' << model.tssWindowMax << '\n';
    if (!model.positionOdds.empty()) {
        out << "position " << model.positionFirst << ' ' << model.positionBin;
        writeValues(out, model.positionOdds);
    }
    if (model.hasIntergenic)
        out << "intergenic " << model.intergenicOdds << ' ' << model.genicOdds << '\n';
    if (!model.gapOdds.empty()) {
        out << "gapedges";
        writeValues(out, model.gapEdges);
        out << "gapodds";
        writeValues(out, model.gapOdds);
    }
    if (model.upElementWidth > 0)
        out << "upelement " << model.upElementWidth << ' ' << model.upElementShift << '\n';
    for (const BoxCounts& box : model.boxes) {
        out << "box " << box.name << ' ' << box.consensus << '\n';
        out << "#\tA\tC\tG\tT\n";
        for (const auto& row : box.counts)
            out << '\t' << row[0] << '\t' << row[1] << '\t' << row[2] << '\t' << row[3] << '\n';
    }
}

} // namespace meridan::ethrin
