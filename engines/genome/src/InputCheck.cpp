#include "meridan/genome/InputCheck.h"

#include "OpenInput.h"
#include "meridan/genome/SequenceRecords.h"
#include "meridan/genome/GeneTableFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

namespace meridan::genome {

bool isNucleotideCode(char c)
{
    switch (c) {
    case 'A': case 'C': case 'G': case 'T': case 'U':
    case 'R': case 'Y': case 'S': case 'W': case 'K': case 'M':
    case 'B': case 'D': case 'H': case 'V': case 'N':
        return true;
    default:
        return c >= 'a' && c <= 'z' && isNucleotideCode(static_cast<char>(c - 'a' + 'A'));
    }
}

namespace {

std::string byteText(unsigned char c)
{
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", c);
    if (c >= 0x20 && c < 0x7F)
        return "'" + std::string(1, static_cast<char>(c)) + "' (" + hex + ")";
    return std::string("byte ") + hex;
}

bool isTextByte(unsigned char c)
{
    return c >= 0x20 || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The first byte of text that a text file does not hold (NUL and other
// control characters), as "<line>:<column>: <byte>".
std::optional<std::string> firstBinaryByte(const std::string& text)
{
    long line = 1;
    long column = 0;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        ++column;
        if (!isTextByte(c))
            return std::to_string(line) + ":" + std::to_string(column) + ": " + byteText(c);
        if (c == '\n') {
            ++line;
            column = 0;
        }
    }
    return std::nullopt;
}

const char* kFastaExpected = "expected a FASTA file: one '>' header line, then the nucleotide sequence";

// Checks the FASTA text; the genome length when it can be used.
long checkFasta(const std::string& name, const std::string& text, InputCheck& check)
{
    if (const auto binary = firstBinaryByte(text)) {
        check.errors.push_back(name + ":" + *binary + " is not text; " + kFastaExpected);
        return 0;
    }
    const auto records = parseSequenceRecords(text, name);
    if (!records) {
        check.errors.push_back(records.error + "; " + kFastaExpected);
        return 0;
    }
    if (records.value->empty()) {
        check.errors.push_back(name + ": the file holds no sequence; " + kFastaExpected);
        return 0;
    }
    const std::vector<SequenceRecord>& file = *records.value;
    const SequenceRecord& first = file.front();
    if (file.size() > 1) {
        check.errors.push_back(name + ":" + std::to_string(file[1].headerLine) + ": a second record ("
                               + file[1].id + ") starts here; the file holds "
                               + std::to_string(file.size())
                               + " records, expected one genome per FASTA file");
        return 0;
    }
    if (first.sequence.empty()) {
        check.errors.push_back(name + ":" + std::to_string(first.headerLine)
                               + ": the record holds a header but no sequence; " + kFastaExpected);
        return 0;
    }
    // Find the line and column of the first byte that is no nucleotide code.
    std::istringstream lines(text);
    std::string line;
    long lineNumber = 0;
    long lowerCase = 0;
    long ambiguous = 0;
    bool inSequence = false;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (!line.empty() && line.find_first_not_of(" \t\r\v\f") != std::string::npos
            && line[line.find_first_not_of(" \t\r\v\f")] == '>') {
            inSequence = true;
            continue;
        }
        if (!inSequence)
            continue;
        for (std::size_t k = 0; k < line.size(); ++k) {
            const char c = line[k];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f')
                continue;
            if (!isNucleotideCode(c)) {
                check.errors.push_back(name + ":" + std::to_string(lineNumber) + ":" + std::to_string(k + 1)
                                       + ": " + byteText(static_cast<unsigned char>(c))
                                       + " is not a nucleotide letter or IUPAC code (A C G T U R Y S W K M B D H V N)");
                return 0;
            }
            lowerCase += c >= 'a' && c <= 'z';
            const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
            ambiguous += upper != 'A' && upper != 'C' && upper != 'G' && upper != 'T';
        }
    }
    if (lowerCase > 0)
        check.notes.push_back(name + ": " + std::to_string(lowerCase)
                              + " lower-case letters are read as upper case");
    if (ambiguous > 0)
        check.notes.push_back(name + ": " + std::to_string(ambiguous) + " of "
                              + std::to_string(first.sequence.size())
                              + " bases are IUPAC codes other than A, C, G, T (N included); "
                                "no promoter or terminator is found across them");
    return static_cast<long>(first.sequence.size());
}

// Checks one gene table; the number of usable rows.
long checkGeneTable(const std::string& name, const std::string& text, long genomeLength,
                    bool needsRows, InputCheck& check)
{
    if (const auto binary = firstBinaryByte(text)) {
        check.errors.push_back(name + ":" + *binary
                               + " is not text; expected a gene table: three header lines, then one "
                                 "tab-separated row per gene (Location, Strand, Length, PID, Gene, "
                                 "Synonym, Code, COG, Product)");
        return 0;
    }
    std::istringstream in(text);
    const GeneTableText table = parseGeneTableText(in);
    if (!table.unusable.empty()) {
        const GeneTableRow& row = table.unusable.front();
        check.notes.push_back(name + ": " + std::to_string(table.unusable.size())
                              + (table.unusable.size() == 1 ? " row cannot be read and is" : " rows cannot be read and are")
                              + " left out (first at line " + std::to_string(row.line) + ": "
                              + rowProblem(row) + ")");
    }
    if (table.rows.empty()) {
        if (needsRows)
            check.errors.push_back(
                name + ":" + std::to_string(kGeneTableHeaderLines + 1)
                + ": the table holds no usable gene row; expected three header lines, then rows like "
                  "\"190..255<TAB>+<TAB>21<TAB>16127995<TAB>thrL<TAB>b0001<TAB>-<TAB>-<TAB>product\"");
        return 0;
    }
    long outside = 0;
    const GeneTableRow* firstOutside = nullptr;
    long duplicates = 0;
    long unsorted = 0;
    long previousStart = 0;
    for (const GeneTableRow& row : table.rows) {
        const Span span = *parseSpan(row.columns[column::location]);
        if (genomeLength > 0 && std::max(span.start, span.end) > genomeLength && ++outside == 1)
            firstOutside = &row;
        unsorted += span.start < previousStart;
        previousStart = span.start;
    }
    if (outside > 0) {
        check.errors.push_back(name + ":" + std::to_string(firstOutside->line) + ": gene "
                               + firstOutside->columns[column::location] + " ends beyond the "
                               + std::to_string(genomeLength) + " bases of the sequence ("
                               + std::to_string(outside) + " of " + std::to_string(table.rows.size())
                               + " genes do); the gene table and the FASTA file must be of the same genome");
        return 0;
    }
    {
        // Rows with the same Location and Strand describe one gene.
        std::vector<std::string> keys;
        keys.reserve(table.rows.size());
        for (const GeneTableRow& row : table.rows)
            keys.push_back(row.columns[column::location] + row.columns[column::strand]);
        std::sort(keys.begin(), keys.end());
        for (std::size_t k = 1; k < keys.size(); ++k)
            duplicates += keys[k] == keys[k - 1];
    }
    if (duplicates > 0)
        check.notes.push_back(name + ": " + std::to_string(duplicates)
                              + " rows repeat the Location and Strand of an earlier row");
    if (unsorted > 0)
        check.notes.push_back(name + ": " + std::to_string(unsorted)
                              + " rows start before the row above them; genes are paired in table order");
    return static_cast<long>(table.rows.size());
}

// The whole file, or nothing (with the error) when it cannot be read.
std::optional<std::string> readWhole(const std::string& path, const char* kind, InputCheck& check)
{
    std::ifstream in;
    if (!detail::openInput(path, in)) {
        std::error_code ec;
        const bool folder = std::filesystem::is_directory(path, ec);
        const bool exists = std::filesystem::exists(path, ec);
        check.errors.push_back(path + ": the " + kind + " file "
                               + (folder ? "is a folder" : exists ? "cannot be read" : "does not exist"));
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

InputCheck checkGenomeTexts(const std::string& fnaName, const std::string& fnaText,
                            const std::string& pttName, const std::string& pttText,
                            const std::string& rntName, const std::string& rntText)
{
    InputCheck check;
    check.genomeLength = checkFasta(fnaName, fnaText, check);
    check.genes = checkGeneTable(pttName, pttText, check.genomeLength, true, check);
    if (!rntName.empty())
        check.genes += checkGeneTable(rntName, rntText, check.genomeLength, false, check);
    return check;
}

InputCheck checkGenomeInputs(const std::string& fnaPath, const std::string& pttPath,
                             const std::string& rntPath)
{
    InputCheck check;
    const auto fna = readWhole(fnaPath, "FASTA", check);
    const auto ptt = readWhole(pttPath, "protein table", check);
    std::optional<std::string> rnt;
    if (!rntPath.empty())
        rnt = readWhole(rntPath, "RNA table", check);
    if (!check.usable())
        return check;
    return checkGenomeTexts(fnaPath, *fna, pttPath, *ptt, rntPath, rnt ? *rnt : std::string());
}

} // namespace meridan::genome
