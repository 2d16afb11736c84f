#!/usr/bin/env bash
# Held-out check of the promoter models: trains all four on the known
# promoters of one half of the E. coli chromosome (boxes and context),
# scans the genome and compares only the other half's promoters and genes;
# then the other way round, and the two halves together. Each half is also
# judged by meridan-evaluate, beside the consensus scan (TTGACA / 15-19 /
# TATAAT, <= 2 mismatches per box) on the same genes and known starts.
# usage: tools/ethrin-thresholds/cross-validate.sh <program folder with the tools> [data folder]
#   FDR (default the shipped one) sets the calibration's false-discovery rate;
#   KEEP=1 keeps the work folder (models, score files, cut tables) and names it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
program=$(cd "${1:?program folder holding bin/Ethrin.so, the ethrin tools and meridan-evaluate}" && pwd)
data=${2:-${MERIDAN_DATA_DIR:-$root/../shared/data}}
genome=$data/genomes/NC_000913
promoters=$data/reference/ecoli/PromoterSet.txt
fdr=${FDR:-$(awk '$1 == "fdr" {print $2}' "$root/engines/promoter/data/threshold/sigma70.thr")}
half=2320826
length=4641652
work=$(mktemp -d)
if [ -n "${KEEP:-}" ]; then echo "work folder: $work"; else trap 'rm -rf "$work"' EXIT; fi

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
  # The same half judged by meridan-evaluate (a known start counts when it
  # lies within 50 nt of a flagged promoter's boxes), beside the consensus
  # scan: gene tables, known starts and hits cut to the half.
  local from=${1%-*} to=${1#*-}
  for t in ptt rnt; do
    awk -v from="$from" -v to="$to" -F'\t' 'FNR <= 3 { print; next }
      { split($1, loc, /\.\./); s = $2 == "+" ? loc[1] : loc[2]; if (s >= from && s <= to) print }' \
      "$genome/NC_000913.$t" >"$d/half.$t"
  done
  awk -v from="$from" -v to="$to" -F'\t' '/^#/ || ($4 >= from && $4 <= to)' "$promoters" >"$d/tss.txt"
  awk -F'\t' 'FNR > 3 { print $6 }' "$d/half.ptt" "$d/half.rnt" >"$d/half.genes"
  awk 'FILENAME ~ /half.genes$/ { keep[$1] = 1; next } FNR == 1 && !header++ || (FNR > 1 && ($1 in keep))' \
    "$d/half.genes" "$d"/results/*.sca.dat >"$d/hits.txt"
  "$program/meridan-evaluate" --genes "$d/half.ptt" --genes "$d/half.rnt" --tss "$d/tss.txt" \
    --promoters "$d/hits.txt" --genome "$genome/NC_000913.fna" | sed -n '/^  /s/^/ /p' | tee "$d/judged.txt"
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
awk '{ k = 0; for (i = 1; i <= NF; ++i) if ($i == "of") { n[$1, ++k] += $(i - 1); d[$1, k] += $(i + 1) } }
  END { for (r = 0; r < 2; ++r) { w = r ? "consensus" : "scanner:"
          printf "both halves, meridan-evaluate, %s genes flagged %.1f %%, genes with a known start placed %.3f, flagged promoters near a known start %.3f\n",
            r ? "consensus scan:" : "scanner:", 100 * n[w, 1] / d[w, 1], n[w, 2] / d[w, 2], n[w, 3] / d[w, 3] } }' \
  "$work"/*/judged.txt
