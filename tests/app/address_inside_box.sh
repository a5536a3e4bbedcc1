#!/bin/sh
# Renders an envelope template with a five-line address to PDF and says of
# each line (its first word, "Qline1" ...) whether pdftotext finds it inside
# the address view's box as the prepared page gives it (page units of
# 1/91.6256 inch turned into points).
#   address_inside_box.sh TEMPLATE.vlf OUT.pdf
set -e
address='Qline1 Flat 4, Rosebery House
Qline2 100 Main Street
Qline3 Springfield, IL 62701
Qline4 Attn: Accounts Payable
Qline5 United States of America'
vlreport render "$1" --var "RecipientAddress=$address" --pdf "$2" >/dev/null 2>&1
box=$(vlreport prepare "$1" --var "RecipientAddress=$address" --json 2>/dev/null | tr -d ' \n' |
  grep -o '"name":"RecipientAddress","left":[0-9]*,"top":[0-9]*,"width":[0-9]*,"height":[0-9]*' |
  sed 's/[^0-9,]//g; s/^,*//')
pdftotext -bbox "$2" - | grep '>Qline' | awk -v box="$box" '
  BEGIN { split(box, b, ","); u = 72 / 91.6256157635468
          left = b[1] * u; top = b[2] * u; right = (b[1] + b[3]) * u; bottom = (b[2] + b[4]) * u }
  { match($0, /xMin="[0-9.]+"/); x0 = substr($0, RSTART + 6, RLENGTH - 7)
    match($0, /yMin="[0-9.]+"/); y0 = substr($0, RSTART + 6, RLENGTH - 7)
    match($0, /yMax="[0-9.]+"/); y1 = substr($0, RSTART + 6, RLENGTH - 7)
    match($0, />Qline[0-9]</); word = substr($0, RSTART + 1, RLENGTH - 2)
    inside = (x0 + 0 >= left - 0.5 && y0 + 0 >= top - 0.5 && y1 + 0 <= bottom + 0.5) ? "inside" : "OUTSIDE"
    printf "%s %s\n", word, inside }'
