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
id="${1:-NC_000913}"
sequence="${2:-NC_000913.3}"
at="${3:-790000}"
. "$(dirname "$0")/view_bench_inputs.sh"
bench_build meridan_browser_bench
files=()
for f in ${BIGWIG:-}; do files+=(--bigwig "$f"); done
echo "browser benchmark: $id ($sequence) around $at, results $results"
"$build/tools/meridan_browser_bench" --annotation "$annotation" --fna "$genome/$id.fna" --results "$results" \
  --id "$id" --sequence "$sequence" --at "$at" --runs "${RUNS:-40}" "${files[@]}"
