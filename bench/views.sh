#!/usr/bin/env bash
# Times the result views on one genome's results, offscreen: the operon tree
# and genome map after a prediction (slotPredictOperon + slotOperonView),
# the first paint, zoom steps with a repaint each, a double-click on a gene,
# the detail view of the largest unit and a broad search. Prints the
# figures, the wall time and the peak memory of the whole run.
#
#   bash bench/views.sh [genomeId]            # default NC_000913 (E. coli)
#
# Environment: BUILD_DIR (default build/), MERIDAN_DATA_DIR (default
# ../shared/data beside the project), RESULTS_DIR (default
# $BUILD_DIR/meridan/results/, where a prediction leaves its files), RUNS.
# Without a TU list in RESULTS_DIR the units are made from same-strand
# neighbours, so the views can still be measured before a prediction.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
id="${1:-NC_000913}"
build="${BUILD_DIR:-$root/build}"
data="${MERIDAN_DATA_DIR:-$root/../shared/data}"
genome="$data/genomes/$id"
results="${RESULTS_DIR:-$build/meridan/results/}"
runs="${RUNS:-5}"

if [ ! -d "$genome" ]; then
  echo "no genome folder $genome: nothing to measure" >&2
  exit 1
fi
annotation="$build/meridan/annotation/$id.ano"
[ -f "$annotation" ] || annotation="$genome/$id.ptt"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target meridan_views_bench -j2 >/dev/null

export QT_QPA_PLATFORM=offscreen
echo "views benchmark: $id, annotation $(basename "$annotation"), results $results, $runs runs"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
/usr/bin/time -v "$build/tools/meridan_views_bench" \
  --annotation "$annotation" --fna "$genome/$id.fna" \
  --results "${results%/}/" --id "$id" --runs "$runs" 2>"$log"
grep -E "Elapsed \(wall clock\)|Maximum resident set size" "$log" | sed 's/^[[:space:]]*/  /'
