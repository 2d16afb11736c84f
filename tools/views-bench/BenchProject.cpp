#include "BenchProject.h"

#include "ProjectReaders.h"
#include "ResultNames.h"
#include "ResultReaders.h"

namespace viewsbench {

namespace {

void makeNeighbourUnits(ProjectModel &model)
{
    int group = 0;
    TuEntry unit;
    auto flush = [&] {
        if (!unit.geneIndexes.isEmpty())
            model.tuMap.insert(group++, unit);
        unit = TuEntry();
    };
    for (int g = 0; g < model.genes.size(); ++g) {
        const GeneEntry &gene = model.genes[g];
        if (!unit.geneIndexes.isEmpty()) {
            const GeneEntry &prev = model.genes[unit.geneIndexes.last()];
            if (prev.strand != gene.strand || gene.start - prev.end > 50)
                flush();
        }
        unit.groupNumber = group;
        unit.unitNumber = 1;
        unit.strand = gene.strand;
        unit.geneIndexes.append(g);
        unit.members.append(QString("%1|%2|%3").arg(gene.synonym, gene.pid).arg(g));
        unit.geneNames += gene.gene + "/";
    }
    flush();
}

} // namespace

LoadReport loadProject(const Inputs &in, ProjectModel &model)
{
    LoadReport report;
    meridan::readGeneTable(in.annotation, model);
    meridan::readGenomeSequence(in.fna, model);
    const meridan::ResultNames files = meridan::resultNames(in.resultDir, in.genomeId);
    report.geneTags = meridan::readGeneTags(files.geneTags, model);
    report.promoters = meridan::readPromoterScores(files.promoterTable, model);
    report.terminators = meridan::readTerminatorScores(files.terminatorTable, model);
    report.tuList = meridan::readTuList(files.tuList, model);
    if (model.tuMap.isEmpty()) {
        makeNeighbourUnits(model);
        report.neighbourUnits = true;
    }
    return report;
}

} // namespace viewsbench
