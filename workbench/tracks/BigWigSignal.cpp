#include "BigWigSignal.h"

#include "IntervalSignal.h"

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
#include <map>
#include <mutex>

namespace meridan::tracks {

#ifdef MERIDAN_HAVE_BIGWIG

// Wider stretches than this are summarised from the sequence's records in
// memory: reading them from the file costs time in proportion to the width.
constexpr std::int64_t wideStretch = 400000;

struct BigWigSignal::File {
    bigWigFile_t* fp = nullptr;
    std::map<uint32_t, std::vector<Interval>> whole;   // by sequence id, read on demand
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

namespace {

std::vector<Interval> intervalsOf(bigWigFile_t* fp, const char* sequence, std::int64_t start, std::int64_t end)
{
    std::vector<Interval> out;
    if (bwOverlappingIntervals_t* o = bwGetOverlappingIntervals(fp, sequence, uint32_t(start), uint32_t(end))) {
        out.reserve(o->l);
        for (uint32_t i = 0; i < o->l; ++i)
            out.push_back({o->start[i], o->end[i], o->value[i]});
        bwDestroyOverlappingIntervals(o);
    }
    return out;
}

} // namespace

Summary BigWigSignal::summarise(const std::string& sequence, std::int64_t start, std::int64_t end, int bins) const
{
    bigWigFile_t* fp = file_->fp;
    const uint32_t tid = bwGetTid(fp, sequence.c_str());
    if (tid == uint32_t(-1))
        return binIntervals(nullptr, nullptr, start, start, bins);
    const std::int64_t length = fp->cl->len[tid];
    const std::int64_t a = std::clamp<std::int64_t>(start, 0, length);
    const std::int64_t z = std::clamp<std::int64_t>(end, 0, length);
    if (z <= a)
        return binIntervals(nullptr, nullptr, start, end, bins);
    auto kept = file_->whole.find(tid);
    if (kept == file_->whole.end() && z - a > wideStretch)
        kept = file_->whole.emplace(tid, intervalsOf(fp, sequence.c_str(), 0, length)).first;
    if (kept != file_->whole.end()) {
        const std::vector<Interval>& all = kept->second;
        // Records do not overlap: the first that ends after the start.
        const auto from = std::partition_point(all.begin(), all.end(), [a](const Interval& i) { return i.end <= a; });
        return binIntervals(all.data() + (from - all.begin()), all.data() + all.size(), start, end, bins);
    }
    const std::vector<Interval> some = intervalsOf(fp, sequence.c_str(), a, z);
    return binIntervals(some.data(), some.data() + some.size(), start, end, bins);
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
