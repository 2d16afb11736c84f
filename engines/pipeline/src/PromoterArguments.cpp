#include "PromoterArguments.h"

#include <filesystem>

namespace meridan::pipeline {

namespace {

// The absolute folder of a file followed by "/"; for an empty path only "/".
std::string directoryOf(const std::string& path)
{
    if (path.empty())
        return "/";
    std::error_code ignored;
    return std::filesystem::absolute(path, ignored).lexically_normal().parent_path().string() + "/";
}

std::string prefix(const std::string& folder)
{
    return folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

} // namespace

std::vector<std::string> promoterArguments(const PredictionFolders& folders, const std::string& fnaPath,
                                           const std::string& pttPath, const std::string& rntPath,
                                           const std::string& genomeId, bool usesAnnotationFile)
{
    const std::string program = prefix(folders.program.empty() ? std::string(".") : folders.program);
    return {usesAnnotationFile ? prefix(folders.annotation) : std::string(),
            directoryOf(fnaPath),
            genomeId,
            program + "WM/",
            usesAnnotationFile ? std::string() : directoryOf(pttPath),
            directoryOf(rntPath),
            program + "threshold/",
            "250",
            "100",
            "1"};
}

} // namespace meridan::pipeline
