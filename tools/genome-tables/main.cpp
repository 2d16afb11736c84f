// meridan-genome-tables: reads a GenBank or GFF3 genome (plain or gzipped;
// a GFF3 without sequences together with its FASTA file) and writes, per
// record, <id>.fna, <id>.ptt and <id>.rnt into a folder. Prints one line per
// record and the time the reading took.
#include "meridan/genome/EngineInputFiles.h"
#include "meridan/genome/GenomeFile.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 4 || std::strcmp(argv[1], "--help") == 0) {
        std::fprintf(stderr, "usage: meridan-genome-tables GENOME.gbff|GENOME.gff3 [FOLDER]\n"
                             "       meridan-genome-tables GENOME.fna GENOME.gff3 FOLDER\n"
                             "Writes <record>.fna/.ptt/.rnt into FOLDER; without FOLDER (or with -) only reads.\n");
        return 2;
    }
    const bool withFasta = argc == 4;
    const auto begin = std::chrono::steady_clock::now();
    const auto genome = withFasta ? meridan::genome::readAnnotatedGenome(argv[1], argv[2])
                                  : meridan::genome::readAnnotatedGenome(argv[1]);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
    if (!genome) {
        std::fprintf(stderr, "meridan-genome-tables: %s\n", genome.error.c_str());
        return 1;
    }
    std::printf("read %s in %.1f ms\n", argv[withFasta ? 2 : 1], ms);
    const char* folder = withFasta ? argv[3] : argc == 3 ? argv[2] : nullptr;
    if (folder && std::strcmp(folder, "-") == 0)
        folder = nullptr;
    for (const auto& record : genome.value->records) {
        std::printf("%s\t%zu bp\t%zu proteins\t%zu RNAs\t%d pseudogenes\t%d pseudo CDS%s\n", record.id.c_str(),
                    record.sequence.size(), record.proteins.size(), record.rnas.size(), record.pseudogenes,
                    record.pseudoCds, record.plasmid ? "\tplasmid" : "");
        if (!folder)
            continue;
        const auto written = meridan::genome::writeEngineInputFiles(record, folder);
        if (!written) {
            std::fprintf(stderr, "meridan-genome-tables: %s\n", written.error.c_str());
            return 1;
        }
    }
    return 0;
}
