#include "meridan/operon/ModelFit.h"

namespace meridan::operon {

namespace {

// Draws rowCount rows and copies each into both classes' matrices.
void drawRows(OperonModel& model, MotifId first, MotifId second, int rowCount,
              RandGenerator& random)
{
    for (int i = 0; i < rowCount; ++i) {
        std::array<double, 4> draws{};
        for (double& d : draws)
            d = random.next();
        // Summed in double precision: four draws overflow an int.
        const double sum = draws[0] + draws[1] + draws[2] + draws[3];
        for (int b = 0; b < 4; ++b) {
            model.motif(first).rows[i][b] = draws[b] / sum;
            model.motif(second).rows[i][b] = draws[b] / sum;
        }
    }
}

} // namespace

void randomiseMotifs(OperonModel& model, RandGenerator& random)
{
    drawRows(model, MotifId::TerminatorBoundary, MotifId::TerminatorOperon, 20, random);
    drawRows(model, MotifId::PromoterBoundary, MotifId::PromoterOperon, 10, random);
    drawRows(model, MotifId::SdOperon, MotifId::SdBoundary, 10, random);
}

} // namespace meridan::operon
