// A bigWig file read through libBigWig: opening reads the header only; a
// narrow stretch is read from the file's index each time it is asked for, a
// wide one from the sequence's records, read once and then kept.
#pragma once

#include "Signal.h"

#include <memory>

namespace meridan::tracks {

class BigWigSignal : public Signal {
public:
    ~BigWigSignal() override;
    // The opened file, or nullptr with *error saying why.
    static std::unique_ptr<BigWigSignal> open(const std::string& path, std::string* error);

    std::vector<std::string> sequenceNames() const override;
    Summary summarise(const std::string& sequence, std::int64_t start, std::int64_t end, int bins) const override;
    double maximum() const override;

private:
    BigWigSignal() = default;
    struct File;
    std::unique_ptr<File> file_;
};

} // namespace meridan::tracks
