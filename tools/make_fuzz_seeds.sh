#!/usr/bin/env bash
# Writes the generated seeds of fuzz/corpus/ again from fuzz/make_seeds.cpp. The corpus
# also holds reproducers of past findings, which this leaves alone.
#   tools/make_fuzz_seeds.sh
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

g++ -std=c++20 -Wall -Wextra -Wpedantic -O1 -I "$root/tests" \
  "$root/fuzz/make_seeds.cpp" -o "$work/make_seeds"
mkdir -p "$root/fuzz/corpus"
"$work/make_seeds" "$root/fuzz/corpus"
