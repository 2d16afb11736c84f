#include "meridan/operon/ModelFit.h"

namespace meridan::operon {

namespace {

void normalise(CategoryTable& table)
{
    double sum = 0;
    for (const auto& row : table)
        for (const double cell : row)
            sum += cell;
    for (auto& row : table)
        for (double& cell : row)
            cell /= sum;
}

} // namespace

void updateCategoryTables(OperonModel& model, const TrainingMaterial& material,
                          const Evidence& evidence)
{
    for (auto* table : {&model.operonTable, &model.boundaryTable})
        for (auto& row : *table)
            row.fill(0.001);
    for (std::size_t k = 0; k < evidence.pairs.size(); ++k) {
        const auto [x, y] = material.encoded.categoryCell[k];
        if (x < 0)
            continue;
        const PairEvidence& ev = evidence.pairs[k];
        if (x == y) {
            model.operonTable[x][x] += ev.operonShare;
            model.boundaryTable[x][x] += ev.boundaryShare;
        } else {
            model.operonTable[x][y] += ev.operonShare;
            model.operonTable[y][x] += ev.operonShare;
            model.boundaryTable[x][y] += ev.boundaryShare;
            model.boundaryTable[y][x] += ev.boundaryShare;
        }
    }
    normalise(model.operonTable);
    normalise(model.boundaryTable);
}

} // namespace meridan::operon
