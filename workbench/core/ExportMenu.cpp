#include "ExportMenu.h"

#include "MainWindow.h"
#include "ProjectModel.h"
#include "UserPrompts.h"
#include "ui_MainWindow.h"

#include "meridan/export/ExportSet.h"
#include "meridan/export/GenomeFile.h"
#include "meridan/export/Writers.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QStatusBar>

namespace meridan {

namespace {

std::string encoded(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// Asks for the target and writes the export, reporting in the status bar or
// a warning box.
void runExport(MainWindow& window, ExportKind kind)
{
    UserPrompts& prompts = UserPrompts::current();
    const ProjectInputs inputs = window.projectInputs();
    if (inputs.genomeId.isEmpty()) {
        prompts.warning(&window, MainWindow::tr("Export"), MainWindow::tr("Load a genome and its results first."));
        return;
    }
    const QString suggested = QDir(inputs.resultDir).filePath(inputs.genomeId);
    QString target;
    switch (kind) {
    case ExportKind::Gff3:
        target = prompts.saveFileName(&window, MainWindow::tr("Export GFF3"), suggested + ".gff3",
                                              MainWindow::tr("GFF3 files (*.gff3 *.gff)"));
        break;
    case ExportKind::Bed:
        target = prompts.existingDirectory(&window, MainWindow::tr("Folder for the BED files"),
                                                   inputs.resultDir);
        break;
    case ExportKind::TuTable:
        target = prompts.saveFileName(&window, MainWindow::tr("Export TU table"), suggested + "_tus.tsv",
                                              MainWindow::tr("Tab-separated tables (*.tsv *.txt)"));
        break;
    }
    if (target.isEmpty())
        return;
    QString note;
    const QString error = writeExport(inputs, window.projectModel(), kind, target, &note);
    if (!error.isEmpty())
        prompts.warning(&window, MainWindow::tr("Export"), error);
    else
        window.statusBar()->showMessage(note, 10000);
}

} // namespace

void addExportMenu(MainWindow& window)
{
    QMenu* file = window.form()->menu_F;
    auto* menu = new QMenu(MainWindow::tr("Export"), file);
    menu->setObjectName(QStringLiteral("menuExport"));
    const struct {
        ExportKind kind;
        const char* name;
        QString text;
        QString tip;
    } entries[] = {
        {ExportKind::Gff3, "actionExportGff3", MainWindow::tr("GFF3…"),
         MainWindow::tr("Operons, transcription units, promoters and terminators as GFF3 in genome coordinates")},
        {ExportKind::Bed, "actionExportBed", MainWindow::tr("BED…"),
         MainWindow::tr("Terminators, promoters and transcription units as three BED files")},
        {ExportKind::TuTable, "actionExportTuTable", MainWindow::tr("TU table…"),
         MainWindow::tr("One row per transcription unit, tab-separated, for a spreadsheet")},
    };
    for (const auto& entry : entries) {
        QAction* action = menu->addAction(entry.text);
        action->setObjectName(QString::fromLatin1(entry.name));
        action->setStatusTip(entry.tip);
        const ExportKind kind = entry.kind;
        QObject::connect(action, &QAction::triggered, &window, [&window, kind] { runExport(window, kind); });
    }
    QAction* before = nullptr;
    for (QAction* action : file->actions())
        if (action->objectName() == QLatin1String("action_exit"))
            before = action;
    file->insertMenu(before, menu);
}

QString writeExport(const ProjectInputs& inputs, const ProjectModel& model, ExportKind kind, const QString& target,
                    QString* note)
{
    const std::string id = inputs.genomeId.toStdString();
    exports::GenomeText genome;
    if (!inputs.fnaPath.isEmpty()) {
        exports::GenomeLoad load = exports::loadGenomeText(encoded(inputs.fnaPath), id);
        if (!load.error.empty())
            return QString::fromLocal8Bit(load.error.c_str());
        genome = std::move(load.genome);
    } else {
        genome.seqid = id;
        genome.sequence = model.forwardSequence.toLatin1().toStdString();
        genome.length = static_cast<long>(genome.sequence.size());
    }
    const exports::Placement placement = exports::placeResults(encoded(inputs.resultDir), id, genome);
    if (!placement.features)
        return QString::fromLocal8Bit(placement.error.c_str()).trimmed();
    const exports::GenomeFeatures& f = *placement.features;

    std::vector<exports::ExportFile> files;
    switch (kind) {
    case ExportKind::Gff3:
        files.push_back({encoded(target), exports::gff3Text(f)});
        break;
    case ExportKind::Bed: {
        const QDir folder(target);
        files.push_back({encoded(folder.filePath(inputs.genomeId + "_terminators.bed")), exports::terminatorBed(f)});
        files.push_back({encoded(folder.filePath(inputs.genomeId + "_promoters.bed")), exports::promoterBed(f)});
        files.push_back({encoded(folder.filePath(inputs.genomeId + "_tus.bed")), exports::tuBed(f)});
        break;
    }
    case ExportKind::TuTable:
        files.push_back({encoded(target), exports::tuTable(f)});
        break;
    }
    std::string error;
    if (!exports::writeFiles(files, error))
        return QString::fromLocal8Bit(error.c_str());
    if (note) {
        *note = MainWindow::tr("Exported %1 operons, %2 TUs, %3 promoters and %4 terminators to %5")
                    .arg(f.operons.size())
                    .arg(f.tus.size())
                    .arg(f.promoters.size())
                    .arg(f.terminators.size())
                    .arg(QDir::toNativeSeparators(target));
        if (!f.warnings.empty())
            *note += MainWindow::tr(" (%1 results left out)").arg(f.warnings.size());
    }
    return QString();
}

} // namespace meridan
