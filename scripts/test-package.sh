#!/usr/bin/env bash
# Checks the installation (not part of CI: it builds a package and installs it
# into the system):
#  1. `cmake --install` into a prefix, the prefix moved elsewhere, and the
#     moved meridan-predict predicts a genome from a third folder;
#  2. `cpack -G DEB` builds the Debian package, `dpkg -i` installs it, the
#     installed meridan-predict (on PATH) predicts a genome from a folder
#     elsewhere, and the package is removed again.
#   bash scripts/test-package.sh [BUILD_FOLDER]     (default build/; needs root)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
data=${MERIDAN_DATA_DIR:-$root/../shared/data}
genome=$data/genomes/NC_005816
[ -f "$genome/NC_005816.fna" ] || { echo "test-package: no $genome; set MERIDAN_DATA_DIR" >&2; exit 2; }
SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
scratch=$(mktemp -d)
installed=0
cleanup() {
  if [ "$installed" = 1 ]; then
    $SUDO dpkg -r meridan >/dev/null 2>&1 || true
    # What a run without -o left in the program folder.
    $SUDO rm -rf /usr/lib/meridan/results /usr/lib/meridan/annotation
    $SUDO rmdir /usr/lib/meridan 2>/dev/null || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Predicts NC_005816 with the given meridan-predict from an unrelated current
# folder into OUT (with -o; a meridan-predict without it writes into its
# program folder PROGRAM_FOLDER), and checks that the TU list is there.
predict() {
  local program=$1 out=$2 folder=$3 options=(--quiet)
  if "$program" --help | grep -q -- '--output'; then options+=(-o "$out"); else out=$folder; fi
  mkdir -p "$scratch/elsewhere"
  (cd "$scratch/elsewhere" && "$program" "${options[@]}" \
     "$genome/NC_005816.fna" "$genome/NC_005816.ptt" "$genome/NC_005816.rnt") > "$scratch/predict.log" 2>&1 \
    || { cat "$scratch/predict.log"; fail "$program failed"; }
  [ -s "$out/results/NC_005816_tulist.txt" ] || { cat "$scratch/predict.log"; fail "$program wrote no TU list into $out"; }
  [ -z "$(ls "$scratch/elsewhere")" ] || fail "$program wrote into the current folder"
}

# The whole build when TARGETS is empty; TARGETS="meridan-predict Galvora ..."
# packages only those (the workbench is then left out).
cmake --build "$build" -j2 ${TARGETS:+--target $TARGETS} >/dev/null
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
mv "$scratch/prefix" "$scratch/moved"
for part in lib/meridan/bin/Galvora.so lib/meridan/WM lib/meridan/threshold share/meridan/workflow/Snakefile; do
  [ -e "$scratch/moved/$part" ] || fail "the installation lacks $part"
done
predict "$scratch/moved/bin/meridan-predict" "$scratch/out-moved" "$scratch/moved/lib/meridan"
echo "relocated installation: ok"

(cd "$build" && cpack -G DEB >/dev/null)
package=$(ls -t "$build"/meridan_*.deb | head -1)
dpkg-deb -f "$package" Package Version Depends Installed-Size
$SUDO dpkg -i "$package" >/dev/null || { $SUDO apt-get install -f -y -qq >/dev/null; }
installed=1
[ "$(command -v meridan-predict)" = /usr/bin/meridan-predict ] || fail "meridan-predict is not on PATH"
predict meridan-predict "$scratch/out-package" /usr/lib/meridan
echo "package $(basename "$package"): installs, and the installed meridan-predict runs"
