#!/usr/bin/env bash
# Builds Kalvex and starts the wizard. Without a display it shows the import at work
# instead: a fresh practice database, the NRD 2022 sample e-report imported into it by
# kalvex-import, and the rows that the import wrote.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/setup.sh" release

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec "$root/build/app/kalvex" "$@"
fi

# The demo database stays for the user to look at, so it goes to the user's data
# folder; where that cannot be made, to a temporary folder.
data="${XDG_DATA_HOME:-${HOME:+$HOME/.local/share}}"
folder="${data:+$data/kalvex}"
[[ -n "$folder" ]] && mkdir -p "$folder" 2>/dev/null && [[ -w "$folder" ]] ||
  folder="$(mktemp -d)"
stamp="$(date +%Y%m%d-%H%M%S)"
database="$folder/demo-$stamp.fdb"
log="$folder/demo-$stamp.log"
sample="$root/samples/nrd2022-gp.xml"

echo "There is no display here, so the Kalvex wizard cannot open its window."
echo "Instead, kalvex-import runs the same import on a sample e-report:"
echo
echo "  tools/make_practice_db.sh $database"
"$root/tools/make_practice_db.sh" "$database"
echo "  build/cli/kalvex-import run --nrd 2022 --xml samples/nrd2022-gp.xml --db $database --create-doctor --log $log"
status=0
"$root/build/cli/kalvex-import" run --nrd 2022 --xml "$sample" --db "$database" \
  --create-doctor --log "$log" || status=$?
if ((status != 0)); then
  echo "The import stopped (exit code $status); its log: $log" >&2
  exit "$status"
fi

tables=(DOCTOR PACIENT PREGLED EXAM_IMMUNIZATION FREE_RECIPE EXAM_BOLN_LIST BLANKA_MED_NAPR
        BLANKA_MDN EXAM_ANALYSIS NZIS_MDN HOSPITALIZATION BLANKA_NAPR_TELK EXAM_LKK
        EXAM_LKK_DOCTOR BLANKA_MED_NAPR_3A)
query=""
for table in "${tables[@]}"; do
  [[ -z "$query" ]] || query+=" UNION ALL "
  query+="SELECT CAST('$table' AS VARCHAR(31)), COUNT(*) FROM $table"
done
echo
echo "Rows the import wrote:"
printf 'SET HEADING OFF;\n%s;\n' "$query" |
  isql-fb -q -user SALVIX -password qernatol "$database" |
  awk 'NF == 2 && $2 > 0 { printf "  %-20s %5d\n", $1, $2 }'
echo
echo "The practice database: $database"
echo "The import's log:      $log"
echo
echo "The same for an e-report and a database of your own (kalvex-import --help lists"
echo "every option; README.md shows more):"
echo "  tools/make_practice_db.sh MY.fdb        # or an existing Salvix database"
echo "  build/cli/kalvex-import run --nrd 2022 --xml MY-REPORT.xml --db MY.fdb --create-doctor"
