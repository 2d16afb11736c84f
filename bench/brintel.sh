#!/usr/bin/env bash
# Times the TU builder (bin/Brintel.so) on a real gene table with generated
# gene tags, promoter and terminator tables, and prints wall time and peak
# memory. The library is loaded through Python's ctypes, so the figures
# include the interpreter's start (about 10 MB, a few tens of ms).
#
# Usage: bench/brintel.sh [build dir] [genome accession] [repeat]
#   build dir defaults to ./build, the genome to NC_000913; the gene table is
#   taken <repeat> times over (default 1) to scale the input.
set -euo pipefail

BUILD=${1:-build}
GENOME=${2:-NC_000913}
REPEAT=${3:-1}
REPO=$(cd "$(dirname "$0")/.." && pwd)
DATA=${MERIDAN_DATA_DIR:-$REPO/../shared/data}
LIB=$(realpath "$BUILD/meridan/bin/Brintel.so")
PTT=$(realpath "$DATA/genomes/$GENOME/$GENOME.ptt")

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cd "$WORK"
mkdir results

# Gene tags: a new operon at every strand change and after every fourth gene;
# every third gene has a confident promoter, every fifth a confident terminator.
python3 - "$PTT" "$GENOME" "$REPEAT" <<'PY'
import sys
ptt, genome, repeat = sys.argv[1], sys.argv[2], int(sys.argv[3])
with open(ptt) as f:
    lines = f.read().split('\n')
header, rows = lines[:3], [l for l in lines[3:] if l.strip()]
if repeat > 1:  # give every copy synonyms of its own
    copies = []
    for r in range(repeat):
        for row in rows:
            cols = row.split('\t')
            cols[5] += '_%d' % r
            copies.append('\t'.join(cols))
    rows = copies
with open(genome + '.ptt', 'w') as out:
    out.write('\n'.join(header) + '\n' + '\n'.join(rows) + '\n')
tags, prom, term = [], [], []
operon, run, strand = -1, 0, None
for i, row in enumerate(rows):
    cols = row.split('\t')
    if cols[1] != strand or run == 4:
        operon, run, strand = operon + 1, 0, cols[1]
    run += 1
    tags.append('%d    -1    -1    -1\n' % operon)
    name = cols[5]
    if i % 3 == 0:
        prom.append(''.join('%15s' % x for x in (name, '1.5', 100, 140, 'TTGACA', '-', 'TATAAT', '\n')))
    if i % 5 == 0:
        term.append('%5d%10d%10d%10d%20s\t\t%s\t%s\n' % (12, 7, 4, 10, '3.5', 'GCGCGCCAAAGCGCGCTTTTTTT', name))
open('results/%s_genetag.txt' % genome, 'w').write(''.join(tags))
open('results/%s_promoter_scores.txt' % genome, 'w').write(''.join(prom))
open('results/%s_terminator_score.txt' % genome, 'w').write(''.join(term))
PY

/usr/bin/time -v python3 - "$LIB" "$GENOME" > run.log 2> time.log <<'PY'
import ctypes, sys
lib = ctypes.CDLL(sys.argv[1])
g = sys.argv[2]
args = [g + '.ptt', './results/%s_genetag.txt' % g, './results/%s_promoter_scores.txt' % g,
        './results/%s_terminator_score.txt' % g, './results/%s_tulist.txt' % g, g]
sys.exit(0 if lib.mainfun(*[a.encode() for a in args]) == 1 else 1)
PY

echo "genome $GENOME x$REPEAT: $(grep -c . "$GENOME.ptt") lines in the gene table"
tr '\n' ' ' < "results/${GENOME}_summary.txt"; echo
echo "TU list lines: $(wc -l < "results/${GENOME}_tulist.txt")"
grep -E "Elapsed \(wall clock\)|Maximum resident set size" time.log
