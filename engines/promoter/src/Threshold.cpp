#include "meridan/ethrin/Threshold.h"

#include "meridan/ethrin/InputError.h"
#include "meridan/ethrin/TextFields.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <ostream>
#include <queue>
#include <set>

namespace meridan::ethrin {

ThresholdRecord parseThreshold(std::istream& in, const std::string& fileName)
{
    ThresholdRecord record;
    std::string text;
    int number = 0;
    std::set<std::string> seen;
    const auto fail = [&](const std::string& why) {
        throw InputError(fileName + ":" + std::to_string(number) + ": " + why);
    };
    while (std::getline(in, text)) {
        ++number;
        std::string_view line = text;
        if (const auto hash = line.find('#'); hash != std::string_view::npos)
            line = line.substr(0, hash);
        const auto words = splitWords(line);
        if (words.empty())
            continue;
        const std::string key(words[0]);
        if (!seen.insert(key).second)
            fail("\"" + key + "\" given twice");
        const auto need = [&](std::size_t values) {
            if (words.size() != values + 1)
                fail("\"" + key + "\" takes " + std::to_string(values) + " value(s)");
        };
        const auto num = [&](std::string_view w) {
            const auto v = toDouble(w);
            if (!v)
                fail("\"" + std::string(w) + "\" is not a number");
            return *v;
        };
        if (key == "threshold") {
            need(1);
            record.threshold = num(words[1]);
        } else if (key == "composition") {
            need(4);
            Composition c;
            double sum = 0.0;
            for (int b = 0; b < 4; ++b) {
                c.p[b] = num(words[b + 1]);
                if (!(c.p[b] > 0.0))
                    fail("a composition value must be greater than 0");
                sum += c.p[b];
            }
            if (std::fabs(sum - 1.0) > 1e-3)
                fail("the composition does not add up to 1");
            record.composition = c;
        } else if (key == "fdr") {
            need(1);
            record.fdr = num(words[1]);
            if (!(record.fdr > 0.0 && record.fdr < 1.0))
                fail("the false-discovery rate must lie between 0 and 1");
        } else if (key == "shuffles") {
            need(1);
            const auto v = toLong(words[1]);
            if (!v || *v < 1 || *v > 100)
                fail("\"" + std::string(words[1]) + "\" is not a shuffle count (1..100)");
            record.shuffles = static_cast<int>(*v);
        } else if (key == "sigma") {
            need(1);
            record.sigma = std::string(words[1]);
        } else if (key == "genome") {
            need(1);
            record.genome = std::string(words[1]);
        } else if (key == "share") {
            need(1);
            record.share = num(words[1]);
        } else if (key == "windows") {
            need(1);
            const auto v = toLong(words[1]);
            if (!v)
                fail("\"" + std::string(words[1]) + "\" is not a whole number");
            record.windows = *v;
        } else if (key == "seed") {
            need(1);
            const auto v = toLong(words[1]);
            if (!v || *v < 0)
                fail("\"" + std::string(words[1]) + "\" is not a seed");
            record.seed = static_cast<std::uint64_t>(*v);
        } else {
            fail("unknown line \"" + key + "\"");
        }
    }
    if (in.bad())
        throw InputError(fileName + ": read error");
    if (!seen.count("threshold") && !seen.count("fdr"))
        throw InputError(fileName + ": neither a \"threshold\" nor an \"fdr\" line");
    if (seen.count("fdr") && !seen.count("shuffles"))
        record.shuffles = 2;
    return record;
}

ThresholdRecord readThresholdFile(const std::string& path)
{
    std::ifstream in = openInputFile(path);
    return parseThreshold(in, path);
}

void writeThreshold(std::ostream& out, const ThresholdRecord& record)
{
    const auto old = out.precision(10);
    if (record.calibrated())
        out << "# Threshold set on each scanned genome at this estimated false-discovery rate; made by ethrin-thresholds.\n";
    else
        out << "# Log-odds (bits) a hit must exceed; made by ethrin-thresholds.\n";
    if (!record.sigma.empty())
        out << "sigma " << record.sigma << '\n';
    if (!record.genome.empty())
        out << "genome " << record.genome << '\n';
    if (record.composition)
        out << "composition " << record.composition->p[0] << ' ' << record.composition->p[1] << ' '
            << record.composition->p[2] << ' ' << record.composition->p[3] << '\n';
    if (record.share > 0.0)
        out << "share " << record.share << '\n';
    if (record.windows > 0)
        out << "windows " << record.windows << '\n';
    out << "seed " << record.seed << '\n';
    if (record.calibrated())
        out << "fdr " << record.fdr << '\n' << "shuffles " << record.shuffles << '\n';
    else
        out << "threshold " << record.threshold << '\n';
    out.precision(old);
}

std::vector<std::uint8_t> randomSequence(const Composition& composition, std::size_t length,
                                         std::mt19937_64& random)
{
    const double total = composition.p[0] + composition.p[1] + composition.p[2] + composition.p[3];
    const double c0 = composition.p[0] / total;
    const double c1 = c0 + composition.p[1] / total;
    const double c2 = c1 + composition.p[2] / total;
    std::vector<std::uint8_t> seq(length);
    for (auto& base : seq) {
        // 53 random bits as a uniform number in [0, 1), the same on every
        // platform for the same seed.
        const double u = static_cast<double>(random() >> 11) * 0x1.0p-53;
        base = u < c0 ? 0 : u < c1 ? 1 : u < c2 ? 2 : 3;
    }
    return seq;
}

double computeThreshold(const PromoterScanner& scanner, const Composition& composition, double share,
                        long windows, std::uint64_t seed)
{
    if (!(share > 0.0 && share < 1.0))
        throw InputError("the share of passing windows must lie between 0 and 1");
    if (windows <= 0 || share * static_cast<double>(windows) < 1.0)
        throw InputError("too few windows: share * windows must be at least 1");
    const long passing = std::lround(std::floor(share * static_cast<double>(windows)));
    std::mt19937_64 random(seed);
    // The highest (passing + 1) scores seen, lowest on top.
    std::priority_queue<double, std::vector<double>, std::greater<double>> top;
    const long chunk = 1L << 20;
    const long extra = scanner.longestWindow() - 1;
    std::vector<WindowScore> scores;
    std::vector<std::uint8_t> seq;
    for (long done = 0; done < windows;) {
        const long count = std::min(chunk, windows - done);
        // Each chunk is an independent random stretch that holds `count`
        // complete windows.
        seq = randomSequence(composition, static_cast<std::size_t>(count + extra), random);
        scanner.windowScores(seq, scores);
        for (long i = 0; i < count; ++i) {
            const double s = scores[i].score;
            if (static_cast<long>(top.size()) <= passing)
                top.push(s);
            else if (s > top.top()) {
                top.pop();
                top.push(s);
            }
        }
        done += count;
    }
    return top.top();
}

double fdrThreshold(std::vector<double> best, std::vector<double> shuffledBest, int shuffles, double fdr)
{
    const auto notFinite = [](double v) { return !std::isfinite(v); };
    best.erase(std::remove_if(best.begin(), best.end(), notFinite), best.end());
    shuffledBest.erase(std::remove_if(shuffledBest.begin(), shuffledBest.end(), notFinite), shuffledBest.end());
    if (best.empty())
        return 0.0;
    std::sort(best.begin(), best.end(), std::greater<double>());
    std::sort(shuffledBest.begin(), shuffledBest.end(), std::greater<double>());
    const double perGene = 1.0 / std::max(shuffles, 1);
    std::size_t kept = 0;
    std::size_t above = 0; // shuffled scores >= best[k]
    for (std::size_t k = 0; k < best.size(); ++k) {
        while (above < shuffledBest.size() && shuffledBest[above] >= best[k])
            ++above;
        if (static_cast<double>(above) * perGene <= fdr * static_cast<double>(k + 1))
            kept = k + 1;
    }
    if (kept == 0)
        return best.front();
    if (kept == best.size())
        return best.back() - 1.0;
    return 0.5 * (best[kept - 1] + best[kept]);
}

double compositionDistance(const Composition& a, const Composition& b)
{
    double d = 0.0;
    for (int k = 0; k < 4; ++k)
        d = std::max(d, std::fabs(a.p[k] - b.p[k]));
    return d;
}

} // namespace meridan::ethrin
