#include "meridan/genome/Gff3Reader.h"

#include "AnnotationText.h"
#include "OpenInput.h"
#include "TextLines.h"
#include "meridan/genome/SequenceRecords.h"
#include "meridan/genome/InputText.h"

#include <map>
#include <memory>
#include <stdexcept>
#include <unordered_map>

namespace meridan::genome {

namespace {

using detail::ReaderError;
using Attributes = std::map<std::string, std::vector<std::string>, std::less<>>;

struct Feature {
    std::string seqid;
    std::string type;
    std::string id;
    char strand = '.';
    long line = 0;
    std::vector<LocationPart> parts;
    Attributes attributes;

    const std::string* first(std::string_view key) const
    {
        const auto it = attributes.find(key);
        return it == attributes.end() || it->second.empty() ? nullptr : &it->second.front();
    }
    bool flag(std::string_view key) const
    {
        const std::string* value = first(key);
        return value && *value == "true";
    }
};

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// %XX escapes decoded; a '%' not followed by two hex digits stays as it is.
std::string unescape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out.push_back(static_cast<char>(high * 16 + low));
                i += 2;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

// Attributes whose value is a list; in every other one a ',' is text.
bool isListAttribute(std::string_view key)
{
    return key == "Parent" || key == "Dbxref" || key == "db_xref" || key == "Alias" || key == "Ontology_term";
}

Attributes parseAttributes(std::string_view column, const std::string& source, long line)
{
    Attributes attributes;
    if (column == ".")
        return attributes;
    for (std::string_view item : detail::split(column, ';')) {
        item = detail::trim(item);
        if (item.empty())
            continue;
        const std::size_t eq = item.find('=');
        if (eq == std::string_view::npos || eq == 0)
            throw ReaderError(lineMessage(source, line, "attribute \"" + std::string(item) +
                                                            "\" is not of the form tag=value"));
        const std::string key = unescape(item.substr(0, eq));
        const std::string_view value = item.substr(eq + 1);
        auto& values = attributes[key];
        if (isListAttribute(key)) {
            for (std::string_view v : detail::split(value, ','))
                if (!v.empty())
                    values.push_back(unescape(v));
        } else {
            values.push_back(unescape(value));
        }
    }
    return attributes;
}

std::int64_t coordinate(std::string_view text, const char* what, const std::string& source, long line)
{
    std::int64_t value = 0;
    if (!detail::parseCount(text, value) || value < 1)
        throw ReaderError(lineMessage(source, line, std::string(what) + " \"" + std::string(text) +
                                                        "\" is not a positive whole number"));
    return value;
}

bool isRnaType(std::string_view type)
{
    return type == "tRNA" || type == "rRNA" || type == "ncRNA" || type == "tmRNA";
}

class Gff3Parser {
public:
    explicit Gff3Parser(const std::string& source) : source_(source) {}

    AnnotatedGenome parse(std::string_view text)
    {
        detail::TextLines lines(text);
        std::string_view line;
        while (lines.next(line)) {
            if (line.empty())
                continue;
            if (line.front() == '>' || line == "##FASTA") {
                const bool headerHere = line.front() == '>';
                const long first = headerHere ? lines.number() : lines.number() + 1;
                const std::string_view rest =
                    headerHere ? text.substr(static_cast<std::size_t>(line.data() - text.data())) : lines.rest();
                readFasta(rest, first);
                break;
            }
            if (line.front() == '#') {
                directive(line, lines.number());
                continue;
            }
            featureLine(line, lines.number());
        }
        return build();
    }

private:
    AnnotatedRecord& record(const std::string& seqid)
    {
        auto [it, added] = recordIndex_.emplace(seqid, genome_.records.size());
        if (added) {
            genome_.records.emplace_back();
            genome_.records.back().id = seqid;
        }
        return genome_.records[it->second];
    }

    void directive(std::string_view line, long number)
    {
        if (line.rfind("##sequence-region", 0) != 0)
            return;
        const std::vector<std::string_view> fields = detail::words(line.substr(17));
        if (fields.size() != 3)
            throw ReaderError(lineMessage(source_, number, "##sequence-region needs a name, a start and an end"));
        coordinate(fields[1], "start", source_, number);
        AnnotatedRecord& r = record(std::string(fields[0]));
        r.declaredLength = coordinate(fields[2], "end", source_, number);
        r.declaredLine = number;
    }

    void featureLine(std::string_view line, long number)
    {
        const auto columns = detail::split(line, '\t');
        if (columns.size() != 9)
            throw ReaderError(lineMessage(source_, number, "a feature line has 9 tab-separated columns, this one " +
                                                              std::to_string(columns.size())));
        if (columns[0].empty() || columns[2].empty())
            throw ReaderError(lineMessage(source_, number, "empty sequence name or feature type"));
        const std::int64_t start = coordinate(columns[3], "start", source_, number);
        const std::int64_t end = coordinate(columns[4], "end", source_, number);
        if (end < start)
            throw ReaderError(lineMessage(source_, number, "end " + std::to_string(end) + " lies before start " +
                                                              std::to_string(start)));
        if (columns[6].size() != 1 || std::string_view("+-.?").find(columns[6][0]) == std::string_view::npos)
            throw ReaderError(lineMessage(source_, number, "strand \"" + std::string(columns[6]) +
                                                              "\" is none of + - . ?"));
        Feature f;
        f.seqid = std::string(columns[0]);
        f.type = std::string(columns[2]);
        f.strand = columns[6][0];
        f.line = number;
        f.parts.push_back({start, end});
        f.attributes = parseAttributes(columns[8], source_, number);
        if (const std::string* id = f.first("ID"))
            f.id = *id;
        record(f.seqid);

        if (!f.id.empty()) {
            const auto it = byId_.find(f.id);
            if (it != byId_.end()) {
                Feature& earlier = *features_[it->second];
                if (earlier.seqid != f.seqid || earlier.type != f.type)
                    throw ReaderError(lineMessage(source_, number, "ID " + f.id + " already names a " +
                                                                      earlier.type + " at line " +
                                                                      std::to_string(earlier.line)));
                earlier.parts.push_back(f.parts.front()); // a further part of a multi-line feature
                return;
            }
            byId_.emplace(f.id, features_.size());
        }
        features_.push_back(std::make_unique<Feature>(std::move(f)));
    }

    void readFasta(std::string_view text, long firstLine)
    {
        auto records = parseSequenceRecords(text, source_, firstLine);
        if (!records)
            throw ReaderError(records.error);
        for (SequenceRecord& fasta : *records.value) {
            AnnotatedRecord& r = record(fasta.id);
            r.sequence = std::move(fasta.sequence);
            if (r.description.empty())
                r.description = fasta.description;
            if (r.declaredLength >= 0 && r.declaredLength != static_cast<std::int64_t>(r.sequence.size()))
                throw ReaderError(lineMessage(source_, fasta.headerLine,
                                              "sequence " + fasta.id + " has " + std::to_string(r.sequence.size()) +
                                                  " bases, its ##sequence-region (line " +
                                                  std::to_string(r.declaredLine) + ") says " +
                                                  std::to_string(r.declaredLength)));
        }
        hasFasta_ = true;
    }

    const Feature* parentOf(const Feature& f) const
    {
        const auto it = f.attributes.find("Parent");
        if (it == f.attributes.end() || it->second.empty())
            return nullptr;
        return features_[byId_.at(it->second.front())].get();
    }

    static bool isPseudo(const Feature& f)
    {
        return f.type == "pseudogene" || f.flag("pseudo") || (f.first("gene_biotype") && *f.first("gene_biotype") == "pseudogene");
    }

    // The attribute of the feature, else of its parent gene.
    static std::string inherited(const Feature& f, const Feature* parent, std::initializer_list<std::string_view> keys)
    {
        for (const Feature* source : {&f, parent}) {
            if (!source)
                continue;
            for (std::string_view key : keys) {
                if (source == &f && key == "Name")
                    continue; // a CDS's Name is its protein accession at NCBI
                if (const std::string* v = source->first(key); v && !v->empty())
                    return *v;
            }
        }
        return "-";
    }

    AnnotatedGene gene(const Feature& f, const Feature* parent) const
    {
        if (f.strand != '+' && f.strand != '-')
            throw ReaderError(lineMessage(source_, f.line, f.type + " without a + or - strand"));
        AnnotatedGene g;
        g.type = f.type;
        g.strand = f.strand;
        g.sourceLine = f.line;
        g.parts = f.parts;
        g.openThreePrime = f.first(f.strand == '+' ? "end_range" : "start_range") != nullptr;
        g.name = inherited(f, parent, {"gene", "Name"});
        if (f.type == "CDS" && g.name == "-" && f.first("Name") && !f.first("protein_id"))
            g.name = *f.first("Name"); // pipelines name the CDS itself
        g.synonym = inherited(f, parent, {"locus_tag"});
        if (const std::string* pid = f.first("protein_id"))
            g.pid = *pid;
        std::vector<std::string> xrefs;
        for (const char* key : {"Dbxref", "db_xref"})
            if (const auto it = f.attributes.find(key); it != f.attributes.end())
                xrefs.insert(xrefs.end(), it->second.begin(), it->second.end());
        detail::applyCrossReferences(xrefs, g);
        if (const std::string* product = f.first("product"))
            g.product = *product;
        return g;
    }

    AnnotatedGenome build()
    {
        for (const auto& f : features_) {
            if (const auto it = f->attributes.find("Parent"); it != f->attributes.end())
                for (const std::string& parent : it->second)
                    if (!byId_.count(parent))
                        throw ReaderError(lineMessage(source_, f->line, "Parent \"" + parent + "\" names no feature"));
        }
        for (const auto& f : features_) {
            AnnotatedRecord& r = record(f->seqid);
            if (f->type == "region") {
                r.circular = r.circular || f->flag("Is_circular");
                if (const std::string* kind = f->first("genome"))
                    r.plasmid = *kind == "plasmid";
                continue;
            }
            const Feature* parent = parentOf(*f);
            if (f->type == "pseudogene" || (f->type == "gene" && isPseudo(*f))) {
                ++r.pseudogenes;
                continue;
            }
            const bool pseudo = isPseudo(*f) || (parent && isPseudo(*parent));
            if (f->type == "CDS") {
                if (pseudo)
                    ++r.pseudoCds;
                else
                    r.proteins.push_back(gene(*f, parent));
            } else if (isRnaType(f->type) && !pseudo) {
                r.rnas.push_back(gene(*f, parent));
            }
        }
        if (hasFasta_)
            for (const AnnotatedRecord& r : genome_.records)
                if (r.sequence.empty() && (!r.proteins.empty() || !r.rnas.empty()))
                    throw ReaderError(source_ + ": the ##FASTA section holds no sequence for " + r.id);
        for (AnnotatedRecord& r : genome_.records)
            if (std::string problem = placeGenes(r, source_); !problem.empty())
                throw ReaderError(problem);
        genome_.source = source_;
        return std::move(genome_);
    }

    const std::string& source_;
    AnnotatedGenome genome_;
    std::unordered_map<std::string, std::size_t> recordIndex_;
    std::vector<std::unique_ptr<Feature>> features_;
    std::unordered_map<std::string, std::size_t> byId_;
    bool hasFasta_ = false;
};

} // namespace

ReadResult<AnnotatedGenome> parseGff3(std::string_view text, const std::string& sourceName)
{
    return detail::runParser(Gff3Parser(sourceName), text, sourceName + ": no GFF3 feature or sequence");
}

ReadResult<AnnotatedGenome> readGff3(const std::string& path)
{
    return detail::parseInputFile(path, parseGff3);
}

} // namespace meridan::genome
