// Where the tests find real genomes: the environment variable
// MERIDAN_DATA_DIR when set, otherwise the folder chosen at configure time
// (../shared/data beside the project). Tests skip when it is absent.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace meridan::testdata {

inline std::filesystem::path dataDir()
{
    if (const char* env = std::getenv("MERIDAN_DATA_DIR"); env && *env)
        return env;
#ifdef MERIDAN_DATA_DIR
    return MERIDAN_DATA_DIR;
#else
    return "../shared/data";
#endif
}

// Folder of one genome triple, e.g. genomeDir("NC_005816"); empty when absent.
inline std::filesystem::path genomeDir(const std::string& accession)
{
    std::filesystem::path dir = dataDir() / "genomes" / accession;
    std::error_code ec;
    return std::filesystem::is_directory(dir, ec) ? dir : std::filesystem::path();
}

inline std::filesystem::path runDir()
{
#ifdef MERIDAN_RUN_DIR
    return MERIDAN_RUN_DIR;
#else
    return ".";
#endif
}

} // namespace meridan::testdata
