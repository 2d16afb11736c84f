// GenBank flat files: several records, location forms, malformed input.
#include "meridan/genome/GenBankReader.h"

#include <gtest/gtest.h>

using namespace meridan::genome;

namespace {

std::string origin(const std::string& bases)
{
    std::string out = "ORIGIN      \n";
    for (std::size_t i = 0; i < bases.size(); i += 60) {
        std::string number = std::to_string(i + 1);
        out += std::string(9 - number.size(), ' ') + number;
        for (std::size_t j = i; j < std::min(bases.size(), i + 60); j += 10)
            out += ' ' + bases.substr(j, 10);
        out += '\n';
    }
    return out + "//\n";
}

std::string twoRecords()
{
    return "LOCUS       REC1                     200 bp    DNA     circular CON 01-JAN-2020\n"
           "DEFINITION  Test bacterium chromosome,\n"
           "            complete genome.\n"
           "ACCESSION   REC1\n"
           "VERSION     REC1.2\n"
           "FEATURES             Location/Qualifiers\n"
           "     source          1..200\n"
           "                     /organism=\"Test\"\n"
           "     gene            complement(<20..>60)\n"
           "                     /gene=\"abc\"\n"
           "                     /locus_tag=\"T_1\"\n"
           "     CDS             complement(<20..>60)\n"
           "                     /locus_tag=\"T_1\"\n"
           "                     /product=\"a long product name that goes on\n"
           "                     over two lines \"\"quoted\"\"\"\n"
           "                     /protein_id=\"WP_1.1\"\n"
           "                     /db_xref=\"COG:COG0002\"\n"
           "                     /translation=\"MKV\n"
           "                     LLL\"\n"
           "     gene            70..100\n"
           "                     /locus_tag=\"T_2\"\n"
           "                     /pseudo\n"
           "     CDS             70..100\n"
           "                     /locus_tag=\"T_2\"\n"
           "     CDS             join(110..130,130..151)\n"
           "                     /gene=\"slp\"\n"
           "                     /locus_tag=\"T_3\"\n"
           "                     /db_xref=\"GI:12345\"\n"
           "     CDS             join(181..200,\n"
           "                     1..10)\n"
           "                     /locus_tag=\"T_4\"\n"
           "     rRNA            complement(join(150..160,170..175))\n"
           "                     /locus_tag=\"T_5\"\n"
           "                     /product=\"16S ribosomal RNA\"\n"
           "     misc_feature    1..5\n" +
           origin(std::string(200, 'a')) +
           "LOCUS       pTWO.1                    90 bp    DNA     linear   01-JAN-2020\n"
           "DEFINITION  Test plasmid pTWO.\n"
           "ACCESSION   \n"
           "VERSION\n"
           "FEATURES             Location/Qualifiers\n"
           "     tRNA            1..30\n"
           "                     /product=\"tRNA-Gly\"\n" +
           origin(std::string(90, 'c'));
}

} // namespace

TEST(GenBankReader, SeveralRecordsWithLocationForms)
{
    const auto read = parseGenBank(twoRecords(), "two.gbk");
    ASSERT_TRUE(read) << read.error;
    ASSERT_EQ(read.value->records.size(), 2u);
    const AnnotatedRecord& r = read.value->records[0];
    EXPECT_EQ(r.id, "REC1.2");
    EXPECT_EQ(r.description, "Test bacterium chromosome, complete genome");
    EXPECT_EQ(r.sequence, std::string(200, 'A'));
    EXPECT_EQ(r.pseudogenes, 1);
    EXPECT_EQ(r.pseudoCds, 1);
    ASSERT_EQ(r.proteins.size(), 3u);
    const AnnotatedGene& across = r.proteins[0];
    EXPECT_EQ(across.start, 181);
    EXPECT_EQ(across.end, 10);
    EXPECT_EQ(across.length, 9);
    const AnnotatedGene& partial = r.proteins[1];
    EXPECT_EQ(partial.start, 20);
    EXPECT_EQ(partial.end, 60);
    EXPECT_EQ(partial.strand, '-');
    EXPECT_EQ(partial.length, 13); // open 3' end: no stop codon to drop
    EXPECT_EQ(partial.name, "abc");
    EXPECT_EQ(partial.pid, "WP_1.1");
    EXPECT_EQ(partial.cog, "COG0002");
    EXPECT_EQ(partial.product, "a long product name that goes on over two lines \"quoted\"");
    const AnnotatedGene& slip = r.proteins[2];
    EXPECT_EQ(slip.start, 110);
    EXPECT_EQ(slip.end, 151);
    EXPECT_EQ(slip.pid, "12345");
    ASSERT_EQ(r.rnas.size(), 1u);
    EXPECT_EQ(r.rnas[0].strand, '-');
    EXPECT_EQ(r.rnas[0].length, 17);

    const AnnotatedRecord& p = read.value->records[1];
    EXPECT_EQ(p.id, "pTWO.1"); // no ACCESSION or VERSION: the LOCUS name
    EXPECT_TRUE(p.linear);
    EXPECT_FALSE(p.circular);
    EXPECT_TRUE(p.plasmid);
    EXPECT_EQ(p.rnas.at(0).product, "tRNA-Gly");
}

TEST(GenBankReader, LocationGrammar)
{
    std::vector<LocationPart> parts;
    char strand = 0;
    bool open = false;
    std::string problem;
    ASSERT_TRUE(parseFeatureLocation("join(complement(50..60),complement(10..20))", parts, strand, open, problem));
    EXPECT_EQ(strand, '-');
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].start, 50);
    ASSERT_TRUE(parseFeatureLocation("complement(join(10..20,50..>60))", parts, strand, open, problem));
    EXPECT_EQ(parts[0].start, 50); // reading direction
    EXPECT_FALSE(open);            // the open end is the 5' end here
    ASSERT_TRUE(parseFeatureLocation("7", parts, strand, open, problem));
    EXPECT_EQ(parts[0].end, 7);
    for (const char* bad : {"", "join(1..5", "X12345.1:1..50", "10..5", "1..x", "complement(1..2))"})
        EXPECT_FALSE(parseFeatureLocation(bad, parts, strand, open, problem)) << bad;
}

TEST(GenBankReader, MalformedInputNamesFileAndLine)
{
    const std::string text = twoRecords();
    const std::string firstRecord = text.substr(0, text.find("LOCUS", 10));
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
        {firstRecord.substr(0, firstRecord.size() - 40),
         "cut.gbk:39: record REC1 ends without its \"//\" line (file cut off?)"},
        {"hello\n", "cut.gbk:1: a GenBank record starts with LOCUS"},
        {"LOCUS       R 50 bp DNA\nFEATURES             Location/Qualifiers\n"
         "     CDS             40..90\n" + origin(std::string(50, 'g')),
         "cut.gbk:3: CDS location 40..90 lies outside record R (50 bp)"},
        {"LOCUS       R 50 bp DNA\nFEATURES             Location/Qualifiers\n"
         "     CDS             join(1..5,Z9.1:3..9)\n" + origin(std::string(50, 'g')),
         "cut.gbk:3: CDS location \"join(1..5,Z9.1:3..9)\": location refers to another record"},
        {"LOCUS       R 60 bp DNA\n" + origin(std::string(50, 'g')),
         "cut.gbk:4: record R has 50 bases, its LOCUS line (line 1) says 60"},
        {"LOCUS       R 50 bp DNA\n" + origin(std::string(49, 'g') + "%"),
         "cut.gbk:3: character '%' in the sequence"},
    };
    for (const auto& c : cases) {
        const auto read = parseGenBank(c.text, "cut.gbk");
        ASSERT_FALSE(read) << c.text;
        EXPECT_EQ(read.error, c.message);
    }
}
