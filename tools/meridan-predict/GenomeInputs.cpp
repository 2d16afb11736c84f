#include "GenomeInputs.h"

#include "meridan/genome/EngineInputFiles.h"
#include "meridan/genome/GenomeFile.h"
#include "meridan/genome/GenomeId.h"

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

// A genome of several records is named after its file (Paracoccus_sp.gbff.gz
// gives Paracoccus_sp), or after its first record when the file name cannot
// name a genome.
std::string joinedGenomeId(const std::string& annotationPath, const meridan::genome::AnnotatedRecord& first)
{
    const std::string id = genomeIdOf(annotationPath);
    return id.empty() ? first.id : id;
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
    for (const std::string& leftOut : read.value->leftOut)
        inputs.notes.push_back("record " + leftOut + ": skipped");
    // The records with genes to predict on, predicted together as one genome.
    std::vector<const meridan::genome::AnnotatedRecord*> kept;
    GenomeJob job;
    job.proteins = job.rnas = 0;
    for (const meridan::genome::AnnotatedRecord* record : meridan::genome::chromosomeFirst(*read.value)) {
        const std::string& id = record->id;
        const int proteins = static_cast<int>(record->proteins.size());
        if (record->pseudogenes + record->pseudoCds > 0)
            inputs.notes.push_back("record " + id + ": " + std::to_string(record->pseudogenes) + " pseudogenes and "
                                   + std::to_string(record->pseudoCds) + " pseudo CDS left out");
        if (proteins < 2) {
            inputs.notes.push_back("record " + id + ": skipped, it has " + std::to_string(proteins) + " protein gene"
                                   + (proteins == 1 ? "" : "s") + " (a prediction needs two or more)");
            continue;
        }
        kept.push_back(record);
        job.proteins += proteins;
        job.rnas += static_cast<int>(record->rnas.size());
    }
    if (kept.empty()) {
        // Nothing had a sequence: the reader's own message says what is missing.
        const auto strict = files.size() == 1 ? meridan::genome::readAnnotatedGenome(files[0])
                                              : meridan::genome::readAnnotatedGenome(files[0], files[1]);
        inputs.problem = !strict ? strict.error
                                 : "no record of " + files.back() + " has two or more protein genes to predict on";
        return inputs;
    }
    job.records = static_cast<int>(kept.size());
    const std::string id = kept.size() == 1 ? kept.front()->id : joinedGenomeId(files.back(), *kept.front());
    const auto written = meridan::genome::writeGenomeInputFiles(id, kept, annotationFolder, &inputs.notes);
    if (!written) {
        inputs.problem = written.error;
        return inputs;
    }
    job.files = {id, written.value->fna, written.value->ptt, written.value->rnt};
    inputs.jobs.push_back(job);
    return inputs;
}
