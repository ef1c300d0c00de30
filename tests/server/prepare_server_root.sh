#!/usr/bin/env bash
# Lays out a private root folder for a Firebird 3 server that a test starts by itself:
#   prepare_server_root.sh ROOT INSTALLED_ROOT PORT
# ROOT (an existing empty folder) gets the installed root's files, a firebird.conf that
# listens on 127.0.0.1:PORT only, a lock folder and a security database of its own that
# holds the practice login. Run the server with FIREBIRD=ROOT FIREBIRD_LOCK=ROOT/lock:
# nothing of the machine's own server (its security database, its port, its lock files)
# is used or changed.
set -euo pipefail

if (($# != 3)); then
  echo "usage: prepare_server_root.sh ROOT INSTALLED_ROOT PORT" >&2
  exit 2
fi
root="$1"
installed="$2"
port="$3"
security_sql=/usr/share/firebird/3.0/security.sql

for entry in "$installed"/*; do
  name="$(basename "$entry")"
  case "$name" in
    firebird.conf | databases.conf | intl) ;;
    *) ln -s "$entry" "$root/$name" ;;
  esac
done
# The engine refuses a character set module reached through a link ("CHARACTER SET
# WIN1251 is not installed"), so the module is copied.
mkdir "$root/intl"
cp "$installed/intl/libfbintl.so" "$root/intl/"
ln -s "$installed/intl/fbintl.conf" "$root/intl/fbintl.conf"
: >"$root/databases.conf"
mkdir "$root/lock"
cat >"$root/firebird.conf" <<EOF
RemoteServicePort = $port
RemoteBindAddress = 127.0.0.1
SecurityDatabase = $root/security3.fdb
EOF

export FIREBIRD="$root" FIREBIRD_LOCK="$root/lock"
security="$root/security3.fdb"
echo "CREATE DATABASE '$security';" | isql-fb -q
isql-fb -q -user SYSDBA -i "$security_sql" "$security"
echo "CREATE USER SALVIX PASSWORD 'qernatol'; COMMIT;" | isql-fb -q -user SYSDBA "$security"
