#!/usr/bin/env bash
# Writes the sample e-reports of samples/ again from tools/make_samples.cpp.
#   tools/make_samples.sh
# The NRD 2009 sample is stored in windows-1251, as many real e-reports are; the
# others in UTF-8.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

g++ -std=c++20 -Wall -Wextra -Wpedantic -O1 -I "$root/tests" \
  "$root/tools/make_samples.cpp" -o "$work/make_samples"
mkdir -p "$root/samples"
"$work/make_samples" "$root/samples"

sample="$root/samples/nrd2009.xml"
sed '1s/encoding="UTF-8"/encoding="windows-1251"/' "$sample" |
  iconv -f UTF-8 -t WINDOWS-1251 >"$work/nrd2009.xml"
mv "$work/nrd2009.xml" "$sample"
