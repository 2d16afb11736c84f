#include "FuzzTargets.h"

#include "meridan/genome/AnnotationTables.h"
#include "meridan/genome/FnaReader.h"
#include "meridan/genome/GenBankReader.h"
#include "meridan/genome/GenomeFile.h"
#include "meridan/genome/Gff3Reader.h"
#include "meridan/genome/InputCheck.h"
#include "meridan/genome/InputText.h"
#include "meridan/genome/PttReader.h"
#include "meridan/genome/SequenceRecords.h"
#include "meridan/genome/results/GeneIndexFile.h"
#include "meridan/genome/results/GeneTagFile.h"
#include "meridan/genome/results/PromoterTable.h"
#include "meridan/genome/results/Summary.h"
#include "meridan/genome/results/TerminatorTable.h"
#include "meridan/genome/results/TuList.h"

#include <sstream>
#include <string>

namespace meridan::genome::fuzz {

namespace {

const std::string kGenome = ">fuzz\n" + std::string(5000, 'A') + "\n";
const std::string kTable = "t\n1 proteins\nLocation\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct\n"
                           "10..90\t+\t26\t1\tg\tS1\t-\t-\tp\n";

// What the command line does with an annotation it has read: the tables
// and the FASTA text the engines are given, and their check at the door.
void useAnnotation(const ReadResult<AnnotatedGenome>& genome)
{
    if (!genome)
        return;
    for (const AnnotatedRecord& record : genome.value->records) {
        const std::string fasta = fastaText(record);
        const std::string proteins = proteinTableText(record);
        const std::string rnas = rnaTableText(record);
        if (!record.sequence.empty())
            checkGenomeTexts("x.fna", fasta, "x.ptt", proteins, "x.rnt", rnas);
    }
}

std::string textOf(const std::uint8_t* data, std::size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Hands read a stream of text.
template <typename Read> void readStream(const std::string& text, Read read)
{
    std::istringstream in(text);
    read(in);
}

} // namespace

int gff3Input(const std::uint8_t* data, std::size_t size)
{
    useAnnotation(parseGff3(textOf(data, size), "x.gff3"));
    return 0;
}

int genbankInput(const std::uint8_t* data, std::size_t size)
{
    useAnnotation(parseGenBank(textOf(data, size), "x.gbff"));
    return 0;
}

int gzipInput(const std::uint8_t* data, std::size_t size)
{
    const ReadResult<std::string> text = decodeInputText(textOf(data, size), "x.gz");
    if (!text)
        return 0;
    switch (textKind(*text.value)) {
    case GenomeFileKind::Gff3:
        useAnnotation(parseGff3(*text.value, "x.gz"));
        break;
    case GenomeFileKind::GenBank:
        useAnnotation(parseGenBank(*text.value, "x.gz"));
        break;
    case GenomeFileKind::Fasta:
        parseSequenceRecords(*text.value, "x.gz");
        break;
    case GenomeFileKind::Unknown:
        break;
    }
    return 0;
}

int resultsInput(const std::uint8_t* data, std::size_t size)
{
    using namespace results;
    const std::string text = textOf(data, size);
    const auto each = [&text](auto reader) {
        readStream(text, [&](std::istream& in) { reader(in, std::string("x.txt")); });
    };
    each([](std::istream& in, const std::string& name) { readGeneTags(in, name); });
    each([](std::istream& in, const std::string& name) { readGeneIndex(in, name); });
    each([](std::istream& in, const std::string& name) { readPromoterTable(in, name); });
    each([](std::istream& in, const std::string& name) { readSigmaScores(in, name); });
    each([](std::istream& in, const std::string& name) { readTerminatorTable(in, name); });
    each([](std::istream& in, const std::string& name) { readTuList(in, name); });
    each([](std::istream& in, const std::string& name) { readSummary(in, name); });
    return 0;
}

int fastaInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = textOf(data, size);
    checkGenomeTexts("x.fna", text, "x.ptt", kTable);
    readStream(text, [](std::istream& in) { readGenomeSequence(in); });
    return 0;
}

int pttInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = textOf(data, size);
    checkGenomeTexts("x.fna", kGenome, "x.ptt", text);
    readStream(text, [](std::istream& in) { readGeneTable(in); });
    return 0;
}

int rntInput(const std::uint8_t* data, std::size_t size)
{
    checkGenomeTexts("x.fna", kGenome, "x.ptt", kTable, "x.rnt", textOf(data, size));
    return 0;
}

} // namespace meridan::genome::fuzz
