// Plain and gzip-compressed input text, and what is refused.
#include "meridan/genome/InputText.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace meridan::genome;

namespace {

std::string gzipOf(const std::string& text)
{
    z_stream s{};
    deflateInit2(&s, 6, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&s, text.size()) + 32, '\0');
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    s.avail_in = static_cast<uInt>(text.size());
    s.next_out = reinterpret_cast<Bytef*>(out.data());
    s.avail_out = static_cast<uInt>(out.size());
    deflate(&s, Z_FINISH);
    out.resize(s.total_out);
    deflateEnd(&s);
    return out;
}

} // namespace

TEST(InputText, PlainAndCompressedTextReadTheSame)
{
    const std::string text = "LOCUS       X\n//\n";
    EXPECT_EQ(*decodeInputText(text, "a").value, text);
    EXPECT_EQ(*decodeInputText(gzipOf(text), "a.gz").value, text);
    // Concatenated members (as from "cat a.gz b.gz") are read in turn.
    EXPECT_EQ(*decodeInputText(gzipOf("first\n") + gzipOf("second\n"), "ab.gz").value, "first\nsecond\n");

    const auto path = std::filesystem::temp_directory_path() / "meridan_input_text.gz";
    std::ofstream(path, std::ios::binary) << gzipOf(text);
    EXPECT_EQ(*readInputText(path.string()).value, text);
    std::filesystem::remove(path);
}

TEST(InputText, RefusesCutOffDamagedBinaryAndMissingFiles)
{
    std::string big;
    for (int i = 0; i < 20000; ++i)
        big += std::to_string(i * 7919) + "\n";
    const std::string packed = gzipOf(big);
    const auto cut = decodeInputText(packed.substr(0, packed.size() / 2), "cut.gz");
    ASSERT_FALSE(cut);
    EXPECT_EQ(cut.error, "cut.gz: the compressed data ends early (the file is cut off)");

    std::string damaged = packed;
    damaged[20] = static_cast<char>(damaged[20] ^ 0x55);
    damaged[21] = static_cast<char>(damaged[21] ^ 0x55);
    const auto bad = decodeInputText(damaged, "bad.gz");
    ASSERT_FALSE(bad);
    EXPECT_EQ(bad.error.rfind("bad.gz: ", 0), 0u) << bad.error;

    const auto binary = decodeInputText(std::string("line one\nline\0two\n", 18), "x.gff");
    ASSERT_FALSE(binary);
    EXPECT_EQ(binary.error, "x.gff:2: binary data where text was expected");

    EXPECT_EQ(readInputText("/nonexistent/file.gbk").error, "Can't open file /nonexistent/file.gbk !");
}
