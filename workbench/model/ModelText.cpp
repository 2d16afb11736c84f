#include "ModelText.h"

#include "meridan/genome/TextFields.h"
#include "meridan/genome/results/ResultRows.h"

#include <QDebug>

#include <limits>

namespace meridan::model {

QString field(const std::string& text)
{
    const std::string_view trimmed = genome::trimmed(text);
    return QString::fromLatin1(trimmed.data(), qsizetype(trimmed.size()));
}

int wholeNumber(const std::string& text)
{
    const std::optional<long> value = genome::parseInteger(genome::trimmed(text));
    if (!value || *value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max())
        return 0;
    return int(*value);
}

void reportProblems(const std::vector<genome::results::ResultProblem>& problems)
{
    if (!problems.empty())
        qWarning().noquote() << QString::fromLocal8Bit(genome::results::describeProblems(problems).c_str());
}

} // namespace meridan::model
