#!/usr/bin/env bash
# Times the promoter scanner Ethrin on E. coli K-12 (NC_000913) and compares
# its sigma70 file with the known sigma70 promoters (Strong or Confirmed).
# usage: bench/ethrin.sh [build folder] [runs]
#   the build folder holds meridan/bin/Ethrin.so, meridan/WM, meridan/threshold
#   and the tools ethrin-call and ethrin-evaluate (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${2:-5}
data=${MERIDAN_DATA_DIR:-$root/../shared/data}
genome=$data/genomes/NC_000913
promoters=$data/reference/ecoli/PromoterSet.txt
program=$build/meridan
if [ ! -f "$genome/NC_000913.fna" ]; then echo "no E. coli genome under $data; nothing to time"; exit 0; fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/results"

# The workbench's call: working folder = program folder, relative WM/ and
# threshold/, no annotation file (PTT and RNT folders given).
call() {
  (cd "$program" && ./ethrin-call ./bin/Ethrin.so "$work/results/" "" "" "$genome/" "" NULL NC_000913 "" \
     ./WM/ "$genome/" "$genome/" ./threshold/ 250 100 1)
}

echo "Ethrin on NC_000913 (4.64 Mb, 4505 genes), $runs runs:"
for i in $(seq "$runs"); do
  from=$(date +%s.%N)
  call >/dev/null 2>&1
  to=$(date +%s.%N)
  echo "  run $i: $(echo "$to - $from" | bc -l | awk '{printf "%.3f", $1}') s wall (process start to end)"
done
/usr/bin/time -v bash -c "$(declare -f call); work='$work' program='$program' genome='$genome'; call" \
  >"$work/out.txt" 2>"$work/time.txt"
grep "mainfun took" "$work/time.txt" | sed 's/^/  /'
grep -E "User time|System time|Maximum resident set size" "$work/time.txt" | sed 's/^\s*/  /'
grep -E "sigma[0-9]+:" "$work/out.txt" | sed 's/^/  /'

echo
echo "sigma70 compared with $(basename "$promoters") (in-sample: the shipped models were trained on them;"
echo "tools/ethrin-thresholds/cross-validate.sh gives the held-out figures):"
"$program/ethrin-evaluate" --promoters "$promoters" --scores "$work/results/NC_000913.sigma70.sca.dat" \
  --genes "$genome/NC_000913.ptt" --genes "$genome/NC_000913.rnt" --sigma Sigma70 \
  --confidence Strong,Confirmed --upstream 250 --tolerance 10 | sed 's/^/  /'
echo "all four sigma factors, gene level:"
"$program/ethrin-evaluate" --promoters "$promoters" --genes "$genome/NC_000913.ptt" --genes "$genome/NC_000913.rnt" \
  $(for f in "$work"/results/NC_000913.sigma*.sca.dat; do echo --scores "$f"; done) | sed -n '/gene level/,$p' | sed 's/^/  /'
