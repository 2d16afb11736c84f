// The exports of real predictions: one prediction per genome (E. coli and
// S. aureus, with a fixed MERIDAN_SEED) run once for the whole binary, then
// every exported coordinate checked against the genome sequence and the
// result tables, and the files given to the tools users will give them to
// (GenomeTools' GFF3 validator, bgzip + tabix, bedtools). Also the golden
// GFF3 of the small plasmid NC_005816 from stored result files.
#include "TestData.h"

#include "TestText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using meridan::testtext::readFile;

using meridan::testtext::split;
using meridan::testtext::reverseComplement;

using meridan::testtext::lines;

std::string quoted(const fs::path& path)
{
    std::string out = "'";
    for (char c : path.string())
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

struct Outcome {
    int status = -1;
    std::string output; // standard output and standard error
};

Outcome shell(const std::string& command, const fs::path& scratch)
{
    const fs::path log = scratch / "command.log";
    Outcome run;
    const int raw = std::system(("(" + command + ") > " + quoted(log) + " 2>&1").c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.output = readFile(log);
    return run;
}

bool haveTool(const char* name)
{
    return std::system(("command -v " + std::string(name) + " > /dev/null 2>&1").c_str()) == 0;
}


std::string upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string unescape(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

struct GffFeature {
    std::string type;
    long start = 0;
    long end = 0;
    char strand = '.';
    std::string score;
    std::map<std::string, std::string> attributes; // values unescaped, lists kept with their commas
};

std::vector<GffFeature> readGff(const std::string& text)
{
    std::vector<GffFeature> features;
    for (const std::string& line : lines(text)) {
        if (line.empty() || line[0] == '#')
            continue;
        const auto f = split(line, '\t');
        if (f.size() != 9)
            continue;
        GffFeature feature{f[2], std::stol(f[3]), std::stol(f[4]), f[6][0], f[5], {}};
        for (const std::string& pair : split(f[8], ';')) {
            const std::size_t eq = pair.find('=');
            feature.attributes[pair.substr(0, eq)] = unescape(pair.substr(eq + 1));
        }
        features.push_back(std::move(feature));
    }
    return features;
}

// The genome of a FASTA file: every line after the header, blanks dropped.
std::string genomeOf(const fs::path& fna)
{
    std::string sequence;
    bool header = true;
    for (const std::string& line : lines(readFile(fna))) {
        if (header) {
            header = false;
            continue;
        }
        for (char c : line)
            if (!std::isspace(static_cast<unsigned char>(c)))
                sequence += c;
    }
    return sequence;
}

// The bases at a GFF3 feature, read on its strand; across the origin too.
std::string basesAt(const std::string& genome, const GffFeature& f)
{
    const long n = static_cast<long>(genome.size());
    std::string forward;
    for (long p = f.start; p <= f.end; ++p)
        forward += genome[static_cast<std::size_t>((p - 1) % n)];
    return f.strand == '-' ? reverseComplement(forward) : forward;
}

struct Gene {
    long start = 0;
    long end = 0;
    char strand = '+';
};

// The genes the result files' gene indexes count, from the merged gene table
// the prediction used (annotation/ID.ano, PTT layout): index -> location.
std::vector<Gene> genesOf(const fs::path& table)
{
    std::vector<Gene> genes;
    const auto all = lines(readFile(table));
    for (std::size_t i = 3; i < all.size(); ++i) {
        const auto f = split(all[i], '\t');
        if (f.size() < 6)
            continue;
        const std::size_t dots = f[0].find("..");
        genes.push_back(Gene{std::stol(f[0].substr(0, dots)), std::stol(f[0].substr(dots + 2)), f[1][0]});
    }
    return genes;
}

// The smallest span over the genes.
std::pair<long, long> spanOf(const std::vector<Gene>& genes, const std::vector<long>& indexes)
{
    long start = -1, end = -1;
    for (long i : indexes) {
        const Gene& gene = genes.at(static_cast<std::size_t>(i));
        start = start < 0 ? gene.start : std::min(start, gene.start);
        end = std::max(end, gene.end);
    }
    return {start, end};
}

// One prediction with meridan-predict in a program folder of its own.
struct Prediction {
    std::string id;
    fs::path folder;
    fs::path results;
    fs::path fna;
    std::vector<fs::path> tables;
    std::string genome;
    Outcome run;
};

// A folder of its own for one test, under the temporary folder.
fs::path scratchFolder(const std::string& name)
{
    fs::path dir = fs::temp_directory_path() / ("meridan_export_" + name + "_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir;
}

const Prediction* predicted(const std::string& id)
{
    static std::map<std::string, std::unique_ptr<Prediction>> done;
    if (auto it = done.find(id); it != done.end())
        return it->second.get();
    const fs::path data = meridan::testdata::genomeDir(id);
    const fs::path run = meridan::testdata::runDir();
    if (data.empty() || !fs::exists(run / "meridan-predict") || !fs::exists(run / "bin" / "Galvora.so"))
        return done.emplace(id, nullptr).first->second.get();
    auto p = std::make_unique<Prediction>();
    p->id = id;
    p->folder = scratchFolder(id);
    fs::copy_file(run / "meridan-predict", p->folder / "meridan-predict");
    for (const char* shared : {"bin", "WM", "threshold"})
        fs::create_directory_symlink(run / shared, p->folder / shared);
    p->results = p->folder / "results";
    p->fna = data / (id + ".fna");
    p->tables = {data / (id + ".ptt"), data / (id + ".rnt")};
    p->genome = genomeOf(p->fna);
    p->run = shell("MERIDAN_SEED=1 " + quoted(p->folder / "meridan-predict") + " --quiet " + quoted(p->fna) + " " +
                       quoted(p->tables[0]) + " " + quoted(p->tables[1]),
                   p->folder);
    return done.emplace(id, std::move(p)).first->second.get();
}

const char* const exportNames[] = {".gff3", "_terminators.bed", "_promoters.bed", "_tus.bed", "_tus.tsv"};

class RealExport : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        p = predicted(GetParam());
        if (!p)
            GTEST_SKIP() << "no " << GetParam() << " in the data folder, or the engines are not built";
        ASSERT_EQ(p->run.status, 0) << p->run.output;
    }
    void TearDown() override
    {
        if (p)
            fs::remove_all(p->folder);
    }
    std::string file(const std::string& suffix) const { return readFile(p->results / (p->id + suffix)); }
    void predictWritesWhatExportRebuilds();
    void coordinatesHoldTheTablesBases();
    void toolsAcceptTheFiles();
    const Prediction* p = nullptr;
};

} // namespace

// meridan-predict wrote the five files; meridan-export rebuilds the same,
// but for the seed meridan-predict names in the GFF3 header.
void RealExport::predictWritesWhatExportRebuilds()
{
    const fs::path again = p->folder / "again";
    fs::create_directories(again);
    const Outcome run = shell(quoted(meridan::testdata::runDir() / "meridan-export") + " --genome " + quoted(p->fna) +
                              " -o " + quoted(again) + " " + quoted(p->results) + " " + p->id,
                          p->folder);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output.find("warning"), std::string::npos) << run.output;
    std::printf("%s", run.output.c_str());
    for (const char* name : exportNames) {
        std::string text = file(name);
        EXPECT_FALSE(text.empty()) << name;
        if (std::string(name) == ".gff3") {
            const std::size_t seed = text.find("\n#seed 1\n");
            ASSERT_NE(seed, std::string::npos) << "no seed line in the GFF3 header";
            text.erase(seed + 1, 8);
        }
        EXPECT_EQ(text, readFile(again / (p->id + name))) << name;
    }
}

// Every terminator's and -10 box's bases at its coordinates are the ones the
// result tables hold; every TU spans exactly its first and last gene.
void RealExport::coordinatesHoldTheTablesBases()
{
    const auto features = readGff(file(".gff3"));
    std::map<std::string, const GffFeature*> byId;
    for (const GffFeature& f : features)
        byId[f.attributes.count("ID") ? f.attributes.at("ID") : ""] = &f;

    // The terminator table: label -> element sequence.
    std::multimap<std::string, std::string> terminatorRows;
    for (const std::string& line : lines(file("_terminator_score.txt"))) {
        std::istringstream in(line);
        std::string start, stem, loop, tail, score, sequence, label;
        if (in >> start >> stem >> loop >> tail >> score >> sequence >> label)
            terminatorRows.emplace(label, sequence);
    }
    // The promoter table: gene -> its -10 box (the one box of a one-box model).
    std::map<std::string, std::string> box10;
    std::size_t confident = 0;
    for (const std::string& line : lines(file("_promoter_scores.txt"))) {
        std::istringstream in(line);
        std::string name, score, start, end, first, placeholder, second;
        if (in >> name >> score >> start >> end >> first >> placeholder >> second) {
            box10[name] = second == "-" ? first : second;
            confident += std::stod(score) > 0;
        }
    }
    const auto genes = genesOf(p->folder / "annotation" / (p->id + ".ano"));
    // TU name -> gene indexes (TU list); operon number -> gene indexes (gene tags).
    std::map<std::string, std::vector<long>> tuGenes;
    for (const std::string& line : lines(file("_tulist.txt"))) {
        const auto f = split(line, '\t');
        for (const std::string& member : split(f.at(3), ','))
            tuGenes[f.at(1)].push_back(std::stol(member.substr(member.rfind('|') + 1)));
    }
    std::map<long, std::vector<long>> operonGenes;
    long index = 0;
    for (const std::string& line : lines(file("_genetag.txt")))
        operonGenes[std::stol(line)].push_back(index++);

    std::size_t terminators = 0, boxes = 0, tus = 0, operons = 0;
    for (const GffFeature& f : features) {
        if (f.type == "rho_independent_bacterial_terminator") {
            ++terminators;
            const std::string bases = basesAt(p->genome, f);
            EXPECT_EQ(bases, upper(f.attributes.at("sequence"))) << f.attributes.at("ID");
            const auto [from, to] = terminatorRows.equal_range(f.attributes.at("gene"));
            EXPECT_TRUE(std::any_of(from, to, [&](const auto& row) { return upper(row.second) == bases; }))
                << f.attributes.at("ID");
        } else if (f.type == "minus_10_signal") {
            ++boxes;
            const GffFeature* promoter = byId.at(f.attributes.at("Parent"));
            EXPECT_EQ(basesAt(p->genome, f), upper(f.attributes.at("sequence")));
            EXPECT_EQ(basesAt(p->genome, f), upper(box10.at(promoter->attributes.at("gene"))));
        } else if (f.type == "transcript" || f.type == "operon") {
            ++(f.type == "operon" ? operons : tus);
            const std::string& id = f.attributes.at("ID");
            const std::vector<long>& members = f.type == "operon" ? operonGenes[std::stol(id.substr(id.find(':') + 1))]
                                                                  : tuGenes[f.attributes.at("unit")];
            ASSERT_FALSE(members.empty()) << id;
            const auto [start, end] = spanOf(genes, members);
            EXPECT_EQ(f.start, start) << id;
            EXPECT_EQ(f.end, end) << id;
            for (long i : members)
                EXPECT_EQ(genes.at(static_cast<std::size_t>(i)).strand, f.strand) << id;
        }
    }
    std::size_t tuLines = lines(file("_tulist.txt")).size();
    std::printf("%s: %zu operons, %zu TUs (TU list: %zu lines), %zu promoters with a -10 box (promoter table: %zu "
                "confident), %zu terminators (terminator table: %zu rows)\n",
                p->id.c_str(), operons, tus, tuLines, boxes, confident, terminators, terminatorRows.size());
    EXPECT_EQ(terminators, terminatorRows.size());
    EXPECT_EQ(boxes, confident);
    EXPECT_EQ(tus, tuLines);
    EXPECT_GT(operons, 0u);
}

// The files pass the tools users open them with.
void RealExport::toolsAcceptTheFiles()
{
    for (const char* tool : {"gt", "bgzip", "tabix", "bedtools"})
        if (!haveTool(tool)) {
            std::printf("%s is not installed (scripts/install-deps.sh installs it): the tool checks are left out\n", tool);
            return;
        }
    const fs::path gff = p->results / (p->id + ".gff3");
    const Outcome valid = shell("gt gff3validator -typecheck so " + quoted(gff), p->folder);
    EXPECT_EQ(valid.status, 0) << valid.output;
    EXPECT_EQ(valid.output, "input is valid GFF3\n");
    std::printf("gt gff3validator -typecheck so %s.gff3: %s", p->id.c_str(), valid.output.c_str());

    const fs::path sorted = p->folder / (p->id + ".sorted.gff3.gz");
    const Outcome indexed = shell("(grep '^#' " + quoted(gff) + "; grep -v '^#' " + quoted(gff) +
                                  " | sort -t \"$(printf '\\t')\" -k1,1 -k4,4n) | bgzip -c > " + quoted(sorted) +
                                  " && tabix -p gff " + quoted(sorted),
                              p->folder);
    EXPECT_EQ(indexed.status, 0) << indexed.output;
    EXPECT_TRUE(indexed.output.empty()) << indexed.output;
    EXPECT_TRUE(fs::exists(sorted.string() + ".tbi"));

    // The gene annotation as BED, named like the exports' sequence.
    const std::string seqid = split(lines(file("_tus.bed")).at(1), '\t').at(0);
    const fs::path genesBed = p->folder / "genes.bed";
    {
        std::ofstream out(genesBed);
        long index = 0;
        for (const Gene& gene : genesOf(p->folder / "annotation" / (p->id + ".ano")))
            out << seqid << '\t' << gene.start - 1 << '\t' << gene.end << "\tgene" << index++ << "\t0\t" << gene.strand
                << '\n';
    }
    for (const char* name : {"_terminators.bed", "_promoters.bed", "_tus.bed"}) {
        const fs::path bed = p->results / (p->id + name);
        const Outcome sortedBed = shell("bedtools sort -i " + quoted(bed), p->folder);
        EXPECT_EQ(sortedBed.status, 0) << sortedBed.output;
        // The files are sorted already: bedtools puts the lines in the same order of starts.
        auto expected = lines(readFile(bed));
        expected.erase(expected.begin()); // the track line
        auto got = lines(sortedBed.output);
        got.erase(std::remove_if(got.begin(), got.end(), [](const std::string& l) { return l.rfind("track", 0) == 0; }),
                  got.end());
        ASSERT_EQ(got.size(), expected.size()) << name;
        for (std::size_t i = 0; i < got.size(); ++i)
            ASSERT_EQ(split(got[i], '\t').at(1), split(expected[i], '\t').at(1)) << name << " line " << i + 2;
        const Outcome overlap = shell("bedtools intersect -u -a " + quoted(bed) + " -b " + quoted(genesBed) + " | wc -l",
                                  p->folder);
        EXPECT_EQ(overlap.status, 0) << overlap.output;
        EXPECT_EQ(overlap.output.find_first_not_of("0123456789\n "), std::string::npos) << overlap.output;
        std::printf("%s%s: %zu lines, %s overlapping genes\n", p->id.c_str(), name, expected.size(),
                    split(overlap.output, '\n')[0].c_str());
    }
    // Mapped 3' ends, where the data folder has them: how many terminators
    // have one within 50 bases on their strand (reported, not judged).
    const fs::path ends = meridan::testdata::genomeDir(p->id) / (p->id + ".terminators.bed");
    if (fs::exists(ends)) {
        const fs::path bed = p->results / (p->id + "_terminators.bed");
        const Outcome near = shell("bedtools window -a " + quoted(bed) + " -b " + quoted(ends) + " -w 50 -sm -u | wc -l",
                                   p->folder);
        EXPECT_EQ(near.status, 0) << near.output;
        std::printf("%s terminators within 50 nt of a mapped 3' end on their strand: %s", p->id.c_str(),
                    near.output.c_str());
    }
}

// One test per genome, so that CTest runs each prediction once.
TEST_P(RealExport, ExportsOfAPrediction)
{
    {
        SCOPED_TRACE("meridan-predict and meridan-export write the same files");
        predictWritesWhatExportRebuilds();
    }
    {
        SCOPED_TRACE("coordinates");
        coordinatesHoldTheTablesBases();
    }
    {
        SCOPED_TRACE("tools");
        toolsAcceptTheFiles();
    }
}

INSTANTIATE_TEST_SUITE_P(Genomes, RealExport, ::testing::Values("NC_000913", "NC_007795"));

// The exact GFF3 of stored NC_005816 result files (a prediction with
// MERIDAN_SEED=1), so that any change of the format shows.
TEST(GoldenExport, PlasmidGff3)
{
    const fs::path data = meridan::testdata::genomeDir("NC_005816");
    if (data.empty())
        GTEST_SKIP() << "no NC_005816 in the data folder";
    const fs::path golden = fs::path(MERIDAN_GOLDEN_DIR) / "NC_005816";
    const fs::path out = scratchFolder("golden");
    const Outcome run = shell(quoted(meridan::testdata::runDir() / "meridan-export") + " --genome " +
                              quoted(data / "NC_005816.fna") + " --seqid NC_005816.1 -o " + quoted(out) + " " +
                              quoted(golden) + " NC_005816",
                          out);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(readFile(out / "NC_005816.gff3"), readFile(golden / "NC_005816.gff3"));
    fs::remove_all(out);
}
