// File > Export: the loaded genome's results as GFF3, BED or a TU table,
// made from its result files by the export library.
#pragma once

#include <QString>

class MainWindow;
struct ProjectModel;
struct ProjectInputs;

namespace meridan {

enum class ExportKind { Gff3, Bed, TuTable };

// Adds the Export submenu with "GFF3…", "BED…" and "TU table…" (object
// names actionExportGff3, actionExportBed, actionExportTuTable) to the
// window's File menu, above Exit.
void addExportMenu(MainWindow& window);

// Writes one export of the window's genome: the GFF3 or TU table file at
// target, or the three BED files (<id>_terminators.bed, _promoters.bed,
// _tus.bed) into the folder target. The genome is read from the project's
// FNA file, or taken from the model when there is none. Returns an empty
// text on success, otherwise the message for the user; `note` receives what
// was written and how many results were left out.
QString writeExport(const ProjectInputs& inputs, const ProjectModel& model, ExportKind kind, const QString& target,
                    QString* note = nullptr);

} // namespace meridan
