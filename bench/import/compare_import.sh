#!/usr/bin/env bash
# Imports one generated e-report with two builds of kalvex-import, each into a fresh
# practice database, and compares every table the import writes row for row: what a
# change to the import's speed must leave exactly as it was.
#   bench/import/compare_import.sh KALVEX_IMPORT_A KALVEX_IMPORT_B WRITE_REPORT [SHEETS]
# (write_report is built beside import_bench; default 10000 sheets.) The time a run
# writes into a row ("Импортиран чрез Kalvex на <time>") is the one thing the two may
# differ in, and is set aside. Prints each table's rows and digest; exit 0 when all agree.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
[[ $# -ge 3 ]] || { sed -n 2,8p "${BASH_SOURCE[0]}" >&2; exit 2; }
first="$1" second="$2" writer="$3" sheets="${4:-10000}"
work="$(mktemp -d /tmp/kalvex-compare-XXXXXX)"
trap 'rm -rf "$work"' EXIT

tables=(DOCTOR PACIENT PREGLED BLANKA_MED_NAPR BLANKA_MDN NZIS_MDN EXAM_ANALYSIS
        BLANKA_MED_NAPR_3A EXAM_LKK EXAM_LKK_DOCTOR BLANKA_NAPR_TELK HOSPITALIZATION
        EXAM_IMMUNIZATION FREE_RECIPE EXAM_BOLN_LIST)

"$writer" "$sheets" "$work/report.xml"

# Every table's rows as isql prints them, ordered by ID, the run's times set aside.
dump() {
  local database="$1" out="$2" table
  : >"$out"
  for table in "${tables[@]}"; do
    echo "== $table" >>"$out"
    echo "SET LIST ON; SELECT * FROM $table ORDER BY ID;" |
      isql-fb -q -ch UTF8 "$database" |
      sed -E 's/Kalvex на [0-9.-]+ [0-9:]+/Kalvex на <time>/' >>"$out"
  done
}

for side in a b; do
  program="$first"
  [[ $side == b ]] && program="$second"
  "$root/tools/make_practice_db.sh" "$work/$side.fdb" >/dev/null
  start=$(date +%s.%N)
  "$program" run --nrd 2022 --xml "$work/report.xml" --db "$work/$side.fdb" --create-doctor \
    --log "$work/$side.log" >"$work/$side.summary"
  echo "$side: $program imported $sheets sheets in $(echo "$(date +%s.%N) - $start" | bc) s"
  dump "$work/$side.fdb" "$work/$side.rows"
done

same=0
for table in "${tables[@]}"; do
  a="$(awk -v t="== $table" '$0 == t {on = 1; next} /^== / {on = 0} on' "$work/a.rows")"
  b="$(awk -v t="== $table" '$0 == t {on = 1; next} /^== / {on = 0} on' "$work/b.rows")"
  rows="$(grep -c '^ID ' <<<"$a" || true)"
  printf '%-20s %7s rows  %s  %s\n' "$table" "$rows" \
    "$(sha256sum <<<"$a" | cut -c1-16)" "$( [[ "$a" == "$b" ]] && echo same || echo DIFFERENT)"
  [[ "$a" == "$b" ]] || same=1
done
if cmp -s "$work/a.rows" "$work/b.rows"; then
  echo "every row the same"
else
  diff "$work/a.rows" "$work/b.rows" | head -20
fi
exit $same
