#include "ResultReaders.h"

#include "ModelText.h"
#include "ProjectModel.h"

#include "meridan/genome/results/GeneTagFile.h"
#include "meridan/genome/results/PromoterTable.h"
#include "meridan/genome/results/ResultPaths.h"
#include "meridan/genome/results/TerminatorTable.h"
#include "meridan/genome/results/TuList.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace meridan {

namespace results = genome::results;
using model::latin1;
using model::localPath;

namespace {

// Hands the rows of a file that could be opened to `fill`, after telling
// which lines were left out.
template <typename Rows, typename Fill> bool take(const Rows& read, Fill fill)
{
    if (!read.opened)
        return false;
    model::reportProblems(read.problems);
    fill(read.rows);
    return true;
}

} // namespace

bool readGeneTags(const QString& path, ProjectModel& model)
{
    return take(results::readGeneTagFile(localPath(path)), [&](const auto& rows) {
        for (const results::GeneTagRow& row : rows) {
            if (row.geneIndex < 0 || row.geneIndex >= model.genes.size())
                continue;
            GeneEntry& gene = model.genes[row.geneIndex];
            gene.operonNumber = int(row.operonNumber);
            gene.sdPosition = int(row.sdPosition);
            gene.taPosition = int(row.taPosition);
            gene.terminatorPosition = int(row.terminatorPosition);
        }
    });
}

bool readPromoterScores(const QString& path, ProjectModel& model)
{
    return take(results::readPromoterTableFile(localPath(path)), [&](const auto& rows) {
        model.promoterMap.clear();
        // The sigma factor comes later, from the scans (readPromoterSigmas).
        for (const results::PromoterRow& row : rows)
            model.promoterMap.insert(latin1(row.name), PromoterEntry{
                .start = int(row.start), .end = int(row.end), .spacer = int(row.spacer()),
                .name = latin1(row.name), .score = row.score,
                .firstBox = latin1(row.firstBox), .secondBox = latin1(row.secondBox), .sigma = {}});
    });
}

void readPromoterSigmas(const QString& folder, const QString& genomeId, ProjectModel& model)
{
    const results::ResultPaths paths = results::resultPaths(localPath(folder), localPath(genomeId));
    for (const char* sigma : {"70", "38", "32", "24"}) {
        const auto factor = std::find(results::kSigmaFactors.begin(), results::kSigmaFactors.end(),
                                      std::string("sigma") + sigma);
        const auto hits = results::readSigmaScoreFile(
            paths.sigmaScores[std::size_t(std::distance(results::kSigmaFactors.begin(), factor))]);
        for (const results::SigmaHit& hit : hits.rows) {
            const auto it = model.promoterMap.find(latin1(hit.synonym));
            // The table keeps each gene's best hit with its score rounded
            // to the table's precision.
            if (it == model.promoterMap.end() || !it->sigma.isEmpty() || it->start != hit.start
                || std::abs(it->score - hit.score) > 1e-4 * std::max(1.0, std::abs(hit.score)))
                continue;
            it->sigma = QLatin1String(sigma);
        }
    }
}

bool readTerminatorScores(const QString& path, ProjectModel& model)
{
    return take(results::readTerminatorTableFile(localPath(path)), [&](const auto& rows) {
        model.terminators.clear();
        model.terminatorMap.clear();
        for (const results::TerminatorRow& row : rows) {
            const TerminatorEntry terminator{
                .start = int(row.start), .stem = int(row.stem), .loop = int(row.loop),
                .tail = int(row.tail), .totalLength = int(row.length()),
                .sequence = latin1(row.sequence), .label = latin1(row.label), .score = row.score};
            model.terminators.append(terminator);
            model.terminatorMap.insert(terminator.label, terminator);
        }
    });
}

bool readTuList(const QString& path, ProjectModel& model)
{
    return take(results::readTuListFile(localPath(path)), [&](const auto& rows) {
        model.tuMap.clear();
        for (const results::TuRow& row : rows) {
            TuEntry unit;
            unit.groupNumber = int(row.operonNumber);
            unit.unitNumber = int(row.ordinal);
            unit.strand = QString(QLatin1Char(row.strand));
            for (const results::TuMember& member : row.members) {
                if (member.geneIndex < 0 || member.geneIndex >= model.genes.size())
                    continue;
                const int k = int(member.geneIndex);
                unit.geneIndexes.append(k);
                unit.members.append(latin1(member.synonym) + QLatin1Char('|') + latin1(member.pid)
                                    + QLatin1Char('|') + QString::number(k));
                unit.geneNames += model.genes[k].gene + QLatin1Char('/');
            }
            if (unit.geneIndexes.isEmpty())
                continue;
            unit.promoterBox35 = latin1(row.promoterBox35);
            unit.promoterBox10 = latin1(row.promoterBox10);
            unit.terminatorSequence = latin1(row.terminatorSequence);
            model.tuMap.insert(unit.groupNumber, unit);
        }
    });
}

} // namespace meridan
