#!/usr/bin/env bash
# Times kaldora-calc on a table of 100,000 mixed cases (all five types,
# refusals and malformed rows among them).
set -euo pipefail
calc=$1
rows=${2:-100000}
table=$(mktemp)
trap 'rm -f "$table"' EXIT
awk -v n="$rows" 'BEGIN {
  print "type,indoors,metal,long_hours,slot1,slot3,slot4,slot7,slot8,slot11,slot16,slot17,slot23,slot24,slot32"
  split("18 25 32 45 57 76 89 108 133 159 219 273", d, " ")
  for (i = 0; i < n; i++) {
    t = i % 6 + 1; dia = d[i % 12 + 1]; m = i % 2; h = int(i / 2) % 2
    if (t == 1) printf "1,%d,%d,%d,%d,%s,%d,,,,,,,,\n", h, m, h, i % 30, dia, 50 + i % 550
    else if (t == 2) printf "2,,%d,,%d,%s,%d,,,,,,,,%d\n", m, 10 + i % 30, dia, -30 + i % 40, 10 + i % 86
    else if (t == 3) printf "3,%d,%d,,20,%s,%d,%d,,,,,,,\n", h, m, dia, 100 + i % 400, 35 + i % 30
    else if (t == 4) printf "4,,,,%d,%s,,,%d,%d,%d,,,,\n", -5 - i % 40, dia, 2 + i % 6, 1 + i % 30, 1 + i % 60
    else if (t == 5) printf "5,,,%d,,,,,,,,%d,%s,%s,\n", h, i % 20, (i % 12 ? dia : "25"), (i % 3 ? "65" : "90")
    else printf "%d,,,,,,,45,,,,,,,\n", (i % 12 ? 1 : 9)
  }
}' > "$table"
start=$(date +%s.%N)
"$calc" --csv "$table" > /dev/null
end=$(date +%s.%N)
awk -v s="$start" -v e="$end" -v n="$rows" 'BEGIN { printf "kaldora-calc: %d cases in %.2f s (%.1f us a case)\n", n, e - s, (e - s) / n * 1e6 }'
