// Conversions between the genome library's text (8-bit file content and
// local file names) and the model's QString.
#pragma once

#include <QFile>
#include <QString>

#include <string>
#include <vector>

namespace meridan::genome::results {
struct ResultProblem;
}

namespace meridan::model {

// A path as the standard library opens it.
inline std::string localPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// File content, read as 8-bit text.
inline QString latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// A column of a table, without the blanks around it, as 8-bit text.
QString field(const std::string& text);

// A whole-number column as the model keeps it; anything else gives 0.
int wholeNumber(const std::string& text);

// Tells, on the warning channel, which lines of a file a reader left out.
void reportProblems(const std::vector<genome::results::ResultProblem>& problems);

} // namespace meridan::model
