#!/usr/bin/env bash
# Builds the programs (tools/setup.sh release) and the Debian package that installs
# them: kalvex_<version>_<arch>.deb in build/deb/. The last line printed is the
# package's path.   sudo apt install ./build/deb/kalvex_<version>_<arch>.deb
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/setup.sh" release

out="$root/build/deb"
rm -rf "$out"
cpack --config "$root/build/CPackConfig.cmake" -B "$out" >&2
# CPack's own work folder stays out of the way: only the package is left.
rm -rf "$out/_CPack_Packages"
shopt -s nullglob
packages=("$out"/kalvex_*.deb)
if ((${#packages[@]} != 1)); then
  echo "cpack left ${#packages[@]} packages in $out, not one" >&2
  exit 1
fi
echo "${packages[0]}"
