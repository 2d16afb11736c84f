#include "brintel/StagedFile.h"

#include <locale>
#include <system_error>

namespace brintel {

StagedFile::StagedFile(std::string path)
    : path_(std::move(path)), staging_(path_ + ".part")
{
}

StagedFile::~StagedFile()
{
    discard();
}

bool StagedFile::open()
{
    std::error_code ec;
    if (path_.empty() || std::filesystem::is_directory(path_, ec))
        return false;
    out_.open(staging_, std::ios::out | std::ios::trunc | std::ios::binary);
    if (!out_.is_open())
        return false;
    out_.imbue(std::locale::classic());
    pending_ = true;
    return true;
}

bool StagedFile::finish()
{
    out_.flush();
    const bool ok = static_cast<bool>(out_);
    out_.close();
    return ok && !out_.fail();
}

bool StagedFile::commit()
{
    if (!pending_)
        return false;
    std::error_code ec;
    std::filesystem::rename(staging_, path_, ec);
    if (ec)
        return false;
    pending_ = false;
    return true;
}

void StagedFile::discard()
{
    if (out_.is_open())
        out_.close();
    if (pending_) {
        std::error_code ec;
        std::filesystem::remove(staging_, ec);
        pending_ = false;
    }
}

} // namespace brintel
