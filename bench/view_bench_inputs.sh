# Shared by the view benchmarks (sourced, not run). With id set to a genome
# id: the folders root, build, data, genome and results (BUILD_DIR,
# MERIDAN_DATA_DIR and RESULTS_DIR override the last three), the annotation
# the run leaves in the build folder or else the genome's PTT, and
# bench_build <target>, which configures the build folder when it has no
# cache yet and builds the target. Ends the script when the genome folder is
# absent.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
data="${MERIDAN_DATA_DIR:-$root/../shared/data}"
genome="$data/genomes/$id"
results="${RESULTS_DIR:-$build/meridan/results/}"
[ -d "$genome" ] || { echo "no genome folder $genome: nothing to measure" >&2; exit 1; }
annotation="$build/meridan/annotation/$id.ano"
[ -f "$annotation" ] || annotation="$genome/$id.ptt"

bench_build() {
  [ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --target "$1" -j2 >/dev/null
}
