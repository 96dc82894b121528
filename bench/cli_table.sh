#!/usr/bin/env bash
# Times kaldora-calc on tables of mixed cases (all five types, refusals and
# malformed rows among them, lengths for the quantities) and reports the
# time a row and the peak resident memory; the last size once more with the
# results written as an Excel workbook, and read from one (made with
# openpyxl).
#   bench/cli_table.sh CALC [ROWS...]     default: 1000000 5000000
set -euo pipefail
calc=$1
shift
sizes=("${@:-1000000 5000000}")
table=$(mktemp)
book=$(mktemp --suffix=.xlsx)
results=$(mktemp --suffix=.xlsx)
trap 'rm -f "$table" "$book" "$results"' EXIT

measure() {  # measure WHAT ROWS FILE [ARGUMENTS...]
  local stats seconds peak
  stats=$( { /usr/bin/time -v taskset -c 0 "$calc" --csv "$3" "${@:4}" > /dev/null; } 2>&1 || true)
  seconds=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' <<<"$stats" |
            awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; print s }')
  peak=$(sed -n 's/.*Maximum resident set size (kbytes): //p' <<<"$stats")
  awk -v what="$1" -v n="$2" -v s="$seconds" -v kb="$peak" 'BEGIN {
    printf "kaldora-calc, %s: %d rows in %.2f s (%.2f us a row), peak resident memory %.1f MB\n",
           what, n, s, s / n * 1e6, kb / 1024 }'
}

for rows in ${sizes[@]}; do
  awk -v n="$rows" 'BEGIN {
    print "section,type,indoors,metal,long_hours,air_temp,diameter_mm,medium_temp,surface_temp,wall_mm,water_temp,standstill_h,soil_temp,supply_temp,humidity,length_m"
    split("18 25 32 45 57 76 89 108 133 159 219 273", d, " ")
    for (i = 0; i < n; i++) {
      t = i % 6 + 1; dia = d[i % 12 + 1]; m = i % 2; h = int(i / 2) % 2; len = 10 + i % 90
      if (t == 1) printf "S%d,1,%d,%d,%d,%d,%s,%d,,,,,,,,%d\n", i, h, m, h, i % 30, dia, 50 + i % 550, len
      else if (t == 2) printf "S%d,2,,%d,,%d,%s,%d,,,,,,,%d,%d\n", i, m, 10 + i % 30, dia, -30 + i % 40, 10 + i % 86, len
      else if (t == 3) printf "S%d,3,%d,%d,,20,%s,%d,%d,,,,,,,%d\n", i, h, m, dia, 100 + i % 400, 35 + i % 30, len
      else if (t == 4) printf "S%d,4,,,,%d,%s,,,%d,%d,%d,,,,%d\n", i, -5 - i % 40, dia, 2 + i % 6, 1 + i % 30, 1 + i % 60, len
      else if (t == 5) printf "S%d,5,,,%d,,%s,,,,,,%d,%s,,%d\n", i, h, (i % 12 ? dia : "25"), i % 20, (i % 3 ? "65" : "90"), len
      else printf "S%d,%d,,,,,,,45,,,,,,,\n", i, (i % 12 ? 1 : 9)
    }
  }' > "$table"
  measure CSV "$rows" "$table"
done
measure "CSV in, workbook out" "$rows" "$table" --xlsx "$results"

# At most 1,000,000 rows of the last table as a workbook (a sheet holds
# 1,048,576), numbers as numbers.
rows=$(( rows < 1000000 ? rows : 1000000 ))
head -n $(( rows + 1 )) "$table" | /usr/bin/python3 -c '
import csv, sys, openpyxl
book = openpyxl.Workbook(write_only=True)
sheet = book.create_sheet()
for row in csv.reader(sys.stdin):
    sheet.append([float(c) if c.lstrip("-").replace(".", "", 1).isdigit() else c or None for c in row])
book.save(sys.argv[1])
' "$book"
measure "workbook in, CSV out" "$rows" "$book"
