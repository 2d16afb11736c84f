// A six-gene genome with every kind of signal: operon 0 (genes 0-2, '+')
// with a confident internal promoter and terminator, operon 1 (genes 3-4,
// '-') with a confident promoter and a terminator of exactly the cut value,
// and a lone '+' gene 5 whose promoter scores exactly 0. An empty line in
// the gene table does not take an index.
#pragma once

#include <iomanip>
#include <sstream>
#include <string>

namespace brintel::test {

inline std::string smallGeneTable()
{
    return "Test genome, complete sequence - 1..3000\n"
           "6 proteins\n"
           "Location\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct\n"
           "100..400\t+\t100\t1001\taaaA\tb0001\t-\tCOG0001E\tfirst gene product\n"
           "450..900\t+\t150\t1002\taaaB\tb0002\t-\t-\tsecond protein\n"
           "\n"
           "950..1200\t+\t83\t1003\taaaC\tb0003\t-\tCOG0002K\tthird one\n"
           "1300..1600\t-\t100\t1004\tbbbA\tb0004\t-\t-\tminus one\n"
           "1650..1900\t-\t83\t1005\tbbbB\tb0005\t-\t-\tminus two\n"
           "2000..2300\t+\t100\t1006\tcccA\tb0006\t-\t-\tlonely\n";
}

inline std::string smallGeneTags()
{
    return "0    -1    -1    -1\n"
           "0    17    -1    -1\n"
           "0    12    -1    -1\n"
           "1    -1    -1    30\n"
           "1    9    -1    -1\n"
           "2    -1    45    -1\n";
}

// One line of the merged promoter table: every item right-aligned in 15
// characters, the line break included.
inline std::string promoterLine(const std::string& name, const std::string& score, int start,
                                int end, const std::string& box35, const std::string& box10)
{
    std::ostringstream out;
    out << std::setw(15) << name << std::setw(15) << score << std::setw(15) << start
        << std::setw(15) << end << std::setw(15) << box35 << std::setw(15) << "-" << std::setw(15)
        << box10 << std::setw(15) << "\n";
    return out.str();
}

inline std::string smallPromoters()
{
    return promoterLine("b0002", "1.5", 405, 440, "TTGACA", "TATAAT") +
           promoterLine("b0004", "2", 1610, 1645, "TTGCCA", "TACAAT") +
           promoterLine("b0006", "0", 1950, 1990, "TTTACA", "TATGAT");
}

// One line of the terminator score table.
inline std::string terminatorLine(int start, int stem, int loop, int tail, const std::string& score,
                                  const std::string& sequence, const std::string& label)
{
    std::ostringstream out;
    out << std::setw(5) << start << std::setw(10) << stem << std::setw(10) << loop << std::setw(10)
        << tail << std::setw(20) << score << "\t\t" << sequence << "\t" << label << "\n";
    return out.str();
}

inline std::string smallTerminators()
{
    return terminatorLine(12, 6, 4, 10, "3.21888", "GCGCGCCAAAGCGCGCTTTTTTTTTT", "b0001") +
           terminatorLine(30, 6, 5, 8, "2", "CCCGGGAAAAACCCGGGTTTTTTTT", "b0005");
}

inline std::string expectedGeneIndexFile()
{
    return "gene_index\tgene_name\ttu_index\tlocation\tstrand\tPID\talternative_name\tproduct\t"
           "promoter_score\tpromoter.left\tpromoter.right\tpromoter_seq_35\tpromoter_seq_mid\t"
           "promoter_seq_10\tterminator_score\tterminator.left\tterminator_seq\n"
           "0\tb0001\t0\t100..400\t+\t1001\taaaA\tCOG0001E\tfirst\t-\t-\t-\t-\t-\t-\t3.21888\t12\t"
           "GCGCGCCAAAGCGCGCTTTTTTTTTT\n"
           "1\tb0002\t0\t450..900\t+\t1002\taaaB\t-\tsecond\t1.5\t405\t440\tTTGACA\t-\tTATAAT\t-\t-\t-\n"
           "2\tb0003\t0\t950..1200\t+\t1003\taaaC\tCOG0002K\tthird\t-\t-\t-\t-\t-\t-\t-\t-\t-\n"
           "3\tb0004\t1\t1300..1600\t-\t1004\tbbbA\t-\tminus\t2\t1610\t1645\tTTGCCA\t-\tTACAAT\t-\t-\t-\n"
           "4\tb0005\t1\t1650..1900\t-\t1005\tbbbB\t-\tminus\t-\t-\t-\t-\t-\t-\t2\t30\t"
           "CCCGGGAAAAACCCGGGTTTTTTTT\n"
           "5\tb0006\t2\t2000..2300\t+\t1006\tcccA\t-\tlonely\t0\t1950\t1990\tTTTACA\t-\tTATGAT\t-\t-\t-\n";
}

inline std::string expectedSummary()
{
    return "2 internal promoters,\n"
           "1 internal terminators,\n"
           "6 TUs including 3 alternative ones.\n";
}

inline std::string expectedTuList()
{
    return "NC_TEST01\t0000.0\t+\tb0001|1001|0\t-\t-\tGCGCGCCAAAGCGCGCTTTTTTTTTT\n"
           "NC_TEST01\t0000.1\t+\tb0001|1001|0,b0002|1002|1,b0003|1003|2\t-\t-\t-\n"
           "NC_TEST01\t0000.2\t+\tb0002|1002|1,b0003|1003|2\tTTGACA\tTATAAT\t-\n"
           "NC_TEST01\t0001.0\t-\tb0004|1004|3\tTTGCCA\tTACAAT\t-\n"
           "NC_TEST01\t0001.1\t-\tb0004|1004|3,b0005|1005|4\t-\t-\t-\n"
           "NC_TEST01\t0002.0\t+\tb0006|1006|5\tTTTACA\tTATGAT\t-\n";
}

} // namespace brintel::test
