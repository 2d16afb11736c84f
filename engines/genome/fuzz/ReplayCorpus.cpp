// Replays the saved fuzzer inputs (tests/fuzz/<reader>/) through the same
// entry functions the fuzzers call: every input once, no fuzzing.
#include "FuzzTargets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Entry = int (*)(const std::uint8_t*, std::size_t);

void replay(const char* reader, Entry entry)
{
    const std::filesystem::path dir = std::filesystem::path(MERIDAN_FUZZ_CORPUS) / reader;
    int inputs = 0;
    for (const auto& file : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(file.path(), std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0) << file.path();
        ++inputs;
    }
    EXPECT_GT(inputs, 0) << dir;
}

} // namespace

TEST(FuzzCorpus, Fasta) { replay("fasta", meridan::genome::fuzz::fastaInput); }
TEST(FuzzCorpus, Ptt) { replay("ptt", meridan::genome::fuzz::pttInput); }
TEST(FuzzCorpus, Rnt) { replay("rnt", meridan::genome::fuzz::rntInput); }
TEST(FuzzCorpus, Gff3) { replay("gff3", meridan::genome::fuzz::gff3Input); }
TEST(FuzzCorpus, GenBank) { replay("genbank", meridan::genome::fuzz::genbankInput); }
TEST(FuzzCorpus, Gzip) { replay("gzip", meridan::genome::fuzz::gzipInput); }
TEST(FuzzCorpus, Results) { replay("results", meridan::genome::fuzz::resultsInput); }
