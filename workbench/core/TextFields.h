// Small helpers shared by the readers of the workbench: 8-bit line reading,
// white-space splitting and forgiving number parsing.
#pragma once

#include <QString>
#include <QStringList>

class QIODevice;

namespace meridan::text {

// Reads one line (with its terminator) as 8-bit text, cut at the first NUL.
// Returns a null string at the end of the device.
QString readLatin1Line(QIODevice& device);

// Splits at runs of blank, tab, line feed and carriage return; empty parts dropped.
QStringList splitFields(const QString& line);

// A decimal integer with optional surrounding white space; anything else gives 0.
int toInt(const QString& text);

// A floating-point number; invalid text gives 0.
double toReal(const QString& text);

// The same number read in single precision.
float toFloat(const QString& text);

} // namespace meridan::text
