#!/usr/bin/env bash
# Starts the real program on a virtual X display, clicks the exit item while
# the title screen is still up and expects the process to end with status 0.
set -u
program=$1
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "needs Xvfb and xdotool"; exit 1; }

fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -f "$fdfile"' EXIT
for _ in $(seq 50); do [ -s "$fdfile" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$fdfile")"
unset QT_QPA_PLATFORM

"$program" &
pid=$!
window=$(timeout 10 xdotool search --sync --onlyvisible --name 'Программа тепловых расчетов' | head -n1)
[ -n "$window" ] || { echo "the window did not appear"; kill $pid; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")"
# The exit item "Завершение работы " stands at 16, 514 (250 x 27).
xdotool mousemove $((X + 120)) $((Y + 527)) click 1

for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then echo "the program is still running"; kill $pid; exit 1; fi
wait $pid
status=$?
echo "exit status $status"
[ $status -eq 0 ]
