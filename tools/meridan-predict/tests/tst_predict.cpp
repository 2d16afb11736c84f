// meridan-predict as a user runs it: arguments, messages, exit status, and
// whole predictions with the real engines on a simulated and a real genome.
#include "TestData.h"

#include <QDir>
#include <filesystem>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

QString runFolder()
{
    return QString::fromStdString(meridan::testdata::runDir().string());
}

Outcome run(const QString& program, const QStringList& arguments, int timeoutMs = 600000)
{
    QProcess process;
    process.start(program, arguments);
    Outcome o;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        o.err = "did not finish";
        return o;
    }
    o.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    o.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    o.err = QString::fromLocal8Bit(process.readAllStandardError());
    return o;
}

QString predictProgram()
{
    return runFolder() + "/meridan-predict";
}

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

// A program folder of the test's own: a copy of meridan-predict beside links
// to the built engines (bin/) and the promoter library's data, so results and
// work files stay apart from every other run.
class ProgramCopy {
public:
    explicit ProgramCopy(bool withEngines = true)
    {
        program_ = folder_.filePath("meridan-predict");
        EXPECT_TRUE(QFile::copy(predictProgram(), program_));
        QFile::setPermissions(program_, QFile::permissions(program_) | QFile::ExeOwner);
        if (!withEngines) {
            QDir(folder_.path()).mkdir("bin");
            return;
        }
        for (const char* shared : {"bin", "WM", "threshold"}) {
            if (QFileInfo::exists(runFolder() + "/" + shared)) {
                EXPECT_TRUE(QFile::link(runFolder() + "/" + shared, folder_.filePath(shared)));
            }
        }
    }
    QString program() const { return program_; }
    QString path(const QString& relative) const { return folder_.filePath(relative); }

private:
    QTemporaryDir folder_;
    QString program_;
};

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
    touch(dir.filePath("genome.fna"));
    touch(dir.filePath("NC_000001.ptt"));
    const Outcome o = run(predictProgram(), {dir.filePath("genome.fna"), dir.filePath("NC_000001.ptt")});
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_TRUE(o.err.contains("\"genome.fna\" does not end in a 9-character genome identifier"))
        << o.err.toStdString();
    EXPECT_TRUE(o.err.contains("NC_000913.fna"));
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
    touch(data.filePath("NC_000001.ptt"), "t\n0 proteins\nLocation\tStrand\n");

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

} // namespace
