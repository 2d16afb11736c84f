#include "PredictionRun.h"

#include "Console.h"
#include "GenomeInputs.h"
#include "StageLines.h"

#include "meridan/genome/InputCheck.h"
#include "meridan/genome/ResultFiles.h"
#include "meridan/genome/results/ResultPaths.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace meridan;

namespace {

std::string absolute(const std::string& path)
{
    std::error_code ignored;
    return fs::absolute(path, ignored).lexically_normal().string();
}

// The genome library's content check of one genome's FNA/PTT[/RNT] files:
// its notes are added to notes; the first error, if any, is returned.
std::string checkContents(const std::string& fna, const std::string& ptt, const std::string& rnt,
                          std::vector<std::string>& notes)
{
    const genome::InputCheck check = genome::checkGenomeInputs(fna, ptt, rnt);
    notes.insert(notes.end(), check.notes.begin(), check.notes.end());
    return check.usable() ? std::string() : check.errors.front();
}

// Two runs in one output folder wait for each other: they would write the
// same result files when they predict the same genome.
class FolderLock {
public:
    explicit FolderLock(std::string path)
        : path_(std::move(path)), fd_(::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644))
    {
    }
    ~FolderLock()
    {
        if (fd_ < 0)
            return;
        if (locked_) // the folder is left as it was found
            ::unlink(path_.c_str());
        ::close(fd_);
    }
    bool tryLock() { return locked_ = fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) == 0; }
    bool lock() { return locked_ = fd_ >= 0 && ::flock(fd_, LOCK_EX) == 0; }

private:
    std::string path_;
    int fd_;
    bool locked_ = false;
};

std::vector<std::string> summaryLines(const std::string& path, Console& console)
{
    std::vector<std::string> lines;
    std::ifstream summary(path, std::ios::binary);
    if (!summary)
        return lines;
    console.line("summary (" + path + "):");
    for (std::string line; std::getline(summary, line);) {
        const auto first = line.find_first_not_of(" \t\r\n");
        if (first == std::string::npos)
            continue;
        lines.push_back(line.substr(first, line.find_last_not_of(" \t\r\n") - first + 1));
        console.line("  " + lines.back());
    }
    return lines;
}

// The result files of one genome in the result folder, by name.
std::vector<std::string> resultFilesOf(const std::string& folder, const std::string& id)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && (name.rfind(id + "_", 0) == 0 || name == id + ".gff3"))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// One genome: the pipeline, then the summary, the result files and what
// failed. Returns 0 or 1 as the process would.
int predictOne(const pipeline::PredictionRequest& request, Console& console, std::vector<std::string>& summary)
{
    StageLines lines(console);
    const pipeline::PredictionReport report = pipeline::predictGenome(request, &lines);
    console.line("whole prediction: " + StageLines::seconds(report.totalMs));
    const auto paths = genome::results::resultPaths(request.folders.results, request.genome.genomeId);
    summary = summaryLines(paths.summary, console);
    console.line("results in " + request.folders.results + ":");
    for (const std::string& file : resultFilesOf(request.folders.results, request.genome.genomeId))
        console.line("  " + file);
    if (report.usesAnnotationFile)
        console.line("annotation file: " + report.annotationPath);
    const std::vector<std::string> failed = report.failedStages();
    if (failed.empty())
        return 0;
    std::string names;
    for (const std::string& name : failed)
        names += (names.empty() ? "" : ", ") + name;
    std::string message = "meridan-predict: the " + names + " stage" + (failed.size() > 1 ? "s" : "") + " failed (see above)";
    if (!console.logPath().empty())
        message += "; the engines' own messages are in " + console.logPath();
    console.error(message);
    for (const pipeline::StageReport& stage : report.stages)
        if (stage.stage != pipeline::Stage::OperonEvidence && stage.stage != pipeline::Stage::Export)
            for (const std::string& failure : stage.failures)
                console.error("  " + failure);
    return 1;
}

} // namespace

std::string checkInputs(PredictionInputs& in)
{
    in.notes.clear();
    if (in.files.empty() || in.files.size() > 3)
        return "give a GenBank or GFF3 file, a FASTA file and its GFF3 file, or the FNA and "
               "PTT files and, optionally, the RNT file (see meridan-predict --help)";
    for (const std::string& file : in.files)
        if (std::error_code error; !fs::exists(file, error))
            return "the file " + file + " does not exist";
    if (isAnnotationForm(in.files))
        return {};
    if (in.files.size() < 2)
        return "give the PTT file with the FNA file (see meridan-predict --help)";
    if (std::string problem = checkTableInputs(in.files); !problem.empty())
        return problem;
    return checkContents(in.files[0], in.files[1], in.files.size() > 2 ? in.files[2] : std::string(), in.notes);
}

int runPrediction(PredictionInputs in, const std::string& programFolder, Console& console)
{
    for (std::string& file : in.files)
        file = absolute(file);
    const std::string workFolder = in.outputDir.empty() ? programFolder : absolute(in.outputDir);
    if (std::error_code error; !fs::create_directories(workFolder, error) && error) {
        console.error("meridan-predict: cannot create the output folder " + workFolder);
        return 2;
    }
    pipeline::PredictionFolders folders{programFolder, workFolder + "/results", workFolder + "/annotation"};
    for (const std::string& folder : {folders.results, folders.annotation}) {
        std::error_code ignored;
        fs::create_directories(folder, ignored);
        if (!genome::canWriteBeside(folder + "/probe")) {
            console.error("meridan-predict: cannot create or write the folder " + folder);
            return 2;
        }
    }

    FolderLock lock(workFolder + "/meridan-predict.lock");
    if (!lock.tryLock()) {
        console.line("waiting for another prediction in " + workFolder + " to end");
        if (!lock.lock()) {
            console.error("meridan-predict: cannot lock the folder " + workFolder);
            return 2;
        }
    }

    const GenomeInputs genomes = prepareGenomes(in.files, folders.annotation, !in.outputDir.empty());
    for (const std::string& note : genomes.notes)
        console.line(note);
    if (!genomes.problem.empty()) {
        console.error("meridan-predict: " + genomes.problem);
        return 2;
    }
    // The tables written from a GenBank or GFF3 file get the same check as
    // given ones, every record before any engine runs.
    if (genomes.fromAnnotation)
        for (const GenomeJob& job : genomes.jobs)
            if (const std::string problem = checkContents(job.files.fna, job.files.ptt, job.files.rnt, in.notes);
                !problem.empty()) {
                console.error("meridan-predict: " + problem);
                return 2;
            }
    for (const std::string& note : in.notes)
        console.line("note: " + note);

    console.line("program folder " + programFolder);
    if (workFolder != programFolder)
        console.line("output folder " + workFolder);
    console.line("seed " + std::to_string(in.options.seed.value_or(meridan::pipeline::kDefaultSeed)));
    int status = 0;
    int predicted = 0;
    std::vector<std::string> overview;
    for (std::size_t i = 0; i < genomes.jobs.size(); ++i) {
        const GenomeJob& job = genomes.jobs[i];
        const pipeline::GenomeFiles& g = job.files;
        const std::string position =
            job.records > 1 ? " (" + std::to_string(job.records) + " records predicted as one genome)" : std::string();
        console.line("genome " + g.genomeId + position + ": " + g.fna + ", " + g.ptt + (g.rnt.empty() ? "" : ", " + g.rnt));
        const std::string log = genome::results::resultPaths(folders.results, g.genomeId).predictLog;
        if (!console.openLog(log))
            console.error("meridan-predict: cannot write the log file " + log);
        console.trace("seed " + std::to_string(in.options.seed.value_or(meridan::pipeline::kDefaultSeed)));
        std::vector<std::string> summary;
        const int result = predictOne({g, folders, in.options}, console, summary);
        status = std::max(status, result);
        predicted += result == 0;
        std::string genes;
        if (job.proteins >= 0)
            genes = ", " + std::to_string(job.proteins) + " protein and " + std::to_string(job.rnas) + " RNA genes";
        overview.push_back("  " + g.genomeId + genes + ": " + (result == 0 ? "predicted" : "FAILED"));
        for (const std::string& line : summary)
            overview.push_back("    " + line);
    }
    if (genomes.fromAnnotation) {
        const long skipped = std::count_if(genomes.notes.begin(), genomes.notes.end(),
                                           [](const std::string& note) { return note.find("skipped") != std::string::npos; });
        int records = 0;
        for (const GenomeJob& job : genomes.jobs)
            records += job.records;
        console.line("all records: " + std::to_string(records) + " with genes to predict on, "
                     + (predicted > 0 ? "predicted" : "not predicted") + " as one genome; " + std::to_string(skipped)
                     + " skipped (named above)");
        for (const std::string& line : overview)
            console.line(line);
    }
    return status;
}
