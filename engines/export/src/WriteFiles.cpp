#include "meridan/export/ExportSet.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace meridan::exports {

bool writeFiles(const std::vector<ExportFile>& files, std::string& error)
{
    namespace fs = std::filesystem;
    std::vector<std::string> temporaries;
    auto removeTemporaries = [&] {
        for (const std::string& t : temporaries)
            std::remove(t.c_str());
    };
    for (const ExportFile& file : files) {
        const std::string temporary = file.name + ".part";
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (out)
            temporaries.push_back(temporary);
        out << file.content;
        out.close();
        if (!out) {
            error = "cannot write " + file.name;
            removeTemporaries();
            return false;
        }
    }
    for (std::size_t k = 0; k < files.size(); ++k) {
        std::error_code ec;
        fs::rename(temporaries[k], files[k].name, ec);
        if (ec) {
            error = "cannot write " + files[k].name + ": " + ec.message();
            removeTemporaries();
            return false;
        }
    }
    return true;
}

} // namespace meridan::exports
