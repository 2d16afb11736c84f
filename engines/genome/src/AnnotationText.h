// Pieces the GFF3 and GenBank readers share.
#pragma once

#include "meridan/genome/AnnotatedGenome.h"
#include "meridan/genome/ReadResult.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace meridan::genome::detail {

// A reader problem; its text names the file and line.
class ReaderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The genome parser.parse(text) finds, a failure saying `nothingFound`
// when it finds no record, or the ReaderError it throws.
template <typename Parser>
ReadResult<AnnotatedGenome> runParser(Parser&& parser, std::string_view text, const std::string& nothingFound)
{
    try {
        AnnotatedGenome genome = parser.parse(text);
        if (genome.records.empty())
            return ReadResult<AnnotatedGenome>::failure(nothingFound);
        return ReadResult<AnnotatedGenome>::success(std::move(genome));
    } catch (const ReaderError& e) {
        return ReadResult<AnnotatedGenome>::failure(e.what());
    }
}

// Takes the COG identifiers ("COG:COG0527") and, when the gene has no
// protein accession, a GI number ("GI:16127995") from cross references.
void applyCrossReferences(const std::vector<std::string>& references, AnnotatedGene& gene);

} // namespace meridan::genome::detail
