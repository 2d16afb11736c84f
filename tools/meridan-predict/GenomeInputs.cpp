#include "GenomeInputs.h"

#include "meridan/genome/EngineInputFiles.h"
#include "meridan/genome/GenomeFile.h"
#include "meridan/genome/GenomeId.h"
#include "meridan/genome/PredictedRecords.h"

#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string genomeIdOf(const std::string& path)
{
    return meridan::genome::genomeIdFromPath(path).value_or(std::string());
}

std::string readableProblem(const std::string& path, const char* kind)
{
    std::error_code error;
    if (!fs::exists(path, error))
        return std::string("the ") + kind + " file " + path + " does not exist";
    if (!fs::is_regular_file(path, error) || ::access(path.c_str(), R_OK) != 0)
        return std::string("the ") + kind + " file " + path + " cannot be read";
    return {};
}

// A copy of path in folder, replacing an earlier one.
std::string copyInto(const std::string& path, const std::string& folder, std::string& problem)
{
    const fs::path target = fs::path(folder) / fs::path(path).filename();
    std::error_code error;
    if (fs::equivalent(target, path, error))
        return target.string();
    if (!fs::copy_file(path, target, fs::copy_options::overwrite_existing, error))
        problem = "cannot copy " + path + " to " + folder;
    return target.string();
}

GenomeInputs fromTables(const std::vector<std::string>& files, const std::string& annotationFolder, bool copyTables)
{
    GenomeInputs inputs;
    GenomeJob job;
    job.files = {genomeIdOf(files[1]), files[0], files[1], files.size() > 2 ? files[2] : std::string()};
    if (copyTables) {
        job.files.fna = copyInto(job.files.fna, annotationFolder, inputs.problem);
        job.files.ptt = copyInto(job.files.ptt, annotationFolder, inputs.problem);
        if (!job.files.rnt.empty())
            job.files.rnt = copyInto(job.files.rnt, annotationFolder, inputs.problem);
    }
    inputs.jobs.push_back(job);
    return inputs;
}

} // namespace

bool isAnnotationForm(const std::vector<std::string>& files)
{
    if (files.size() == 1)
        return true;
    if (files.size() != 2)
        return false;
    const auto kind = meridan::genome::genomeFileKind(files[1]);
    return kind == meridan::genome::GenomeFileKind::Gff3 || kind == meridan::genome::GenomeFileKind::GenBank;
}

std::string checkTableInputs(const std::vector<std::string>& files)
{
    const char* kinds[] = {"FNA", "PTT", "RNT"};
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (std::string problem = readableProblem(files[i], kinds[i]); !problem.empty())
            return problem;
        if (std::string problem = meridan::genome::genomeFileNameProblem(files[i]); !problem.empty())
            return problem;
    }
    const std::string id = genomeIdOf(files[1]);
    for (std::size_t i = 0; i < files.size(); ++i)
        if (genomeIdOf(files[i]) != id)
            return std::string("the ") + kinds[i] + " file " + fs::path(files[i]).filename().string() + " names genome "
                   + genomeIdOf(files[i]) + " but the PTT file names " + id
                   + "; the files of one genome must share the identifier";
    return {};
}

GenomeInputs prepareGenomes(const std::vector<std::string>& files, const std::string& annotationFolder,
                            bool copyTables)
{
    if (!isAnnotationForm(files))
        return fromTables(files, annotationFolder, copyTables);

    GenomeInputs inputs;
    inputs.fromAnnotation = true;
    for (const std::string& file : files)
        if (std::string problem = readableProblem(file, files.size() == 2 && file == files[0] ? "FASTA" : "annotation");
            !problem.empty()) {
            inputs.problem = problem;
            return inputs;
        }
    using meridan::genome::MissingSequence;
    const auto read = files.size() == 1 ? meridan::genome::readAnnotatedGenome(files[0], MissingSequence::LeaveOut)
                                        : meridan::genome::readAnnotatedGenome(files[0], files[1], MissingSequence::LeaveOut);
    if (!read) {
        inputs.problem = read.error;
        return inputs;
    }
    // The records with genes to predict on, predicted together as one genome.
    meridan::genome::PredictedRecords chosen = meridan::genome::predictedRecords(*read.value);
    inputs.notes.insert(inputs.notes.end(), chosen.notes.begin(), chosen.notes.end());
    const std::vector<const meridan::genome::AnnotatedRecord*>& kept = chosen.records;
    GenomeJob job;
    job.proteins = chosen.proteins;
    job.rnas = chosen.rnas;
    if (kept.empty()) {
        // Nothing had a sequence: the reader's own message says what is missing.
        const auto strict = files.size() == 1 ? meridan::genome::readAnnotatedGenome(files[0])
                                              : meridan::genome::readAnnotatedGenome(files[0], files[1]);
        inputs.problem = !strict ? strict.error
                                 : "no record of " + files.back() + " has two or more protein genes to predict on";
        return inputs;
    }
    job.records = static_cast<int>(kept.size());
    const std::string id = meridan::genome::predictedGenomeId(files.back(), kept);
    const auto written = meridan::genome::writeGenomeInputFiles(id, kept, annotationFolder, &inputs.notes);
    if (!written) {
        inputs.problem = written.error;
        return inputs;
    }
    job.files = {id, written.value->fna, written.value->ptt, written.value->rnt};
    inputs.jobs.push_back(job);
    return inputs;
}
