// The engine library as the workbench uses it: loaded at run time from the
// run folder's bin/, its mainfun resolved by name and called.
#include "TempDir.h"
#include "TestData.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <sstream>

using namespace meridan::operon::testing;

namespace {

using Entry = int (*)(const char*, const char*, const char*);

class GalvoraLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto path = meridan::testdata::runDir() / "bin" / "Galvora.so";
        handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << dlerror();
        entry_ = reinterpret_cast<Entry>(dlsym(handle_, "mainfun"));
        ASSERT_NE(entry_, nullptr);
        setenv("MERIDAN_SEED", "20240607", 1);
    }
    void TearDown() override
    {
        unsetenv("MERIDAN_SEED");
        if (handle_)
            dlclose(handle_);
    }

    // Runs the accession's genome into out; the gene-tag text.
    std::string run(const std::filesystem::path& dir, const std::string& accession,
                    const TempDir& out, int expectedResult = 1)
    {
        const std::string fna = (dir / (accession + ".fna")).string();
        const std::string ptt = (dir / (accession + ".ptt")).string();
        EXPECT_EQ(entry_(fna.c_str(), ptt.c_str(), out.prefix().c_str()), expectedResult);
        return readText(out.path() / (accession + "_genetag.txt"));
    }

    static std::size_t lineCount(const std::string& text)
    {
        return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    }

    void* handle_ = nullptr;
    Entry entry_ = nullptr;
};

} // namespace

TEST_F(GalvoraLibrary, PlasmidRunsAreReproducibleWithAFixedSeed)
{
    const auto dir = meridan::testdata::genomeDir("NC_005816");
    if (dir.empty())
        GTEST_SKIP() << "NC_005816 data not present";
    TempDir first, second;
    const std::string a = run(dir, "NC_005816", first);
    const std::string b = run(dir, "NC_005816", second);
    EXPECT_EQ(lineCount(a), 10u);
    EXPECT_EQ(a, b);
}

TEST_F(GalvoraLibrary, MissingInputReturnsWithoutEndingTheProcess)
{
    TempDir out;
    const std::string missing = (out.path() / "NC_000000.fna").string();
    EXPECT_EQ(entry_(missing.c_str(), missing.c_str(), out.prefix().c_str()), 0);
    EXPECT_TRUE(std::filesystem::is_empty(out.path()));
    EXPECT_EQ(entry_(nullptr, nullptr, nullptr), 0);
}

TEST_F(GalvoraLibrary, EscherichiaColiGetsOneLinePerGeneReproducibly)
{
    const auto dir = meridan::testdata::genomeDir("NC_000913");
    if (dir.empty())
        GTEST_SKIP() << "NC_000913 data not present";
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the full E. coli fit is too slow in the sanitizer build";
#endif
    TempDir out, again;
    const std::string text = run(dir, "NC_000913", out);
    EXPECT_EQ(lineCount(text), 4298u);
    EXPECT_EQ(run(dir, "NC_000913", again), text);
    std::istringstream in(text);
    double operon = 0, sd, ta, term, last = 0;
    int rows = 0;
    while (in >> operon >> sd >> ta >> term) {
        ++rows;
        last = operon;
    }
    EXPECT_EQ(rows, 4298);
    // Operons join genes: fewer operons than genes, but more than the
    // number of strand changes.
    EXPECT_LT(last, 4298);
    EXPECT_GT(last, 1000);
}
