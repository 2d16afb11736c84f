// The export formats of one genome's placed features. Every writer returns
// the whole file text, sorted by position, the same for the same input.
//
// GFF3 feature types (Sequence Ontology):
//   operon                                 SO:0000178  genes the operon engine joins into one operon
//   transcript                             SO:0000673  a transcription unit or alternative unit (Parent: its operon)
//   bacterial_RNApol_promoter_sigma_70     SO:0001671  a sigma70 promoter
//   bacterial_RNApol_promoter_sigma_ecf    SO:0001913  a sigma24 (sigma E, an ECF sigma factor) promoter
//   bacterial_RNApol_promoter              SO:0000613  a sigma32 or sigma38 promoter, or one whose factor is unknown
//   minus_35_signal / minus_10_signal      SO:0000176 / SO:0000175  the promoter's boxes (Parent: the promoter)
//   rho_independent_bacterial_terminator   SO:0000982  a hairpin-and-tail terminator
#pragma once

#include "meridan/export/Features.h"

#include <string>

namespace meridan::exports {

std::string gff3Text(const GenomeFeatures& features);

// BED9 (chrom, start, end, name, score 0-1000, strand, thickStart, thickEnd,
// itemRgb) after a track line. A feature across the origin is written as two
// lines with the same name, one up to the genome's end and one from its start.
std::string terminatorBed(const GenomeFeatures& features); // thick part: the hairpin
std::string promoterBed(const GenomeFeatures& features);   // thick part: the -10 box
std::string tuBed(const GenomeFeatures& features);         // score 1000 for an operon's first unit, 500 for alternatives

// Tab-separated, one header row, one row per transcription unit.
std::string tuTable(const GenomeFeatures& features);

// Scores on the BED scale 0 ... 1000 (clamped): promoters 100 per bit above
// the threshold (their scores run from 0 to about 10), terminators 40 per
// unit of the natural-log score from -10 on (scores run from about -10 to 15;
// the TU builder's cut 2 becomes 480).
int promoterBedScore(double score);
int terminatorBedScore(double score);

// GFF3 percent-escaping of an attribute value (tab, newline, control
// characters, "%", ";", "=", "&" and ",") and of a sequence identifier
// (everything outside a-z A-Z 0-9 . : ^ * $ @ ! + _ ? - |).
std::string escapeGff3Attribute(const std::string& value);
std::string escapeGff3Seqid(const std::string& seqid);

} // namespace meridan::exports
