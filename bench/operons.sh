#!/usr/bin/env bash
# Operon quality and cost of the two operon modes, measured with
# meridan-evaluate:
#   - E. coli K-12 against RegulonDB (Strong/Confirmed operons, pair benchmark
#     and TU spans): the operon engine with MERIDAN_SEED=1 and five other
#     seeds, the rule "same operon when the gap is under 90 bases", and the
#     evidence mode on each of those runs; an ablation of every evidence; TU
#     span recall/precision with both modes; the time the evidence step takes;
#   - S. aureus (no known operons): how much each mode links;
#   - simulated genomes (meridan-simulate): the planted operons.
#
#   bench/operons.sh [--quick]     # --quick: seed 1 only, no other genomes
#
# BUILD_DIR selects the build (default: build/ of the project); MERIDAN_DATA_DIR
# the folder of real genomes (default: ../shared/data beside the project).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
data=${MERIDAN_DATA_DIR:-$root/../shared/data}
run=$build/meridan
quick=${1:-}
for tool in meridan-predict meridan-evaluate operon-evidence-run meridan-simulate; do
  [ -x "$run/$tool" ] || { echo "no $run/$tool: build first" >&2; exit 1; }
done
ecoli=$data/genomes/NC_000913
ref=$data/reference/ecoli
[ -f "$ecoli/NC_000913.fna" ] || { echo "no E. coli under $data; nothing to measure"; exit 0; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# predict OUT SEED MODE DIR ID: one whole prediction, its results kept in OUT.
predict() {
  local out=$1 seed=$2 mode=$3 dir=$4 id=$5
  local inputs=("$dir/$id.fna" "$dir/$id.ptt")
  [ -f "$dir/$id.rnt" ] && inputs+=("$dir/$id.rnt")
  mkdir -p "$out"
  MERIDAN_SEED=$seed "$run/meridan-predict" --operons "$mode" "${inputs[@]}" >"$out/predict.txt" 2>&1 ||
    { cat "$out/predict.txt" >&2; exit 1; }
  cp "$run/results/$id"_* "$run/results/$id".sigma70.sca.dat "$out/"
  cp "$run/annotation/$id.ano" "$out/$id.ano" 2>/dev/null || cp "$dir/$id.ptt" "$out/$id.ano"
}

# evaluate DIR [GENETAG] [more meridan-evaluate arguments]: the E. coli figures.
evaluate() {
  local dir=$1 genetag=${2:-$1/NC_000913_genetag.txt}
  shift 2 || shift 1
  "$run/meridan-evaluate" --genes "$ecoli/NC_000913.ptt" --tagged-genes "$dir/NC_000913.ano" --results "$dir" \
    --id NC_000913 --genetag "$genetag" \
    --operons "$ref/OperonSet.txt" --gene-products "$ref/GeneProductSet.txt" --tus "$ref/TUSet.txt" "$@"
}

# refine DIR OUT [EVIDENCE]: the evidence step on a finished run (default: its default evidence).
refine() {
  local dir=$1 out=$2 evidence=()
  [ -n "${3:-}" ] && evidence=(--evidence "$3")
  "$run/operon-evidence-run" --genes "$dir/NC_000913.ano" --genetag "$dir/NC_000913_genetag.txt" --out "$out" \
    --promoters "$dir/NC_000913.sigma70.sca.dat" --terminators "$dir/NC_000913_terminator_score.txt" \
    "${evidence[@]}"
}

# figures LABEL LINE: "label accuracy MCC" from a pair line of meridan-evaluate.
figures() { awk -v l="$1" '{for (i = 1; i < NF; ++i) { if ($i == "accuracy") a = $(i+1); if ($i == "MCC") m = $(i+1) }
                            printf "%-34s accuracy %s  MCC %s\n", l, a, m}'; }

# links ANO GENETAG: how many same-strand neighbours the gene tags link, and
# how many lie closer than 90 bases.
links() {
  awk -F'\t' 'NR == FNR { if (FNR > 3) { split($1, p, /\.\./); n++; s[n] = $2; a[n] = p[1]; b[n] = p[2]; t[n] = $6 }; next }
              { split($0, f, " "); o[FNR] = f[1] }
              END { for (i = 1; i < n; ++i) if (s[i] == s[i + 1] && t[i] != t[i + 1]) {
                      c++; l += o[i] == o[i + 1]; d += a[i + 1] - b[i] - 1 < 90 }
                    printf "%d same-strand neighbours: %d linked (%.3f); %d closer than 90 bases (%.3f)\n",
                           c, l, l / c, d, d / c }' "$1" "$2"
}

seeds="1 2 3 4 5 6"
[ "$quick" = "--quick" ] && seeds=1
echo "== E. coli K-12 (NC_000913), RegulonDB Strong/Confirmed operons"
for seed in $seeds; do
  predict "$work/em$seed" "$seed" em "$ecoli" NC_000913
  refine "$work/em$seed" "$work/em$seed/evidence_genetag.txt" >"$work/em$seed/refine.txt"
  evaluate "$work/em$seed" >"$work/em$seed/eval.txt"
  evaluate "$work/em$seed" "$work/em$seed/evidence_genetag.txt" >"$work/em$seed/eval_evidence.txt"
done
sed -n '1,2p' "$work/em1/eval.txt"
grep "distance < 90" "$work/em1/eval.txt" | figures "distance < 90"
grep "distance < 90" "$work/em1/eval.txt"
for seed in $seeds; do
  grep "gene tags" "$work/em$seed/eval.txt" | figures "engine (em), seed $seed"
  grep "gene tags" "$work/em$seed/eval_evidence.txt" | figures "evidence mode, seed $seed"
done
echo "full lines, seed 1:"
grep "gene tags" "$work/em1/eval.txt" | sed 's/gene tags/em      /'
grep "gene tags" "$work/em1/eval_evidence.txt" | sed 's/gene tags/evidence/'
if [ "$quick" != "--quick" ]; then
  for mode in eval eval_evidence; do
    for seed in 2 3 4 5 6; do grep "gene tags" "$work/em$seed/$mode.txt"; done |
      awk -v m="$mode" '{for (i = 1; i < NF; ++i) { if ($i == "accuracy") a = $(i+1); if ($i == "MCC") c = $(i+1) }
                         sa += a; sc += c; n++; if (n == 1 || a < amin) amin = a; if (n == 1 || a > amax) amax = a
                         if (n == 1 || c < cmin) cmin = c; if (n == 1 || c > cmax) cmax = c }
                         END { printf "%-34s accuracy mean %.3f (%.3f-%.3f)  MCC mean %.3f (%.3f-%.3f)\n",
                               (m == "eval" ? "engine (em), seeds 2-6" : "evidence mode, seeds 2-6"),
                               sa / n, amin, amax, sc / n, cmin, cmax }'
  done
fi

echo "== ablation (seed 1): the default evidence (gap,category,product,length,name) without one, or with one more"
default="gap category product length name"
for drop in $default; do
  list=$(echo $default | tr ' ' '\n' | grep -v "^$drop$" | paste -sd,)
  refine "$work/em1" "$work/abl.txt" "$list" >/dev/null
  evaluate "$work/em1" "$work/abl.txt" | grep "gene tags" | figures "without $drop"
done
for more in promoter terminator engine promoter,terminator,engine; do
  refine "$work/em1" "$work/abl.txt" "gap,category,product,length,name,$more" >/dev/null
  evaluate "$work/em1" "$work/abl.txt" | grep "gene tags" | figures "with $more"
done
for only in gap engine "gap,category" "gap,product" "gap,length" "gap,name" "gap,promoter" "gap,terminator" "gap,engine"; do
  refine "$work/em1" "$work/abl.txt" "$only" >/dev/null
  evaluate "$work/em1" "$work/abl.txt" | grep "gene tags" | figures "only $only"
done

if [ -f "$ref/termseq_terminators_100bp.bed" ]; then
  echo "== E. coli neighbours with a Term-seq 3' end between them (split) and without (linked), seed 1"
  evaluate "$work/em1" "" --terminators "$ref/termseq_terminators_100bp.bed" | grep -A2 "^same-strand" |
    tail -n 2 | sed 's/gene tags:/em:      /'
  evaluate "$work/em1" "$work/em1/evidence_genetag.txt" --terminators "$ref/termseq_terminators_100bp.bed" |
    grep "gene tags: split" | sed 's/gene tags:/evidence:/'
fi

echo "== TU spans against RegulonDB TUSet (seed 1)"
predict "$work/ev1" 1 evidence "$ecoli" NC_000913
echo "em:       $(evaluate "$work/em1" | grep 'TU spans')"
echo "evidence: $(evaluate "$work/ev1" | grep 'TU spans')"
cmp -s "$work/ev1/NC_000913_genetag.txt" "$work/em1/evidence_genetag.txt" &&
  echo "(meridan-predict --operons evidence wrote the same gene tags as operon-evidence-run)"
echo "summary em:       $(tr '\n' ' ' <"$work/em1/NC_000913_summary.txt")"
echo "summary evidence: $(tr '\n' ' ' <"$work/ev1/NC_000913_summary.txt")"

echo "== cost of the evidence step on E. coli"
grep "operon evidence" -A1 "$work/ev1/predict.txt" | sed 's/^ */  /'
for i in 1 2 3; do refine "$work/em1" "$work/t.txt" | grep took | sed 's/^/  operon-evidence-run: /'; done
grep "whole prediction" "$work/em1/predict.txt" | sed 's/^/  em:       /'
grep "whole prediction" "$work/ev1/predict.txt" | sed 's/^/  evidence: /'

[ "$quick" = "--quick" ] && exit 0

staph=$data/genomes/NC_007795
if [ -f "$staph/NC_007795.fna" ]; then
  echo "== S. aureus NCTC 8325 (NC_007795): no known operons; how much each mode links"
  predict "$work/sa" 1 em "$staph" NC_007795
  "$run/operon-evidence-run" --genes "$work/sa/NC_007795.ano" --genetag "$work/sa/NC_007795_genetag.txt" \
    --out "$work/sa/evidence_genetag.txt" --promoters "$work/sa/NC_007795.sigma70.sca.dat" \
    --terminators "$work/sa/NC_007795_terminator_score.txt" | head -n 1 | sed 's/^/  /'
  echo "  em:       $(links "$work/sa/NC_007795.ano" "$work/sa/NC_007795_genetag.txt")"
  echo "  evidence: $(links "$work/sa/NC_007795.ano" "$work/sa/evidence_genetag.txt")"
  if [ -f "$staph/NC_007795.terminators.bed" ]; then
    # Term-seq 3' ends: terminator recall, and how each mode treats neighbours
    # with a mapped end between them (a transcript boundary).
    "$run/meridan-evaluate" --genes "$work/sa/NC_007795.ano" --results "$work/sa" --id NC_007795 \
      --terminators "$staph/NC_007795.terminators.bed" | sed 's/^/  /; s/gene tags:/em:      /'
    "$run/meridan-evaluate" --genes "$work/sa/NC_007795.ano" --results "$work/sa" --id NC_007795 \
      --genetag "$work/sa/evidence_genetag.txt" --terminators "$staph/NC_007795.terminators.bed" |
      grep "gene tags: split" | sed 's/^/  /; s/gene tags:/evidence:/'
  fi
fi

echo "== simulated genomes (planted operons)"
for seed in 1 2; do
  sim=$work/sim$seed
  "$run/meridan-simulate" --length 1M --seed "$seed" --accession SIM00000$seed --out "$sim" >/dev/null
  predict "$sim/em" 1 em "$sim" SIM00000$seed
  "$run/operon-evidence-run" --genes "$sim/em/SIM00000$seed.ano" --genetag "$sim/em/SIM00000${seed}_genetag.txt" \
    --out "$sim/evidence_genetag.txt" --promoters "$sim/em/SIM00000$seed.sigma70.sca.dat" \
    --terminators "$sim/em/SIM00000${seed}_terminator_score.txt" >/dev/null
  for mode in em evidence; do
    tags=$sim/em/SIM00000${seed}_genetag.txt
    [ "$mode" = evidence ] && tags=$sim/evidence_genetag.txt
    "$run/meridan-evaluate" --genes "$sim/em/SIM00000$seed.ano" --results "$sim/em" --id SIM00000$seed \
      --genetag "$tags" --known-operons "$sim/SIM00000${seed}_truth.txt" |
      grep -E "gene tags|distance" | sed "s|gene tags|$mode|; s/^/  seed $seed /"
  done
done
