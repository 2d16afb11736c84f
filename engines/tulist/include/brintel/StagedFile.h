// An output file written beside its final name and moved into place only on
// commit, so a failed run leaves no half-written results behind.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace brintel {

class StagedFile {
public:
    explicit StagedFile(std::string path);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Opens the staging file; false when the final path cannot be written
    // (missing folder, no permission, a folder in its place).
    bool open();
    std::ofstream& stream() { return out_; }
    const std::string& path() const { return path_; }

    // Closes the staging file; false when a write failed.
    bool finish();
    // Moves the staging file to the final path; false when that fails.
    bool commit();

private:
    void discard();

    std::string path_;
    std::filesystem::path staging_;
    std::ofstream out_;
    bool pending_ = false;
};

} // namespace brintel
