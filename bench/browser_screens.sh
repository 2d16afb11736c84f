#!/usr/bin/env bash
# Screenshots of the genome browser under Xvfb (1600 x 1000) with a window
# manager: E. coli's gal operon at gene level, the same stretch at base level
# with the sequence, and a data track added through the window's file dialog.
#
# Usage: bench/browser_screens.sh <build dir> <genomes folder> <out dir> [track file]
#   e.g. bench/browser_screens.sh build ../shared/data/genomes /tmp/screens
# Predicts NC_000913 first unless its results are in the program folder.
# Needs Xvfb, openbox, xdotool and ImageMagick's import.
set -euo pipefail

build=$(cd "${1:?build dir}" && pwd)
genomes=$(cd "${2:?genomes folder}" && pwd)
out=$(mkdir -p "${3:?out dir}" && cd "$3" && pwd)
track=${4:-}
id=NC_000913
run="$build/meridan"
display=:${MERIDAN_XVFB_DISPLAY:-95}

settings=$(mktemp -d)
export XDG_CONFIG_HOME="$settings"
mkdir -p "$settings/Quenby"
Xvfb "$display" -screen 0 1600x1000x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
sleep 2
openbox >/dev/null 2>&1 &
wm=$!
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  kill "$wm" "$xvfb" 2>/dev/null || true
  rm -rf "$settings"
}
trap cleanup EXIT
sleep 1

printf '[General]\nrecentFiles=%s\n' "$genomes/$id/$id.fna" > "$settings/Quenby/SDI example.conf"
"$run/meridan" > "$out/meridan-browser.log" 2>&1 &
app=$!
win=""
for _ in $(seq 1 100); do
  win=$(xdotool search --onlyvisible --name "Meridan" 2>/dev/null | head -1 || true)
  [ -n "$win" ] && break
  sleep 0.2
done
[ -n "$win" ] || { echo "no window"; exit 1; }
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
sleep 1
xdotool key --delay 200 alt+f
sleep 0.5
xdotool key 1
sleep 2
if grep -q "older than the inputs\|load tulist result." "$out/meridan-browser.log" 2>/dev/null \
   || [ ! -f "$run/results/${id}_tulist.txt" ]; then
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

xdotool key ctrl+d
sleep 1.5
goto galM
import -window root "$out/browser-gal-operon.png"
goto 789000-789120
import -window root "$out/browser-base-level.png"
goto galactose
import -window root "$out/browser-product-search.png"
if [ -n "$track" ]; then
  # The add-track button sits at the right of the go-to field: reach it by
  # its shortcut-free route, the file dialog of the window.
  xdotool key ctrl+g
  sleep 0.3
  for _ in 1 2 3 4; do xdotool key Tab; sleep 0.1; done
  xdotool key space
  sleep 1.5
  xdotool type --delay 20 "$track"
  xdotool key Return
  sleep 2
  import -window root "$out/browser-track-message.png"
  xdotool key Return
  sleep 0.5
fi
kill "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
app=""
ls "$out"/browser-*.png
