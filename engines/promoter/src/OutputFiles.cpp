#include "meridan/ethrin/OutputFiles.h"

#include <filesystem>
#include <fstream>
#include <ostream>

namespace meridan::ethrin {

namespace fs = std::filesystem;

bool writeAllOrNothing(const std::vector<OutputFile>& files, std::ostream& log)
{
    std::vector<std::string> parts;
    const auto removeParts = [&]() {
        std::error_code ignored;
        for (const std::string& p : parts)
            fs::remove(p, ignored);
    };
    for (const OutputFile& f : files) {
        const std::string part = f.path + ".part";
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        if (!out) {
            log << "Can't write file " << part << " !" << std::endl;
            removeParts();
            return false;
        }
        parts.push_back(part);
        out.write(f.content.data(), static_cast<std::streamsize>(f.content.size()));
        out.close();
        if (!out) {
            log << "Can't write file " << part << " !" << std::endl;
            removeParts();
            return false;
        }
    }
    for (std::size_t k = 0; k < files.size(); ++k) {
        std::error_code ec;
        fs::rename(parts[k], files[k].path, ec);
        if (ec) {
            log << "Can't rename " << parts[k] << " to " << files[k].path << ": " << ec.message() << std::endl;
            removeParts();
            return false;
        }
    }
    return true;
}

} // namespace meridan::ethrin
