#!/usr/bin/env bash
# Remakes the promoter scanner's shipped data from the known E. coli
# promoters and genome, in one command:
#   engines/promoter/data/WM/<sigma>.wm         (ethrin-train: boxes from seeds/, context from the genome)
#   engines/promoter/data/threshold/<sigma>.thr (ethrin-thresholds: calibrated on each scanned genome)
# usage: tools/ethrin-thresholds/make-data.sh <program folder with the tools> [data folder]
#   e.g. tools/ethrin-thresholds/make-data.sh build/meridan ../shared/data
#   FDR (default 0.45) is the false-discovery rate a score > 0 keeps.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
tools=${1:?program folder holding ethrin-train and ethrin-thresholds}
data=${2:-${MERIDAN_DATA_DIR:-$root/../shared/data}}
out=$root/engines/promoter/data

"$here/train-models.sh" "$tools" "$data" "$out/WM"
"$tools/ethrin-thresholds" --fdr "${FDR:-0.45}" --shuffles 2 --seed 1 --out "$out/threshold"
