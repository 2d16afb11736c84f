#include "meridan/genome/GenomeFile.h"

#include "TextLines.h"
#include "meridan/genome/SequenceRecords.h"
#include "meridan/genome/GenBankReader.h"
#include "meridan/genome/Gff3Reader.h"
#include "meridan/genome/InputText.h"

#include <unordered_map>

namespace meridan::genome {

namespace {

using Result = ReadResult<AnnotatedGenome>;

Result parseAnnotation(const std::string& text, const std::string& path)
{
    switch (textKind(text)) {
    case GenomeFileKind::Gff3:
        return parseGff3(text, path);
    case GenomeFileKind::GenBank:
        return parseGenBank(text, path);
    case GenomeFileKind::Fasta:
        return Result::failure(path + ": a FASTA file holds no gene annotation; give a GFF3 or GenBank file with it");
    case GenomeFileKind::Unknown:
        break;
    }
    return Result::failure(path + ": neither GFF3 nor GenBank (a GFF3 file starts with ##gff-version, "
                                  "a GenBank record with LOCUS)");
}

std::string missingSequence(const AnnotatedGenome& genome, const std::string& hint)
{
    for (const AnnotatedRecord& r : genome.records)
        if (r.sequence.empty() && (!r.proteins.empty() || !r.rnas.empty()))
            return genome.source + ": record " + r.id + " has no sequence" + hint;
    return {};
}

// Moves the annotated records without a sequence to leftOut.
void leaveOutUnsequenced(AnnotatedGenome& genome, const std::string& where)
{
    std::vector<AnnotatedRecord> kept;
    for (AnnotatedRecord& r : genome.records) {
        if (r.sequence.empty() && (!r.proteins.empty() || !r.rnas.empty()))
            genome.leftOut.push_back(r.id + " (annotated, but no sequence in " + where + ")");
        else
            kept.push_back(std::move(r));
    }
    genome.records = std::move(kept);
}

} // namespace

GenomeFileKind textKind(std::string_view text)
{
    detail::TextLines lines(text);
    std::string_view line;
    while (lines.next(line)) {
        if (detail::trim(line).empty())
            continue;
        if (line.front() == '>')
            return GenomeFileKind::Fasta;
        if (line.rfind("##gff-version", 0) == 0 || detail::split(line, '\t').size() == 9)
            return GenomeFileKind::Gff3;
        if (line.rfind("LOCUS", 0) == 0)
            return GenomeFileKind::GenBank;
        return GenomeFileKind::Unknown;
    }
    return GenomeFileKind::Unknown;
}

GenomeFileKind genomeFileKind(const std::string& path)
{
    const auto text = readInputText(path);
    return text ? textKind(*text.value) : GenomeFileKind::Unknown;
}

Result readAnnotatedGenome(const std::string& path)
{
    return readAnnotatedGenome(path, MissingSequence::Fail);
}

Result readAnnotatedGenome(const std::string& path, MissingSequence missing)
{
    auto text = readInputText(path);
    if (!text)
        return Result::failure(text.error);
    Result genome = parseAnnotation(*text.value, path);
    if (genome && missing == MissingSequence::LeaveOut)
        leaveOutUnsequenced(*genome.value, path);
    if (genome) {
        if (std::string problem =
                missingSequence(*genome.value, " (a GFF3 file needs a ##FASTA section, or give the FASTA file with it)");
            !problem.empty())
            return Result::failure(problem);
    }
    return genome;
}

Result readAnnotatedGenome(const std::string& fastaPath, const std::string& annotationPath,
                           MissingSequence missing)
{
    auto fasta = readSequenceRecords(fastaPath);
    if (!fasta)
        return Result::failure(fasta.error);
    auto text = readInputText(annotationPath);
    if (!text)
        return Result::failure(text.error);
    Result read = parseAnnotation(*text.value, annotationPath);
    if (!read)
        return read;
    AnnotatedGenome& genome = *read.value;
    std::unordered_map<std::string, std::size_t> index;
    for (std::size_t i = 0; i < genome.records.size(); ++i)
        index.emplace(genome.records[i].id, i);
    for (SequenceRecord& record : *fasta.value) {
        const auto it = index.find(record.id);
        if (it == index.end()) {
            AnnotatedRecord extra;
            extra.id = record.id;
            extra.description = record.description;
            extra.sequence = std::move(record.sequence);
            extra.plasmid = extra.description.find("plasmid") != std::string::npos;
            genome.records.push_back(std::move(extra));
            continue;
        }
        AnnotatedRecord& annotated = genome.records[it->second];
        if (annotated.declaredLength >= 0 &&
            annotated.declaredLength != static_cast<std::int64_t>(record.sequence.size()))
            return Result::failure(lineMessage(fastaPath, record.headerLine,
                                               "sequence " + record.id + " has " +
                                                   std::to_string(record.sequence.size()) + " bases, " +
                                                   annotationPath + " declares " +
                                                   std::to_string(annotated.declaredLength)));
        annotated.sequence = std::move(record.sequence);
        if (annotated.description.empty())
            annotated.description = record.description;
        annotated.plasmid = annotated.plasmid || record.description.find("plasmid") != std::string::npos;
        if (std::string problem = placeGenes(annotated, annotationPath); !problem.empty())
            return Result::failure(problem);
    }
    if (missing == MissingSequence::LeaveOut)
        leaveOutUnsequenced(genome, fastaPath);
    if (std::string problem = missingSequence(genome, " in " + fastaPath); !problem.empty())
        return Result::failure(problem);
    return read;
}

} // namespace meridan::genome
