// meridan-predict as a user runs it: arguments, messages, exit status, and
// whole predictions with the real engines on a simulated and a real genome.
#include "PredictProcess.h"
#include "TestData.h"

#include <QDir>
#include <filesystem>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace meridan::predicttest;

// Skips the test unless every engine library is in the program folder's bin/.
QString missingEngine()
{
    for (const char* engine : {"Galvora", "Castrel", "Dovrane", "Brintel", "Ethrin"})
        if (!QFileInfo::exists(runFolder() + "/bin/" + engine + ".so"))
            return engine;
    return QString();
}

int lineCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    int n = 0;
    for (const QByteArray& line : file.readAll().split('\n'))
        n += !line.trimmed().isEmpty();
    return n;
}

void touch(const QString& path, const QByteArray& text = ">x\nACGT\n")
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

TEST(Predict, HelpExplainsTheCommand)
{
    const Outcome o = run(predictProgram(), {"--help"});
    EXPECT_EQ(o.exitCode, 0);
    EXPECT_TRUE(o.out.contains("GENOME.fna")) << o.out.toStdString();
    EXPECT_TRUE(o.out.contains("--quiet"));
    EXPECT_TRUE(o.out.contains("--verbose"));
    EXPECT_TRUE(o.out.contains("results/"));
}

TEST(Predict, FileNamesWithoutAGenomeIdentifierAreExplained)
{
    QTemporaryDir dir;
    touch(dir.filePath("-genome.fna"));
    touch(dir.filePath("NC_000001.ptt"));
    const Outcome o = run(predictProgram(), {"--", dir.filePath("-genome.fna"), dir.filePath("NC_000001.ptt")});
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_TRUE(o.err.contains("\"-genome\" cannot name a genome")) << o.err.toStdString();
    EXPECT_TRUE(o.err.contains("NC_000913"));
}

TEST(Predict, MalformedAnnotationFilesAreRefusedBeforeAnyEngineRuns)
{
    QTemporaryDir dir;
    const struct {
        const char* name;
        QByteArray text;
        const char* message;
    } cases[] = {
        {"bad.gff3", "##gff-version 3\ns\tx\tCDS\t1\n", "bad.gff3:2: a feature line has 9 tab-separated columns"},
        {"cut.gbk", "LOCUS       R 50 bp DNA\nORIGIN\n        1 acgt\n", "cut.gbk:3: record R ends without its \"//\" line"},
        {"binary.gbk", QByteArray("LOCUS\0\x01\x02", 8), "binary.gbk:1: binary data where text was expected"},
        {"cut.gbff.gz", QByteArray("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03\x2b\x49", 12),
         "cut.gbff.gz: the compressed data ends early"},
    };
    for (const auto& c : cases) {
        touch(dir.filePath(c.name), c.text);
        const Outcome o = run(predictProgram(), {"-o", dir.filePath("out"), dir.filePath(c.name)});
        EXPECT_EQ(o.exitCode, 2) << c.name;
        EXPECT_TRUE(o.err.contains(c.message)) << o.err.toStdString();
        EXPECT_TRUE(QDir(dir.filePath("out/results")).isEmpty()) << c.name;
    }
}

TEST(Predict, FilesOfDifferentGenomesAreRefused)
{
    QTemporaryDir dir;
    touch(dir.filePath("NC_000001.fna"));
    touch(dir.filePath("NC_000002.ptt"));
    const Outcome o = run(predictProgram(), {dir.filePath("NC_000001.fna"), dir.filePath("NC_000002.ptt")});
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_TRUE(o.err.contains("names genome NC_000001 but the PTT file names NC_000002")) << o.err.toStdString();
    const Outcome missing = run(predictProgram(), {dir.filePath("NC_000003.fna"), dir.filePath("NC_000002.ptt")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.contains("does not exist"));
}

// A program folder without engines: every stage fails by name, the run still
// goes through all four, and the exit status says so.
TEST(Predict, MissingEnginesFailEachStageByName)
{
    const ProgramCopy program(false);
    QTemporaryDir data;
    touch(data.filePath("NC_000001.fna"));
    // Inputs that pass the input check, so the engines are asked for.
    touch(data.filePath("NC_000001.ptt"), "t\n2 proteins\nLocation\tStrand\tLength\tPID\tGene\tSynonym\n"
                                          "1..3\t+\t0\t-\ta\tA1\n2..4\t-\t0\t-\tb\tB1\n");

    const QStringList inputs{data.filePath("NC_000001.fna"), data.filePath("NC_000001.ptt")};
    const Outcome o = run(program.program(), inputs);
    EXPECT_EQ(o.exitCode, 1);
    for (const char* expected :
         {"operon FAILED", "promoter FAILED", "terminator FAILED", "TU list FAILED",
          "Galvora (operon): the library /", "/bin/Galvora.so could not be loaded",
          "Ethrin (promoter): the library /", "/bin/Ethrin.so could not be loaded",
          "Castrel (terminator discovery): the library",
          "Dovrane (terminator scan): not run, as the terminator model could not be trained",
          "Brintel (TU list): the library"})
        EXPECT_TRUE(o.out.contains(expected)) << expected << "\n" << o.out.toStdString();
    EXPECT_TRUE(o.err.contains("the operon, promoter, terminator, TU list stages failed")) << o.err.toStdString();
    EXPECT_TRUE(QFileInfo(program.path("results")).isDir());
    EXPECT_TRUE(QFileInfo(program.path("annotation")).isDir());
    // The runner's diagnostic lines go to the log only.
    EXPECT_FALSE(o.out.contains("OperonDll is not OK"));
    EXPECT_TRUE(QFile(program.path("results/NC_000001_predict.log")).size() > 0);

    // --quiet: nothing but the errors.
    const Outcome quiet = run(program.program(), QStringList{"--quiet"} + inputs);
    EXPECT_EQ(quiet.exitCode, 1);
    EXPECT_EQ(quiet.out, "");
    EXPECT_TRUE(quiet.err.contains("Brintel (TU list): the library")) << quiet.err.toStdString();
}

enum class Shown { Quiet, Normal, Verbose };

void expectCompleteResults(const ProgramCopy& program, const Outcome& o, const QString& id, int genes,
                           Shown shown)
{
    ASSERT_EQ(o.exitCode, 0) << o.out.toStdString() << o.err.toStdString();
    const QString results = program.path("results/") + id;
    EXPECT_EQ(lineCount(results + "_genetag.txt"), genes);
    for (const char* suffix : {"_promoter_scores.txt", "_terminator_score.txt", "_tulist.txt"})
        EXPECT_TRUE(QFileInfo::exists(results + suffix)) << suffix;
    EXPECT_GT(lineCount(results + "_tulist.txt"), 0);
    EXPECT_EQ(lineCount(results + "_summary.txt"), 3);
    // The engines' trace lines are in the log; on the terminal only with --verbose.
    QFile log(results + "_predict.log");
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray logged = log.readAll();
    EXPECT_TRUE(logged.contains("Galvora: seed=")) << logged.constData();
    EXPECT_TRUE(logged.contains("Castrel: Final Improvement"));
    EXPECT_EQ(o.out.contains("Galvora: seed="), shown == Shown::Verbose) << o.out.toStdString();
    if (shown == Shown::Quiet) {
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(o.err, "");
        return;
    }
    EXPECT_TRUE(o.out.contains("TU list finished")) << o.out.toStdString();
    EXPECT_TRUE(o.out.contains("internal promoters"));
}

TEST(PredictEndToEnd, SimulatedGenome)
{
    if (const QString engine = missingEngine(); !engine.isEmpty())
        GTEST_SKIP() << engine.toStdString() << ".so is not built";
    QTemporaryDir dir;
    const Outcome sim = run(runFolder() + "/meridan-simulate",
                            {"--length", "300k", "--seed", "11", "--accession", "SIM000011", "--out", dir.path()});
    ASSERT_EQ(sim.exitCode, 0) << sim.err.toStdString();
    const int genes = lineCount(dir.filePath("SIM000011.ptt")) - 3 + lineCount(dir.filePath("SIM000011.rnt")) - 3;
    const ProgramCopy program;
    const Outcome o = run(program.program(), {"--verbose", dir.filePath("SIM000011.fna"),
                                              dir.filePath("SIM000011.ptt"), dir.filePath("SIM000011.rnt")});
    expectCompleteResults(program, o, "SIM000011", genes, Shown::Verbose);
    EXPECT_TRUE(QFileInfo::exists(program.path("annotation/SIM000011.ano")));
}

TEST(PredictEndToEnd, YersiniaPlasmidWithoutRnaGenes)
{
    const std::filesystem::path genome = meridan::testdata::genomeDir("NC_005816");
    if (genome.empty())
        GTEST_SKIP() << "no NC_005816 in the data folder";
    if (const QString engine = missingEngine(); !engine.isEmpty())
        GTEST_SKIP() << engine.toStdString() << ".so is not built";
    const QString dir = QString::fromStdString(genome.string());
    const ProgramCopy program;
    const Outcome o = run(program.program(), {dir + "/NC_005816.fna", dir + "/NC_005816.ptt",
                                              dir + "/NC_005816.rnt"});
    expectCompleteResults(program, o, "NC_005816", 10, Shown::Normal);
}

// Input folders whose names Latin-1 cannot hold reach the engines intact.
TEST(PredictEndToEnd, InputsInAFolderWithANonLatin1Name)
{
    const std::filesystem::path genome = meridan::testdata::genomeDir("NC_005816");
    if (genome.empty())
        GTEST_SKIP() << "no NC_005816 in the data folder";
    if (const QString engine = missingEngine(); !engine.isEmpty())
        GTEST_SKIP() << engine.toStdString() << ".so is not built";
    QTemporaryDir dir;
    const QString folder = dir.filePath(QString::fromUtf8("données/基因組"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QStringList inputs{"--quiet"};
    for (const char* extension : {".fna", ".ptt"}) {
        const QString name = QStringLiteral("NC_005816") + extension;
        ASSERT_TRUE(QFile::copy(QString::fromStdString((genome / name.toStdString()).string()), folder + "/" + name));
        inputs << folder + "/" + name;
    }
    const ProgramCopy program;
    const Outcome o = run(program.program(), inputs);
    expectCompleteResults(program, o, "NC_005816", 10, Shown::Quiet);
    // Without an RNT file and without an earlier annotation file the engines
    // read the PTT file itself.
    EXPECT_FALSE(QFileInfo::exists(program.path("annotation/NC_005816.ano")));
}


std::filesystem::path formatsDir(const std::string& folder)
{
    const auto dir = meridan::testdata::dataDir() / "formats" / folder;
    std::error_code ec;
    return std::filesystem::is_directory(dir, ec) ? dir : std::filesystem::path();
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

Outcome runSeeded(const QString& program, const QStringList& arguments)
{
    qputenv("MERIDAN_SEED", "20240607");
    Outcome o = run(program, arguments);
    qunsetenv("MERIDAN_SEED");
    return o;
}

// Two real pipeline records in one GenBank file: two genomes, each with its
// own results named after its accession, written under -o only.
TEST(PredictEndToEnd, TwoRecordGenBankFileGivesTwoResultSets)
{
    const auto first = formatsDir("prokka-NZ_AP025271");
    const auto second = formatsDir("prokka-plasmid");
    if (first.empty() || second.empty())
        GTEST_SKIP() << "no pipeline plasmids in the data folder";
    if (const QString engine = missingEngine(); !engine.isEmpty())
        GTEST_SKIP() << engine.toStdString() << ".so is not built";
    QTemporaryDir dir;
    const QString both = dir.filePath("two.gbk");
    touch(both, fileBytes(QString::fromStdString((first / "NZ_AP025271.gbk").string())) +
                    fileBytes(QString::fromStdString((second / "NZ_CP073982.gbk").string())));
    const ProgramCopy program;
    const Outcome o = run(program.program(), {"-o", dir.filePath("out"), both});
    ASSERT_EQ(o.exitCode, 0) << o.out.toStdString() << o.err.toStdString();
    for (const char* id : {"NZ_AP025271.1", "NZ_CP073982.1"}) {
        const QString results = dir.filePath("out/results/") + id;
        EXPECT_GT(lineCount(results + "_genetag.txt"), 50) << id;
        EXPECT_GT(lineCount(results + "_tulist.txt"), 0) << id;
        EXPECT_EQ(lineCount(results + "_summary.txt"), 3) << id;
        for (const char* extension : {".fna", ".ptt"})
            EXPECT_TRUE(QFileInfo::exists(dir.filePath("out/annotation/") + id + extension));
    }
    EXPECT_TRUE(o.out.contains("all records: 2 predicted of 2")) << o.out.toStdString();
    EXPECT_TRUE(QDir(program.path("results")).isEmpty()); // the program folder was only read
}

// The pipeline GFF3 alone (sequence in ##FASTA), and a plasmid table named
// like pPCP1 instead of a 9-character accession.
TEST(PredictEndToEnd, PipelineGff3AndShortTableNames)
{
    const auto gff = formatsDir("prokka-NZ_AP025271");
    const std::filesystem::path plasmid = meridan::testdata::genomeDir("NC_005816");
    if (gff.empty() || plasmid.empty())
        GTEST_SKIP() << "data not present";
    if (const QString engine = missingEngine(); !engine.isEmpty())
        GTEST_SKIP() << engine.toStdString() << ".so is not built";
    QTemporaryDir dir;
    const ProgramCopy program;
    const Outcome fromGff =
        run(program.program(), {"--quiet", "-o", dir.filePath("gff"), QString::fromStdString((gff / "NZ_AP025271.gff").string())});
    ASSERT_EQ(fromGff.exitCode, 0) << fromGff.out.toStdString() << fromGff.err.toStdString();
    EXPECT_GT(lineCount(dir.filePath("gff/results/NZ_AP025271.1_tulist.txt")), 0);

    QStringList inputs{"--quiet"};
    for (const char* extension : {".fna", ".ptt", ".rnt"}) {
        const QString copy = dir.filePath(QStringLiteral("pPCP1") + extension);
        ASSERT_TRUE(QFile::copy(QString::fromStdString((plasmid / ("NC_005816" + std::string(extension))).string()), copy));
        inputs << copy;
    }
    const Outcome shortName = run(program.program(), inputs);
    expectCompleteResults(program, shortName, "pPCP1", 10, Shown::Quiet);
}

// A 9-character genome gives the same result files with and without -o.
TEST(PredictEndToEnd, NineCharacterNameGivesTheSameResultsUnderAnOutputFolder)
{
    const std::filesystem::path genome = meridan::testdata::genomeDir("NC_005816");
    if (genome.empty())
        GTEST_SKIP() << "no NC_005816 in the data folder";
    if (const QString engine = missingEngine(); !engine.isEmpty())
        GTEST_SKIP() << engine.toStdString() << ".so is not built";
    const QString data = QString::fromStdString(genome.string());
    const QStringList triple{data + "/NC_005816.fna", data + "/NC_005816.ptt", data + "/NC_005816.rnt"};
    const ProgramCopy program;
    QTemporaryDir dir;
    ASSERT_EQ(runSeeded(program.program(), QStringList{"--quiet"} + triple).exitCode, 0);
    ASSERT_EQ(runSeeded(program.program(), QStringList{"--quiet", "-o", dir.path()} + triple).exitCode, 0);
    for (const char* suffix : {"_genetag.txt", "_promoter_scores.txt", "_terminator_score.txt", "_tulist.txt", "_summary.txt"}) {
        const QByteArray before = fileBytes(program.path("results/NC_005816") + suffix);
        EXPECT_FALSE(before.isEmpty()) << suffix;
        EXPECT_EQ(before, fileBytes(dir.filePath("results/NC_005816") + suffix)) << suffix;
    }
    EXPECT_EQ(fileBytes(dir.filePath("annotation/NC_005816.ptt")), fileBytes(triple[1]));
}

// E. coli as NCBI publishes it, GFF3 + FASTA and GenBank, run at the same
// time in two output folders: the same TU list.
TEST(PredictEndToEnd, EscherichiaColiGff3AndGenBankGiveTheSameTus)
{
    const auto ncbi = formatsDir("ncbi-NC_000913");
    if (ncbi.empty())
        GTEST_SKIP() << "no NCBI E. coli files in the data folder";
    if (const QString engine = missingEngine(); !engine.isEmpty())
        GTEST_SKIP() << engine.toStdString() << ".so is not built";
    const QString stem = QString::fromStdString((ncbi / "GCF_000005845.2_ASM584v2_genomic").string());
    const ProgramCopy program;
    QTemporaryDir dir;
    qputenv("MERIDAN_SEED", "20240607");
    QProcess gff, gbff;
    gff.start(program.program(), {"--quiet", "-o", dir.filePath("gff"), stem + ".fna.gz", stem + ".gff.gz"});
    gbff.start(program.program(), {"--quiet", "-o", dir.filePath("gbff"), stem + ".gbff.gz"});
    qunsetenv("MERIDAN_SEED");
    ASSERT_TRUE(gff.waitForFinished(1200000));
    ASSERT_TRUE(gbff.waitForFinished(1200000));
    ASSERT_EQ(gff.exitCode(), 0) << gff.readAllStandardError().toStdString();
    ASSERT_EQ(gbff.exitCode(), 0) << gbff.readAllStandardError().toStdString();
    const QByteArray tus = fileBytes(dir.filePath("gff/results/NC_000913.3_tulist.txt"));
    EXPECT_GT(tus.count('\n'), 1000);
    EXPECT_EQ(tus, fileBytes(dir.filePath("gbff/results/NC_000913.3_tulist.txt")));
    EXPECT_EQ(fileBytes(dir.filePath("gff/annotation/NC_000913.3.fna")), fileBytes(dir.filePath("gbff/annotation/NC_000913.3.fna")));
}

} // namespace
