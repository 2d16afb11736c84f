// meridan-predict: the whole ATU prediction of a genome without the
// workbench's windows, with the same engines.
#include "Console.h"
#include "PredictionRun.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#ifdef __GLIBC__
#include <malloc.h>
#endif

int main(int argc, char** argv)
{
#ifdef __GLIBC__
    // Large buffers (whole input files, sequences) come from and go back to
    // the system: otherwise the first one freed raises the allocator's
    // threshold for all threads, and every engine thread keeps such buffers
    // for the rest of the run.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("meridan-predict"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Predicts the operons, promoters, terminators and transcription units (TUs) of a bacterial\n"
        "genome with the engine libraries in bin/ of the program folder, exactly as the workbench's\n"
        "ATU command does: the operon, promoter and terminator runs at the same time, then the TU\n"
        "list. It works in the program folder (the folder of this program): the results go to\n"
        "results/, the engines' input tables and the merged gene table of PTT and RNT to annotation/.\n"
        "With -o DIR it works in DIR instead (its own results/ and annotation/; the program folder\n"
        "is only read), so several predictions can run at the same time.\n"
        "\n"
        "The genome can be given as\n"
        "  GENOME.gbff[.gz]               a GenBank flat file (NCBI .gbff, pipeline .gbk)\n"
        "  GENOME.gff3[.gz]               GFF3 with the sequences in a ##FASTA section\n"
        "  GENOME.fna[.gz] GENOME.gff3[.gz]  FASTA sequences and their GFF3 annotation\n"
        "  GENOME.fna GENOME.ptt [GENOME.rnt]  sequence, protein table and RNA table\n"
        "A GenBank or GFF3 genome is predicted record by record (chromosome first, then plasmids),\n"
        "each named after its accession (NC_000913.3_tulist.txt); records with fewer than two\n"
        "protein genes are skipped; pseudogenes are left out. The FNA/PTT/RNT the engines read are\n"
        "written to annotation/. In the table form the genome identifier is the file name without\n"
        "its extension (NC_000913.fna, NC_000913.ptt, NC_000913.rnt); the files must share it.\n"
        "\n"
        "One line per stage tells when it starts and ends and how long it took; then the summary,\n"
        "and for a GenBank or GFF3 genome one summary over all records. On a terminal each running\n"
        "stage shows its progress on a line of its own. The engines' messages go to\n"
        "results/GENOME_predict.log (and to the terminal with --verbose).\n"
        "Exit status 0 when every stage produced its result file, 1 when a stage failed (the line\n"
        "of that stage names the engine and why), 2 for unusable arguments or input files (checked\n"
        "before any engine runs; the message names the file and line)."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("GENOME"),
                                 QStringLiteral("The GenBank or GFF3 file, or the FASTA (FNA) file."));
    parser.addPositionalArgument(QStringLiteral("ANNOTATION"),
                                 QStringLiteral("The GFF3 file, or the protein table (PTT)."), QStringLiteral("[ANNOTATION]"));
    parser.addPositionalArgument(QStringLiteral("GENOME.rnt"), QStringLiteral("The RNA table (optional)."),
                                 QStringLiteral("[GENOME.rnt]"));
    const QCommandLineOption quiet(QStringList{QStringLiteral("q"), QStringLiteral("quiet")},
                                   QStringLiteral("Print nothing but errors."));
    const QCommandLineOption verbose(QStringList{QStringLiteral("v"), QStringLiteral("verbose")},
                                     QStringLiteral("Show the engines' messages on the terminal too."));
    parser.addOption(quiet);
    parser.addOption(verbose);
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Work in DIR: results/ and annotation/ there."),
                                    QStringLiteral("DIR"));
    parser.addOption(output);
    const QCommandLineOption operons(QStringLiteral("operons"),
                                     QStringLiteral("How operons are decided: em (the operon engine alone, the "
                                                    "default) or evidence (the engine's operons decided again from "
                                                    "the intergenic distance, functional categories, product "
                                                    "descriptions and gene lengths, weighed on this genome)."),
                                     QStringLiteral("em|evidence"), QStringLiteral("em"));
    parser.addOption(operons);
    parser.process(app);

    Console console(parser.isSet(quiet)     ? Console::Mode::Quiet
                    : parser.isSet(verbose) ? Console::Mode::Verbose
                                            : Console::Mode::Normal);
    const QString operonMode = parser.value(operons);
    if (operonMode != QStringLiteral("em") && operonMode != QStringLiteral("evidence")) {
        console.error(QStringLiteral("meridan-predict: --operons takes em or evidence, not %1").arg(operonMode));
        return 2;
    }
    PredictionInputs inputs{parser.positionalArguments(), parser.value(output), operonMode == QStringLiteral("evidence")};
    if (const QString problem = checkInputs(inputs); !problem.isEmpty()) {
        console.error(QStringLiteral("meridan-predict: ") + problem);
        return 2;
    }
    return runPrediction(inputs, QCoreApplication::applicationDirPath(), console);
}
