#!/bin/sh
# Prints the sample address list on a sheet of labels from label 2 into a PDF
# and says of each name (its first word) which label of the sheet holds it
# whole, by pdftotext's boxes against the sheet's own geometry (millimetres
# turned into points).
#   labels_inside_sheet.sh LIST OUT.pdf
set -e
vlreport labels --sheet "Avery L7160 (A4, 3 x 7)" --start 2 --dataset "Addresses=$1" --pdf "$2" >/dev/null 2>&1
# Avery L7160: 63.5 x 38.1 mm labels, 3 across, 15.15 mm from the top and
# 7.25 mm from the left, 66.04 mm apart across and 38.1 mm down.
pdftotext -bbox "$2" - | grep -E '>(张三|李四|王五|Smith,)<' | awk '
  BEGIN { pt = 72 / 25.4 }
  { match($0, /xMin="[0-9.]+"/); x0 = substr($0, RSTART + 6, RLENGTH - 7)
    match($0, /xMax="[0-9.]+"/); x1 = substr($0, RSTART + 6, RLENGTH - 7)
    match($0, /yMin="[0-9.]+"/); y0 = substr($0, RSTART + 6, RLENGTH - 7)
    match($0, /yMax="[0-9.]+"/); y1 = substr($0, RSTART + 6, RLENGTH - 7)
    match($0, />[^<]+</); word = substr($0, RSTART + 1, RLENGTH - 2)
    found = "none"
    for (k = 0; k < 21; k++) {
      left = (7.25 + (k % 3) * 66.04) * pt; top = (15.15 + int(k / 3) * 38.1) * pt
      right = left + 63.5 * pt; bottom = top + 38.1 * pt
      if (x0 + 0 >= left && x1 + 0 <= right && y0 + 0 >= top && y1 + 0 <= bottom) found = k + 1
    }
    printf "%s %s\n", word, found }'
