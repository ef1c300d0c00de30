#!/usr/bin/env bash
# Builds a fresh practice database for tests and the demo from schema/*.sql.
#   tools/make_practice_db.sh DATABASE_FILE
# The file must not exist yet. Needs isql-fb (firebird3.0-utils); the program itself
# never does.
set -euo pipefail

if (($# != 1)); then
  echo "usage: tools/make_practice_db.sh DATABASE_FILE" >&2
  exit 2
fi
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
database="$1"
if [[ -e "$database" ]]; then
  echo "$database already exists" >&2
  exit 2
fi

# The schema files are UTF-8; SET NAMES makes isql hand their Cyrillic to the
# database, which stores it in code page 1251.
{
  echo "SET NAMES UTF8;"
  echo "SET SQL DIALECT 3;"
  echo "CREATE DATABASE '${database//\'/\'\'}' USER 'SALVIX' PASSWORD 'qernatol'"
  echo "  PAGE_SIZE 8192 DEFAULT CHARACTER SET WIN1251;"
  for file in "$root"/schema/*.sql; do
    echo "INPUT '${file//\'/\'\'}';"
  done
  echo "COMMIT;"
} | isql-fb -q -bail
