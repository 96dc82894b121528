#!/usr/bin/env bash
# Times the start of windows: from launching a program to its window being
# mapped (the first MapNotify on the root window), under Xvfb. The programs
# take turns run by run, so that a slow moment of the machine falls on all of
# them; each is timed with a session message bus, as on a desktop, and
# without one (where libdbus may start a bus of its own on every start).
# The first program is the yardstick: the others' medians are also given as
# multiples of its own.
#   bench/startup_time.sh [-n RUNS] PROGRAM...   prints each one's medians, ms
set -euo pipefail
runs=9
if [[ ${1:-} == -n ]]; then runs=$2; shift 2; fi
(($# > 0)) || { echo "usage: $0 [-n RUNS] PROGRAM..." >&2; exit 2; }

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
bus_pid=
trap 'kill $xvfb ${bus_pid:-} 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
read -r bus_address bus_pid < <(dbus-daemon --session --fork --print-address=1 --print-pid=1 | paste -s -d ' ')

# Milliseconds from launching $1 to the first window mapped on the display.
time_one() {
  local fifo xev app start mapped line
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  xev -root -event substructure >"$fifo" &
  xev=$!
  exec 3<"$fifo"
  sleep 0.3  # xev has selected its events
  start=$(date +%s%N)
  QT_QPA_PLATFORM=xcb "$1" >/dev/null 2>&1 &
  app=$!
  while read -r -u 3 line; do
    case $line in MapNotify*) mapped=$(date +%s%N); break ;; esac
  done
  kill "$app" "$xev" 2>/dev/null || true
  wait "$app" "$xev" 2>/dev/null || true
  exec 3<&-
  rm -f "$fifo"
  echo $(((mapped - start) / 1000000))
}

declare -A times
for _ in $(seq "$runs"); do
  for program in "$@"; do
    times[$program,bus]+=" $(DBUS_SESSION_BUS_ADDRESS=$bus_address time_one "$program")"
    times[$program,none]+=" $(env -u DBUS_SESSION_BUS_ADDRESS bash -c "$(declare -f time_one); time_one '$program'")"
    sleep 0.2
  done
done

median() { printf '%s\n' $1 | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
# "77 (1.35x)": a median and its multiple of the yardstick's
against() { awk -v m="$1" -v y="$2" 'BEGIN { printf "%d (%.2fx)", m, m / y }'; }
printf '%-36s %20s %20s\n' "median of $runs runs, ms" "with a session bus" "without"
for program in "$@"; do
  with_bus=$(median "${times[$program,bus]}") without=$(median "${times[$program,none]}")
  if [[ $program == "$1" ]]; then yard_bus=$with_bus yard_none=$without; fi
  printf '%-36s %20s %20s\n' "$program" "$(against "$with_bus" "$yard_bus")" "$(against "$without" "$yard_none")"
done
