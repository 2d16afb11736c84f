// meridan-predict as a user runs it: arguments, messages, exit status, and
// whole predictions with the real engines on a simulated and a real genome.
#include "PredictProcess.h"
#include "TestData.h"

#include <filesystem>
#include <initializer_list>

#include <gtest/gtest.h>

#include <map>

#include <algorithm>
#include <sstream>
#include <thread>

namespace {

using namespace meridan::predicttest;

// Skips the test unless every engine library is in the program folder's bin/.
// Why an end-to-end test cannot run: one of its data folders is absent
// (noData says so) or an engine library is not built; empty when it can.
std::string whyNotRun(std::initializer_list<fs::path> folders = {}, const std::string& noData = {})
{
    for (const fs::path& folder : folders)
        if (folder.empty())
            return noData;
    for (const char* engine : {"Galvora", "Castrel", "Dovrane", "Brintel", "Ethrin"})
        if (!fs::exists(runFolder() + "/bin/" + engine + ".so"))
            return std::string(engine) + ".so is not built";
    return std::string();
}

int lineCount(const std::string& path)
{
    if (!fs::exists(path))
        return -1;
    int n = 0;
    std::istringstream lines(fileBytes(path));
    for (std::string line; std::getline(lines, line);)
        n += line.find_first_not_of(" \t\r\n") != std::string::npos;
    return n;
}

std::vector<std::string> withOptions(std::vector<std::string> options, const std::vector<std::string>& inputs)
{
    options.insert(options.end(), inputs.begin(), inputs.end());
    return options;
}

void touch(const std::string& path, const std::string& text = ">x\nACGT\n")
{
    writeFile(path, text);
}

TEST(Predict, HelpExplainsTheCommand)
{
    const Outcome o = run(predictProgram(), {"--help"});
    EXPECT_EQ(o.exitCode, 0);
    EXPECT_TRUE(contains(o.out, "GENOME.fna")) << o.out;
    EXPECT_TRUE(contains(o.out, "--quiet"));
    EXPECT_TRUE(contains(o.out, "--verbose"));
    EXPECT_TRUE(contains(o.out, "results/"));
}

TEST(Predict, FileNamesWithoutAGenomeIdentifierAreExplained)
{
    TempDir dir;
    touch(dir.filePath("-genome.fna"));
    touch(dir.filePath("NC_000001.ptt"));
    const Outcome o = run(predictProgram(), {"--", dir.filePath("-genome.fna"), dir.filePath("NC_000001.ptt")});
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_TRUE(contains(o.err, "\"-genome\" cannot name a genome")) << o.err;
    EXPECT_TRUE(contains(o.err, "NC_000913"));
}

TEST(Predict, MalformedAnnotationFilesAreRefusedBeforeAnyEngineRuns)
{
    TempDir dir;
    const struct {
        const char* name;
        std::string text;
        const char* message;
    } cases[] = {
        {"bad.gff3", "##gff-version 3\ns\tx\tCDS\t1\n", "bad.gff3:2: a feature line has 9 tab-separated columns"},
        {"cut.gbk", "LOCUS       R 50 bp DNA\nORIGIN\n        1 acgt\n", "cut.gbk:3: record R ends without its \"//\" line"},
        {"binary.gbk", std::string("LOCUS\0\x01\x02", 8), "binary.gbk:1: binary data where text was expected"},
        {"cut.gbff.gz", std::string("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03\x2b\x49", 12),
         "cut.gbff.gz: the compressed data ends early"},
    };
    for (const auto& c : cases) {
        touch(dir.filePath(c.name), c.text);
        const Outcome o = run(predictProgram(), {"-o", dir.filePath("out"), dir.filePath(c.name)});
        EXPECT_EQ(o.exitCode, 2) << c.name;
        EXPECT_TRUE(contains(o.err, c.message)) << o.err;
        EXPECT_TRUE(holdsNothing(dir.filePath("out/results"))) << c.name;
    }
}

TEST(Predict, FilesOfDifferentGenomesAreRefused)
{
    TempDir dir;
    touch(dir.filePath("NC_000001.fna"));
    touch(dir.filePath("NC_000002.ptt"));
    const Outcome o = run(predictProgram(), {dir.filePath("NC_000001.fna"), dir.filePath("NC_000002.ptt")});
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_TRUE(contains(o.err, "names genome NC_000001 but the PTT file names NC_000002")) << o.err;
    const Outcome missing = run(predictProgram(), {dir.filePath("NC_000003.fna"), dir.filePath("NC_000002.ptt")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(contains(missing.err, "does not exist"));
}

// A program folder without engines: every stage fails by name, the run still
// goes through all four, and the exit status says so.
TEST(Predict, MissingEnginesFailEachStageByName)
{
    const ProgramCopy program(false);
    TempDir data;
    touch(data.filePath("NC_000001.fna"));
    // Inputs that pass the input check, so the engines are asked for.
    touch(data.filePath("NC_000001.ptt"), "t\n2 proteins\nLocation\tStrand\tLength\tPID\tGene\tSynonym\n"
                                          "1..3\t+\t0\t-\ta\tA1\n2..4\t-\t0\t-\tb\tB1\n");

    const std::vector<std::string> inputs{data.filePath("NC_000001.fna"), data.filePath("NC_000001.ptt")};
    const Outcome o = run(program.program(), inputs);
    EXPECT_EQ(o.exitCode, 1);
    for (const char* expected :
         {"operon FAILED", "promoter FAILED", "terminator FAILED", "TU list FAILED",
          "Galvora (operon): the library /", "/bin/Galvora.so could not be loaded",
          "Ethrin (promoter): the library /", "/bin/Ethrin.so could not be loaded",
          "Castrel (terminator discovery): the library",
          "Dovrane (terminator scan): not run, as the terminator model could not be trained",
          "Brintel (TU list): the library"})
        EXPECT_TRUE(contains(o.out, expected)) << expected << "\n" << o.out;
    EXPECT_TRUE(contains(o.err, "the operon, promoter, terminator, TU list stages failed")) << o.err;
    EXPECT_TRUE(fs::is_directory(program.path("results")));
    EXPECT_TRUE(fs::is_directory(program.path("annotation")));
    // The runner's diagnostic lines go to the log only.
    EXPECT_FALSE(contains(o.out, "OperonDll is not OK"));
    EXPECT_TRUE(fs::file_size(program.path("results/NC_000001_predict.log")) > 0);

    // --quiet: nothing but the errors.
    const Outcome quiet = run(program.program(), withOptions({"--quiet"}, inputs));
    EXPECT_EQ(quiet.exitCode, 1);
    EXPECT_EQ(quiet.out, "");
    EXPECT_TRUE(contains(quiet.err, "Brintel (TU list): the library")) << quiet.err;
}

enum class Shown { Quiet, Normal, Verbose };

void expectCompleteResults(const ProgramCopy& program, const Outcome& o, const std::string& id, int genes,
                           Shown shown)
{
    ASSERT_EQ(o.exitCode, 0) << o.out << o.err;
    const std::string results = program.path("results/") + id;
    EXPECT_EQ(lineCount(results + "_genetag.txt"), genes);
    for (const char* suffix : {"_promoter_scores.txt", "_terminator_score.txt", "_tulist.txt"})
        EXPECT_TRUE(fs::exists(results + suffix)) << suffix;
    EXPECT_GT(lineCount(results + "_tulist.txt"), 0);
    EXPECT_EQ(lineCount(results + "_summary.txt"), 3);
    // The engines' trace lines are in the log; on the terminal only with --verbose.
    const std::string logged = fileBytes(results + "_predict.log");
    EXPECT_TRUE(contains(logged, "Galvora: seed=")) << logged;
    EXPECT_TRUE(contains(logged, "Castrel: Final Improvement"));
    EXPECT_EQ(contains(o.out, "Galvora: seed="), shown == Shown::Verbose) << o.out;
    if (shown == Shown::Quiet) {
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(o.err, "");
        return;
    }
    EXPECT_TRUE(contains(o.out, "TU list finished")) << o.out;
    EXPECT_TRUE(contains(o.out, "internal promoters"));
}

TEST(PredictEndToEnd, SimulatedGenome)
{
    if (const std::string why = whyNotRun(); !why.empty())
        GTEST_SKIP() << why;
    TempDir dir;
    const Outcome sim = run(runFolder() + "/meridan-simulate",
                            {"--length", "300k", "--seed", "11", "--accession", "SIM000011", "--out", dir.path()});
    ASSERT_EQ(sim.exitCode, 0) << sim.err;
    const int genes = lineCount(dir.filePath("SIM000011.ptt")) - 3 + lineCount(dir.filePath("SIM000011.rnt")) - 3;
    const ProgramCopy program;
    const Outcome o = run(program.program(), {"--verbose", dir.filePath("SIM000011.fna"),
                                              dir.filePath("SIM000011.ptt"), dir.filePath("SIM000011.rnt")});
    expectCompleteResults(program, o, "SIM000011", genes, Shown::Verbose);
    EXPECT_TRUE(fs::exists(program.path("annotation/SIM000011.ano")));
}

TEST(PredictEndToEnd, YersiniaPlasmidWithoutRnaGenes)
{
    const std::filesystem::path genome = meridan::testdata::genomeDir("NC_005816");
    if (const std::string why = whyNotRun({genome}, "no NC_005816 in the data folder"); !why.empty())
        GTEST_SKIP() << why;
    const std::string dir = std::string(genome.string());
    const ProgramCopy program;
    const Outcome o = run(program.program(), {dir + "/NC_005816.fna", dir + "/NC_005816.ptt",
                                              dir + "/NC_005816.rnt"});
    expectCompleteResults(program, o, "NC_005816", 10, Shown::Normal);
}

// Input folders whose names Latin-1 cannot hold reach the engines intact.
TEST(PredictEndToEnd, InputsInAFolderWithANonLatin1Name)
{
    const std::filesystem::path genome = meridan::testdata::genomeDir("NC_005816");
    if (const std::string why = whyNotRun({genome}, "no NC_005816 in the data folder"); !why.empty())
        GTEST_SKIP() << why;
    TempDir dir;
    const std::string folder = dir.filePath("données/基因組");
    ASSERT_TRUE(fs::create_directories(folder));
    std::vector<std::string> inputs{"--quiet"};
    for (const char* extension : {".fna", ".ptt"}) {
        const std::string name = std::string("NC_005816") + extension;
        ASSERT_TRUE(fs::copy_file(genome / name, folder + "/" + name));
        inputs.push_back(folder + "/" + name);
    }
    const ProgramCopy program;
    const Outcome o = run(program.program(), inputs);
    expectCompleteResults(program, o, "NC_005816", 10, Shown::Quiet);
    // Without an RNT file and without an earlier annotation file the engines
    // read the PTT file itself.
    EXPECT_FALSE(fs::exists(program.path("annotation/NC_005816.ano")));
}


std::filesystem::path formatsDir(const std::string& folder)
{
    const auto dir = meridan::testdata::dataDir() / "formats" / folder;
    std::error_code ec;
    return std::filesystem::is_directory(dir, ec) ? dir : std::filesystem::path();
}

Outcome runSeeded(const std::string& program, const std::vector<std::string>& arguments)
{
    ::setenv("MERIDAN_SEED", "20240607", 1);
    Outcome o = run(program, arguments);
    ::unsetenv("MERIDAN_SEED");
    return o;
}

// Two real pipeline records in one GenBank file: one genome named after the
// file, its records joined, every exported row on its own record, written
// under -o only.
TEST(PredictEndToEnd, TwoRecordGenBankFileIsOneGenome)
{
    const auto first = formatsDir("prokka-NZ_AP025271");
    const auto second = formatsDir("prokka-plasmid");
    if (const std::string why = whyNotRun({first, second}, "no pipeline plasmids in the data folder"); !why.empty())
        GTEST_SKIP() << why;
    TempDir dir;
    const std::string both = dir.filePath("two.gbk");
    touch(both, fileBytes(std::string((first / "NZ_AP025271.gbk").string())) +
                    fileBytes(std::string((second / "NZ_CP073982.gbk").string())));
    const ProgramCopy program;
    const Outcome o = run(program.program(), {"-o", dir.filePath("out"), both});
    ASSERT_EQ(o.exitCode, 0) << o.out << o.err;
    const std::string results = dir.filePath("out/results/two");
    EXPECT_GT(lineCount(results + "_genetag.txt"), 250);
    EXPECT_GT(lineCount(results + "_tulist.txt"), 0);
    EXPECT_EQ(lineCount(results + "_summary.txt"), 3);
    EXPECT_FALSE(fs::exists(dir.filePath("out/results/NZ_AP025271.1_genetag.txt")));
    EXPECT_EQ(lineCount(dir.filePath("out/annotation/two_records.txt")), 3);
    EXPECT_TRUE(contains(o.out, "all records: 2 with genes to predict on, predicted as one genome")) << o.out;
    EXPECT_FALSE(contains(o.out, "two records")) << o.out; // the exports found nothing across the records
    // Every GFF3 row on one of the records, inside it.
    const std::map<std::string, long> lengths{{"NZ_AP025271.1", 64595}, {"NZ_CP073982.1", 247187}};
    std::istringstream gff(fileBytes(results + ".gff3"));
    int rows = 0;
    for (std::string line; std::getline(gff, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string seqid, source, type;
        long start = 0, end = 0;
        fields >> seqid >> source >> type >> start >> end;
        ASSERT_TRUE(lengths.count(seqid)) << line;
        EXPECT_TRUE(start >= 1 && end <= lengths.at(seqid)) << line;
        ++rows;
    }
    EXPECT_GT(rows, 100);
    EXPECT_TRUE(holdsNothing(program.path("results"))); // the program folder was only read
}

// The pipeline GFF3 alone (sequence in ##FASTA), and a plasmid table named
// like pPCP1 instead of a 9-character accession.
TEST(PredictEndToEnd, PipelineGff3AndShortTableNames)
{
    const auto gff = formatsDir("prokka-NZ_AP025271");
    const std::filesystem::path plasmid = meridan::testdata::genomeDir("NC_005816");
    if (const std::string why = whyNotRun({gff, plasmid}, "data not present"); !why.empty())
        GTEST_SKIP() << why;
    TempDir dir;
    const ProgramCopy program;
    const Outcome fromGff =
        run(program.program(), {"--quiet", "-o", dir.filePath("gff"), std::string((gff / "NZ_AP025271.gff").string())});
    ASSERT_EQ(fromGff.exitCode, 0) << fromGff.out << fromGff.err;
    EXPECT_GT(lineCount(dir.filePath("gff/results/NZ_AP025271.1_tulist.txt")), 0);

    std::vector<std::string> inputs{"--quiet"};
    for (const char* extension : {".fna", ".ptt", ".rnt"}) {
        const std::string copy = dir.filePath(std::string("pPCP1") + extension);
        ASSERT_TRUE(fs::copy_file(plasmid / ("NC_005816" + std::string(extension)), copy));
        inputs.push_back(copy);
    }
    const Outcome shortName = run(program.program(), inputs);
    expectCompleteResults(program, shortName, "pPCP1", 10, Shown::Quiet);
}

// A 9-character genome gives the same result files with and without -o.
TEST(PredictEndToEnd, NineCharacterNameGivesTheSameResultsUnderAnOutputFolder)
{
    const std::filesystem::path genome = meridan::testdata::genomeDir("NC_005816");
    if (const std::string why = whyNotRun({genome}, "no NC_005816 in the data folder"); !why.empty())
        GTEST_SKIP() << why;
    const std::string data = std::string(genome.string());
    const std::vector<std::string> triple{data + "/NC_005816.fna", data + "/NC_005816.ptt", data + "/NC_005816.rnt"};
    const ProgramCopy program;
    TempDir dir;
    ASSERT_EQ(runSeeded(program.program(), withOptions({"--quiet"}, triple)).exitCode, 0);
    ASSERT_EQ(runSeeded(program.program(), withOptions({"--quiet", "-o", dir.path()}, triple)).exitCode, 0);
    for (const char* suffix : {"_genetag.txt", "_promoter_scores.txt", "_terminator_score.txt", "_tulist.txt", "_summary.txt"}) {
        const std::string before = fileBytes(program.path("results/NC_005816") + suffix);
        EXPECT_FALSE(before.empty()) << suffix;
        EXPECT_EQ(before, fileBytes(dir.filePath("results/NC_005816") + suffix)) << suffix;
    }
    EXPECT_EQ(fileBytes(dir.filePath("annotation/NC_005816.ptt")), fileBytes(triple[1]));
}

// E. coli as NCBI publishes it, GFF3 + FASTA and GenBank, run at the same
// time in two output folders: the same TU list.
TEST(PredictEndToEnd, EscherichiaColiGff3AndGenBankGiveTheSameTus)
{
    const auto ncbi = formatsDir("ncbi-NC_000913");
    if (const std::string why = whyNotRun({ncbi}, "no NCBI E. coli files in the data folder"); !why.empty())
        GTEST_SKIP() << why;
    const std::string stem = std::string((ncbi / "GCF_000005845.2_ASM584v2_genomic").string());
    const ProgramCopy program;
    TempDir dir;
    Outcome gff, gbff;
    std::thread first([&] {
        gff = run(program.program(),
                  {"--quiet", "--seed", "20240607", "-o", dir.filePath("gff"), stem + ".fna.gz", stem + ".gff.gz"});
    });
    gbff = run(program.program(), {"--quiet", "--seed", "20240607", "-o", dir.filePath("gbff"), stem + ".gbff.gz"});
    first.join();
    ASSERT_EQ(gff.exitCode, 0) << gff.err;
    ASSERT_EQ(gbff.exitCode, 0) << gbff.err;
    const std::string tus = fileBytes(dir.filePath("gff/results/NC_000913.3_tulist.txt"));
    EXPECT_GT(std::count(tus.begin(), tus.end(), '\n'), 1000);
    EXPECT_EQ(tus, fileBytes(dir.filePath("gbff/results/NC_000913.3_tulist.txt")));
    EXPECT_EQ(fileBytes(dir.filePath("gff/annotation/NC_000913.3.fna")), fileBytes(dir.filePath("gbff/annotation/NC_000913.3.fna")));
}

} // namespace
