#include "TextFields.h"

#include <QIODevice>
#include <QRegularExpression>

namespace meridan::text {

QString readLatin1Line(QIODevice& device)
{
    if (device.atEnd())
        return QString();
    QByteArray bytes = device.readLine();
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    QString line = QString::fromLatin1(bytes);
    if (line.isNull())
        line = QLatin1String("");
    return line;
}

QStringList splitFields(const QString& line)
{
    static const QRegularExpression separators(QStringLiteral("[ \\t\\n\\r]+"));
    return line.split(separators, Qt::SkipEmptyParts);
}

int toInt(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

double toReal(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? value : 0.0;
}

float toFloat(const QString& text)
{
    bool ok = false;
    const float value = text.trimmed().toFloat(&ok);
    return ok ? value : 0.0f;
}

} // namespace meridan::text
