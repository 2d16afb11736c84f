#!/usr/bin/env bash
# Screenshots of the genome browser under Xvfb (1600 x 1000) with a window
# manager: for each "go to" target a picture of the browser there, after the
# data tracks were added through the window's file dialog.
#
# Usage: bench/browser_screens.sh <build dir> <genomes folder> <out dir> <id> <target>...
#   e.g. bench/browser_screens.sh build ../shared/data/genomes /tmp/screens NC_000913 \
#          galM 789000-789120 galactose
# Environment: TRACKS, data files to add (separated by blanks), before the
# pictures; MAP_GENE, a gene to find with the search dialog first, for a
# picture of the map zoomed in on it, and of the whole map with the window
# at 1280 x 760 and at full size (the legend beside the map); TABLE_FILTER, a word for the TU table's
# filter, for a picture of the table (TABLE_CLICK="x y": a click first, e.g.
# on a column header to sort by it). Predicts the genome first unless its results are in the program
# folder and newer than its files.
# Needs Xvfb, openbox, xdotool and ImageMagick's import.
set -euo pipefail

build=$(cd "${1:?build dir}" && pwd)
genomes=$(cd "${2:?genomes folder}" && pwd)
out=$(mkdir -p "${3:?out dir}" && cd "$3" && pwd)
id=${4:?genome id}
shift 4
run="$build/meridan"
display=:${MERIDAN_XVFB_DISPLAY:-95}

. "$(dirname "$0")/xvfb_session.sh"
start_session "$display"
printf '[General]\nrecentFiles=%s\n' "$genomes/$id/$id.fna" > "$settings/Quenby/SDI example.conf"
start_meridan "$run" "$out/meridan-browser.log"
xdotool key --delay 200 alt+f
sleep 0.5
xdotool key 1
sleep 2
# Reopening shows stored results unless they are missing or older than the inputs.
if ! grep -q "load tulist result." "$out/meridan-browser.log" 2>/dev/null; then
  xdotool key --delay 200 alt+p
  sleep 0.5
  xdotool key Return
  until grep -q "load tulist result." "$out/meridan-browser.log"; do
    kill -0 "$app" 2>/dev/null || { echo "meridan ended"; exit 1; }
    sleep 0.5
  done
  sleep 2
fi

goto() {   # $1: what to type into the browser's go-to field
  xdotool key ctrl+g
  sleep 0.3
  xdotool type --delay 30 "$1"
  xdotool key Return
  sleep 1
}

if [ -n "${MAP_GENE:-}" ]; then
  import -window root "$out/map-$id-1600x1000.png"
  xdotool windowsize "$win" 1280 760
  sleep 1.5
  import -window root "$out/map-$id-1280x760.png"
  xdotool windowsize "$win" 1600 1000
  sleep 1.5
  xdotool key ctrl+f
  sleep 1
  xdotool type --delay 50 "$MAP_GENE"
  xdotool key Return
  sleep 1.5
  xdotool key Escape
  sleep 0.5
  for _ in 1 2 3; do xdotool key ctrl+plus; sleep 0.3; done
  sleep 1
  import -window root "$out/map-$id-zoomed-$MAP_GENE.png"
  xdotool key ctrl+0
fi
xdotool key ctrl+d
sleep 1.5
n=0
for track in ${TRACKS:-}; do
  # The add-track button follows the go-to field, its clear button and the
  # three zoom buttons.
  xdotool key ctrl+g
  sleep 0.3
  for _ in 1 2 3 4; do xdotool key Tab; sleep 0.1; done
  xdotool key space
  sleep 1.5
  xdotool type --delay 20 "$track"
  xdotool key Return
  sleep 2
  n=$((n + 1))
  import -window root "$out/browser-$id-track-$n.png"
done
k=0
for target in "$@"; do
  k=$((k + 1))
  goto "$target"
  import -window root "$out/browser-$id-$k.png"
done
if [ -n "${TABLE_FILTER:-}" ]; then
  # The table dock opens with its filter field focused; the kind chooser
  # comes before it.
  xdotool key ctrl+shift+t
  sleep 1
  xdotool key shift+Tab
  sleep 0.2
  xdotool key Down
  sleep 0.5
  xdotool key Tab
  sleep 0.2
  xdotool type --delay 40 "$TABLE_FILTER"
  sleep 1
  if [ -n "${TABLE_CLICK:-}" ]; then
    xdotool mousemove $TABLE_CLICK click 1
    sleep 0.5
    xdotool click 1
    sleep 1
  fi
  import -window root "$out/table-$id-$TABLE_FILTER.png"
fi
stop_meridan
ls "$out"/browser-*.png
