#include "FuzzTargets.h"

#include "meridan/genome/FnaReader.h"
#include "meridan/genome/InputCheck.h"
#include "meridan/genome/PttReader.h"

#include <sstream>
#include <string>

namespace meridan::genome::fuzz {

namespace {

const std::string kGenome = ">fuzz\n" + std::string(5000, 'A') + "\n";
const std::string kTable = "t\n1 proteins\nLocation\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct\n"
                           "10..90\t+\t26\t1\tg\tS1\t-\t-\tp\n";

} // namespace

int fastaInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    checkGenomeTexts("x.fna", text, "x.ptt", kTable);
    std::istringstream in(text);
    readGenomeSequence(in);
    return 0;
}

int pttInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    checkGenomeTexts("x.fna", kGenome, "x.ptt", text);
    std::istringstream in(text);
    readGeneTable(in);
    return 0;
}

int rntInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    checkGenomeTexts("x.fna", kGenome, "x.ptt", kTable, "x.rnt", text);
    return 0;
}

} // namespace meridan::genome::fuzz
