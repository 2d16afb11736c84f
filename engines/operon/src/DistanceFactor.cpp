#include "meridan/operon/ModelFit.h"

#include <cmath>
#include <ostream>

namespace meridan::operon {

namespace {

// The Newton iteration converges in a handful of steps; this bound only
// keeps a fit whose optimum lies at infinity (every pair linked, say) from
// running on for ever.
constexpr int maxNewtonSteps = 200;

} // namespace

void updateDistanceFactor(OperonModel& model, const TrainingMaterial& material,
                          const Evidence& evidence, std::ostream& log)
{
    double a = 0.1;
    double b = 0.01;
    for (int step = 1;; ++step) {
        double ga = 0, gb = 0, haa = 0, hab = 0, hbb = 0;
        for (std::size_t k = 0; k < evidence.pairs.size(); ++k) {
            const double d = material.pairs[k].distance;
            const double e = std::exp(a + b * d);
            const double sigma = e / (1 + e);
            const double residual = evidence.pairs[k].posterior - sigma;
            ga += residual;
            gb += residual * d;
            haa -= sigma * (1 - sigma);
            hab -= d * sigma * (1 - sigma);
            hbb -= d * d * sigma * (1 - sigma);
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
