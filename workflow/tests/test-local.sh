#!/usr/bin/env bash
# The workflow run locally on three small genomes (the real plasmid NC_005816
# when the data folder is there, else a third simulated one) and one broken
# genome: the three finish, the broken one fails alone and is named in the
# summary and the report, and a second run predicts nothing again but the
# broken genome. The operons are refined by evidence, the batch's genomes
# being the panel (the broken one left out of it).
#   test-local.sh PROGRAM_FOLDER      (exit 77: skipped)
set -euo pipefail
program=$(cd "$1" && pwd)
workflow=$(cd "$(dirname "$0")/.." && pwd)
snakemake=${MERIDAN_SNAKEMAKE:-$(command -v snakemake || true)}
[ -n "$snakemake" ] && [ "$snakemake" != "MERIDAN_SNAKEMAKE-NOTFOUND" ] || { echo "snakemake not installed: skipped"; exit 77; }
"$program/meridan-predict" --help | grep -q -- '--output' || { echo "meridan-predict has no -o DIR yet: skipped"; exit 77; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

sheet=$scratch/samples.tsv
printf 'id\tfiles\n' > "$sheet"
for n in 1 2; do
  id=SIM00000$n
  "$program/meridan-simulate" --length 60k --seed "$n" --accession "$id" --out "$scratch/genomes" >/dev/null
  printf '%s\tgenomes/%s.fna genomes/%s.ptt genomes/%s.rnt\n' "$id" "$id" "$id" "$id" >> "$sheet"
done
plasmid=${MERIDAN_DATA_DIR:-}/genomes/NC_005816
if [ -f "$plasmid/NC_005816.fna" ]; then
  printf 'NC_005816\t%s/NC_005816.fna %s/NC_005816.ptt %s/NC_005816.rnt\n' "$plasmid" "$plasmid" "$plasmid" >> "$sheet"
else
  "$program/meridan-simulate" --length 60k --seed 3 --accession SIM000003 --out "$scratch/genomes" >/dev/null
  printf 'SIM000003\tgenomes/SIM000003.fna genomes/SIM000003.ptt genomes/SIM000003.rnt\n' >> "$sheet"
fi
# A broken genome: its sequence file holds no sequence.
printf 'not a sequence file\n' > "$scratch/genomes/BROKEN001.fna"
cp "$scratch/genomes/SIM000001.ptt" "$scratch/genomes/BROKEN001.ptt"
printf 'BROKEN001\tgenomes/BROKEN001.fna genomes/BROKEN001.ptt\n' >> "$sheet"

run() {
  (cd "$workflow" && "$snakemake" --cores 2 --keep-going --config samples="$sheet" outdir="$scratch/out" \
     predict="$program/meridan-predict" operons=evidence > "$scratch/run$1.log" 2>&1)
}
if (cd "$workflow" && "$snakemake" -n --cores 1 --config samples="$sheet" outdir="$scratch/bad" operons=bogus \
      > "$scratch/bad.log" 2>&1); then
  fail "operons=bogus was accepted"
fi
grep -q 'operons=bogus' "$scratch/bad.log" || { cat "$scratch/bad.log"; fail "operons=bogus is not named"; }
if run 1; then fail "the run with a broken genome reported success"; fi
summary=$scratch/out/summary.tsv
[ -f "$summary" ] || { cat "$scratch/run1.log"; fail "no summary after a failed genome"; }
cat "$summary"
[ "$(awk -F'\t' 'NR > 1 && $2 == "ok"' "$summary" | wc -l)" -eq 3 ] || fail "three genomes should have finished"
awk -F'\t' '$1 == "BROKEN001" && $2 == "failed" && $14 ~ /BROKEN001/' "$summary" | grep -q . \
  || fail "the broken genome's failure and message are not in the summary"
awk -F'\t' 'NR > 1 && $2 == "ok" && !($4 > 0 && $5 > 0 && $7 > 0)' "$summary" | grep -q . \
  && fail "a finished genome has no genes, operons or TUs"
grep -q '<tr class="failed"><td class="t">BROKEN001<' "$scratch/out/report.html" || fail "the report does not show the failure"
grep -q '^\[.*\] operon evidence finished' "$scratch/out/logs/SIM000001.log" || fail "operons=evidence did not reach meridan-predict"
if command -v mmseqs >/dev/null; then
  grep -q -- "--panel $scratch/out/panel/db" "$scratch/out/logs/SIM000001.log" || fail "the batch's panel was not used"
  grep -q 'panel: .* (SIM000001 left out: the same genome)' "$scratch/out/logs/SIM000001.log" ||
    fail "the genome itself was not left out of its panel"
  grep -q 'BROKEN001' "$scratch/out/logs/panel.log" || fail "the unreadable genome is not named in the panel's log"
else
  grep -q '^none' "$scratch/out/panel/status.txt" || fail "a panel without MMseqs2 was not reported"
fi

# The second run retries the broken genome only.
run 2 || true
[ "$(grep -c '^rule predict:' "$scratch/run2.log")" -eq 1 ] || fail "the rerun predicted finished genomes again"
grep -q 'wildcards: id=BROKEN001' "$scratch/run2.log" || fail "the rerun did not retry the broken genome"
echo "workflow: 3 genomes finished, the broken one failed alone"
