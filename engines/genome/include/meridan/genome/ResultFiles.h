// Writing a set of result files so that either every one of them holds its
// full new content or none was touched: each is written under a temporary
// name beside its target, and only when all are complete are they renamed
// into place. When a later rename fails, the files already moved are rolled
// back (an earlier version restored, a new file removed).
#pragma once

#include <string>
#include <vector>

namespace meridan::genome {

class ResultFiles {
public:
    ResultFiles() = default;
    ResultFiles(const ResultFiles&) = delete;
    ResultFiles& operator=(const ResultFiles&) = delete;
    // Removes the temporary files of a set that was not committed.
    ~ResultFiles();

    // Adds a file of the set with its whole content.
    void add(std::string path, std::string content);

    // Writes and renames every file. False when any step fails: then no
    // file of the set is left changed and error() names the file that
    // could not be written: "Can't open file <path> !".
    bool commit();

    const std::string& error() const { return error_; }

private:
    struct Entry {
        std::string path;
        std::string content;
        std::string temporary;
        std::string backup; // the earlier version while the set is renamed
        bool written = false;
        bool backedUp = false;
    };
    bool writeTemporaries();
    void rollBack(std::size_t moved);
    void removeTemporaries();

    std::vector<Entry> entries_;
    std::string error_;
};

// Writes every file of files as one set (see ResultFiles), each named by its
// member `path` and holding its member `content`; false with the reason in
// error when the set could not be written.
template <typename File>
bool writeFileSet(const std::vector<File>& files, std::string File::*path, std::string File::*content,
                  std::string& error)
{
    ResultFiles set;
    for (const File& file : files)
        set.add(file.*path, file.*content);
    if (set.commit())
        return true;
    error = set.error();
    return false;
}

// True when a file can be created beside path (its folder exists and may be
// written), so a run can fail before its work rather than after it.
bool canWriteBeside(const std::string& path);

// One file, written whole or not at all; false with error set on failure.
bool writeFileWhole(const std::string& path, const std::string& content, std::string* error = nullptr);

} // namespace meridan::genome
