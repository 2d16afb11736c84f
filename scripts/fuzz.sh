#!/usr/bin/env bash
# Fuzzes the genome library's readers with libFuzzer: builds them with clang
# (ASan + UBSan) into build-fuzz/ and runs each target SECONDS seconds
# (default 60) on a copy of its saved corpus (tests/fuzz/<reader>/). A crash,
# leak or hang leaves its input in build-fuzz/fuzz/<reader>-findings/: copy it
# into tests/fuzz/<reader>/ so that the CTest replay keeps it.
set -euo pipefail
seconds="${1:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"
# clang and its libFuzzer runtime are needed here only, not by the normal build.
if ! command -v clang++-14 >/dev/null || ! dpkg -s libclang-rt-14-dev >/dev/null 2>&1; then
  SUDO=$([ "$(id -u)" = 0 ] && echo "" || echo sudo)
  $SUDO apt-get install -y -qq clang-14 libclang-rt-14-dev >/dev/null
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMERIDAN_FUZZ=ON -DMERIDAN_WITH_GUI=OFF \
  -DMERIDAN_TESTS=OFF -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build "$build" -j2 --target fuzz_fasta fuzz_ptt fuzz_rnt fuzz_gff3 fuzz_genbank fuzz_gzip fuzz_results >/dev/null
status=0
for reader in ${READERS:-fasta ptt rnt gff3 genbank gzip results}; do
  work="$build/fuzz/$reader-corpus"
  findings="$build/fuzz/$reader-findings"
  mkdir -p "$work" "$findings"
  cp -n "$root/tests/fuzz/$reader/"* "$work/" 2>/dev/null || true
  if "$build/fuzz/fuzz_$reader" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -max_len=65536 -artifact_prefix="$findings/" "$work" 2>"$build/fuzz/$reader.log"; then
    echo "$reader: $(grep -o 'Done [0-9]* runs' "$build/fuzz/$reader.log" | tail -1)"
  else
    echo "$reader: FAILED, see $build/fuzz/$reader.log and $findings/"
    status=1
  fi
done
exit $status
