// The names of a genome's result files for the windows, as the genome
// library gives them.
#pragma once

#include <QString>
#include <QStringList>

namespace meridan {

struct ResultNames {
    QString geneTags;
    QString promoterTable;
    QString sigma70Scores;
    QString terminatorTable;
    QString tuList;
    QString summary;

    // The four files a complete prediction leaves: the gene tags, the
    // promoter and terminator tables and the TU list.
    QStringList predictionFiles() const { return {geneTags, promoterTable, terminatorTable, tuList}; }
};

ResultNames resultNames(const QString& resultDir, const QString& genomeId);

} // namespace meridan
