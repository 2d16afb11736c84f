#include "Arguments.h"

#include <charconv>
#include <cstdlib>
#include <optional>

namespace {

// A decimal integer (optional sign) taken modulo 2^32, as the operon engine
// reads its seed.
std::optional<std::uint32_t> seedOf(const std::string& text)
{
    const char* first = text.data() + (!text.empty() && text[0] == '+' ? 1 : 0);
    long long value = 0;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || first == end)
        return std::nullopt;
    return static_cast<std::uint32_t>(static_cast<unsigned long long>(value));
}

} // namespace

Arguments parseArguments(const std::vector<std::string>& argv)
{
    Arguments a;
    std::optional<std::string> seed;
    std::string operons = "evidence";
    bool optionsEnd = false;
    for (std::size_t i = 0; i < argv.size() && a.problem.empty(); ++i) {
        const std::string& arg = argv[i];
        if (optionsEnd || arg.empty() || arg[0] != '-' || arg == "-") {
            a.inputs.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnd = true;
            continue;
        }
        // --name=value or --name value / -o value
        std::string name = arg;
        std::optional<std::string> value;
        if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        const bool takesValue = name == "-o" || name == "--output" || name == "--operons" || name == "--seed" ||
                                name == "--panel";
        if (takesValue && !value) {
            if (i + 1 >= argv.size()) {
                a.problem = "Missing value after '" + arg + "'.";
                break;
            }
            value = argv[++i];
        }
        if (name == "-h" || name == "--help")
            a.help = true;
        else if (name == "-q" || name == "--quiet")
            a.mode = Console::Mode::Quiet;
        else if ((name == "-v" || name == "--verbose") && a.mode != Console::Mode::Quiet)
            a.mode = Console::Mode::Verbose;
        else if (name == "-o" || name == "--output")
            a.inputs.outputDir = *value;
        else if (name == "--operons")
            operons = *value;
        else if (name == "--seed")
            seed = *value;
        else if (name == "--panel")
            a.inputs.options.panel = *value;
        else
            a.problem = "Unknown option '" + arg + "'.";
    }
    if (!a.problem.empty() || a.help)
        return a;
    if (operons != "em" && operons != "evidence") {
        a.problem = "--operons takes em or evidence, not " + operons;
        return a;
    }
    a.inputs.options.operons =
        operons == "evidence" ? meridan::pipeline::OperonMode::Evidence : meridan::pipeline::OperonMode::Em;
    if (seed) {
        const auto parsed = seedOf(*seed);
        if (!parsed) {
            a.problem = "--seed takes a decimal integer, not " + *seed;
            return a;
        }
        a.inputs.options.seed = *parsed;
    } else if (const char* env = std::getenv("MERIDAN_SEED")) {
        if (const auto parsed = seedOf(env))
            a.inputs.options.seed = *parsed;
    }
    return a;
}

std::string helpText()
{
    return "Usage: meridan-predict [options] GENOME [ANNOTATION] [GENOME.rnt]\n"
           "Predicts the operons, promoters, terminators and transcription units (TUs) of a bacterial\n"
           "genome with the engine libraries in bin/ of the program folder, exactly as the workbench's\n"
           "ATU command does: the operon, promoter and terminator runs at the same time, then the TU\n"
           "list and the exports. The results go to results/ of the program folder (the folder of this\n"
           "program), the engines' input tables and the merged gene table of PTT and RNT to annotation/.\n"
           "With -o DIR they go to DIR instead (its own results/ and annotation/; the program folder\n"
           "is only read), so several predictions can run at the same time.\n"
           "\n"
           "The genome can be given as\n"
           "  GENOME.gbff[.gz]               a GenBank flat file (NCBI .gbff, pipeline .gbk)\n"
           "  GENOME.gff3[.gz]               GFF3 with the sequences in a ##FASTA section\n"
           "  GENOME.fna[.gz] GENOME.gff3[.gz]  FASTA sequences and their GFF3 annotation\n"
           "  GENOME.fna GENOME.ptt [GENOME.rnt]  sequence, protein table and RNA table\n"
           "A GenBank or GFF3 genome is predicted as one genome, all its records (chromosome first,\n"
           "then plasmids or contigs) together with no gene pair across two records. One record is\n"
           "named after its accession (NC_000913.3_tulist.txt), several after the file (draft.gbff\n"
           "gives draft_tulist.txt, with draft_records.txt in annotation/ telling where each record\n"
           "lies; the GFF3 and BED exports name each row's record). Records without a sequence or with\n"
           "fewer than two protein genes are skipped; pseudogenes are left out. The FNA/PTT/RNT the\n"
           "engines read are written to annotation/. In the table form the genome identifier is the file name without\n"
           "its extension (NC_000913.fna, NC_000913.ptt, NC_000913.rnt); the files must share it.\n"
           "\n"
           "One line per stage tells when it starts and ends and how long it took; then the summary,\n"
           "and for a GenBank or GFF3 genome the records predicted and skipped. On a terminal each running\n"
           "stage shows its progress on a line of its own. The engines' messages go to\n"
           "results/GENOME_predict.log (and to the terminal with --verbose).\n"
           "Exit status 0 when every stage produced its result file, 1 when a stage failed (the line\n"
           "of that stage names the engine and why), 2 for unusable arguments or input files (checked\n"
           "before any engine runs; the message names the file and line).\n"
           "\n"
           "Options:\n"
           "  -h, --help               Displays help on commandline options.\n"
           "  -q, --quiet              Print nothing but errors.\n"
           "  -v, --verbose            Show the engines' messages on the terminal too.\n"
           "  -o, --output <DIR>       Work in DIR: results/ and annotation/ there.\n"
           "  --operons <evidence|em>  How operons are decided: evidence (the default: the engine's\n"
           "                           operons decided again from the intergenic distance, functional\n"
           "                           categories, product descriptions, gene lengths and names,\n"
           "                           weighed on this genome, and the panel when given; every pair's\n"
           "                           evidence and probability go to results/GENOME_operon_pairs.tsv)\n"
           "                           or em (the operon engine alone).\n"
           "  --panel <PANEL>          Other genomes as comparative operon evidence: a folder of\n"
           "                           annotated genomes (GenBank, GFF3, FASTA + GFF3 or PTT), a list\n"
           "                           file of one genome per line, or a database of meridan-panel.\n"
           "                           Needs MMseqs2 (Debian package mmseqs2); its database is kept\n"
           "                           in ~/.cache/meridan/panels and built again only when the\n"
           "                           panel changes. A panel that gives nothing never fails the run.\n"
           "  --seed <N>               The operon engine's seed (default: MERIDAN_SEED when set, else 1);\n"
           "                           the same seed gives the same operons. Written to the log and\n"
           "                           the GFF3 header.\n"
           "\n"
           "Arguments:\n"
           "  GENOME                   The GenBank or GFF3 file, or the FASTA (FNA) file.\n"
           "  ANNOTATION               The GFF3 file, or the protein table (PTT).\n"
           "  GENOME.rnt               The RNA table (optional).\n";
}
