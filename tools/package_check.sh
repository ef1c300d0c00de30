#!/usr/bin/env bash
# Checks a built Debian package as an installed copy would meet its user: what it holds
# and depends on, its desktop entry, manual pages and icons, and kalvex-import run from
# a folder it cannot write to, whose log must then lie in the user's state folder.
#   tools/package_check.sh [PACKAGE]   (default: the package tools/package.sh built)
# Prints one line per check; exit code 1 when one failed. lintian's findings, where
# lintian is installed, are shown, not judged.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
deb="${1:-}"
if [[ -z "$deb" ]]; then
  shopt -s nullglob
  built=("$root"/build/deb/kalvex_*.deb)
  shopt -u nullglob
  if ((${#built[@]} != 1)); then
    echo "no package in build/deb/ (tools/package.sh builds one)" >&2
    exit 2
  fi
  deb="${built[0]}"
fi

work="$(mktemp -d)"
cleanup() {
  chmod -R u+w "$work" 2>/dev/null || true  # a non-root check made the copy read-only
  rm -rf "$work"
}
trap cleanup EXIT

failed=0
check() {  # check DESCRIPTION COMMAND...
  local description="$1"
  shift
  if "$@" >"$work/check.out" 2>&1; then
    echo "ok    $description"
  else
    echo "FAIL  $description"
    sed 's/^/      /' "$work/check.out"
    failed=1
  fi
}

holds() {  # holds PATH...: every PATH is in the package
  local path missing=0
  dpkg-deb -c "$deb" | awk '{ print $NF }' >"$work/contents"
  for path in "$@"; do
    grep -qx "./$path" "$work/contents" || { echo "missing: /$path"; missing=1; }
  done
  return $missing
}
depends_on() {  # depends_on PACKAGE...: each is in the Depends field
  local depends package missing=0
  depends="$(dpkg-deb -f "$deb" Depends)"
  echo "Depends: $depends"
  for package in "$@"; do
    grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || { echo "not depended on: $package"; missing=1; }
  done
  return $missing
}
icons_drawn() {  # every icon a PNG of its folder's size
  local size wrong=0
  for size in 16 32 48 64 128 256; do
    file "$work/root/usr/share/icons/hicolor/${size}x${size}/apps/kalvex.png" |
      grep -q "PNG image data, $size x $size" || { echo "not a ${size}x${size} PNG"; wrong=1; }
  done
  return $wrong
}
man_pages_render() {
  local page
  for page in "$work"/root/usr/share/man/man1/*.1.gz; do
    zcat "$page" | groff -man -Tutf8 -ww -z 2>&1 | sed "s|^|$(basename "$page"): |"
  done | tee "$work/man.out"
  [[ ! -s "$work/man.out" ]]
}
libraries_found() {
  ! ldd "$work/root/usr/bin/kalvex" "$work/root/usr/bin/kalvex-import" | grep "not found"
}

# Runs COMMAND... with the unpacked copy read-only: for root, whom file modes do not
# stop, a read-only bind mount in a mount namespace of the command alone.
read_only() {
  if (($(id -u) == 0)); then
    unshare --mount --propagation private \
      bash -c 'mount --bind -o ro "$1" "$1" && shift && exec "$@"' _ "$work/root" "$@"
  else
    chmod -R a-w "$work/root"
    "$@"
  fi
}
# The import of the sample e-report, without --log, by the unpacked kalvex-import.
import_sample() {  # import_sample ENVIRONMENT...
  read_only env -u XDG_STATE_HOME "$@" bash -c \
    '[[ ! -w "$0" ]] || { echo "$0 is writable"; exit 1; }
     exec "$0/kalvex-import" run --nrd 2022 --xml "$1" --db "$2" --create-doctor' \
    "$work/root/usr/bin" "$root/samples/nrd2022-gp.xml" "$work/practice.fdb"
}
log_in() {  # log_in FILE: the log was written there, and nowhere beside the program
  [[ -f "$1" ]] || { echo "no log at $1"; ls -R "$work/home" "$work/state" 2>&1; return 1; }
  iconv -f CP1251 -t UTF-8 "$1" | grep -q "Начало на лог" || { echo "no start line in $1"; return 1; }
  [[ ! -e "$work/root/usr/bin/kalvex-import.log" ]] || { echo "a log beside the program"; return 1; }
}

echo "Package: $deb"
check "holds both programs, the desktop entry, the manual pages and the icons" \
  holds usr/bin/kalvex usr/bin/kalvex-import usr/share/applications/kalvex.desktop \
  usr/share/man/man1/kalvex.1.gz usr/share/man/man1/kalvex-import.1.gz \
  usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/kalvex.png
check "depends on Qt, libxml2, the Firebird client and its embedded engine" \
  depends_on libqt6widgets6 libxml2 libfbclient2 firebird3.0-server-core
dpkg-deb -x "$deb" "$work/root"
check "finds every library the programs link" libraries_found
check "icons drawn at every size" icons_drawn
check "manual pages render without warnings" man_pages_render
if command -v desktop-file-validate >/dev/null; then
  check "desktop entry valid" desktop-file-validate "$work/root/usr/share/applications/kalvex.desktop"
else
  echo "skip  desktop entry: desktop-file-validate is not installed (desktop-file-utils)"
fi

"$root/tools/make_practice_db.sh" "$work/practice.fdb"
mkdir -p "$work/home" "$work/state"
if (($(id -u) == 0)) && ! unshare --mount true 2>/dev/null; then
  echo "skip  import from a read-only folder: root here cannot make a mount namespace"
else
  check "imports from a read-only folder, log under \$XDG_STATE_HOME" \
    import_sample HOME="$work/home" XDG_STATE_HOME="$work/state"
  check "  and its log is $work/state/kalvex/kalvex-import.log" \
    log_in "$work/state/kalvex/kalvex-import.log"
  check "imports from a read-only folder, log under \$HOME without XDG_STATE_HOME" \
    import_sample HOME="$work/home"
  check "  and its log is $work/home/.local/state/kalvex/kalvex-import.log" \
    log_in "$work/home/.local/state/kalvex/kalvex-import.log"
fi

if command -v lintian >/dev/null; then
  echo "lintian:"
  lintian "$deb" 2>&1 | sed 's/^/      /' || true  # its findings are reported, not judged
else
  echo "skip  lintian: not installed"
fi
exit $failed
