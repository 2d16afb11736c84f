#include "BigWigSignal.h"

#ifdef MERIDAN_HAVE_BIGWIG
// Local files only: the remote-file types stay opaque.
#define NOCURL 1
extern "C" {
#include <bigWig.h>
}
#endif

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <mutex>

namespace meridan::tracks {

#ifdef MERIDAN_HAVE_BIGWIG

struct BigWigSignal::File {
    bigWigFile_t* fp = nullptr;
    ~File()
    {
        if (fp)
            bwClose(fp);
    }
};

BigWigSignal::~BigWigSignal() = default;

std::unique_ptr<BigWigSignal> BigWigSignal::open(const std::string& path, std::string* error)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { bwInit(1 << 17); });
    if (!bwIsBigWig(path.c_str(), nullptr)) {
        if (error)
            *error = path + ": not a bigWig file";
        return nullptr;
    }
    std::unique_ptr<BigWigSignal> signal(new BigWigSignal);
    signal->file_ = std::make_unique<File>();
    signal->file_->fp = bwOpen(path.c_str(), nullptr, "r");
    if (!signal->file_->fp || !signal->file_->fp->cl) {
        if (error)
            *error = path + ": the bigWig file cannot be read";
        return nullptr;
    }
    return signal;
}

std::vector<std::string> BigWigSignal::sequenceNames() const
{
    std::vector<std::string> names;
    const chromList_t* cl = file_->fp->cl;
    for (int64_t i = 0; i < cl->nKeys; ++i)
        names.emplace_back(cl->chrom[i]);
    return names;
}

Summary BigWigSignal::summarise(const std::string& sequence, std::int64_t start, std::int64_t end, int bins) const
{
    Summary out;
    bins = std::max(1, bins);
    out.mean.assign(size_t(bins), noData);
    out.maximum.assign(size_t(bins), noData);
    bigWigFile_t* fp = file_->fp;
    const uint32_t tid = bwGetTid(fp, sequence.c_str());
    if (tid == uint32_t(-1))
        return out;
    const std::int64_t length = fp->cl->len[tid];
    // Bins of at least one base within the sequence; the library refuses more
    // bins than bases.
    const std::int64_t a = std::clamp<std::int64_t>(start, 0, length);
    const std::int64_t z = std::clamp<std::int64_t>(end, 0, length);
    if (z <= a)
        return out;
    const double width = double(end - start) / bins;
    const int firstBin = int(std::floor((a - start) / width));
    const int lastBin = std::min(bins - 1, int(std::ceil((z - start) / width)) - 1);
    const int n = lastBin - firstBin + 1;
    const std::int64_t from = start + std::int64_t(std::floor(firstBin * width));
    const std::int64_t to = std::min<std::int64_t>(length, start + std::int64_t(std::ceil((lastBin + 1) * width)));
    if (n < 1 || to <= from)
        return out;
    const uint32_t asked = uint32_t(std::min<std::int64_t>(n, to - from));
    double* means = bwStats(fp, sequence.c_str(), uint32_t(std::max<std::int64_t>(0, from)), uint32_t(to), asked, mean);
    double* maxima = bwStats(fp, sequence.c_str(), uint32_t(std::max<std::int64_t>(0, from)), uint32_t(to), asked, max);
    for (int b = 0; b < n && means && maxima; ++b) {
        const uint32_t k = std::min<uint32_t>(asked - 1, uint32_t(std::int64_t(b) * asked / n));
        out.mean[size_t(firstBin + b)] = means[k];
        out.maximum[size_t(firstBin + b)] = maxima[k];
    }
    free(means);
    free(maxima);
    return out;
}

double BigWigSignal::maximum() const
{
    return file_->fp->hdr ? file_->fp->hdr->maxVal : 0.0;
}

#else

struct BigWigSignal::File {};
BigWigSignal::~BigWigSignal() = default;

std::unique_ptr<BigWigSignal> BigWigSignal::open(const std::string& path, std::string* error)
{
    if (error)
        *error = path + ": this build reads no bigWig files (libBigWig was not found when it was built)";
    return nullptr;
}

std::vector<std::string> BigWigSignal::sequenceNames() const { return {}; }
Summary BigWigSignal::summarise(const std::string&, std::int64_t, std::int64_t, int bins) const
{
    return {std::vector<double>(size_t(std::max(1, bins)), noData), std::vector<double>(size_t(std::max(1, bins)), noData)};
}
double BigWigSignal::maximum() const { return 0; }

#endif

} // namespace meridan::tracks
