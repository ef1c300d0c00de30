#!/usr/bin/env bash
# Line coverage of ereport/ (and of the common conversions the walk calls) over the fuzzer's
# corpus: builds the harness once more with clang's source coverage into build-fuzz-cov/,
# replays fuzz/corpus/ and build-fuzz/corpus-grown/ through it, and prints the report.
#   tools/fuzz_coverage.sh
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-fuzz-cov"

flags=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALVEX_FUZZ=ON
  -DKALVEX_BUILD_TESTS=OFF "-DCMAKE_CXX_FLAGS=-fprofile-instr-generate -fcoverage-mapping"
  "-DCMAKE_EXE_LINKER_FLAGS=-fprofile-instr-generate")
if command -v ccache >/dev/null; then
  flags+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
nice -n 19 cmake -S "$root" -B "$build" -G Ninja "${flags[@]}" >/dev/null
nice -n 19 cmake --build "$build" -j 2 --target ereport_fuzzer

corpora=("$root/fuzz/corpus")
[[ -d "$root/build-fuzz/corpus-grown" ]] && corpora+=("$root/build-fuzz/corpus-grown")
rm -f "$build"/*.profraw
# With -runs=0 libFuzzer only runs each input of the corpus once, to load it.
LLVM_PROFILE_FILE="$build/replay.profraw" ASAN_OPTIONS=detect_leaks=0 \
  nice -n 19 "$build/fuzz/ereport_fuzzer" -runs=0 -max_len=8192 "${corpora[@]}" 2>&1 | grep -E "INITED|DONE" || true
llvm-profdata-14 merge -sparse "$build/replay.profraw" -o "$build/replay.profdata"
llvm-cov-14 report "$build/fuzz/ereport_fuzzer" -instr-profile="$build/replay.profdata" \
  "$root/ereport" "$root/fuzz"
