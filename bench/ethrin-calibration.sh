#!/usr/bin/env bash
# Share of genes the promoter scanner flags (score > 0) on genomes of
# different composition: E. coli, S. aureus, the plasmid and simulated
# genomes (planted sigma70 promoters before every operon), per sigma factor
# and for any of the four. With the per-genome calibration the share follows
# how much promoter signal the genome holds, not its composition.
# usage: bench/ethrin-calibration.sh [build folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
data=${MERIDAN_DATA_DIR:-$root/../shared/data}
program=$build/meridan
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

share() { # <genome folder> <id>
  mkdir -p "$work/results"
  (cd "$program" && ./ethrin-call ./bin/Ethrin.so "$work/results/" "" "" "$1/" "" NULL "$2" "" ./WM/ "$1/" "$1/" \
     ./threshold/ 250 100 1) >"$work/log.txt" 2>&1
  local gc
  gc=$(grep -v '^>' "$1/$2.fna" | tr -d '\n' | awk '{n = length($0); g = gsub(/[GCgc]/, ""); printf "%.1f", 100 * g / n}')
  (cd "$work/results" && awk -v id="$2" -v gc="$gc" 'FNR == 1 { split(FILENAME, p, "."); name[++files] = p[2]; next }
    { genes[$1] = 1; if ($5 > 0) { any[$1] = 1; s[files]++ } }
    END { n = length(genes); printf "  %-10s GC %5s %%  genes %5d  flagged %5.1f %%  (", id, gc, n, 100 * length(any) / n
          for (k = 1; k <= files; k++) printf "%s%s %.1f %%", (k > 1 ? ", " : ""), name[k], 100 * s[k] / n; print ")" }' \
    "$2".sigma24.sca.dat "$2".sigma32.sca.dat "$2".sigma38.sca.dat "$2".sigma70.sca.dat)
  rm -rf "$work/results"
}

echo "genes with a promoter score > 0 (any sigma factor; per sigma factor):"
for id in NC_000913 NC_007795 NC_005816; do
  [ -f "$data/genomes/$id/$id.fna" ] && share "$data/genomes/$id" "$id"
done
for seed in 1 2 3; do
  mkdir -p "$work/sim$seed"
  "$program/meridan-simulate" --length 1M --seed "$seed" --accession "SIM00000$seed" --out "$work/sim$seed" >/dev/null
  share "$work/sim$seed" "SIM00000$seed"
done
