#!/usr/bin/env bash
# Builds Kalvex and starts the wizard; without a display it says so and shows
# what the command-line program can do instead.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/setup.sh" release

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec "$root/build/app/kalvex" "$@"
fi
echo "There is no display here, so the Kalvex wizard cannot open its window."
echo "The same import runs without a window through build/cli/kalvex-import:"
echo
exec "$root/build/cli/kalvex-import" --help
