#include "meridan/operon/OperonModel.h"

namespace meridan::operon {

OperonModel initialModel(const TrainingMaterial& material)
{
    OperonModel model;
    for (const MotifId m : allMotifs)
        model.motif(m).width = signalWidth(signalOf(m));
    for (int x = 0; x < categoryCount; ++x) {
        for (int y = 0; y < categoryCount; ++y) {
            model.operonTable[x][y] = x == y ? 0.02 : 1.0 / 1200.0;
            model.boundaryTable[x][y] = model.operonTable[x][y];
        }
    }
    model.terminatorBackground = material.terminatorBackground;
    model.promoterBackground = material.promoterBackground;
    return model;
}

} // namespace meridan::operon
