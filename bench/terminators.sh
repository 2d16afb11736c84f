#!/usr/bin/env bash
# Terminator engines benchmark: runs Castrel, then Dovrane, through
# tools/terminator-run on E. coli (NC_000913) and S. aureus (NC_007795), the
# way the workbench's terminator thread runs them, and in the same run the
# Debian package transtermhp on the same genome for comparison. Prints wall
# time and peak memory of each, the training iterations and the score rows.
#
#   bash bench/terminators.sh [build folder]      (default: build)
#
# Needs the build's Castrel.so, Dovrane.so and terminator-run, /usr/bin/time
# and transterm. Genomes come from MERIDAN_DATA_DIR or ../shared/data.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
data=${MERIDAN_DATA_DIR:-$root/../shared/data}
runner=$build/tools/terminator-run/terminator-run
castrel=$build/meridan/bin/Castrel.so
dovrane=$build/meridan/bin/Dovrane.so
expterm=/usr/share/transtermhp/expterm.dat

for needed in "$runner" "$castrel" "$dovrane"; do
  if [ ! -e "$needed" ]; then
    echo "missing $needed: build the targets Castrel, Dovrane and terminator-run first" >&2
    exit 1
  fi
done
have_transterm=1
if ! command -v transterm >/dev/null || [ ! -e "$expterm" ]; then
  have_transterm=0
  echo "transterm not installed: its column stays empty" >&2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# measure <name> <command...>: runs the command under /usr/bin/time -v in the
# current folder; sets wall (seconds), peak (MB) and status.
measure() {
  local name=$1
  shift
  status=0
  /usr/bin/time -v -o "$work/$name.time" "$@" >"$work/$name.out" 2>"$work/$name.err" || status=$?
  wall=$(awk -F': ' '/Elapsed \(wall clock\)/ {
           n = split($2, p, ":"); s = 0
           for (i = 1; i <= n; i++) s = s * 60 + p[i]
           printf "%.2f", s }' "$work/$name.time")
  peak=$(awk '/Maximum resident set size/ { printf "%.1f", $6 / 1024 }' "$work/$name.time")
}

printf '%-10s %-9s %9s %9s  %s\n' genome engine "wall s" "peak MB" notes
for accession in NC_000913 NC_007795; do
  dir=$data/genomes/$accession
  if [ ! -d "$dir" ]; then
    echo "$accession: not available under $data/genomes, skipped" >&2
    continue
  fi
  fna=$dir/$accession.fna
  ptt=$dir/$accession.ptt
  run=$work/$accession
  mkdir -p "$run/results"
  cd "$run"

  measure castrel "$runner" "$castrel" "$fna" "$ptt" ./results/
  iterations=$(sed -n 's/^training iterations= \([0-9]*\) final improvement iterations= \([0-9]*\)$/\1 + \2 final/p' "$work/castrel.out")
  score=$(awk -F, 'END { print $1 }' log.txt 2>/dev/null | sed "s|^./results/$accession||")
  printf '%-10s %-9s %9s %9s  status %s, training iterations %s, log-likelihood %s\n' \
    "$accession" Castrel "$wall" "$peak" "$status" "${iterations:-?}" "${score:-?}"
  castrel_wall=$wall

  measure dovrane "$runner" "$dovrane" "$fna" "$ptt" ./results/
  table=results/${accession}_terminator_score.txt
  rows=0
  above=0
  if [ -f "$table" ]; then
    rows=$(wc -l <"$table")
    above=$(awk '$5 > 2.0 { n++ } END { print n + 0 }' "$table")
  fi
  regions=$(sed -n 's/^NSEQ=//p' "$work/dovrane.out")
  left=$(find . -name 'wholepairs_loc.txt' -o -name 'log.txt' -o -name "$accession.*" | wc -l)
  printf '%-10s %-9s %9s %9s  status %s, %s regions, %s rows, %s with score > 2.0, %s temporary files left\n' \
    "$accession" Dovrane "$wall" "$peak" "$status" "${regions:-?}" "$rows" "$above" "$left"
  both=$(awk -v a="$castrel_wall" -v b="$wall" 'BEGIN { printf "%.2f", a + b }')

  if [ "$have_transterm" = 1 ]; then
    # transterm takes its genes from a .coords file named by the FASTA id:
    # "name start end chrom" with start > end on the - strand.
    id=$(head -n 1 "$fna" | cut -c2- | awk '{ print $1 }')
    awk -v id="$id" 'NR > 3 && NF >= 6 {
        split($1, loc, /\.\./)
        if ($2 == "-") print $6, loc[2], loc[1], id; else print $6, loc[1], loc[2], id }' "$ptt" >genes.coords
    measure transterm transterm -p "$expterm" "$fna" genes.coords
    terms=$(grep -c '^ *TERM' "$work/transterm.out" || true)
    printf '%-10s %-9s %9s %9s  status %s, %s terminators; Castrel + Dovrane %s s\n' \
      "$accession" transterm "$wall" "$peak" "$status" "$terms" "$both"
  fi
  cd "$root"
done
