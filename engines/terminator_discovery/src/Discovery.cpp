#include "castrel/Discovery.h"

#include "castrel/TerminatorRegion.h"
#include "castrel/Training.h"
#include "terminator/FileCommit.h"
#include "terminator/GenePairs.h"
#include "terminator/GenomeText.h"
#include "terminator/LocusTable.h"
#include "terminator/ModelFiles.h"
#include "terminator/NumberText.h"
#include "terminator/PairFile.h"
#include "terminator/RunError.h"

#include <fstream>
#include <locale>
#include <ostream>

namespace meridan::castrel {

using namespace terminator;

namespace {

void appendRunLog(const std::filesystem::path& path, const std::string& line, std::ostream& out)
{
    std::ofstream log(path, std::ios::app | std::ios::binary);
    log.imbue(std::locale::classic());
    if (log)
        log << line;
    if (!log) // the log is informative only: the model stands without it
        out << cantOpenMessage(path.string()) << '\n';
}

DiscoveryResult discover(const DiscoveryInputs& inputs, std::ostream& out)
{
    out << "Usage: Tavrik <fnafile> <pttfile>\n";
    const std::string prefix = inputs.outputDir + genomeIdOrFail(inputs.fnaPath, ".fna");
    out << "terminator" << inputs.outputDir << '\n';

    const RunPairs run = writeRunPairs(inputs, SynonymColumn::Skip, out);
    const std::filesystem::path& pairPath = run.path;
    RemoveOnExit pairFileOnFailure(pairPath);

    const std::optional<std::string> genome = readGenomeText(inputs.fnaPath);
    if (!genome)
        throw RunError(cantOpenMessage(inputs.fnaPath));

    const std::vector<PairLocation> locations = readPairFile(pairPath);
    const std::vector<TerminatorRegion> regions = buildTerminatorRegions(*genome, locations, out);
    const std::array<double, 4> background = backgroundComposition(regions);
    out << "NSEQ=" << regions.size() << '\n';
    out << prefix << '\n';

    if (regions.empty())
        throw RunError("No gene pairs in " + inputs.pttPath + " ! No terminator model written.");
    std::vector<std::vector<Code>> codes;
    codes.reserve(regions.size());
    std::size_t bases = 0;
    for (const TerminatorRegion& region : regions) {
        codes.push_back(region.code);
        bases += region.code.size();
    }
    if (bases == 0)
        throw RunError("No sequence in " + inputs.fnaPath
                       + " around the genes of the gene table ! No terminator model written.");

    const TrainingSet data(std::move(codes), background);
    const TrainingOutcome outcome = train(data, out, {}, inputs.context);
    out << "training iterations= " << outcome.sessionIterations
        << " final improvement iterations= " << outcome.finalIterations << '\n';
    out << "the end of Castrel\n";

    if (inputs.context)
        inputs.context->throwIfCancelled();
    writeModelFiles(prefix, outcome.model.parameters());
    const int sessions = 1;
    appendRunLog(inputs.runLogPath.empty() ? kRunLogName : inputs.runLogPath,
                 prefix + defaultNotation(outcome.model.score) + "," + std::to_string(sessions) + "\n", out);
    pairFileOnFailure.release();

    DiscoveryResult result;
    result.ok = true;
    result.score = outcome.model.score;
    result.sessionIterations = outcome.sessionIterations;
    result.finalIterations = outcome.finalIterations;
    return result;
}

} // namespace

DiscoveryResult runDiscovery(const DiscoveryInputs& inputs, std::ostream& out)
{
    return terminator::reportingFailure<DiscoveryResult>("Castrel", out, [&] { return discover(inputs, out); });
}

} // namespace meridan::castrel
