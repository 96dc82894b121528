#!/usr/bin/env bash
# Times the start of the window: from launching the program to its window
# being mapped (the first MapNotify on the root window), under Xvfb.
#   bench/startup_time.sh PROGRAM [RUNS]   prints each run and the median, ms
set -euo pipefail
program=$1
runs=${2:-5}
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

times=()
for _ in $(seq "$runs"); do
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  xev -root -event substructure >"$fifo" &
  xev=$!
  exec 3<"$fifo"
  sleep 0.3  # xev has selected its events
  start=$(date +%s%N)
  QT_QPA_PLATFORM=xcb "$program" >/dev/null 2>&1 &
  app=$!
  while read -r -u 3 line; do
    case $line in MapNotify*) mapped=$(date +%s%N); break ;; esac
  done
  kill "$app" "$xev" 2>/dev/null || true
  wait "$app" "$xev" 2>/dev/null || true
  exec 3<&-
  rm -f "$fifo"
  times+=($(( (mapped - start) / 1000000 )))
  sleep 0.2
done
printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1; printf "%d ms\n", $1 }
  END { printf "median %d ms over %d runs\n", a[int((NR + 1) / 2)], NR }'
