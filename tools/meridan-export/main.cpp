// meridan-export: rebuilds the GFF3, BED and TU table exports of one genome
// from the result files of an earlier prediction.
#include "meridan/export/ExportSet.h"
#include "meridan/export/GenomeFile.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const usage =
    "usage: meridan-export [options] RESULTS_FOLDER ID\n"
    "\n"
    "Writes ID.gff3, ID_terminators.bed, ID_promoters.bed, ID_tus.bed and ID_tus.tsv from the result\n"
    "files of genome ID in RESULTS_FOLDER (ID_gene_index_file.txt, ID_promoter_scores.txt, the\n"
    "sigma-factor score files, ID_terminator_score.txt, ID_tulist.txt), in 1-based genome coordinates.\n"
    "All five files are written or none; nothing is written when a result file is missing or broken.\n"
    "\n"
    "options:\n"
    "  --genome FASTA   the genome the results belong to: gives the sequence length for the GFF3\n"
    "                   header and features across the origin, and every promoter box and terminator\n"
    "                   is checked against its bases (features that do not match are left out)\n"
    "  --seqid NAME     sequence name in the files; default: the FASTA record's accession (e.g.\n"
    "                   NC_000913.3), or ID without --genome. Genome browsers and BED files of\n"
    "                   the genome must use the same name\n"
    "  --linear         the genome is not circular (default: circular)\n"
    "  -o, --out DIR    write the files to DIR (default: RESULTS_FOLDER)\n"
    "  -h, --help       show this text\n"
    "\n"
    "Exit status: 0 written, 1 not written (the reason on standard error), 2 unusable arguments.\n";

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> positional;
    std::string genomePath;
    std::string seqid;
    std::string outFolder;
    bool circular = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "meridan-export: %s needs a value\n%s", arg.c_str(), usage);
                return false;
            }
            into = argv[++i];
            return true;
        };
        if (arg == "-h" || arg == "--help") {
            std::fputs(usage, stdout);
            return 0;
        } else if (arg == "--genome") {
            if (!value(genomePath))
                return 2;
        } else if (arg == "--seqid") {
            if (!value(seqid))
                return 2;
        } else if (arg == "-o" || arg == "--out") {
            if (!value(outFolder))
                return 2;
        } else if (arg == "--linear") {
            circular = false;
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "meridan-export: unknown option %s\n%s", arg.c_str(), usage);
            return 2;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) {
        std::fputs(usage, stderr);
        return 2;
    }
    const std::string& folder = positional[0];
    const std::string& id = positional[1];
    if (outFolder.empty())
        outFolder = folder;

    meridan::exports::GenomeText genome;
    genome.seqid = seqid.empty() ? id : seqid;
    if (!genomePath.empty()) {
        meridan::exports::GenomeLoad load = meridan::exports::loadGenomeText(genomePath, id, seqid);
        if (!load.error.empty()) {
            std::fprintf(stderr, "meridan-export: %s\n", load.error.c_str());
            return 1;
        }
        genome = std::move(load.genome);
    }
    genome.circular = circular;

    const meridan::exports::ExportOutcome outcome = meridan::exports::exportResults(folder, id, genome, outFolder);
    for (const std::string& warning : outcome.warnings)
        std::fprintf(stderr, "meridan-export: warning: %s\n", warning.c_str());
    if (!outcome.written) {
        std::fprintf(stderr, "meridan-export: nothing written: %s\n", outcome.error.c_str());
        return 1;
    }
    const meridan::exports::GenomeFeatures& f = outcome.features;
    std::printf("%s: %zu operons, %zu transcription units, %zu promoters, %zu terminators\n", id.c_str(),
                f.operons.size(), f.tus.size(), f.promoters.size(), f.terminators.size());
    for (const std::string& file : outcome.files)
        std::printf("  %s\n", file.c_str());
    if (genomePath.empty())
        std::printf("no --genome given: the features were not checked against the sequence\n");
    return 0;
}
