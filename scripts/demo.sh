#!/usr/bin/env bash
# Meridan in one command: installs what it needs (skip with SKIP_INSTALL=1),
# builds everything into build/, writes a simulated 1 Mb genome, predicts its
# operons, promoters, terminators and transcription units with meridan-predict,
# compares them with what was planted, and shows where the results are.
#   bash scripts/demo.sh
# BUILD_DIR chooses another build folder than build/.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${SKIP_INSTALL:-0}" != 1 ]; then bash scripts/install-deps.sh; fi

build=${BUILD_DIR:-build}
# Full optimisation: the prediction is what users wait for.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)"

run=$build/meridan
genome=$build/demo-genome
echo
echo "== a simulated genome with planted operons, promoters and terminators"
"$run/meridan-simulate" --length 1M --seed 1 --accession SIM000001 --out "$genome"
echo
echo "== the ATU prediction"
"$run/meridan-predict" --quiet "$genome/SIM000001.fna" "$genome/SIM000001.ptt" "$genome/SIM000001.rnt"
echo
echo "== what came back of the planted structure"
"$run/meridan-simulate" --score "$genome/SIM000001_truth.txt" "$run"
echo
echo "== the first transcription units ($run/results/SIM000001_tulist.txt)"
head -n 5 "$run/results/SIM000001_tulist.txt"
echo
echo "Results: $(cd "$run/results" && pwd)"
echo "Your own genome:  $run/meridan-predict GENOME.fna GENOME.ptt [GENOME.rnt]"
echo "The workbench:    (cd $run && ./meridan), then File > Import the FNA, PTT and RNT files and Prediction > ATU"
