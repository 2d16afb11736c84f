// The promoter library's entry arguments: ANNOTATION_DIR FNA_DIR ID WM_DIR
// PTT_DIR RNT_DIR THRESHOLD_DIR UPSTREAM DOWNSTREAM KEEP, the folders as
// prefixes ending in "/".
#pragma once

#include "meridan/pipeline/Prediction.h"

#include <string>
#include <vector>

namespace meridan::pipeline {

// usesAnnotationFile: false when the engines read the PTT file itself (then
// ANNOTATION_DIR is empty and PTT_DIR names the PTT's folder).
std::vector<std::string> promoterArguments(const PredictionFolders& folders, const std::string& fnaPath,
                                           const std::string& pttPath, const std::string& rntPath,
                                           const std::string& genomeId, bool usesAnnotationFile);

} // namespace meridan::pipeline
