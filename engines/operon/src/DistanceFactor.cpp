#include "meridan/operon/ModelFit.h"

#include <array>
#include <cmath>
#include <ostream>

namespace meridan::operon {

namespace {

// The Newton iteration converges in a handful of steps; this bound only
// keeps a fit whose optimum lies at infinity (every pair linked, say) from
// running on for ever.
constexpr int maxNewtonSteps = 200;

// The per-pair terms of the Newton step depend on the pair only through its
// distance, which the material clamps to 0…100: they are computed once per
// distance (the same expressions, so the same values) and looked up.
class DistanceTerms {
public:
    struct Terms {
        double d = 0;
        double sigma = 0;    // e / (1 + e), e = exp(a + b·d)
        double weight = 0;   // σ(1 − σ)
        double dWeight = 0;  // d σ (1 − σ)
        double ddWeight = 0; // d² σ (1 − σ)
    };

    void fill(double a, double b)
    {
        a_ = a;
        b_ = b;
        for (int d = 0; d <= maxDistance; ++d)
            table_[d] = compute(d);
    }

    // Terms for distance d (computed on the spot outside 0…100).
    const Terms& at(std::int32_t d)
    {
        if (d >= 0 && d <= maxDistance)
            return table_[d];
        spare_ = compute(d);
        return spare_;
    }

private:
    static constexpr int maxDistance = 100;

    Terms compute(std::int32_t distance) const
    {
        Terms t;
        t.d = distance;
        const double e = std::exp(a_ + b_ * t.d);
        t.sigma = e / (1 + e);
        t.weight = t.sigma * (1 - t.sigma);
        t.dWeight = t.d * t.sigma * (1 - t.sigma);
        t.ddWeight = t.d * t.d * t.sigma * (1 - t.sigma);
        return t;
    }

    double a_ = 0, b_ = 0;
    std::array<Terms, maxDistance + 1> table_{};
    Terms spare_;
};

} // namespace

void updateDistanceFactor(OperonModel& model, const TrainingMaterial& material,
                          const Evidence& evidence, std::ostream& log)
{
    double a = 0.1;
    double b = 0.01;
    DistanceTerms terms;
    for (int step = 1;; ++step) {
        terms.fill(a, b);
        double ga = 0, gb = 0, haa = 0, hab = 0, hbb = 0;
        for (std::size_t k = 0; k < evidence.pairs.size(); ++k) {
            const DistanceTerms::Terms& t = terms.at(material.pairs[k].distance);
            const double residual = evidence.pairs[k].posterior - t.sigma;
            ga += residual;
            gb += residual * t.d;
            haa -= t.weight;
            hab -= t.dWeight;
            hbb -= t.ddWeight;
        }
        const double det = hab * hab - haa * hbb;
        const double aNew = a + (hbb * ga - hab * gb) / det;
        const double bNew = b + (haa * gb - hab * ga) / det;
        if (!std::isfinite(aNew) || !std::isfinite(bNew)) {
            // A singular Hessian (no pairs, or all at one distance) gives no
            // step: keep the last finite values.
            log << "distance factor: no Newton step from a=" << a << ",b=" << b
                << "; keeping them\n";
            break;
        }
        const double change = (aNew - a) * (aNew - a) + (bNew - b) * (bNew - b);
        a = aNew;
        b = bNew;
        if (!(change > 1e-20))
            break;
        if (step == maxNewtonSteps) {
            log << "distance factor: no convergence after " << maxNewtonSteps << " steps\n";
            break;
        }
    }
    model.a = a;
    model.b = b;
    log << "a=" << a << ",b=" << b << '\n';
}

} // namespace meridan::operon
