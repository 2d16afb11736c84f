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
id="${1:-NC_000913}"
runs="${RUNS:-5}"
. "$(dirname "$0")/view_bench_inputs.sh"
bench_build meridan_views_bench

export QT_QPA_PLATFORM=offscreen
echo "views benchmark: $id, annotation $(basename "$annotation"), results $results, $runs runs"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
/usr/bin/time -v "$build/tools/meridan_views_bench" \
  --annotation "$annotation" --fna "$genome/$id.fna" \
  --results "${results%/}/" --id "$id" --runs "$runs" 2>"$log"
grep -E "Elapsed \(wall clock\)|Maximum resident set size" "$log" | sed 's/^[[:space:]]*/  /'
