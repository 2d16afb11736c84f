#!/usr/bin/env bash
# Screenshots of the workbench under Xvfb (1600 x 1000) with a window manager,
# the way a user sees it: for each genome the map right after the prediction
# and zoomed in, the detail view of a four-gene unit (found with the search
# dialog), and a cancelled run of the first genome.
#
# Usage: bench/workbench_screens.sh <build dir> <genomes folder> <out dir> [ids...]
#   e.g. bench/workbench_screens.sh build ../shared/data/genomes /tmp/screens \
#          NC_005816 NC_007795 NC_000913
# Needs Xvfb, openbox, xdotool and ImageMagick's import.
set -euo pipefail

build=$(cd "${1:?build dir}" && pwd)
genomes=$(cd "${2:?genomes folder}" && pwd)
out=$(mkdir -p "${3:?out dir}" && cd "$3" && pwd)
shift 3
ids=("${@:-NC_005816}")
run="$build/meridan"
display=:${MERIDAN_XVFB_DISPLAY:-96}

. "$(dirname "$0")/xvfb_session.sh"
start_session "$display"

start_app() {   # $1: genome id, recent entry 1 = its FNA file
  printf '[General]\nrecentFiles=%s\n' "$genomes/$1/$1.fna" > "$settings/Quenby/SDI example.conf"
  start_meridan "$run" "$out/meridan-$1.log"
  # File > recent entry 1 reopens the FNA, PTT and RNT files together.
  xdotool key --delay 200 alt+f
  sleep 0.5
  xdotool key 1
  sleep 1.5
}

predict() {   # ATU, the first entry of the Prediction menu
  xdotool key --delay 200 alt+p
  sleep 0.5
  xdotool key Return
}


for id in "${ids[@]}"; do
  rm -f "$run/results/${id}"_* "$run/results/${id}".* "$run/annotation/${id}.ano"
  start_app "$id"
  t0=$(date +%s.%N)
  predict
  tulist="$run/results/${id}_tulist.txt"
  until [ -f "$tulist" ] && grep -q "load tulist result." "$out/meridan-$id.log"; do
    kill -0 "$app" 2>/dev/null || { echo "meridan ended"; exit 1; }
    sleep 0.5
  done
  t1=$(date +%s.%N)
  printf '%s: ATU to loaded TU list %.1f s\n' "$id" "$(echo "$t1 - $t0" | bc -l)"
  sleep 2
  import -window root "$out/map-$id-whole.png"
  for _ in 1 2 3; do xdotool key ctrl+plus; sleep 0.3; done
  sleep 1
  import -window root "$out/map-$id-zoomed.png"
  xdotool key ctrl+0

  # A unit of four genes: search its first gene by name.
  ano="$run/annotation/$id.ano"
  [ -f "$ano" ] || ano="$genomes/$id/$id.ptt"
  first=$(awk -F'\t' 'split($4, m, ",") == 4 { split(m[1], p, "|"); print p[3]; exit }' "$tulist")
  if [ -n "$first" ]; then
    name=$(awk -F'\t' -v k="$first" 'NR > 3 && $0 != "" { if (n++ == k) { print ($5 != "-" ? $5 : $6); exit } }' "$ano")
    xdotool key ctrl+f
    sleep 1
    xdotool type --delay 50 "$name"
    xdotool key Return
    sleep 1.5
    xdotool key Escape
    sleep 1
    import -window root "$out/detail-$id-four-gene-unit.png"
  fi
  stop_meridan
done

# A run cancelled a few seconds after it started.
id=${ids[${#ids[@]}-1]}
rm -f "$run/results/${id}"_* "$run/results/${id}".* "$run/annotation/${id}.ano"
cp "$out/meridan-$id.log" "$out/meridan-$id-predict.log" 2>/dev/null || true
start_app "$id"
predict
sleep 3
import -window root "$out/cancel-1-running.png"
xdotool key ctrl+period
sleep 1
import -window root "$out/cancel-2-cancelling.png"
until grep -q "prediction cancelled" "$out/meridan-$id.log"; do
  kill -0 "$app" 2>/dev/null || { echo "meridan ended"; exit 1; }
  sleep 1
done
sleep 2
import -window root "$out/cancel-3-cancelled.png"
echo "result files after the cancel: $(ls "$run/results/${id}"_* "$run/results/${id}".* 2>/dev/null | wc -l)"
stop_meridan
