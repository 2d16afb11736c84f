// operon-evidence-run: refines the operons of a finished prediction with the
// evidence of the other engines and writes the gene-tag file.
//
//   operon-evidence-run --genes TABLE [--genes TABLE] --genetag IN [--out OUT]
//                       [--promoters ID.sigma70.sca.dat] [--terminators ID_terminator_score.txt]
//                       [--evidence gap,engine,terminator,promoter,category,product,length,name,panel] [--table PAIRS.tsv]
//                       [--panel PANEL_DB --genome GENOME.fna]
#include "meridan/evidence/OperonRefinement.h"

#include <chrono>
#include <iostream>
#include <map>

int main(int argc, char** argv)
{
    using namespace meridan::evidence;
    RefinementRequest request;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) {
            std::cerr << "operon-evidence-run: " << arg << " needs a value\n";
            return 2;
        }
        const std::string value = argv[++i];
        std::string problem;
        const std::map<std::string, std::string*> paths{
            {"--genetag", &request.geneTagPath},       {"--out", &request.outputPath},
            {"--table", &request.tablePath},           {"--promoters", &request.promoterPath},
            {"--panel", &request.panelPath},           {"--genome", &request.genomePath},
            {"--terminators", &request.terminatorPath}};
        if (arg == "--genes")
            request.geneTables.push_back(value);
        else if (const auto path = paths.find(arg); path != paths.end())
            *path->second = value;
        else if (arg == "--evidence" && !parseEvidenceList(value, request.options, problem)) {
            std::cerr << "operon-evidence-run: " << problem << '\n';
            return 2;
        } else if (arg != "--evidence") {
            std::cerr << "operon-evidence-run: unknown argument " << arg << '\n';
            return 2;
        }
    }
    if (request.geneTables.empty() || request.geneTagPath.empty()) {
        std::cerr << "operon-evidence-run: --genes and --genetag are required\n";
        return 2;
    }
    const auto from = std::chrono::steady_clock::now();
    const RefinementOutcome outcome = refineOperons(request);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
    (outcome.ok ? std::cout : std::cerr) << (outcome.ok ? "" : "operon-evidence-run: ") << outcome.message << '\n';
    if (!outcome.panelMessage.empty())
        std::cout << outcome.panelMessage << '\n';
    if (outcome.ok)
        std::cout << "took " << seconds << " s\n";
    return outcome.ok ? 0 : 1;
}
