#include "meridan/genome/ResultFiles.h"

#include "meridan/genome/ReadResult.h"

#include <filesystem>
#include <fstream>

namespace meridan::genome {

namespace fs = std::filesystem;

namespace {

void removeQuietly(const std::string& path)
{
    std::error_code ignored;
    fs::remove(path, ignored);
}

} // namespace

ResultFiles::~ResultFiles()
{
    removeTemporaries();
}

void ResultFiles::add(std::string path, std::string content)
{
    Entry entry;
    entry.temporary = path + ".part";
    entry.backup = path + ".previous";
    entry.path = std::move(path);
    entry.content = std::move(content);
    entries_.push_back(std::move(entry));
}

bool ResultFiles::writeTemporaries()
{
    for (Entry& entry : entries_) {
        std::error_code ec;
        if (fs::is_directory(entry.path, ec)) {
            error_ = cantOpenMessage(entry.path);
            return false;
        }
        std::ofstream out(entry.temporary, std::ios::binary | std::ios::trunc);
        entry.written = static_cast<bool>(out);
        if (out)
            out.write(entry.content.data(), static_cast<std::streamsize>(entry.content.size()));
        if (out)
            out.close();
        if (!out) {
            error_ = cantOpenMessage(entry.path);
            return false;
        }
    }
    return true;
}

void ResultFiles::removeTemporaries()
{
    for (Entry& entry : entries_)
        if (entry.written) {
            removeQuietly(entry.temporary);
            entry.written = false;
        }
}

void ResultFiles::rollBack(std::size_t moved)
{
    // Entries before `moved` are in place: put the earlier version back
    // where there was one, take the new file away where there was none.
    for (std::size_t k = 0; k <= moved && k < entries_.size(); ++k) {
        Entry& entry = entries_[k];
        std::error_code ec;
        if (entry.backedUp)
            fs::rename(entry.backup, entry.path, ec);
        else if (k < moved)
            removeQuietly(entry.path);
        entry.backedUp = false;
    }
}

bool ResultFiles::commit()
{
    error_.clear();
    if (!writeTemporaries()) {
        removeTemporaries();
        return false;
    }
    for (std::size_t k = 0; k < entries_.size(); ++k) {
        Entry& entry = entries_[k];
        std::error_code ec;
        // The earlier version stays in place (a second name on it) until the
        // rename replaces it, so the target never goes missing.
        removeQuietly(entry.backup);
        if (fs::exists(entry.path, ec)) {
            fs::create_hard_link(entry.path, entry.backup, ec);
            if (ec) {
                ec.clear();
                fs::copy_file(entry.path, entry.backup, fs::copy_options::overwrite_existing, ec);
            }
            entry.backedUp = !ec;
        }
        if (!ec)
            fs::rename(entry.temporary, entry.path, ec);
        if (ec) {
            error_ = cantOpenMessage(entry.path);
            rollBack(k);
            removeTemporaries();
            return false;
        }
        entry.written = false; // the temporary is now the file
    }
    for (Entry& entry : entries_)
        if (entry.backedUp)
            removeQuietly(entry.backup);
    entries_.clear();
    return true;
}

bool canWriteBeside(const std::string& path)
{
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return false;
    const std::string probe = path + ".part";
    const bool existed = fs::exists(probe, ec);
    std::ofstream out(probe, std::ios::binary | std::ios::app);
    const bool ok = static_cast<bool>(out);
    out.close();
    if (ok && !existed)
        removeQuietly(probe);
    return ok;
}

bool writeFileWhole(const std::string& path, const std::string& content, std::string* error)
{
    ResultFiles file;
    file.add(path, content);
    const bool ok = file.commit();
    if (!ok && error)
        *error = file.error();
    return ok;
}

} // namespace meridan::genome
