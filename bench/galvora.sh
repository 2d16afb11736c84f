#!/usr/bin/env bash
# Times the operon engine (bin/Galvora.so) on a real genome, loaded through
# tools/galvora-run as the workbench loads it, and prints wall time, peak
# memory, the iterations of every restart, the time per iteration against
# the arithmetic one iteration does, and the share of same-strand
# neighbours the run links. A second run with the same MERIDAN_SEED checks
# that the gene-tag file is reproduced.
#
# Usage: bench/galvora.sh [build dir] [genome accession]
#   build dir defaults to ./build, the genome to NC_000913; MERIDAN_SEED
#   defaults to 42. Set GALVORA_BENCH_ONCE=1 to skip the second run.
set -euo pipefail

BUILD=$(realpath "${1:-build}")
GENOME=${2:-NC_000913}
REPO=$(cd "$(dirname "$0")/.." && pwd)
DATA=${MERIDAN_DATA_DIR:-$REPO/../shared/data}
FNA=$(realpath "$DATA/genomes/$GENOME/$GENOME.fna")
PTT=$(realpath "$DATA/genomes/$GENOME/$GENOME.ptt")
export MERIDAN_SEED=${MERIDAN_SEED:-42}

cmake --build "$BUILD" --target galvora-run >/dev/null
RUNNER="$BUILD/meridan/galvora-run"
LIB="$BUILD/meridan/bin/Galvora.so"

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir "$WORK/first" "$WORK/second"

/usr/bin/time -v "$RUNNER" "$LIB" "$FNA" "$PTT" "$WORK/first/" >"$WORK/log.txt" 2>"$WORK/time.txt"

wall=$(awk -F': ' '/Elapsed \(wall clock\)/ {n = split($2, t, ":"); s = 0;
       for (i = 1; i <= n; ++i) s = s * 60 + t[i]; print s}' "$WORK/time.txt")
user=$(awk -F': ' '/User time/ {print $2}' "$WORK/time.txt")
sys=$(awk -F': ' '/System time/ {print $2}' "$WORK/time.txt")
rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$WORK/time.txt")
cpu=$(awk -F': ' '/Percent of CPU/ {print $2}' "$WORK/time.txt")

echo "genome            $GENOME (MERIDAN_SEED=$MERIDAN_SEED)"
echo "wall time         ${wall} s   (user ${user} s, system ${sys} s, CPU ${cpu} of one core)"
echo "peak memory       $((rss / 1024)) MB"
echo "load average      $(cut -d' ' -f1-3 /proc/loadavg) (other work on the machine slows the run)"

iterations=$(grep -o 'iterations=[0-9]*' "$WORK/log.txt" | cut -d= -f2 | paste -sd' ')
total=$(grep -o 'iterations=[0-9]*' "$WORK/log.txt" | cut -d= -f2 | awk '{s += $1} END {print s}')
echo "iterations        $iterations (restarts 0-9; $total in all)"
grep -o 'loglikelihood=[^ ]*' "$WORK/log.txt" | cut -d= -f2 | paste -sd' ' |
    sed 's/^/log-likelihoods   /'

# Arithmetic of one iteration: every window of every pair is scored under
# both classes' motifs (one multiplication per motif row) and its share is
# added to both classes' counts (one addition per motif row).
read -r term prom sd < <(sed -n 's/^windows terminator=\([0-9]*\) promoter=\([0-9]*\) sd=\([0-9]*\)$/\1 \2 \3/p' "$WORK/log.txt")
awk -v wall="$wall" -v user="$user" -v sys="$sys" -v total="$total" \
    -v term="$term" -v prom="$prom" -v sd="$sd" 'BEGIN {
    rows = 2 * (20 * term + 10 * prom + 10 * sd);
    printf "windows           terminator %d, promoter %d, SD %d per class\n", term, prom, sd;
    printf "per iteration     %.0f window-row products (E step) + %.0f window-row count additions (M step)\n", rows, rows;
    printf "time/iteration    %.2f ms wall, %.2f ms CPU\n", 1000 * wall / total, 1000 * (user + sys) / total;
    printf "                  %.2f ns wall, %.2f ns CPU per window-row operation\n",
           1e9 * wall / total / (2 * rows), 1e9 * (user + sys) / total / (2 * rows);
}'

# Same-strand neighbours and how many of them share an operon number.
awk 'NR == FNR { if (FNR > 3 && NF >= 2) strand[++n] = $2; next }
     { op[++m] = $1 }
     END {
       for (i = 2; i <= m; ++i) if (strand[i] == strand[i - 1]) { ++pairs; if (op[i] == op[i - 1]) ++linked }
       printf "gene-tag lines    %d for %d genes\n", m, n;
       printf "linked pairs      %d of %d same-strand neighbours (%.1f%%)\n", linked, pairs, 100 * linked / pairs
     }' "$PTT" "$WORK/first/${GENOME}_genetag.txt"

if [ "${GALVORA_BENCH_ONCE:-0}" != 1 ]; then
    "$RUNNER" "$LIB" "$FNA" "$PTT" "$WORK/second/" >/dev/null
    if cmp -s "$WORK/first/${GENOME}_genetag.txt" "$WORK/second/${GENOME}_genetag.txt"; then
        echo "second run        identical gene-tag file"
    else
        echo "second run        DIFFERENT gene-tag file"
        exit 1
    fi
fi
