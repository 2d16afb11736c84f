// meridan-predict: the whole ATU prediction of a genome without the
// workbench's windows, with the same engines.
#include "Console.h"
#include "PredictionRun.h"

#include <QCommandLineParser>
#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("meridan-predict"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Predicts the operons, promoters, terminators and transcription units (TUs) of a bacterial\n"
        "genome with the engine libraries in bin/ of the program folder, exactly as the workbench's\n"
        "ATU command does: the operon, promoter and terminator runs at the same time, then the TU\n"
        "list. It works in the program folder (the folder of this program): the results go to\n"
        "results/, the merged gene table of PTT and RNT to annotation/.\n"
        "\n"
        "The file names must end in the genome's 9-character identifier and a 3-letter extension\n"
        "(NC_000913.fna, NC_000913.ptt, NC_000913.rnt): the engines take the identifier from them.\n"
        "One line per stage tells when it starts and ends and how long it took; then the summary.\n"
        "On a terminal each running stage shows its progress on a line of its own. The engines'\n"
        "messages go to results/GENOME_predict.log (and to the terminal with --verbose).\n"
        "Exit status 0 when every stage produced its result file, 1 when a stage failed (the line\n"
        "of that stage names the engine and why), 2 for unusable arguments."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("GENOME.fna"), QStringLiteral("The genome sequence (FASTA)."));
    parser.addPositionalArgument(QStringLiteral("GENOME.ptt"), QStringLiteral("The protein table."));
    parser.addPositionalArgument(QStringLiteral("GENOME.rnt"), QStringLiteral("The RNA table (optional)."),
                                 QStringLiteral("[GENOME.rnt]"));
    const QCommandLineOption quiet(QStringList{QStringLiteral("q"), QStringLiteral("quiet")},
                                   QStringLiteral("Print nothing but errors."));
    const QCommandLineOption verbose(QStringList{QStringLiteral("v"), QStringLiteral("verbose")},
                                     QStringLiteral("Show the engines' messages on the terminal too."));
    parser.addOption(quiet);
    parser.addOption(verbose);
    const QCommandLineOption operons(QStringLiteral("operons"),
                                     QStringLiteral("How operons are decided: em (the operon engine alone, the "
                                                    "default) or evidence (the engine's operons refined with the "
                                                    "intergenic distance, terminator and promoter scores and "
                                                    "functional categories, weighed on this genome)."),
                                     QStringLiteral("em|evidence"), QStringLiteral("em"));
    parser.addOption(operons);
    parser.process(app);

    Console console(parser.isSet(quiet)     ? Console::Mode::Quiet
                    : parser.isSet(verbose) ? Console::Mode::Verbose
                                            : Console::Mode::Normal);
    const QStringList args = parser.positionalArguments();
    if (args.size() < 2 || args.size() > 3) {
        console.error(QStringLiteral("meridan-predict: give the FNA and PTT files and, optionally, the RNT "
                                     "file (see meridan-predict --help)"));
        return 2;
    }
    const QString operonMode = parser.value(operons);
    if (operonMode != QStringLiteral("em") && operonMode != QStringLiteral("evidence")) {
        console.error(QStringLiteral("meridan-predict: --operons takes em or evidence, not %1").arg(operonMode));
        return 2;
    }
    PredictionInputs inputs{args[0], args[1], args.value(2), operonMode == QStringLiteral("evidence")};
    if (const QString problem = checkInputs(inputs); !problem.isEmpty()) {
        console.error(QStringLiteral("meridan-predict: ") + problem);
        return 2;
    }
    return runPrediction(inputs, QCoreApplication::applicationDirPath(), console);
}
