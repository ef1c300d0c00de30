#!/usr/bin/env bash
# Installs what Kalvex needs on a Debian 12 machine (quiet when all is there), then
# configures and builds.   tools/setup.sh [release|test]
#   release  build/       the programs, optimised            (default)
#   test     build-test/  everything with the sanitizers, tests included
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
kind="${1:-release}"

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev
  qt6-translations-l10n
  libfbclient2 firebird-dev firebird3.0-server-core firebird3.0-utils
  libxml2-dev
  libgtest-dev
  fonts-dejavu-core
  dpkg-dev file  # tools/package.sh: CPack's Debian package with its library dependencies
)

# The test kind also runs a Firebird server of its own (tests/server), which the
# programs never need, and checks the manual pages and the desktop entry.
if [[ "$kind" == test ]]; then
  packages+=(firebird3.0-server groff-base desktop-file-utils)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  # The server package's install script starts the machine's Firebird service. Nothing
  # here wants it (the tests start their own), and a machine without an init system
  # (a container) may fail to: a policy that denies every service start for the length
  # of the install, where the machine has no policy of its own.
  policy=/usr/sbin/policy-rc.d
  made_policy=false
  if [[ ! -e $policy ]]; then
    printf '#!/bin/sh\nexit 101\n' | "${sudo_cmd[@]}" tee "$policy" >/dev/null
    "${sudo_cmd[@]}" chmod +x "$policy"
    made_policy=true
    trap '"${sudo_cmd[@]}" rm -f "$policy"' EXIT
  fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 \
    install -y -qq "${missing[@]}" >/dev/null
  if $made_policy; then
    "${sudo_cmd[@]}" rm -f "$policy"
    trap - EXIT
  fi
fi

case "$kind" in
  release)
    build="$root/build"
    flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALVEX_BUILD_TESTS=OFF)
    ;;
  test)
    build="$root/build-test"
    flags=(-DCMAKE_BUILD_TYPE=Debug -DKALVEX_SANITIZE=ON -DKALVEX_BUILD_TESTS=ON)
    ;;
  *)
    echo "usage: tools/setup.sh [release|test]" >&2
    exit 2
    ;;
esac

# A compiler cache, where the machine has one, makes rebuilds of other trees cheap.
if command -v ccache >/dev/null; then
  flags+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"
