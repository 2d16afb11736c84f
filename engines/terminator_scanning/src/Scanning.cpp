#include "dovrane/Scanning.h"

#include "dovrane/ScanModel.h"
#include "dovrane/ScanRegions.h"
#include "dovrane/Scanner.h"
#include "dovrane/ScoreTable.h"
#include "terminator/FileCommit.h"
#include "terminator/GenePairs.h"
#include "terminator/GenomeText.h"
#include "terminator/LocusTable.h"
#include "terminator/ModelFiles.h"
#include "terminator/NucleotideCode.h"
#include "terminator/PairFile.h"
#include "terminator/RunError.h"

#include <ostream>

namespace meridan::dovrane {

using namespace terminator;

namespace {

constexpr const char* kRunLogName = "log.txt";

ScanningResult scanGenome(const ScanningInputs& inputs, std::ostream& out)
{
    out << "Usage: Tavrik <fnafile> <locfile>\n";
    const std::string prefix = inputs.outputDir + genomeIdOrFail(inputs.pttPath, ".ptt");
    out << "Dovrane" << inputs.outputDir << '\n' << prefix << '\n';

    const RunPairs run = writeRunPairs(inputs, SynonymColumn::Read, out);
    const std::vector<GenePair>& pairs = run.pairs;
    const std::filesystem::path& pairPath = run.path;
    RemoveOnExit pairFileOnExit(pairPath);

    const std::optional<std::string> genome = readGenomeText(inputs.fnaPath);
    if (!genome)
        throw RunError("file not found!");

    const std::vector<PairLocation> locations = readPairFile(pairPath);
    if (locations.size() != pairs.size()) // changed by someone else since it was written
        throw RunError("Bad file " + pairPath.string() + ": " + std::to_string(locations.size())
                       + " pairs instead of " + std::to_string(pairs.size()) + " !");
    const std::vector<ScanWindow> windows = scanWindows(locations, run.records);
    std::vector<std::string> regions;
    std::vector<std::vector<Code>> codes;
    regions.reserve(windows.size());
    codes.reserve(windows.size());
    for (const ScanWindow& window : windows) {
        regions.push_back(cutScanRegion(*genome, window));
        codes.push_back(encodeRegion(regions.back(), out));
    }
    out << "NSEQ=" << regions.size() << '\n';

    const ScanModel model = readScanModel(prefix);
    const Scanner scanner(model);
    std::string table;
    ScanningResult result;
    const engine::RunContext* context = inputs.context;
    const auto total = static_cast<long long>(codes.size());
    for (std::size_t r = 0; r < codes.size(); ++r) {
        if (r % 100 == 0) {
            out << r << '\n';
            if (context) {
                context->throwIfCancelled();
                context->progress("regions scanned", static_cast<long long>(r), total);
            }
        }
        const ScanHit hit = scanner.scan(codes[r]);
        if (hit.score > 0.0) {
            table += formatScoreRow(hit, regions[r], pairs[r].leading().synonym);
            ++result.rows;
        }
    }
    if (context) {
        context->throwIfCancelled();
        context->progress("regions scanned", total, total);
    }
    writeFileWhole(prefix + "_terminator_score.txt", table);

    // The model, the pair file and the run log have served their purpose.
    removeModelFiles(prefix);
    std::error_code ignored;
    std::filesystem::remove(inputs.runLogPath.empty() ? kRunLogName : inputs.runLogPath, ignored);
    // pairFileOnExit removes the pair file.
    result.ok = true;
    result.regions = regions.size();
    return result;
}

} // namespace

ScanningResult runScanning(const ScanningInputs& inputs, std::ostream& out)
{
    return terminator::reportingFailure<ScanningResult>("Dovrane", out, [&] { return scanGenome(inputs, out); });
}

} // namespace meridan::dovrane
