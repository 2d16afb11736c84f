// GFF3 reading: the NCBI and pipeline flavours, and malformed input.
#include "meridan/genome/AnnotationTables.h"
#include "meridan/genome/Gff3Reader.h"

#include <gtest/gtest.h>

using namespace meridan::genome;

namespace {

std::string seq(char base, int n) { return std::string(static_cast<std::size_t>(n), base); }

// Two records; NCBI-style genes with CDS children, a multi-line ribosomal
// slippage CDS, a pseudogene and a pseudo CDS, an origin-spanning CDS in the
// circular plasmid, RNAs, escaped attributes and a ##FASTA section.
std::string ncbiStyle()
{
    return "##gff-version 3\n"
           "##sequence-region chr.1 1 300\n"
           "##sequence-region pX-1 1 120\n"
           "chr.1\tRefSeq\tregion\t1\t300\t.\t+\t.\tID=chr.1:1..300;genome=chromosome\n"
           "chr.1\tRefSeq\tgene\t10\t99\t.\t+\t.\tID=gene-a1;Name=abcA;locus_tag=a1\n"
           "chr.1\tRefSeq\tCDS\t10\t99\t.\t+\t0\tID=cds-P1.1;Parent=gene-a1;Name=P1.1;"
           "Dbxref=COG:COG0001,GeneID:1;product=alpha%2C beta%3B gamma%25;protein_id=P1.1\n"
           "chr.1\tRefSeq\tgene\t120\t200\t.\t-\t.\tID=gene-a2;Name=abcB;locus_tag=a2\n"
           "chr.1\tRefSeq\tCDS\t150\t200\t.\t-\t0\tID=cds-P2;Parent=gene-a2;exception=ribosomal slippage;protein_id=P2\n"
           "chr.1\tRefSeq\tCDS\t120\t150\t.\t-\t0\tID=cds-P2;Parent=gene-a2;exception=ribosomal slippage;protein_id=P2\n"
           "chr.1\tRefSeq\tpseudogene\t210\t240\t.\t+\t.\tID=gene-a3;locus_tag=a3;pseudo=true\n"
           "chr.1\tRefSeq\tCDS\t210\t240\t.\t+\t0\tID=cds-a3;Parent=gene-a3;pseudo=true\n"
           "chr.1\tRefSeq\tgene\t250\t280\t.\t-\t.\tID=gene-t1;Name=ileV;locus_tag=t1\n"
           "chr.1\tRefSeq\ttRNA\t250\t280\t.\t-\t.\tID=rna-t1;Parent=gene-t1;product=tRNA-Ile\n"
           "chr.1\tRefSeq\texon\t250\t280\t.\t-\t.\tID=exon-t1;Parent=rna-t1\n"
           "pX-1\tRefSeq\tregion\t1\t120\t.\t+\t.\tID=px;genome=plasmid;Is_circular=true\n"
           "pX-1\tRefSeq\tCDS\t101\t120\t.\t+\t0\tID=ori;locus_tag=o1\n"
           "pX-1\tRefSeq\tCDS\t1\t10\t.\t+\t0\tID=ori;locus_tag=o1\n"
           "##FASTA\n"
           ">chr.1 chromosome\n" +
           seq('a', 150) + "\n" + seq('C', 150) + "\n>pX-1\n" + seq('G', 120) + "\n";
}

} // namespace

TEST(Gff3Reader, NcbiFlavourWithFastaGivesGeneTablesPerRecord)
{
    const auto read = parseGff3(ncbiStyle(), "g.gff3");
    ASSERT_TRUE(read) << read.error;
    const AnnotatedGenome& genome = *read.value;
    ASSERT_EQ(genome.records.size(), 2u);
    const AnnotatedRecord& chr = genome.records[0];
    EXPECT_EQ(chr.id, "chr.1");
    EXPECT_FALSE(chr.plasmid);
    EXPECT_EQ(chr.sequence, seq('A', 150) + seq('C', 150));
    ASSERT_EQ(chr.proteins.size(), 2u);
    const AnnotatedGene& a1 = chr.proteins[0];
    EXPECT_EQ(a1.start, 10);
    EXPECT_EQ(a1.end, 99);
    EXPECT_EQ(a1.length, 29); // 90 bases, stop codon not counted
    EXPECT_EQ(a1.name, "abcA");  // from the parent gene, not the CDS's protein Name
    EXPECT_EQ(a1.synonym, "a1");
    EXPECT_EQ(a1.pid, "P1.1");
    EXPECT_EQ(a1.cog, "COG0001");
    EXPECT_EQ(a1.product, "alpha, beta; gamma%");
    const AnnotatedGene& slip = chr.proteins[1];
    EXPECT_EQ(slip.start, 120); // outer ends of both frames
    EXPECT_EQ(slip.end, 200);
    EXPECT_EQ(slip.strand, '-');
    EXPECT_EQ(slip.length, (51 + 31) / 3 - 1);
    EXPECT_EQ(chr.pseudogenes, 1);
    EXPECT_EQ(chr.pseudoCds, 1);
    ASSERT_EQ(chr.rnas.size(), 1u); // the exon is no gene
    EXPECT_EQ(chr.rnas[0].name, "ileV");
    EXPECT_EQ(chr.rnas[0].length, 31);

    const AnnotatedRecord& plasmid = genome.records[1];
    EXPECT_TRUE(plasmid.plasmid);
    EXPECT_TRUE(plasmid.circular);
    ASSERT_EQ(plasmid.proteins.size(), 1u);
    EXPECT_TRUE(plasmid.proteins[0].spansOrigin());
    EXPECT_EQ(plasmid.proteins[0].start, 101);
    EXPECT_EQ(plasmid.proteins[0].end, 10);
    EXPECT_EQ(plasmid.proteins[0].length, 9);
    EXPECT_EQ(chromosomeFirst(genome).front()->id, "chr.1");

    EXPECT_EQ(proteinTableText(chr),
              "chr.1 chromosome - 1..300\n2 proteins\nLocation\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct\n"
              "10..99\t+\t29\tP1.1\tabcA\ta1\t-\tCOG0001\talpha, beta; gamma%\n"
              "120..200\t-\t26\tP2\tabcB\ta2\t-\t-\t-\n");
    EXPECT_EQ(rnaTableText(chr).substr(rnaTableText(chr).rfind("250")), "250..280\t-\t31\t-\tileV\tt1\t-\t-\ttRNA-Ile\n");
    EXPECT_EQ(proteinTableText(plasmid).substr(proteinTableText(plasmid).rfind('\n', proteinTableText(plasmid).size() - 2) + 1),
              "10..101\t+\t9\t-\t-\to1\t-\t-\t-\n");
}

TEST(Gff3Reader, PipelineFlavourCircularEndAndNoFasta)
{
    // CDS only, names on the CDS, COG in db_xref; the last CDS runs past the
    // end of the circular record (the GFF3 convention for crossing the origin).
    const std::string text = "##gff-version 3\n##sequence-region c9 1 1000\n"
                             "c9\tProdigal\tregion\t1\t1000\t.\t+\t.\tID=c9;Is_circular=true\n"
                             "c9\tProdigal\tCDS\t5\t304\t.\t+\t0\tID=X_1;Name=dnaA;gene=dnaA;"
                             "locus_tag=X_1;db_xref=COG:COG0593;product=Chromosomal replication initiator\n"
                             "c9\tProdigal\tCDS\t901\t1060\t.\t-\t0\tID=X_2;locus_tag=X_2;product=hypothetical protein\n";
    const auto read = parseGff3(text, "p.gff");
    ASSERT_TRUE(read) << read.error;
    const AnnotatedRecord& r = read.value->records.at(0);
    EXPECT_TRUE(r.sequence.empty());
    ASSERT_EQ(r.proteins.size(), 2u);
    EXPECT_EQ(r.proteins[0].start, 901);
    EXPECT_EQ(r.proteins[0].end, 60);
    EXPECT_EQ(r.proteins[1].name, "dnaA");
    EXPECT_EQ(r.proteins[1].cog, "COG0593");
}

TEST(Gff3Reader, MalformedInputNamesFileAndLine)
{
    const std::string head = "##gff-version 3\n##sequence-region s 1 100\n";
    const struct {
        std::string body;
        std::string message;
    } cases[] = {
        {"s\tx\tCDS\t1\t50\t.\t+\n", "bad.gff:3: a feature line has 9 tab-separated columns, this one 7"},
        {"s\tx\tCDS\t1 \t50\t.\t+\t0\tID=a\n", "bad.gff:3: start \"1 \" is not a positive whole number"},
        {"s\tx\tCDS\t60\t50\t.\t+\t0\tID=a\n", "bad.gff:3: end 50 lies before start 60"},
        {"s\tx\tCDS\t1\t50\t.\tplus\t0\tID=a\n", "bad.gff:3: strand \"plus\" is none of + - . ?"},
        {"s\tx\tCDS\t1\t50\t.\t+\t0\tID=a;junk\n", "bad.gff:3: attribute \"junk\" is not of the form tag=value"},
        {"s\tx\tgene\t1\t50\t.\t+\t.\tID=g\ns\tx\tCDS\t1\t50\t.\t+\t0\tID=a;Parent=gx\n",
         "bad.gff:4: Parent \"gx\" names no feature"},
        {"s\tx\tCDS\t1\t50\t.\t+\t0\tID=a\ns\tx\tCDS\t90\t150\t.\t+\t0\tID=b\n",
         "bad.gff:4: CDS location 90..150 lies outside record s (100 bp)"},
        {"s\tx\tCDS\t1\t50\t.\t+\t0\tID=a\n##FASTA\n>s\nACGT\n",
         "bad.gff:5: sequence s has 4 bases, its ##sequence-region (line 2) says 100"},
        {"s\tx\tCDS\t1\t50\t.\t.\t0\tID=a\n", "bad.gff:3: CDS without a + or - strand"},
        {"s\tx\tgene\t1\t50\t.\t+\t.\tID=a\ns\tx\tCDS\t1\t50\t.\t+\t0\tID=a\n",
         "bad.gff:4: ID a already names a gene at line 3"},
    };
    for (const auto& c : cases) {
        const auto read = parseGff3(head + c.body, "bad.gff");
        ASSERT_FALSE(read) << c.body;
        EXPECT_EQ(read.error, c.message);
    }
    EXPECT_FALSE(parseGff3("", "empty.gff"));
}
