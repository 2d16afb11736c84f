#include "meridan/genome/GenBankReader.h"

#include "AnnotationText.h"
#include "OpenInput.h"
#include "TextLines.h"
#include "meridan/genome/InputText.h"

#include <map>
#include <unordered_map>

namespace meridan::genome {

namespace {

using detail::ReaderError;

struct Qualifier {
    std::string key;
    std::string value;
};

struct Feature {
    std::string key;
    std::string location;
    long line = 0;
    std::vector<Qualifier> qualifiers;

    const std::string* first(std::string_view name) const
    {
        for (const Qualifier& q : qualifiers)
            if (q.key == name)
                return &q.value;
        return nullptr;
    }
    bool has(std::string_view name) const { return first(name) != nullptr; }
};

constexpr std::size_t qualifierColumn = 21;

bool isRnaKey(std::string_view key)
{
    return key == "tRNA" || key == "rRNA" || key == "ncRNA" || key == "tmRNA";
}

bool isPseudo(const Feature& f) { return f.has("pseudo") || f.has("pseudogene"); }

class GenBankParser {
public:
    explicit GenBankParser(const std::string& source) : source_(source) {}

    AnnotatedGenome parse(std::string_view text)
    {
        detail::TextLines lines(text);
        std::string_view line;
        while (lines.next(line)) {
            const long number = lines.number();
            if (state_ == State::Outside) {
                if (detail::trim(line).empty())
                    continue;
                if (line.rfind("LOCUS", 0) != 0)
                    throw ReaderError(lineMessage(source_, number, "a GenBank record starts with LOCUS"));
                locus(line, number);
                continue;
            }
            if (line.rfind("//", 0) == 0) {
                finishRecord(number);
                continue;
            }
            if (state_ == State::Sequence) {
                sequenceLine(line, number);
                continue;
            }
            if (state_ == State::Features && !line.empty() && line.front() == ' ') {
                featureLine(line, number);
                continue;
            }
            headerLine(line, number);
        }
        if (state_ != State::Outside)
            throw ReaderError(lineMessage(source_, lines.number(), "record " + recordName_ +
                                                                      " ends without its \"//\" line (file cut off?)"));
        genome_.source = source_;
        return std::move(genome_);
    }

private:
    enum class State { Outside, Header, Features, Sequence };

    void locus(std::string_view line, long number)
    {
        const auto words = detail::words(line.substr(5));
        if (words.empty())
            throw ReaderError(lineMessage(source_, number, "LOCUS line without a name"));
        record_ = AnnotatedRecord();
        features_.clear();
        accession_.clear();
        version_.clear();
        recordName_ = std::string(words[0]);
        recordLine_ = number;
        for (std::size_t i = 1; i + 1 < words.size(); ++i)
            if (words[i + 1] == "bp" || words[i + 1] == "aa") {
                if (!detail::parseCount(words[i], record_.declaredLength))
                    throw ReaderError(lineMessage(source_, number, "LOCUS length \"" + std::string(words[i]) +
                                                                      "\" is not a whole number"));
                record_.declaredLine = number;
            }
        for (std::string_view w : words)
            if (w == "circular")
                record_.circular = true;
            else if (w == "linear")
                record_.linear = true;
        lastHeader_.clear();
        state_ = State::Header;
    }

    void headerLine(std::string_view line, long number)
    {
        if (line.empty())
            return;
        if (line.front() == ' ') {
            if (lastHeader_ == "DEFINITION")
                record_.description += ' ' + std::string(detail::trim(line));
            return;
        }
        const auto [key, rest] = detail::splitFirstWord(line);
        lastHeader_ = std::string(key);
        if (key == "DEFINITION")
            record_.description = std::string(rest);
        else if (key == "ACCESSION")
            accession_ = std::string(detail::splitFirstWord(rest).first);
        else if (key == "VERSION")
            version_ = std::string(detail::splitFirstWord(rest).first);
        else if (key == "FEATURES")
            state_ = State::Features;
        else if (key == "ORIGIN")
            state_ = State::Sequence;
        else if (state_ == State::Features)
            state_ = State::Header; // BASE COUNT, CONTIG and the like end the table
        (void)number;
    }

    void featureLine(std::string_view line, long number)
    {
        const std::size_t indent = line.find_first_not_of(' ');
        if (indent == std::string_view::npos)
            return;
        if (indent < qualifierColumn) {
            if (indent != 5)
                throw ReaderError(lineMessage(source_, number, "feature key not in column 6"));
            const auto [key, location] = detail::splitFirstWord(line);
            features_.push_back({std::string(key), std::string(location), number, {}});
            return;
        }
        if (features_.empty())
            throw ReaderError(lineMessage(source_, number, "qualifier before the first feature key"));
        Feature& f = features_.back();
        const std::string_view content = detail::trim(line);
        if (content.front() == '/') {
            const std::size_t eq = content.find('=');
            Qualifier q;
            q.key = std::string(content.substr(1, eq == std::string_view::npos ? std::string_view::npos : eq - 1));
            if (eq != std::string_view::npos)
                q.value = std::string(content.substr(eq + 1));
            f.qualifiers.push_back(std::move(q));
            openQuote_ = !f.qualifiers.back().value.empty() && f.qualifiers.back().value.front() == '"' &&
                         !closesQuote(f.qualifiers.back().value, 1);
            return;
        }
        if (f.qualifiers.empty()) {
            f.location += std::string(content); // a location continued on the next line
            return;
        }
        std::string& value = f.qualifiers.back().value;
        if (needsBlank(f.qualifiers.back().key, value, content))
            value += ' ';
        const std::size_t before = value.size();
        value += std::string(content);
        if (openQuote_ && closesQuote(value, before))
            openQuote_ = false;
    }

    // Whether a continuation line joins the value with a blank: lines are
    // broken at blanks, and also after a hyphen or inside a number list
    // ("2,4-..."), where no blank belongs; sequences never hold blanks.
    bool needsBlank(const std::string& key, const std::string& value, std::string_view next) const
    {
        if (key == "translation" && openQuote_)
            return false;
        if (value.empty() || next.empty())
            return true;
        const auto digit = [](char c) { return c >= '0' && c <= '9'; };
        const char before = value.size() > 1 ? value[value.size() - 2] : ' ';
        if (value.back() == '-')
            return before == ' ';
        return !(value.back() == ',' && digit(before) && digit(next.front()));
    }

    // True when value holds, from position from on, a '"' that is not part of a "" pair.
    static bool closesQuote(const std::string& value, std::size_t from)
    {
        std::size_t quotes = 0;
        for (std::size_t i = from; i < value.size(); ++i)
            if (value[i] == '"')
                ++quotes;
        return quotes % 2 == 1;
    }

    void sequenceLine(std::string_view line, long number)
    {
        for (const char c : line) {
            if ((c >= '0' && c <= '9') || c == ' ' || c == '\t')
                continue;
            if (c >= 'a' && c <= 'z')
                record_.sequence.push_back(static_cast<char>(c - 'a' + 'A'));
            else if ((c >= 'A' && c <= 'Z') || c == '-' || c == '*')
                record_.sequence.push_back(c);
            else
                throw ReaderError(lineMessage(source_, number, std::string("character '") + c + "' in the sequence"));
        }
    }

    static std::string unquoted(const std::string& value)
    {
        std::string out;
        std::string_view v = value;
        if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
            v = v.substr(1, v.size() - 2);
        for (std::size_t i = 0; i < v.size(); ++i) {
            out.push_back(v[i]);
            if (v[i] == '"' && i + 1 < v.size() && v[i + 1] == '"')
                ++i;
        }
        return out;
    }

    AnnotatedGene gene(const Feature& f, const std::unordered_map<std::string, const Feature*>& genes) const
    {
        AnnotatedGene g;
        g.type = f.key;
        g.sourceLine = f.line;
        std::string problem;
        if (!parseFeatureLocation(f.location, g.parts, g.strand, g.openThreePrime, problem))
            throw ReaderError(lineMessage(source_, f.line, f.key + " location \"" + f.location + "\": " + problem));
        const auto value = [&f](std::string_view key) -> std::string {
            const std::string* v = f.first(key);
            return v ? unquoted(*v) : std::string("-");
        };
        g.synonym = value("locus_tag");
        g.name = value("gene");
        if (g.name == "-" && g.synonym != "-")
            if (const auto it = genes.find(g.synonym); it != genes.end() && it->second->has("gene"))
                g.name = unquoted(*it->second->first("gene"));
        g.pid = value("protein_id");
        g.product = value("product");
        std::vector<std::string> references;
        for (const Qualifier& q : f.qualifiers)
            if (q.key == "db_xref")
                references.push_back(unquoted(q.value));
        detail::applyCrossReferences(references, g);
        return g;
    }

    void finishRecord(long number)
    {
        if (state_ == State::Outside)
            throw ReaderError(lineMessage(source_, number, "\"//\" outside a record"));
        record_.id = !version_.empty() ? version_ : !accession_.empty() ? accession_ : recordName_;
        for (char& c : record_.description)
            if (c == '\t')
                c = ' ';
        if (!record_.description.empty() && record_.description.back() == '.')
            record_.description.pop_back();
        record_.plasmid = record_.description.find("plasmid") != std::string::npos;
        if (!record_.sequence.empty() && record_.declaredLength >= 0 &&
            static_cast<std::int64_t>(record_.sequence.size()) != record_.declaredLength)
            throw ReaderError(lineMessage(source_, number, "record " + record_.id + " has " +
                                                              std::to_string(record_.sequence.size()) +
                                                              " bases, its LOCUS line (line " +
                                                              std::to_string(recordLine_) + ") says " +
                                                              std::to_string(record_.declaredLength)));
        std::unordered_map<std::string, const Feature*> genes;
        for (const Feature& f : features_)
            if (f.key == "gene" && f.has("locus_tag"))
                genes.emplace(unquoted(*f.first("locus_tag")), &f);
        for (const Feature& f : features_) {
            if (f.key == "gene") {
                if (isPseudo(f))
                    ++record_.pseudogenes;
                continue;
            }
            if (f.key == "source" && f.has("plasmid"))
                record_.plasmid = true;
            const bool cds = f.key == "CDS";
            if (!cds && !isRnaKey(f.key))
                continue;
            bool pseudo = isPseudo(f);
            if (const std::string* tag = f.first("locus_tag"); tag && !pseudo)
                if (const auto it = genes.find(unquoted(*tag)); it != genes.end())
                    pseudo = isPseudo(*it->second);
            if (pseudo) {
                if (cds)
                    ++record_.pseudoCds;
                continue;
            }
            (cds ? record_.proteins : record_.rnas).push_back(gene(f, genes));
        }
        if (std::string problem = placeGenes(record_, source_); !problem.empty())
            throw ReaderError(problem);
        genome_.records.push_back(std::move(record_));
        features_.clear();
        state_ = State::Outside;
    }

    const std::string& source_;
    AnnotatedGenome genome_;
    AnnotatedRecord record_;
    std::vector<Feature> features_;
    std::string accession_, version_, recordName_, lastHeader_;
    long recordLine_ = 0;
    bool openQuote_ = false;
    State state_ = State::Outside;
};

} // namespace

ReadResult<AnnotatedGenome> parseGenBank(std::string_view text, const std::string& sourceName)
{
    return detail::runParser(GenBankParser(sourceName), text, sourceName + ": no GenBank record");
}

ReadResult<AnnotatedGenome> readGenBank(const std::string& path)
{
    return detail::parseInputFile(path, parseGenBank);
}

} // namespace meridan::genome
