#include "brintel/TuBuilder.h"

#include "brintel/BuilderInputs.h"
#include "brintel/GeneIndexTable.h"
#include "brintel/TuAssembly.h"
#include "brintel/TuOutput.h"
#include "meridan/genome/ResultFiles.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <locale>
#include <ostream>
#include <sstream>

namespace brintel {

std::string geneIndexPath(const TuBuilderSettings& settings)
{
    return settings.resultsDir + settings.genomeId + "_gene_index_file.txt";
}

std::string summaryPath(const TuBuilderSettings& settings)
{
    return settings.resultsDir + settings.genomeId + "_summary.txt";
}

namespace {

bool cannotOpen(std::ostream& log, const std::string& path)
{
    log << "can't open " << path << '\n';
    return false;
}

// Opens an input file and hands it to `read`; false (with the message) when
// it cannot be opened.
bool readInput(const std::string& path, std::ostream& log,
               const std::function<std::size_t(std::istream&)>& read)
{
    std::error_code ec;
    std::ifstream in;
    if (!path.empty() && !std::filesystem::is_directory(path, ec))
        in.open(path, std::ios::in | std::ios::binary);
    if (!in.is_open())
        return cannotOpen(log, path);
    const std::size_t count = read(in);
    log << count << " items from " << path << '\n';
    return true;
}

bool readInputs(const TuBuilderSettings& s, BuilderInputs& inputs, std::ostream& log)
{
    return readInput(s.genetagPath, log,
                     [&](std::istream& in) {
                         inputs.operonNumbers = readOperonNumbers(in, s.genetagPath, log);
                         return inputs.operonNumbers.size();
                     }) &&
           readInput(s.promoterScorePath, log,
                     [&](std::istream& in) {
                         inputs.promoterRows = readPromoterRows(in, s.promoterScorePath, log);
                         return inputs.promoterRows.size();
                     }) &&
           readInput(s.terminatorScorePath, log,
                     [&](std::istream& in) {
                         inputs.terminatorRows = readTerminatorRows(in, s.terminatorScorePath, log);
                         return inputs.terminatorRows.size();
                     }) &&
           readInput(s.pttPath, log, [&](std::istream& in) {
               inputs.geneRows = readGeneRows(in, s.pttPath, log);
               return inputs.geneRows.size();
           });
}

void ensureDirectory(const std::string& prefix)
{
    std::filesystem::path dir(prefix);
    if (!dir.has_filename())
        dir = dir.parent_path();
    if (dir.empty())
        return;
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
}

} // namespace

bool buildTuList(const TuBuilderSettings& settings, std::ostream& log)
{
    const auto step = [&settings](long long done) {
        if (settings.context) {
            settings.context->throwIfCancelled();
            settings.context->progress("TU list", done, 3);
        }
    };
    step(0);
    BuilderInputs inputs;
    if (!readInputs(settings, inputs, log))
        return false;
    step(1);

    ensureDirectory(settings.resultsDir);
    // The three files appear together or not at all; a place that cannot be
    // written fails the run before the work.
    const std::string outputs[] = {geneIndexPath(settings), summaryPath(settings), settings.tulistPath};
    for (const std::string& path : outputs)
        if (path.empty() || !meridan::genome::canWriteBeside(path))
            return cannotOpen(log, path);
    std::ostringstream geneIndexText;
    geneIndexText.imbue(std::locale::classic());
    writeGeneIndexFile(geneIndexText, inputs);

    std::istringstream readBack(geneIndexText.str());
    const GeneIndexTable table = readGeneIndexTable(readBack);
    log << table.size() << " genes from index file " << outputs[0] << '\n';

    const PassResult plusPass =
        assembleTus(table, true, settings.promoterCut, settings.terminatorCut, log);
    PassResult otherPass =
        assembleTus(table, false, settings.promoterCut, settings.terminatorCut, log);
    log << "fout result sum \n";
    step(2);

    std::ostringstream summaryText;
    summaryText.imbue(std::locale::classic());
    writeSummary(summaryText, plusPass.counters, otherPass.counters);

    mergeTuMaps(otherPass.tus, plusPass.tus);
    log << "here\n";

    std::ostringstream tulistText;
    tulistText.imbue(std::locale::classic());
    writeTuList(tulistText, settings.genomeId, otherPass.tus, table, log);

    step(3);
    meridan::genome::ResultFiles files;
    files.add(outputs[0], std::move(geneIndexText).str());
    files.add(outputs[1], std::move(summaryText).str());
    files.add(outputs[2], std::move(tulistText).str());
    if (!files.commit()) {
        log << files.error() << '\n';
        return false;
    }
    return true;
}

} // namespace brintel
