// The annotation readers on real NCBI and pipeline files, checked against the
// protein and RNA tables built independently from the same genomes.
#include "TestData.h"
#include "meridan/genome/AnnotationTables.h"
#include "meridan/genome/GenomeFile.h"
#include "meridan/genome/InputText.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace meridan::genome;

namespace {

std::filesystem::path formatsDir(const std::string& folder)
{
    const auto dir = meridan::testdata::dataDir() / "formats" / folder;
    std::error_code ec;
    return std::filesystem::is_directory(dir, ec) ? dir : std::filesystem::path();
}

// Location, strand and synonym of every row of a PTT/RNT text.
std::vector<std::string> rowKeys(const std::string& table)
{
    std::vector<std::string> keys;
    std::istringstream in(table);
    std::string line;
    for (int i = 0; i < 3; ++i)
        std::getline(in, line);
    while (std::getline(in, line)) {
        std::istringstream row(line);
        std::string location, strand, length, pid, name, synonym;
        row >> location >> strand >> length >> pid >> name >> synonym;
        keys.push_back(location + ' ' + strand + ' ' + synonym);
    }
    return keys;
}

std::vector<std::string> fileKeys(const std::filesystem::path& path)
{
    return rowKeys(*readInputText(path.string()).value);
}

void expectSameTables(const AnnotatedRecord& record, const std::filesystem::path& genomeDir, const std::string& id)
{
    EXPECT_EQ(rowKeys(proteinTableText(record)), fileKeys(genomeDir / (id + ".ptt")));
    EXPECT_EQ(rowKeys(rnaTableText(record)), fileKeys(genomeDir / (id + ".rnt")));
}

} // namespace

TEST(RealAnnotationRead, EscherichiaColiGff3AndGbffMatchTheTables)
{
    const auto dir = formatsDir("ncbi-NC_000913");
    const auto tables = meridan::testdata::genomeDir("NC_000913");
    if (dir.empty() || tables.empty())
        GTEST_SKIP() << "E. coli data not present";
    const std::string stem = (dir / "GCF_000005845.2_ASM584v2_genomic").string();
    const auto fromGff = readAnnotatedGenome(stem + ".fna.gz", stem + ".gff.gz");
    ASSERT_TRUE(fromGff) << fromGff.error;
    const auto fromGbff = readAnnotatedGenome(stem + ".gbff.gz");
    ASSERT_TRUE(fromGbff) << fromGbff.error;
    for (const AnnotatedGenome* genome : {&*fromGff.value, &*fromGbff.value}) {
        ASSERT_EQ(genome->records.size(), 1u);
        const AnnotatedRecord& r = genome->records[0];
        EXPECT_EQ(r.id, "NC_000913.3");
        EXPECT_EQ(r.sequence.size(), 4641652u);
        EXPECT_EQ(r.proteins.size(), 4298u);
        EXPECT_EQ(r.rnas.size(), 207u);
        expectSameTables(r, tables, "NC_000913");
    }
    const AnnotatedRecord& a = fromGff.value->records[0];
    const AnnotatedRecord& b = fromGbff.value->records[0];
    EXPECT_EQ(a.sequence, b.sequence);
    EXPECT_EQ(a.sequence.substr(0, 10), "AGCTTTTCAT");
    // Every column but the product, whose line breaks a flat file cannot always undo.
    const auto withoutProduct = [](const std::string& table) {
        std::string out;
        std::istringstream in(table);
        for (std::string line; std::getline(in, line);)
            out += line.substr(0, line.rfind('\t')) + '\n';
        return out;
    };
    EXPECT_EQ(withoutProduct(proteinTableText(a)), withoutProduct(proteinTableText(b)));
    EXPECT_EQ(withoutProduct(rnaTableText(a)), withoutProduct(rnaTableText(b)));
}

TEST(RealAnnotationRead, StaphylococcusGff3WithSeparateSequence)
{
    const auto dir = formatsDir("gff-NC_007795");
    const auto tables = meridan::testdata::genomeDir("NC_007795");
    if (dir.empty() || tables.empty())
        GTEST_SKIP() << "S. aureus data not present";
    const auto read = readAnnotatedGenome((tables / "NC_007795.fna").string(), (dir / "NC_007795.1.gff.gz").string());
    ASSERT_TRUE(read) << read.error;
    const AnnotatedRecord& r = read.value->records.at(0);
    EXPECT_EQ(r.id, "NC_007795.1");
    expectSameTables(r, tables, "NC_007795");
}

TEST(RealAnnotationRead, PipelinePlasmidsFromGffAloneAndGbkAlone)
{
    for (const auto& [folder, id, length] : {std::tuple{"prokka-NZ_AP025271", "NZ_AP025271", 64595u},
                                             std::tuple{"prokka-plasmid", "NZ_CP073982", 0u}}) {
        const auto dir = formatsDir(folder);
        if (dir.empty())
            GTEST_SKIP() << "pipeline data not present";
        const auto gff = readAnnotatedGenome((dir / (std::string(id) + ".gff")).string());
        ASSERT_TRUE(gff) << gff.error;
        const auto gbk = readAnnotatedGenome((dir / (std::string(id) + ".gbk")).string());
        ASSERT_TRUE(gbk) << gbk.error;
        const AnnotatedRecord& a = gff.value->records.at(0);
        const AnnotatedRecord& b = gbk.value->records.at(0);
        EXPECT_EQ(a.id, std::string(id) + ".1");
        EXPECT_EQ(b.id, a.id);
        if (length) {
            EXPECT_EQ(a.sequence.size(), length);
        }
        EXPECT_EQ(a.sequence, b.sequence);
        EXPECT_GT(a.proteins.size(), 50u);
        EXPECT_EQ(rowKeys(proteinTableText(a)), rowKeys(proteinTableText(b)));
    }
}
