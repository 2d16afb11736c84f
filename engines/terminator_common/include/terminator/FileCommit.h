// Writing result files so that a failed run leaves none of them behind: each
// file is written under a temporary name beside its target and renamed into
// place only when all of them are complete.
#pragma once

#include "meridan/genome/ResultFiles.h"

#include <filesystem>
#include <string>
#include <vector>

namespace meridan::terminator {

class StagedFiles {
public:
    // Adds a file of the set with its whole content.
    void add(const std::filesystem::path& target, const std::string& content);

    // Writes every file and moves it into place, or leaves none changed.
    // Throws RunError ("Can't open file <target> !").
    void commit();

private:
    genome::ResultFiles files_;
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
