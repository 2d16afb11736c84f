#include "WindowKernels.h"

#include <atomic>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define MERIDAN_HAVE_AVX2_FORMS 1
#endif

namespace meridan::operon::detail {

namespace {

bool processorHasVectorUnits()
{
#ifdef MERIDAN_HAVE_AVX2_FORMS
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
#else
    return false;
#endif
}

std::atomic<bool>& vectorFormsFlag()
{
    static std::atomic<bool> flag{processorHasVectorUnits()};
    return flag;
}

// Windows from … n-1 of one class: ratio products over the rows in order.
template <int Width>
void scoreWindowsPortable(const std::uint8_t* codes, ClassWindows& c, std::size_t from)
{
    const RatioTable& table = *c.table;
    const std::size_t n = c.shares.size();
    const double windows = static_cast<double>(n);
    double* const shares = c.shares.data();
    double z = c.z; // kept local: the stores to shares could otherwise alias it
    std::size_t p = from;
    // Four windows side by side, so that their independent products overlap.
    for (; p + 4 <= n; p += 4) {
        const std::uint8_t* x = codes + p;
        double r0 = 1.0, r1 = 1.0, r2 = 1.0, r3 = 1.0;
        for (int i = 0; i < Width; ++i) {
            const auto& row = table[i];
            r0 *= row[x[i]];
            r1 *= row[x[i + 1]];
            r2 *= row[x[i + 2]];
            r3 *= row[x[i + 3]];
        }
        const double v[4] = {r0 * c.w1 / windows, r1 * c.w1 / windows, r2 * c.w1 / windows,
                             r3 * c.w1 / windows};
        for (int j = 0; j < 4; ++j) {
            shares[p + j] = v[j];
            z += v[j];
        }
    }
    for (; p < n; ++p) {
        const std::uint8_t* x = codes + p;
        double ratio = 1.0;
        for (int i = 0; i < Width; ++i)
            ratio *= table[i][x[i]];
        const double v = ratio * c.w1 / windows;
        shares[p] = v;
        z += v;
    }
    c.z = z;
}

#ifdef MERIDAN_HAVE_AVX2_FORMS
// Ratio products of the four windows starting at lanes under both tables,
// over the rows in order.
template <int Width>
__attribute__((target("avx2"), always_inline)) inline void
windowProducts(const std::uint64_t* lanes, const RatioTable& ta, const RatioTable& tb, __m256d& ra,
               __m256d& rb)
{
    ra = _mm256_set1_pd(1.0);
    rb = ra;
    for (int i = 0; i < Width; ++i) {
        const __m256i pick = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lanes + i));
        const __m256i rowA = _mm256_castpd_si256(_mm256_loadu_pd(ta[i].data()));
        const __m256i rowB = _mm256_castpd_si256(_mm256_loadu_pd(tb[i].data()));
        ra = _mm256_mul_pd(ra, _mm256_castsi256_pd(_mm256_permutevar8x32_epi32(rowA, pick)));
        rb = _mm256_mul_pd(rb, _mm256_castsi256_pd(_mm256_permutevar8x32_epi32(rowB, pick)));
    }
}

// Four windows per vector, both classes: for every row the four windows'
// bases pick their column of the row with one lane permute. Only for regions
// of A, C, G, T (the permute has room for four columns); every window of the
// region is scored, the number is returned.
template <int Width>
__attribute__((target("avx2"))) std::size_t scoreWindowsAvx2(const std::uint64_t* lanes,
                                                             ClassWindows& a, ClassWindows& b)
{
    const std::size_t n = a.shares.size();
    const __m256d windows = _mm256_set1_pd(static_cast<double>(n));
    const __m256d w1a = _mm256_set1_pd(a.w1);
    const __m256d w1b = _mm256_set1_pd(b.w1);
    const RatioTable& ta = *a.table;
    const RatioTable& tb = *b.table;
    double* const sharesA = a.shares.data();
    double* const sharesB = b.shares.data();
    double za = a.z, zb = b.z; // kept local: the stores to shares could otherwise alias them
    std::size_t p = 0;
    for (; p + 4 <= n; p += 4) {
        __m256d ra, rb;
        windowProducts<Width>(lanes + p, ta, tb, ra, rb);
        const __m256d va = _mm256_div_pd(_mm256_mul_pd(ra, w1a), windows);
        const __m256d vb = _mm256_div_pd(_mm256_mul_pd(rb, w1b), windows);
        _mm256_storeu_pd(sharesA + p, va);
        _mm256_storeu_pd(sharesB + p, vb);
        alignas(32) double sa[4], sb[4];
        _mm256_store_pd(sa, va);
        _mm256_store_pd(sb, vb);
        for (int j = 0; j < 4; ++j) {
            za += sa[j];
            zb += sb[j];
        }
    }
    if (p < n) {
        // The last one to three windows: all four lanes are computed (the
        // extra ones read codes past the region, which the padding keeps
        // inside the buffer) and only the real windows are kept.
        __m256d ra, rb;
        windowProducts<Width>(lanes + p, ta, tb, ra, rb);
        alignas(32) double sa[4], sb[4];
        _mm256_store_pd(sa, _mm256_div_pd(_mm256_mul_pd(ra, w1a), windows));
        _mm256_store_pd(sb, _mm256_div_pd(_mm256_mul_pd(rb, w1b), windows));
        for (std::size_t j = 0; p + j < n; ++j) {
            sharesA[p + j] = sa[j];
            sharesB[p + j] = sb[j];
            za += sa[j];
            zb += sb[j];
        }
        p = n;
    }
    a.z = za;
    b.z = zb;
    return p;
}

__attribute__((target("avx2"))) void scaleSharesAvx2(std::span<double> shares, double q,
                                                     double total)
{
    const __m256d qv = _mm256_set1_pd(q);
    const __m256d tv = _mm256_set1_pd(total);
    std::size_t p = 0;
    for (; p + 4 <= shares.size(); p += 4) {
        const __m256d s = _mm256_loadu_pd(shares.data() + p);
        _mm256_storeu_pd(shares.data() + p, _mm256_div_pd(_mm256_mul_pd(s, qv), tv));
    }
    for (; p < shares.size(); ++p)
        shares[p] = shares[p] * q / total;
}
#endif

template <int Width>
void scoreRegionOf(const std::uint8_t* codes, const std::uint64_t* lanes, bool acgtOnly,
                   ClassWindows& a, ClassWindows& b)
{
    a.z = a.w0;
    b.z = b.w0;
    std::size_t done = 0;
#ifdef MERIDAN_HAVE_AVX2_FORMS
    if (acgtOnly && vectorFormsEnabled())
        done = scoreWindowsAvx2<Width>(lanes, a, b);
#else
    (void)lanes;
    (void)acgtOnly;
#endif
    scoreWindowsPortable<Width>(codes, a, done);
    scoreWindowsPortable<Width>(codes, b, done);
}

} // namespace

bool vectorFormsEnabled()
{
    return vectorFormsFlag().load(std::memory_order_relaxed);
}

void enableVectorForms(bool enabled)
{
#ifdef MERIDAN_HAVE_AVX2_FORMS
    vectorFormsFlag().store(enabled && processorHasVectorUnits());
#else
    (void)enabled;
#endif
}

void scoreRegion(int width, const std::uint8_t* codes, const std::uint64_t* lanes, bool acgtOnly,
                 ClassWindows& first, ClassWindows& second)
{
    if (width == 20)
        scoreRegionOf<20>(codes, lanes, acgtOnly, first, second);
    else
        scoreRegionOf<10>(codes, lanes, acgtOnly, first, second);
}

void scaleShares(std::span<double> shares, double q, double total)
{
#ifdef MERIDAN_HAVE_AVX2_FORMS
    if (vectorFormsEnabled()) {
        scaleSharesAvx2(shares, q, total);
        return;
    }
#endif
    for (double& share : shares)
        share = share * q / total;
}

namespace {

// Each window's share r goes to the count of the base the window holds at
// each row, pairs and windows in order. Column 4 gathers the shares of
// characters other than A, C, G, T and is not used. Rows at or past width
// read codes beyond the window (the padding after the last region) and are
// not stored.
template <int Rows, bool WithSums>
void addRowCountsPortable(const TrainingMaterial& material, const Evidence& evidence,
                          std::size_t pairBegin, std::size_t pairEnd, Signal s, int m1, int m2,
                          int firstRow, int width, MotifCounts& counts1, MotifCounts& counts2,
                          ShareSums* sums1, ShareSums* sums2)
{
    double c1[Rows][5], c2[Rows][5];
    for (int j = 0; j < Rows; ++j) {
        for (int b = 0; b < 4; ++b) {
            c1[j][b] = counts1[firstRow + j][b];
            c2[j][b] = counts2[firstRow + j][b];
        }
        c1[j][4] = c2[j][4] = 0;
    }
    ShareSums t1, t2;
    if constexpr (WithSums) {
        t1 = *sums1;
        t2 = *sums2;
    }
    for (std::size_t k = pairBegin; k < pairEnd; ++k) {
        const PairEvidence& ev = evidence.pairs[k];
        const double* shares1 = ev.windowShares[m1].data();
        const double* shares2 = ev.windowShares[m2].data();
        const std::size_t n = ev.windowShares[m1].size();
        const std::uint8_t* x = material.encoded.bases(k, s) + firstRow;
        if constexpr (WithSums) {
            t1.absent += ev.absentShare[m1];
            t2.absent += ev.absentShare[m2];
        }
        for (std::size_t p = 0; p < n; ++p, ++x) {
            const double r1 = shares1[p];
            const double r2 = shares2[p];
            if constexpr (WithSums) {
                t1.present += r1;
                t1.total += r1;
                t2.present += r2;
                t2.total += r2;
            }
            for (int j = 0; j < Rows; ++j) {
                c1[j][x[j]] += r1;
                c2[j][x[j]] += r2;
            }
        }
    }
    for (int j = 0; j < Rows && firstRow + j < width; ++j) {
        for (int b = 0; b < 4; ++b) {
            counts1[firstRow + j][b] = c1[j][b];
            counts2[firstRow + j][b] = c2[j][b];
        }
    }
    if constexpr (WithSums) {
        *sums1 = t1;
        *sums2 = t2;
    }
}

#ifdef MERIDAN_HAVE_AVX2_FORMS
// The same with the counts in vector registers: a row's four counts get
// r · oneHot[base] added, that is r to the base's count and exactly 0 to the
// other three (r · 1 and r · 0 are exact, so the fused multiply-add rounds as
// the plain addition does), without stores picked by the data.
template <int Rows, bool WithSums>
__attribute__((target("avx2,fma"))) void
addRowCountsVector(const TrainingMaterial& material, const Evidence& evidence,
                   std::size_t pairBegin, std::size_t pairEnd, Signal s, int m1, int m2,
                   int firstRow, int width, MotifCounts& counts1, MotifCounts& counts2,
                   ShareSums* sums1, ShareSums* sums2)
{
    // One row per base code: 1 in the base's column, 0 elsewhere (all 0 for
    // a character other than A, C, G, T).
    alignas(32) static constexpr double oneHot[5][4] = {
        {1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}, {0, 0, 0, 0}};
    const double* const hot = &oneHot[0][0];
    // Rows past width exist in the arrays (unused); they are loaded but not
    // stored back.
    __m256d c1[Rows], c2[Rows];
#pragma GCC unroll 4
    for (int j = 0; j < Rows; ++j) {
        c1[j] = _mm256_loadu_pd(counts1[firstRow + j].data());
        c2[j] = _mm256_loadu_pd(counts2[firstRow + j].data());
    }
    ShareSums t1, t2;
    if constexpr (WithSums) {
        t1 = *sums1;
        t2 = *sums2;
    }
    for (std::size_t k = pairBegin; k < pairEnd; ++k) {
        const PairEvidence& ev = evidence.pairs[k];
        const double* shares1 = ev.windowShares[m1].data();
        const double* shares2 = ev.windowShares[m2].data();
        const std::size_t n = ev.windowShares[m1].size();
        const std::uint8_t* x = material.encoded.bases(k, s) + firstRow;
        if constexpr (WithSums) {
            t1.absent += ev.absentShare[m1];
            t2.absent += ev.absentShare[m2];
        }
        for (std::size_t p = 0; p < n; ++p, ++x) {
            if constexpr (WithSums) {
                t1.present += shares1[p];
                t1.total += shares1[p];
                t2.present += shares2[p];
                t2.total += shares2[p];
            }
            const __m256d v1 = _mm256_broadcast_sd(shares1 + p);
            const __m256d v2 = _mm256_broadcast_sd(shares2 + p);
#pragma GCC unroll 4
            for (int j = 0; j < Rows; ++j) {
                const __m256d h = _mm256_load_pd(hot + (std::size_t{x[j]} << 2));
                c1[j] = _mm256_fmadd_pd(v1, h, c1[j]);
                c2[j] = _mm256_fmadd_pd(v2, h, c2[j]);
            }
        }
    }
#pragma GCC unroll 4
    for (int j = 0; j < Rows; ++j) {
        if (firstRow + j < width) {
            _mm256_storeu_pd(counts1[firstRow + j].data(), c1[j]);
            _mm256_storeu_pd(counts2[firstRow + j].data(), c2[j]);
        }
    }
    if constexpr (WithSums) {
        *sums1 = t1;
        *sums2 = t2;
    }
}
#endif

template <int Rows, bool WithSums>
void addRowCountsOf(const TrainingMaterial& material, const Evidence& evidence,
                    std::size_t pairBegin, std::size_t pairEnd, Signal s, int m1, int m2,
                    int firstRow, int width, MotifCounts& counts1, MotifCounts& counts2,
                    ShareSums* sums1, ShareSums* sums2)
{
#ifdef MERIDAN_HAVE_AVX2_FORMS
    if (vectorFormsEnabled()) {
        addRowCountsVector<Rows, WithSums>(material, evidence, pairBegin, pairEnd, s, m1, m2,
                                           firstRow, width, counts1, counts2, sums1, sums2);
        return;
    }
#endif
    addRowCountsPortable<Rows, WithSums>(material, evidence, pairBegin, pairEnd, s, m1, m2,
                                         firstRow, width, counts1, counts2, sums1, sums2);
}

} // namespace

void addRowCounts(const TrainingMaterial& material, const Evidence& evidence, std::size_t pairBegin,
                  std::size_t pairEnd, Signal s, int m1, int m2, int firstRow, int width,
                  MotifCounts& counts1, MotifCounts& counts2, ShareSums* sums1, ShareSums* sums2)
{
    if (sums1 && sums2) {
        // The share sums come with the first rows, which every motif has.
        addRowCountsOf<4, true>(material, evidence, pairBegin, pairEnd, s, m1, m2, firstRow, width,
                                counts1, counts2, sums1, sums2);
    } else if (width - firstRow <= 2) {
        addRowCountsOf<2, false>(material, evidence, pairBegin, pairEnd, s, m1, m2, firstRow, width,
                                 counts1, counts2, nullptr, nullptr);
    } else {
        addRowCountsOf<4, false>(material, evidence, pairBegin, pairEnd, s, m1, m2, firstRow, width,
                                 counts1, counts2, nullptr, nullptr);
    }
}

} // namespace meridan::operon::detail
