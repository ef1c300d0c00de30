#!/usr/bin/env bash
# Builds the e-report fuzzer with clang and libFuzzer into build-fuzz/ and runs it, niced,
# for SECONDS (default 300) from the seeds of fuzz/corpus/ with the names of
# fuzz/ereport.dict. The samples stay out: at several kilobytes each they slow every run,
# and the seeds reach the same views (the corpus replay test runs the samples).
#   tools/fuzz.sh [SECONDS] [more libFuzzer flags...]
# New inputs go to build-fuzz/corpus-grown/ (kept out of git); a crash, leak or timeout
# is written to build-fuzz/findings/. To keep one as a regression test, copy it into
# fuzz/corpus/ under a name that says what it found: the corpus replay test runs it.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-300}"
shift || true
build="$root/build-fuzz"

flags=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALVEX_FUZZ=ON
  -DKALVEX_BUILD_TESTS=OFF)
if command -v ccache >/dev/null; then
  flags+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
nice -n 19 cmake -S "$root" -B "$build" -G Ninja "${flags[@]}" >/dev/null
nice -n 19 cmake --build "$build" -j 2 --target ereport_fuzzer

mkdir -p "$build/corpus-grown" "$build/findings"
# Shorter allocation stacks: recording them is the fuzzer's largest single cost.
export ASAN_OPTIONS="${ASAN_OPTIONS:-malloc_context_size=8}"
# One process: the machine is shared. Ten seconds for one input is a hang, not a slow file.
exec nice -n 19 "$build/fuzz/ereport_fuzzer" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
  -dict="$root/fuzz/ereport.dict" -artifact_prefix="$build/findings/" \
  -print_final_stats=1 "$@" \
  "$build/corpus-grown" "$root/fuzz/corpus"
