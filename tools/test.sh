#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# every test; arguments go to ctest (`tools/test.sh -R ImportProperty` runs those alone).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/setup.sh" test

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
# use_tls=0: once the embedded Firebird engine has loaded its plugins, the dynamic
# TLS table LeakSanitizer walks at exit can hold a slot with a garbage range, and the
# scan dies on it ("Tracer caught signal 11"), failing a test that passed. Blocks
# that only thread-local storage points to are then reported; tests/lsan.supp
# names the system libraries that keep such blocks.
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0:use_tls=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen

cd "$root/build-test"
ctest --output-on-failure -j "$(nproc)" "$@"
