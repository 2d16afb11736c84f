// One run of the TU builder: reads the four inputs, writes the gene index
// file, assembles the TUs of both strands and writes the summary and the TU
// list. All three outputs appear together or not at all.
#pragma once

#include "meridan/engine/RunContext.h"
#include "meridan/genome/results/TerminatorTable.h"

#include <iosfwd>
#include <string>

namespace brintel {

struct TuBuilderSettings {
    std::string pttPath;
    std::string genetagPath;
    std::string promoterScorePath;
    std::string terminatorScorePath;
    std::string tulistPath;
    std::string genomeId;
    // Prefix of the gene index file and the summary; created when missing.
    std::string resultsDir = "./results/";
    // Promoter and terminator scores strictly above these are confident.
    double promoterCut = 0.0;
    double terminatorCut = meridan::genome::results::kTerminatorCut;
    // Progress (stage "TU list": inputs read, TUs assembled, files written)
    // and cancel between those steps; none: a plain run.
    const meridan::engine::RunContext* context = nullptr;
};

std::string geneIndexPath(const TuBuilderSettings& settings);
std::string summaryPath(const TuBuilderSettings& settings);

// Returns true on success. On a file that cannot be opened writes
// "can't open " + path to `log`, leaves no output file and returns false.
bool buildTuList(const TuBuilderSettings& settings, std::ostream& log);

} // namespace brintel
