#include "RunSeed.h"

#include <QByteArray>
#include <QSettings>
#include <QVariant>

namespace meridan::runseed {

namespace {

const char* const environmentName = "MERIDAN_SEED";
const QString settingsKey = QStringLiteral("prediction/seed");

// What this process last wrote into MERIDAN_SEED: a value equal to it is ours,
// not the user's, and does not override a later change of the options.
QByteArray& writtenValue()
{
    static QByteArray value;
    return value;
}

// A decimal integer with an optional sign, taken modulo 2^32, as the engines
// read it.
std::optional<quint32> parseSeed(const QByteArray& text)
{
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok || text.trimmed() != text || text.isEmpty())
        return std::nullopt;
    return static_cast<quint32>(static_cast<qulonglong>(value));
}

std::optional<quint32> usersEnvironmentSeed()
{
    if (!qEnvironmentVariableIsSet(environmentName))
        return std::nullopt;
    const QByteArray value = qgetenv(environmentName);
    if (!writtenValue().isNull() && value == writtenValue())
        return std::nullopt;
    return parseSeed(value);
}

} // namespace

std::optional<quint32> chosenSeed()
{
    const QVariant stored = QSettings().value(settingsKey);
    if (!stored.isValid())
        return std::nullopt;
    bool ok = false;
    const qulonglong value = stored.toULongLong(&ok);
    if (!ok || value > 0xffffffffULL)
        return std::nullopt;
    return static_cast<quint32>(value);
}

void setChosenSeed(std::optional<quint32> seed)
{
    QSettings settings;
    if (seed)
        settings.setValue(settingsKey, qulonglong(*seed));
    else
        settings.remove(settingsKey);
}

quint32 seedForNextRun()
{
    if (const auto chosen = chosenSeed())
        return *chosen;
    if (const auto fromEnvironment = usersEnvironmentSeed())
        return *fromEnvironment;
    return defaultSeed;
}

quint32 applySeedForNextRun()
{
    // The user's own MERIDAN_SEED stays untouched when it is the one used.
    if (!chosenSeed() && usersEnvironmentSeed())
        return seedForNextRun();
    const quint32 seed = seedForNextRun();
    writtenValue() = QByteArray::number(seed);
    qputenv(environmentName, writtenValue());
    return seed;
}

QString describeSeed(quint32 seed)
{
    if (chosenSeed())
        return QStringLiteral("seed %1 (chosen in the prediction options)").arg(seed);
    if (usersEnvironmentSeed())
        return QStringLiteral("seed %1 (from %2)").arg(seed).arg(QLatin1String(environmentName));
    return QStringLiteral("seed %1 (fixed default)").arg(seed);
}

} // namespace meridan::runseed
