#!/usr/bin/env bash
# Out-of-sample check of the sigma70 model: trains it on the known promoters
# of one half of the E. coli chromosome, remakes its threshold, scans the
# genome and compares only the promoters of the other half; then the other
# way round.
# usage: tools/ethrin-thresholds/cross-validate.sh <program folder with the tools> [data folder] [learned|flat]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
program=$(cd "${1:?program folder holding bin/Ethrin.so and the ethrin tools}" && pwd)
data=${2:-${MERIDAN_DATA_DIR:-$root/../shared/data}}
spacer=${3:-learned}
genome=$data/genomes/NC_000913
promoters=$data/reference/ecoli/PromoterSet.txt
half=2320826
length=4641652
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fold() { # <promoters left out of training>
  local d=$work/$1
  mkdir -p "$d/WM" "$d/threshold" "$d/results"
  cp "$program"/WM/*.wm "$d/WM/"
  cp "$program"/threshold/*.thr "$d/threshold/"
  "$program/ethrin-train" --promoters "$promoters" --sigma Sigma70 --seed "$here/seeds/sigma70.wm" \
    --out "$d/WM/sigma70.wm" --skip-tss "$1" --spacer "$spacer" >/dev/null
  "$program/ethrin-thresholds" --genome "$genome/NC_000913.fna" --wm "$d/WM" --out "$d/threshold" \
    --sigma sigma70 >/dev/null
  "$program/ethrin-call" "$program/bin/Ethrin.so" "$d/results/" "" "" "$genome/" "" NULL NC_000913 "" \
    "$d/WM/" "$genome/" "$genome/" "$d/threshold/" 250 100 1 >/dev/null 2>&1
  echo "sigma70 trained without the promoters starting at $1, compared on them:"
  "$program/ethrin-evaluate" --promoters "$promoters" --scores "$d/results/NC_000913.sigma70.sca.dat" \
    --genes "$genome/NC_000913.ptt" --genes "$genome/NC_000913.rnt" --only-tss "$1" | sed 's/^/  /'
}
fold "1-$half"
fold "$((half + 1))-$length"
