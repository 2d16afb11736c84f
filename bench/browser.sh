#!/usr/bin/env bash
# Times the genome browser on one genome's results, offscreen: opening a
# bigWig file, and redrawing a 50 kb window (around the gal operon for
# E. coli) with all tracks and two bigWig files. Prints the figures.
#
#   bash bench/browser.sh [genomeId] [sequenceName] [position]
#        default NC_000913 NC_000913.3 790000
#
# Environment: BUILD_DIR (default build/), MERIDAN_DATA_DIR (default
# ../shared/data beside the project), RESULTS_DIR (default
# $BUILD_DIR/meridan/results/), RUNS, BIGWIG (two files separated by a
# blank; default: two coverage files of about 2.5 MB written for the genome).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
id="${1:-NC_000913}"
sequence="${2:-NC_000913.3}"
at="${3:-790000}"
build="${BUILD_DIR:-$root/build}"
data="${MERIDAN_DATA_DIR:-$root/../shared/data}"
genome="$data/genomes/$id"
results="${RESULTS_DIR:-$build/meridan/results/}"
[ -d "$genome" ] || { echo "no genome folder $genome: nothing to measure" >&2; exit 1; }
annotation="$build/meridan/annotation/$id.ano"
[ -f "$annotation" ] || annotation="$genome/$id.ptt"
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target meridan_browser_bench -j2 >/dev/null
files=()
for f in ${BIGWIG:-}; do files+=(--bigwig "$f"); done
echo "browser benchmark: $id ($sequence) around $at, results $results"
"$build/tools/meridan_browser_bench" --annotation "$annotation" --fna "$genome/$id.fna" --results "$results" \
  --id "$id" --sequence "$sequence" --at "$at" --runs "${RUNS:-40}" "${files[@]}"
