#!/usr/bin/env bash
# Runs the workbench under Xvfb on one genome the way a user would: loads its
# FNA, PTT and RNT files (through the recent-file entries of the File menu),
# presses ATU, waits for the TU list and takes screenshots. Prints the wall
# time from pressing ATU to the loaded TU list.
#
# Usage: bench/workbench_xvfb_atu.sh <build dir> <genome folder> <out dir>
#   e.g. bench/workbench_xvfb_atu.sh build ../shared/data/genomes/NC_000913 /tmp/shots
# Needs Xvfb, xdotool and ImageMagick's import. Uses a private settings store.
set -euo pipefail

build=$(cd "${1:?build dir}" && pwd)
genome=$(cd "${2:?genome folder}" && pwd)
out=$(mkdir -p "${3:?out dir}" && cd "$3" && pwd)
acc=$(basename "$genome")
run="$build/meridan"
display=:${MERIDAN_XVFB_DISPLAY:-97}

. "$(dirname "$0")/xvfb_session.sh"
rm -f "$run/results/${acc}"_* "$run/results/${acc}".* "$run/annotation/${acc}.ano"
start_session "$display" nowm
printf '[General]\nrecentFiles=%s, %s, %s\n' \
  "$genome/$acc.fna" "$genome/$acc.ptt" "$genome/$acc.rnt" > "$settings/Quenby/SDI example.conf"
start_meridan "$run" "$out/meridan.log"

# Entries 1, 2, 3 of the File menu: FNA, then PTT (now second), then RNT.
for entry in 1 2 3; do
  xdotool key --delay 200 alt+f
  sleep 0.5
  xdotool key "$entry"
  sleep 0.8
done
import -window root "$out/1-loaded.png"

start=$(date +%s.%N)
xdotool key --delay 200 alt+p
sleep 0.5
xdotool key Return
sleep 5
import -window root "$out/2-running.png"

tulist="$run/results/${acc}_tulist.txt"
until [ -f "$tulist" ] && grep -q "load tulist result." "$out/meridan.log"; do
  if ! kill -0 "$app" 2>/dev/null; then echo "meridan ended"; exit 1; fi
  sleep 0.5
done
end=$(date +%s.%N)
sleep 2
import -window root "$out/3-finished.png"
printf '%s: ATU to loaded TU list: %.1f s\n' "$acc" "$(echo "$end - $start" | bc -l)"
echo "TU list lines: $(wc -l < "$tulist")"
[ -f "$run/results/${acc}_summary.txt" ] && cat "$run/results/${acc}_summary.txt"

# The statistics dialog.
xdotool key --delay 200 alt+p
sleep 0.5
xdotool key Up Return
sleep 1
import -window root "$out/4-statistics.png"
