#!/usr/bin/env bash
# A genome of many records predicted as one genome against the same records
# predicted one by one: result files, same-strand pairs judged and linked,
# operons, TUs and confident hairpins (terminator score above 2).
#
#   bench/multirecord.sh [GENOME.gbff.gz]   # default: the Paracoccus draft of the panel
#
# BUILD_DIR selects the build (default build/), MERIDAN_DATA_DIR the data.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
data=${MERIDAN_DATA_DIR:-$root/../shared/data}
genome=${1:-$data/panel/Paracoccus_sp._SCN_68-21.gbff.gz}
run=$build/meridan
[ -f "$genome" ] || { echo "no $genome; nothing to measure"; exit 0; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

start=$(date +%s.%N)
"$run/meridan-predict" --quiet --seed 1 -o "$work/joined" "$genome"
joined=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }')

# The records one by one, each from its own FNA and PTT.
mkdir -p "$work/tables"
"$run/meridan-genome-tables" "$genome" "$work/tables" >/dev/null
start=$(date +%s.%N)
for fna in "$work/tables"/*.fna; do
  ptt=${fna%.fna}.ptt
  [ "$(tail -n +4 "$ptt" | grep -c .)" -ge 2 ] || continue
  "$run/meridan-predict" --quiet --seed 1 -o "$work/each" "$fna" "$ptt" >/dev/null 2>&1 || true
done
each=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }')

count() {   # $1: result folder
  local r=$1/results
  local files pairs linked operons multi tus hairpins
  files=$(ls "$r" | wc -l)
  pairs=$(cat "$r"/*_operon_pairs.tsv 2>/dev/null | grep -vc '^first' || true)
  linked=$(cat "$r"/*_operon_pairs.tsv 2>/dev/null | awk -F'\t' '$NF == "yes"' | wc -l)
  read -r operons multi < <(for f in "$r"/*_genetag.txt; do awk 'NF { print $1 }' "$f" | sort | uniq -c; done |
                            awk '{ n++; if ($1 > 1) m++ } END { print n + 0, m + 0 }')
  tus=$(cat "$r"/*_tulist.txt | grep -c . || true)
  hairpins=$(cat "$r"/*_terminator_score.txt | awk 'NF >= 7 && $5 > 2' | wc -l)
  printf '| %s | %s | %s | %s | %s | %s | %s |' "$files" "$pairs" "$linked" "$operons" "$multi" "$tus" "$hairpins"
}
echo "$(basename "$genome"): $(grep -c '^>' "$work"/tables/*.fna | awk -F: '{ s += $2 } END { print s }') records"
echo "| run | result files | same-strand pairs | linked | operons | of several genes | TUs | hairpins > 2 | seconds |"
echo "|---|---|---|---|---|---|---|---|---|"
echo "| one genome $(count "$work/joined") $joined |"
echo "| record by record $(count "$work/each") $each |"
