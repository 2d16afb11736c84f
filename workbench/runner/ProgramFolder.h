// Where the program's read-only parts lie: bin/ with the engine libraries,
// WM/ and threshold/ of the promoter scanner, the manual. They travel with the
// executable, so an installed copy finds them wherever it was installed and
// whatever the current folder is.
#pragma once

#include <QString>

namespace meridan {

// The folder of the running executable (symbolic links resolved) when it
// holds bin/; otherwise "." - test drivers built elsewhere enter a program
// folder before they call the engines.
QString programFolder();

// programFolder() + "/" + relative, e.g. programPath("bin/Galvora.so").
QString programPath(const QString& relative);

} // namespace meridan
