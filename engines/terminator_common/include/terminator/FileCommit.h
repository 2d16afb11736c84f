// Writing result files so that a failed run leaves none of them behind: each
// file is written under a temporary name beside its target and renamed into
// place only when all of them are complete.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace meridan::terminator {

class StagedFiles {
public:
    StagedFiles() = default;
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;
    // Removes the temporary files of an uncommitted set.
    ~StagedFiles();

    // Writes content under a temporary name. Throws RunError
    // ("Can't open file <target> !") when it cannot be written.
    void add(const std::filesystem::path& target, const std::string& content);

    // Moves every file into place. Throws RunError.
    void commit();

private:
    struct Entry {
        std::filesystem::path target;
        std::filesystem::path temporary;
    };
    std::vector<Entry> entries_;
};

// One file, written whole or not at all. Throws RunError.
void writeFileWhole(const std::filesystem::path& target, const std::string& content);

// Removes a file when it goes out of scope, unless released.
class RemoveOnExit {
public:
    explicit RemoveOnExit(std::filesystem::path path) : path_(std::move(path)) {}
    RemoveOnExit(const RemoveOnExit&) = delete;
    RemoveOnExit& operator=(const RemoveOnExit&) = delete;
    ~RemoveOnExit();
    void release() { armed_ = false; }

private:
    std::filesystem::path path_;
    bool armed_ = true;
};

} // namespace meridan::terminator
