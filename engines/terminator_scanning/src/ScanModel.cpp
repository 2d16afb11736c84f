#include "dovrane/ScanModel.h"

#include "terminator/RunError.h"

#include <algorithm>

namespace meridan::dovrane {

using terminator::admissiblePair;
using terminator::Code;

ScanModel ScanModel::fromParameters(const terminator::ModelParameters& parameters,
                                    const std::string& bfPath)
{
    for (const double value : parameters.background) {
        if (!(value > 0.0))
            throw terminator::RunError("The background composition in " + bfPath
                                       + " has a zero value ! No terminator scores written.");
    }
    ScanModel model;
    model.background = parameters.background;
    const auto& bg = parameters.background;
    for (int a = 0; a < 4; ++a) {
        for (int b = 0; b < 4; ++b) {
            model.pairRatio[a][b] = admissiblePair(static_cast<Code>(a), static_cast<Code>(b))
                                        ? parameters.pairProb[a][b] / (bg[a] * bg[b])
                                        : 0.0;
        }
        model.tailRatio[a] = parameters.tailProb[a] / bg[a];
    }
    const auto fill = [](std::vector<double>& slots, const std::vector<double>& values) {
        std::copy_n(values.begin(), std::min(values.size(), slots.size()), slots.begin());
    };
    fill(model.stemLen, parameters.stemLen);
    fill(model.loopLen, parameters.loopLen);
    fill(model.tailLen, parameters.tailLen);
    model.p0 = parameters.p0;
    return model;
}

ScanModel readScanModel(const std::string& prefix)
{
    return ScanModel::fromParameters(terminator::readModelFiles(prefix), prefix + ".bf");
}

} // namespace meridan::dovrane
