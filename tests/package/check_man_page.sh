#!/usr/bin/env bash
# Every subcommand that `vlreport --help` lists has its entry in the man page
# (a line starting ".B vlreport NAME" or ".BI \"vlreport NAME").
#   check_man_page.sh VLREPORT MANPAGE
set -euo pipefail
vlreport="$1" page="$2"
missing=0 count=0
while read -r name; do
  count=$((count + 1))
  escaped="${name//-/\\\\-}"  # troff writes a hyphen as \-
  if ! grep -Eq "^\.BI? \"?vlreport ${escaped}( |\"|$)" "$page"; then
    echo "missing in the man page: vlreport $name"
    missing=1
  fi
done < <("$vlreport" --help | sed -n 's/^  vlreport \([a-z-]*\).*/\1/p')
[ "$count" -gt 0 ] || { echo "no subcommands read from vlreport --help"; exit 1; }
[ "$missing" -eq 0 ] && echo "man page lists all $count subcommands"
exit "$missing"
