#include "PromoterArguments.h"

#include "EngineCall.h"
#include "ProgramFolder.h"

#include <QFileInfo>

namespace meridan {

namespace {

// The absolute folder of a file followed by "/"; for an empty path only "/".
QByteArray directoryOf(const QString& path)
{
    return engineString(QFileInfo(path).absolutePath() + QLatin1Char('/'));
}

} // namespace

PromoterArguments PromoterArguments::build(const QString& resultDir, const QString& fnaPath,
                                           const QString& pttPath, const QString& rntPath,
                                           const QString& genomeId, bool usesAnnotationFile)
{
    PromoterArguments a;
    a.pttDirectory_ = directoryOf(pttPath);
    a.texts_[0] = engineString(resultDir);
    a.texts_[2] = usesAnnotationFile ? QByteArray("./annotation/") : QByteArray("");
    a.texts_[3] = directoryOf(fnaPath);
    a.texts_[6] = engineString(genomeId);
    a.texts_[8] = engineString(programPath(QStringLiteral("WM/")));
    a.texts_[9] = usesAnnotationFile ? QByteArray("") : a.pttDirectory_;
    a.texts_[10] = directoryOf(rntPath);
    a.texts_[11] = engineString(programPath(QStringLiteral("threshold/")));
    return a;
}

const char* PromoterArguments::text(int index) const
{
    if (index == 5 || index < 0 || index >= int(texts_.size()))
        return nullptr;
    return texts_[size_t(index)].constData();
}

int PromoterArguments::number(int index) const
{
    return numbers_[size_t(index - 12)];
}

QList<QByteArray> PromoterArguments::entryArguments() const
{
    QList<QByteArray> arguments;
    for (int index : {2, 3, 6, 8, 9, 10, 11})
        arguments << texts_[size_t(index)];
    for (int number : numbers_)
        arguments << QByteArray::number(number);
    return arguments;
}

} // namespace meridan
