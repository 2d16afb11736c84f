#include "terminator/FileCommit.h"

#include "terminator/RunError.h"


namespace meridan::terminator {

void StagedFiles::add(const std::filesystem::path& target, const std::string& content)
{
    files_.add(target.string(), content);
}

void StagedFiles::commit()
{
    if (!files_.commit())
        throw RunError(files_.error());
}

void writeFileWhole(const std::filesystem::path& target, const std::string& content)
{
    std::string error;
    if (!genome::writeFileWhole(target.string(), content, &error))
        throw RunError(error);
}

RemoveOnExit::~RemoveOnExit()
{
    if (armed_) {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
}

} // namespace meridan::terminator
