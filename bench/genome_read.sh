#!/usr/bin/env bash
# Times reading the gzipped E. coli K-12 genome as NCBI publishes it: the
# GenBank flat file alone, and the GFF3 with the FASTA file. Prints the
# reader's own time (decompression and parsing, best of 3) and the whole
# program's wall time, CPU time (user + system; the figure to quote on a
# busy machine) and peak memory.
#
# Usage: bench/genome_read.sh [build dir]
set -euo pipefail

BUILD=${1:-build}
REPO=$(cd "$(dirname "$0")/.." && pwd)
DATA=${MERIDAN_DATA_DIR:-$REPO/../shared/data}
TOOL=$(realpath "$BUILD/meridan/meridan-genome-tables")
STEM="$DATA/formats/ncbi-NC_000913/GCF_000005845.2_ASM584v2_genomic"

measure() { # label, arguments...
  local label=$1; shift
  local best=""
  for _ in 1 2 3; do
    local ms
    ms=$("$TOOL" "$@" | sed -n 's/^read .* in \([0-9.]*\) ms$/\1/p')
    if [ -z "$best" ] || awk "BEGIN{exit !($ms < $best)}"; then best=$ms; fi
  done
  local stats
  stats=$( { /usr/bin/time -f "%e %M %U %S" "$TOOL" "$@" >/dev/null; } 2>&1 | tail -1)
  read -r wall peak user system <<<"$stats"
  printf '%-26s read %7.1f ms   wall %5.2f s   cpu %5.2f s   peak %6.1f MB\n' "$label" "$best" \
    "$wall" "$(awk "BEGIN{print $user + $system}")" "$(awk "BEGIN{print $peak/1024}")"
}

measure "E. coli GBFF (gz)" "$STEM.gbff.gz"
measure "E. coli GFF3 + FNA (gz)" "$STEM.fna.gz" "$STEM.gff.gz" -
