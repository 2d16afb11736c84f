#!/usr/bin/env bash
# Held-out check of the promoter models: trains all four on the known
# promoters of one half of the E. coli chromosome (boxes and context),
# scans the genome and compares only the other half's promoters and genes;
# then the other way round, and the two halves together.
# usage: tools/ethrin-thresholds/cross-validate.sh <program folder with the tools> [data folder]
#   FDR (default the shipped one) sets the calibration's false-discovery rate.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
program=$(cd "${1:?program folder holding bin/Ethrin.so and the ethrin tools}" && pwd)
data=${2:-${MERIDAN_DATA_DIR:-$root/../shared/data}}
genome=$data/genomes/NC_000913
promoters=$data/reference/ecoli/PromoterSet.txt
fdr=${FDR:-$(awk '$1 == "fdr" {print $2}' "$root/engines/promoter/data/threshold/sigma70.thr")}
half=2320826
length=4641652
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fold() { # <promoters left out of training>
  local d=$work/$1
  mkdir -p "$d/WM" "$d/threshold" "$d/results"
  "$here/train-models.sh" "$program" "$data" "$d/WM" "$1" >/dev/null
  "$program/ethrin-thresholds" --fdr "$fdr" --out "$d/threshold" >/dev/null
  "$program/ethrin-call" "$program/bin/Ethrin.so" "$d/results/" "" "" "$genome/" "" NULL NC_000913 "" \
    "$d/WM/" "$genome/" "$genome/" "$d/threshold/" 250 100 1 >"$d/log.txt" 2>&1
  echo "trained without the promoters starting at $1, compared on them and on the genes there:"
  "$program/ethrin-evaluate" --promoters "$promoters" --genes "$genome/NC_000913.ptt" --genes "$genome/NC_000913.rnt" \
    $(for f in "$d"/results/*.sca.dat; do echo --scores "$f"; done) --only-tss "$1" | tee "$d/eval.txt" | sed 's/^/  /'
}
fold "1-$half"
fold "$((half + 1))-$length"
# Both held-out halves together.
python3 - "$work"/1-*/eval.txt "$work"/$((half + 1))-*/eval.txt <<'PY'
import re, sys
tot = [0] * 6
for path in sys.argv[1:]:
    text = open(path).read()
    m = re.search(r"genes flagged \(score > 0\): (\d+) of (\d+)", text)
    n = re.search(r"before the start codon: (\d+), with a flagged promoter within \d+ nt of it: (\d+)", text)
    p = re.search(r"flagged promoters: (\d+), within \d+ nt of a known start: (\d+)", text)
    for i, v in enumerate([m[1], m[2], n[1], n[2], p[1], p[2]]):
        tot[i] += int(v)
print("both held-out halves: genes flagged %d of %d (%.1f %%); genes with a known start found %d of %d (%.3f); "
      "flagged promoters near a known start %d of %d (%.3f)"
      % (tot[0], tot[1], 100 * tot[0] / tot[1], tot[3], tot[2], tot[3] / tot[2], tot[5], tot[4], tot[5] / max(tot[4], 1)))
PY
