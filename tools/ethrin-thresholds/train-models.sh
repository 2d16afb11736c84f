#!/usr/bin/env bash
# Trains the four promoter models (boxes from the seeds, context from the
# genome) from the known E. coli promoters into one folder.
# usage: train-models.sh <program folder> <data folder> <out WM folder> [promoters left out FROM-TO]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tools=$1
data=$2
out=$3
skip=${4:+--skip-tss $4}
genome=$data/genomes/NC_000913
for s in 24 32 38 70; do
  # shellcheck disable=SC2086
  "$tools/ethrin-train" --promoters "$data/reference/ecoli/PromoterSet.txt" --sigma "Sigma$s" \
    --confidence Strong,Confirmed --seed "$here/seeds/sigma$s.wm" --out "$out/sigma$s.wm" $skip \
    --genome "$genome/NC_000913.fna" --genes "$genome/NC_000913.ptt" --genes "$genome/NC_000913.rnt"
done
