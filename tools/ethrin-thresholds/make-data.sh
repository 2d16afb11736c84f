#!/usr/bin/env bash
# Remakes the promoter scanner's shipped data from the known E. coli
# promoters and genome:
#   engines/promoter/data/WM/<sigma>.wm         (ethrin-train, from seeds/)
#   engines/promoter/data/threshold/<sigma>.thr (ethrin-thresholds)
# usage: tools/ethrin-thresholds/make-data.sh <program folder with the tools> [data folder]
#   e.g. tools/ethrin-thresholds/make-data.sh build/meridan ../shared/data
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
tools=${1:?program folder holding ethrin-train and ethrin-thresholds}
data=${2:-${MERIDAN_DATA_DIR:-$root/../shared/data}}
promoters=$data/reference/ecoli/PromoterSet.txt
genome=$data/genomes/NC_000913/NC_000913.fna
out=$root/engines/promoter/data

for s in 24 32 38 70; do
  "$tools/ethrin-train" --promoters "$promoters" --sigma "Sigma$s" --confidence Strong,Confirmed \
    --seed "$here/seeds/sigma$s.wm" --out "$out/WM/sigma$s.wm"
done
"$tools/ethrin-thresholds" --genome "$genome" --wm "$out/WM" --out "$out/threshold" \
  --share 0.001 --windows 2000000 --seed 1
