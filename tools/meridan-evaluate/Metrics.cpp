#include "Metrics.h"

#include <cmath>

namespace meridan::evaluate {

void PairCounts::add(bool knownSame, bool predictedSame)
{
    if (knownSame)
        ++(predictedSame ? truePositive : falseNegative);
    else
        ++(predictedSame ? falsePositive : trueNegative);
}

double share(std::size_t part, std::size_t whole)
{
    return whole ? static_cast<double>(part) / static_cast<double>(whole) : 0.0;
}

double PairCounts::sensitivity() const { return share(truePositive, truePositive + falseNegative); }
double PairCounts::specificity() const { return share(trueNegative, trueNegative + falsePositive); }
double PairCounts::accuracy() const { return share(truePositive + trueNegative, total()); }

double PairCounts::mcc() const
{
    const double tp = double(truePositive), fp = double(falsePositive);
    const double tn = double(trueNegative), fn = double(falseNegative);
    const double margins = (tp + fp) * (tp + fn) * (tn + fp) * (tn + fn);
    return margins > 0.0 ? (tp * tn - fp * fn) / std::sqrt(margins) : 0.0;
}

} // namespace meridan::evaluate
