#!/usr/bin/env bash
# Installs the dependencies, builds everything and runs every test.
#   bash scripts/test.sh              # the normal build, in build/
#   bash scripts/test.sh --sanitize   # an AddressSanitizer/UBSan build, in build-asan/
#   bash scripts/test.sh --thread [REGEX]  # a ThreadSanitizer build of the engines and tools
#                                     # (no workbench), in build-tsan/; REGEX picks the tests
#                                     # (default: the concurrent predictions)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${SKIP_INSTALL:-0}" != 1 ]; then bash scripts/install-deps.sh; fi

dir=build
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
ctest_args=()
targets=()
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-asan
  flags=(-DCMAKE_BUILD_TYPE=Debug -DMERIDAN_SANITIZE=ON)
  # Qt and Fontconfig keep caches for the life of the process; only real
  # faults matter here, not those.
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  # Whole-genome predictions and the workflow run once, in the normal build;
  # under the sanitizers they would take most of the time and test nothing new.
  ctest_args=(-E 'EscherichiaColi|Ecoli|RealExport|workflow_local|TwoGenomesAtOnce')
elif [ "${1:-}" = "--thread" ]; then
  dir=build-tsan
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DMERIDAN_WITH_GUI=OFF
         "-DCMAKE_CXX_FLAGS=-fsanitize=thread -fno-omit-frame-pointer"
         "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread" "-DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread")
  export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
  ctest_args=(-R "${2:-ConcurrentPrediction}")
  targets=(--target Galvora Castrel Dovrane Brintel Ethrin meridan_pipeline_tests)
fi
export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_DISABLE_SANDBOX=1
cmake -S . -B "$dir" "${flags[@]}" >/dev/null
cmake --build "$dir" -j2 "${targets[@]}"
ctest --test-dir "$dir" --output-on-failure -j2 "${ctest_args[@]}"
