#include "PredictionProgress.h"

#include "Thread.h"

#include <QStringList>

#include <algorithm>

void PredictionProgress::start()
{
    clear();
    for (int mode : {Thread::OperonRun, Thread::PromoterRun, Thread::TerminatorRun})
        share_[mode] = 0.0;
}

void PredictionProgress::clear()
{
    share_.clear();
    stage_.clear();
}

bool PredictionProgress::update(int mode, const QString& engine, qint64 done, qint64 total)
{
    if (!share_.contains(mode))
        return false;
    const double known = total > 0 ? std::clamp(double(done) / double(total), 0.0, 1.0) : 0.0;
    double share = known;
    if (mode == Thread::TerminatorRun) {
        // Training (an unknown number of iterations) is the first half of the
        // stage, the scan the second.
        if (engine == QLatin1String("Dovrane"))
            share = 0.5 + 0.5 * known;
        else
            share = total > 0 ? 0.5 * known : 0.5 * double(done) / double(done + 100);
    }
    share_[mode] = std::max(share_[mode], share);
    stage_[mode] = words(mode, engine, share);
    return true;
}

bool PredictionProgress::finish(int mode)
{
    if (!share_.contains(mode))
        return false;
    share_[mode] = 1.0;
    stage_.remove(mode);
    return true;
}

int PredictionProgress::barValue() const
{
    double shares = 0.0;
    for (double share : share_)
        shares += share;
    return std::min(int(shares * 300.0 + 0.5), 900);
}

QString PredictionProgress::statusText() const
{
    QStringList stages;
    for (auto it = stage_.cbegin(); it != stage_.cend(); ++it)
        stages << it.value();
    return stages.isEmpty() ? tr("Predicting") : tr("Predicting: %1").arg(stages.join(QStringLiteral("; ")));
}

QString PredictionProgress::words(int mode, const QString& engine, double share) const
{
    const QString percent = QStringLiteral(" %1 %").arg(int(share * 100.0));
    if (mode == Thread::OperonRun)
        return tr("operons") + percent;
    if (mode == Thread::PromoterRun)
        return tr("promoters") + percent;
    if (engine == QLatin1String("Castrel"))
        return tr("terminators: learning the hairpin model");
    return tr("terminators") + percent;
}
