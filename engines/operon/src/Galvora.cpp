#include "meridan/operon/Galvora.h"

#include "meridan/genome/FnaReader.h"
#include "meridan/genome/GenomeId.h"
#include "meridan/genome/PttReader.h"
#include "meridan/genome/ResultFiles.h"
#include "meridan/operon/GeneTagFile.h"

#include <ostream>

namespace meridan::operon {

GeneTags geneTagsOfFit(const genome::GeneTable& table, const TrainingMaterial& material,
                       const FitOutcome& fit, std::ostream& log)
{
    if (fit.decisions)
        return assignGeneTags(table.genes,
                              neighbourDecisions(material, *fit.decisions, table.genes.size()));
    log << "No restart gave a usable log-likelihood: every gene is written as an operon of its "
           "own, without signal positions\n";
    return separateGeneTags(table.genes.size());
}

int runGalvora(const RunRequest& request, std::ostream& log)
{
    const auto genomeId = genome::genomeIdFromPath(request.fnaPath);
    if (!genomeId) {
        log << "Can't take a genome identifier from the FNA path \"" << request.fnaPath
            << "\": " << genome::genomeFileNameProblem(request.fnaPath) << " !\n";
        return 0;
    }
    const std::string outputPath = geneTagPath(request.outputDirectory, *genomeId);

    log << "operon" << request.outputDirectory << '\n';
    log << "seed=" << request.seed << '\n';
    RandGenerator random(request.seed);

    auto fna = genome::readGenomeSequence(request.fnaPath, &log);
    if (!fna) {
        log << fna.error << '\n';
        return 0;
    }
    if (fna.value->length == 0)
        log << "The genome in " << request.fnaPath
            << " holds no sequence: no gene can be placed on it\n";
    const auto table = genome::readGeneTable(request.pttPath, &log);
    if (!table) {
        log << table.error << '\n';
        return 0;
    }

    const auto records = genome::readRecordTableBeside(request.fnaPath);
    if (!records) {
        log << records.error << '\n';
        return 0;
    }
    const TrainingMaterial material = buildTrainingMaterial(*fna.value, *table.value, log, *records.value);
    fna.value.reset(); // the regions are cut; the genome is no longer needed

    // A result folder that cannot be written fails the run now, not after the fit.
    if (!genome::canWriteBeside(outputPath)) {
        log << genome::cantOpenMessage(outputPath) << '\n';
        return 0;
    }

    OperonModel model = initialModel(material);
    const FitOutcome fit = fitOperonModel(material, model, random, log, request.fit);

    const GeneTags tags = geneTagsOfFit(*table.value, material, fit, log);
    if (request.fit.context)
        request.fit.context->throwIfCancelled();
    if (!genome::writeFileWhole(outputPath, geneTagText(tags))) {
        log << "Can't write file " << outputPath << " !\n";
        return 0;
    }
    return 1;
}

} // namespace meridan::operon
