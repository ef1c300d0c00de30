#!/usr/bin/env bash
# Writes fuzz/ereport.dict again: every element name the e-report model reads (the
# quoted names its views and the document pass to the readers), as an opening tag, a
# closing tag and an empty element, then the XML syntax a report may carry.
#   tools/make_fuzz_dict.sh
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/fuzz/ereport.dict"

{
  echo "# Element names of every NRD version's e-report, from ereport/ by tools/make_fuzz_dict.sh."
  grep -hoE '\("[A-Za-z_][A-Za-z0-9_]*"\)' "$root"/ereport/*.h "$root"/ereport/*.cpp |
    sed -E 's/^\("(.*)"\)$/\1/' | sort -u |
    while read -r name; do
      printf '"<%s>"\n"</%s>"\n"<%s/>"\n' "$name" "$name" "$name"
    done
  cat <<'SYNTAX'
# XML syntax of a report.
"<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
"<?xml version=\"1.0\" encoding=\"windows-1251\"?>"
"encoding=\"windows-1251\""
"<!DOCTYPE Practice ["
"<!ELEMENT "
"<!ATTLIST "
"(#PCDATA)"
"<![CDATA["
"]]>"
"<!--"
"-->"
"&amp;"
"&lt;"
"&#"
"xmlns="
"\xef\xbb\xbf"
# Values the readers convert.
"true"
"false"
"2147483648"
"-2147483649"
"2023-04-07"
"7501020018"
SYNTAX
} >"$out"
