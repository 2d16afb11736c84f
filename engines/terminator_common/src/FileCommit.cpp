#include "terminator/FileCommit.h"

#include "terminator/RunError.h"

#include <fstream>

namespace meridan::terminator {

StagedFiles::~StagedFiles()
{
    for (const Entry& entry : entries_) {
        std::error_code ignored;
        std::filesystem::remove(entry.temporary, ignored);
    }
}

void StagedFiles::add(const std::filesystem::path& target, const std::string& content)
{
    std::filesystem::path temporary = target;
    temporary += ".part";
    entries_.push_back({target, temporary});
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (out)
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (out)
        out.close();
    if (!out)
        throw RunError(cantOpenMessage(target.string()));
}

void StagedFiles::commit()
{
    while (!entries_.empty()) {
        const Entry& entry = entries_.front();
        std::error_code error;
        std::filesystem::rename(entry.temporary, entry.target, error);
        if (error)
            throw RunError(cantOpenMessage(entry.target.string()));
        entries_.erase(entries_.begin());
    }
}

void writeFileWhole(const std::filesystem::path& target, const std::string& content)
{
    StagedFiles file;
    file.add(target, content);
    file.commit();
}

RemoveOnExit::~RemoveOnExit()
{
    if (armed_) {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
}

} // namespace meridan::terminator
