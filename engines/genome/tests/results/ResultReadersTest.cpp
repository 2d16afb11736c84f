// The result-file readers: the layouts the engines write, and every kind of
// bad line reported with its file and line while the good lines still read.
#include "meridan/genome/results/GeneIndexFile.h"
#include "meridan/genome/results/GeneTagFile.h"
#include "meridan/genome/results/OperonPairs.h"
#include "meridan/genome/results/PromoterTable.h"
#include "meridan/genome/results/ResultPaths.h"
#include "meridan/genome/results/Summary.h"
#include "meridan/genome/results/TerminatorTable.h"
#include "meridan/genome/results/TuList.h"
#include "meridan/genome/SequenceName.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace meridan::genome::results;

namespace {

template <typename Read> auto readText(Read read, const std::string& text)
{
    std::istringstream in(text);
    return read(in, "t.txt");
}

std::vector<std::size_t> problemLines(const std::vector<ResultProblem>& problems)
{
    std::vector<std::size_t> lines;
    for (const ResultProblem& p : problems)
        lines.push_back(p.line);
    return lines;
}

} // namespace

TEST(ResultReaders, GeneTagsKeepGeneIndexesPastBadLines)
{
    const auto tags = readText(readGeneTags, "0    -1    -1    -1\n\n0    17    -1    5\nx 1 2 3\n1.5e+06 -1 -1 -1\r\n2 1\n");
    ASSERT_EQ(tags.rows.size(), 3u);
    EXPECT_EQ(tags.rows[1].geneIndex, 1);
    EXPECT_EQ(tags.rows[1].sdPosition, 17);
    EXPECT_EQ(tags.rows[1].terminatorPosition, 5);
    EXPECT_EQ(tags.rows[2].geneIndex, 3); // the bad line 4 still took gene index 2
    EXPECT_EQ(tags.rows[2].operonNumber, 1500000);
    EXPECT_EQ(problemLines(tags.problems), (std::vector<std::size_t>{4, 6}));
    EXPECT_EQ(tags.problems[0].text().rfind("t.txt:4: ", 0), 0u);
}

TEST(ResultReaders, PromoterTableAndSigmaFiles)
{
    const std::string pad(14, ' ');
    const auto table = readText(readPromoterTable,
                                "         b0001        3.25          -60          -31       TTGACA              -"
                                "         TATAAT" + pad + "\n"
                                "b0002 -1.5 -40 -30 TGTCTATACT - -\n"
                                "b0003 nan -40 -28 TGTCTATACT - -\n"
                                "b0004 1 -40 -30 TTGACA - TATAAT\n"
                                "b0005 1 -40 -28 TTG1CA - TATAAT\n");
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0].name, "b0001");
    EXPECT_DOUBLE_EQ(table.rows[0].score, 3.25);
    EXPECT_EQ(table.rows[0].spacer(), 17);
    EXPECT_FALSE(table.rows[1].twoBoxes());
    EXPECT_EQ(problemLines(table.problems), (std::vector<std::size_t>{3, 4, 5}));

    const auto sigma = readText(readSigmaScores,
                                "synonym\tstrand\ttss\tstart\tscore\tfirstBox_pos\tfirstBox\tsecondBox_pos\tsecondBox\tspacer\n"
                                "b0001\t+\t160\t-60\t3.25\t130\tTTGACA\t153\tTATAAT\t17\n"
                                "b0002\t-\t9000\t-40\t-1.5\t9040\tTGTCTATACT\n"
                                "b0003\t*\t9000\t-40\t-1.5\t9040\tTGTCTATACT\n");
    ASSERT_EQ(sigma.rows.size(), 2u);
    EXPECT_TRUE(sigma.rows[0].twoBoxes);
    EXPECT_EQ(sigma.rows[0].secondBoxPosition, 153);
    EXPECT_EQ(sigma.rows[1].strand, '-');
    EXPECT_EQ(problemLines(sigma.problems), (std::vector<std::size_t>{4}));
}

TEST(ResultReaders, TerminatorTableChecksTheElementLength)
{
    const auto table = readText(readTerminatorTable,
                                "   12         5         4         6             3.51234\t\tGCCCGAAAAGGGCTTTTTTT\tb0001\n"
                                "   12         5         4         8             3.5\t\tGCCCGAAAAGGGCTTTTTTT\tb0002\n"
                                "   -1         5         4         6             3.5\t\tGCCCGAAAAGGGCTTTTTTT\tb0003\n"
                                "   12         5         4         6             3.5\t\tGCCCGAAAAGGGCTTTTTTT\n");
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0].hairpinLength(), 14);
    EXPECT_EQ(table.rows[0].label, "b0001");
    EXPECT_EQ(problemLines(table.problems), (std::vector<std::size_t>{2, 3, 4}));
}

TEST(ResultReaders, TuListNamesMembersAndBadLines)
{
    const auto list = readText(readTuList,
                               "NC_1\t0002.0\t+\tb1|161|1,b2|162|2\tTTGACA\tTATAAT\t-\n"
                               "NC_1\t00-1.3\t-\tb|x|y|7\t-\t-\tGCCCGAAAAGGGCTTTTTTT\n"
                               "NC_1\t0003\t+\tb1|161|1\t-\t-\t-\n"
                               "NC_1\t0004.0\t+\tb1|161\t-\t-\t-\n"
                               "NC_1\t0004.0\t+\tb1|161|1,\t-\t-\t-\n"
                               "NC_1\t0005.0\t+\tb1|161|1\t-\t-\n");
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[0].operonNumber, 2);
    EXPECT_FALSE(list.rows[0].alternative());
    ASSERT_EQ(list.rows[0].members.size(), 2u);
    EXPECT_EQ(list.rows[0].members[1].geneIndex, 2);
    EXPECT_EQ(list.rows[1].operonNumber, -1);
    EXPECT_TRUE(list.rows[1].alternative());
    EXPECT_EQ(list.rows[1].members[0].synonym, "b|x");
    EXPECT_EQ(problemLines(list.problems), (std::vector<std::size_t>{3, 4, 5, 6}));
}

TEST(ResultReaders, SummaryLines)
{
    const auto good = readText(readSummary, "12 internal promoters,\n3 internal terminators,\n40 TUs including 15 alternative ones.\n");
    ASSERT_TRUE(good.summary);
    EXPECT_EQ(good.summary->internalTerminators, 3);
    EXPECT_EQ(good.summary->alternativeCount, 15);
    const auto bad = readText(readSummary, "12 internal promoters,\n3 internal terminators\n");
    EXPECT_FALSE(bad.summary);
    EXPECT_EQ(problemLines(bad.problems), (std::vector<std::size_t>{2}));
    EXPECT_FALSE(readText(readSummary, "").summary);
}

TEST(ResultReaders, GeneIndexRows)
{
    const std::string header = "gene_index\tgene_name\ttu_index\tlocation\tstrand\tPID\talternative_name\tproduct\t"
                               "promoter_score\tpromoter.left\tpromoter.right\tpromoter_seq_35\tpromoter_seq_mid\t"
                               "promoter_seq_10\tterminator_score\tterminator.left\tterminator_seq\n";
    const auto table = readText(readGeneIndex,
                                header +
                                    "0\tb0001\t0\t190..255\t+\t16127995\tthrL\t-\tthr\t3.2\t-60\t-31\tTTGACA\t-\tTATAAT\t"
                                    "4.5\t12\tGCCCGAAAAGGGCTTTTTTT\n"
                                    "1\tb0002\t1\t337..2799\t-\t16127996\tthrA\tIQR\tfused\t-\t-\t-\t-\t-\t-\t-\t-\t-\n"
                                    "2\tb0003\t1\t2801.2..3733\t+\t1\tthrB\t-\tk\t-\t-\t-\t-\t-\t-\t-\t-\t-\n"
                                    "3\tb0004\t1\t4000..4100\t+\t1\tthrC\t-\tk\tx\t-\t-\t-\t-\t-\t-\t-\t-\n"
                                    "4\tb0005\t1\t4200..4300\t+\t1\tthrD\t-\tk\n");
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0].from, 190);
    EXPECT_EQ(table.rows[0].to, 255);
    EXPECT_DOUBLE_EQ(*table.rows[0].promoterScore, 3.2);
    EXPECT_EQ(table.rows[0].terminatorSequence, "GCCCGAAAAGGGCTTTTTTT");
    EXPECT_EQ(table.rows[1].strand, '-');
    EXPECT_FALSE(table.rows[1].terminatorScore);
    EXPECT_EQ(problemLines(table.problems), (std::vector<std::size_t>{4, 5, 6}));
}

TEST(ResultReaders, MissingFilesAndNames)
{
    const ResultPaths files = resultPaths("some/where", "NC_000913");
    EXPECT_EQ(files.tuList, "some/where/NC_000913_tulist.txt");
    EXPECT_EQ(files.sigmaScores[3], "some/where/NC_000913.sigma38.sca.dat");
    const auto missing = readTerminatorTableFile(files.terminatorTable);
    EXPECT_FALSE(missing.opened);
    ASSERT_EQ(missing.problems.size(), 1u);
    EXPECT_EQ(missing.problems[0].text(), "some/where/NC_000913_terminator_score.txt: cannot open the file");
    EXPECT_FALSE(readSummaryFile(".").opened); // a folder is not a file
}

TEST(SequenceName, AccessionOfAHeader)
{
    using meridan::genome::sequenceName;
    EXPECT_EQ(sequenceName(">NC_000913.3 Escherichia coli str. K-12"), "NC_000913.3");
    EXPECT_EQ(sequenceName(">gi|45478711|ref|NC_005816.1| Yersinia pestis plasmid"), "NC_005816.1");
    EXPECT_EQ(sequenceName(">  contig_7\r"), "contig_7");
    EXPECT_EQ(sequenceName(">"), "");
}

TEST(ResultReaders, OperonPairsFindTheirColumnsByNameAndReportBadRows)
{
    const auto pairs = readText(readOperonPairs, "first\tsecond\tstrand\tgap\tgap_llr\tprobability\tlinked\n"
                                                 "b0001\tb0002\t+\t81\t-0.3\t0.0830\tno\n"
                                                 "\n"
                                                 "b0002\tb0003\t-\tNA\tNA\t1.0000\tyes\n"
                                                 "b0003\tb0004\t+\t5\t1.0\t1.5\tyes\n"
                                                 "b0004\tb0005\t+\t5\t1.0\tyes\n"
                                                 "b0005\tb0006\t*\t5\t1.0\t0.5\tyes\n");
    ASSERT_EQ(pairs.rows.size(), 2u);
    EXPECT_EQ(pairs.rows[0].first, "b0001");
    EXPECT_EQ(pairs.rows[0].gap, 81);
    EXPECT_DOUBLE_EQ(pairs.rows[0].probability, 0.083);
    EXPECT_EQ(pairs.rows[1].strand, '-');
    EXPECT_FALSE(pairs.rows[1].gap);
    EXPECT_EQ(problemLines(pairs.problems), (std::vector<std::size_t>{5, 6, 7}));
    EXPECT_EQ(pairs.problems[0].text(), "t.txt:5: the probability is no number from 0 to 1");

    const auto noHeader = readText(readOperonPairs, "b0001\tb0002\t+\t0.5\n");
    EXPECT_TRUE(noHeader.rows.empty());
    EXPECT_EQ(problemLines(noHeader.problems), (std::vector<std::size_t>{1}));
    EXPECT_FALSE(readOperonPairsFile("/nonexistent/x_operon_pairs.tsv").opened);
}
