#include "meridan/genome/PredictedRecords.h"

#include "meridan/genome/GenomeId.h"

namespace meridan::genome {

PredictedRecords predictedRecords(const AnnotatedGenome& genome)
{
    PredictedRecords chosen;
    for (const std::string& leftOut : genome.leftOut)
        chosen.notes.push_back("record " + leftOut + ": skipped");
    for (const AnnotatedRecord* record : chromosomeFirst(genome)) {
        const std::string& id = record->id;
        const int proteins = static_cast<int>(record->proteins.size());
        if (record->pseudogenes + record->pseudoCds > 0)
            chosen.notes.push_back("record " + id + ": " + std::to_string(record->pseudogenes) + " pseudogenes and "
                                   + std::to_string(record->pseudoCds) + " pseudo CDS left out");
        if (proteins < 2) {
            chosen.notes.push_back("record " + id + ": skipped, it has " + std::to_string(proteins) + " protein gene"
                                   + (proteins == 1 ? "" : "s") + " (a prediction needs two or more)");
            continue;
        }
        chosen.records.push_back(record);
        chosen.proteins += proteins;
        chosen.rnas += static_cast<int>(record->rnas.size());
    }
    return chosen;
}

std::string predictedGenomeId(const std::string& annotationPath, const std::vector<const AnnotatedRecord*>& records)
{
    if (records.empty())
        return {};
    if (records.size() == 1)
        return records.front()->id;
    const std::string id = genomeIdFromPath(annotationPath).value_or(std::string());
    return id.empty() ? records.front()->id : id;
}

} // namespace meridan::genome
