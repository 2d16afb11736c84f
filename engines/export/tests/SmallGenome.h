// A small made-up genome with result files on both strands, written into a
// folder of its own, for the export tests.
#pragma once

#include "meridan/export/Features.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace meridan::exports::test {

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() / ("meridan_export_" + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    const std::filesystem::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// 400 bases of fixed pseudo-random sequence.
inline GenomeText smallGenome()
{
    GenomeText genome;
    genome.seqid = "SMALL.1";
    std::minstd_rand random(7);
    for (int i = 0; i < 400; ++i)
        genome.sequence += "ACGT"[random() % 4];
    genome.length = 400;
    return genome;
}

// Forward bases first..last (1-based, inclusive).
inline std::string at(const GenomeText& g, long first, long last)
{
    return g.sequence.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1));
}

// Result files of genome SMALL0001:
//   gene 0  20..100  +  b1 (operon 0)   promoter -30..-1 from its start codon 20, across the origin
//   gene 1 150..220  +  b2 (operon 0)   terminator after it is missing; after gene 0: 106..121
//   gene 2 260..330  -  b3 (operon 1)   promoter 341..370, terminator 249..264
//   gene 3 350..390  -  b4 (operon 2)   a terminator row whose bases are not the genome's
inline void writeSmallResults(const std::string& folder, const GenomeText& g)
{
    const std::string id = folder + "/SMALL0001";
    writeText(id + "_gene_index_file.txt",
              "gene_index\tgene_name\ttu_index\tlocation\tstrand\tPID\talternative_name\tproduct\tpromoter_score\t"
              "promoter.left\tpromoter.right\tpromoter_seq_35\tpromoter_seq_mid\tpromoter_seq_10\tterminator_score\t"
              "terminator.left\tterminator_seq\n"
              "0\tb1\t0\t20..100\t+\t11\tfirstA\t-\tkinase\t-\t-\t-\t-\t-\t-\t-\t-\t-\n"
              "1\tb2\t0\t150..220\t+\t12\tsecond;B\t-\tkinase\t-\t-\t-\t-\t-\t-\t-\t-\t-\n"
              "2\tb3\t1\t260..330\t-\t13\t-\t-\tkinase\t-\t-\t-\t-\t-\t-\t-\t-\t-\n"
              "3\tb4\t2\t350..390\t-\t14\tlast\t-\tkinase\t-\t-\t-\t-\t-\t-\t-\t-\t-\n");
    // Gene 0 (+, start codon 20): boxes at offsets -30..-25 and -6..-1, i.e.
    // 390..395 (the promoter starts 10 bases before the origin) and 14..19.
    const std::string b1m35 = at(g, 390, 395);
    const std::string b1m10 = at(g, 14, 19);
    // Gene 2 (-, start codon 330): offsets -40..-35 and -16..-11 are 365..370
    // and 341..346, read on the minus strand.
    const std::string b3m35 = reverseComplement(at(g, 365, 370));
    const std::string b3m10 = reverseComplement(at(g, 341, 346));
    writeText(id + "_promoter_scores.txt",
              "b1 2.5 -30 0 " + b1m35 + " - " + b1m10 + "\n"
              "b2 -1 -40 -30 TTTTTTTTTT - -\n"
              "b3 12.25 -40 -10 " + b3m35 + " - " + b3m10 + "\n");
    writeText(id + ".sigma70.sca.dat", "synonym\tstrand\n"
              "b1\t+\t26\t-30\t2.5\t390\t" + b1m35 + "\t14\t" + b1m10 + "\t18\n");
    writeText(id + ".sigma24.sca.dat", "synonym\tstrand\n"
              "b3\t-\t334\t-40\t12.25\t370\t" + b3m35 + "\t346\t" + b3m10 + "\t18\n");
    // Gene 0 leads a + pair: its region starts at 91, the element at 91 + 15.
    // Gene 2 leads a - pair: its region starts at 269 and runs down, the
    // element's first base in that direction at 269 - 5 = 264.
    writeText(id + "_terminator_score.txt",
              "   15         4         3         5             3.25\t\t" + at(g, 106, 121) + "\tb1\n"
              "    5         4         3         5             1.5\t\t" + reverseComplement(at(g, 249, 264)) + "\tb3\n"
              "    2         4         3         5             9.5\t\tAAAAAAAAAAAAAAAA\tb4\n");
    writeText(id + "_tulist.txt",
              "SMALL0001\t0000.0\t+\tb1|11|0,b2|12|1\t" + b1m35 + "\t" + b1m10 + "\t-\n"
              "SMALL0001\t0000.1\t+\tb1|11|0\t" + b1m35 + "\t" + b1m10 + "\t-\n"
              "SMALL0001\t0001.0\t-\tb3|13|2\t" + b3m35 + "\t" + b3m10 + "\t-\n"
              "SMALL0001\t0002.0\t-\tb4|14|3\t-\t-\t-\n");
    writeText(id + "_summary.txt", "0 internal promoters,\n1 internal terminators,\n4 TUs including 1 alternative ones.\n");
}

} // namespace meridan::exports::test
