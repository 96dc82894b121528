#!/usr/bin/env bash
# Starts the real program on a virtual X display with no platform theme, the
# GTK theme and the dark GTK theme, calculates type 4 from the keyboard and
# grabs the window: the three grabs must be the same to the pixel.
set -u
program=$1
for tool in Xvfb xdotool xwd; do command -v $tool >/dev/null || { echo "needs $tool"; exit 1; }; done
ls /usr/lib/*/qt6/plugins/platformthemes/libqgtk3.so >/dev/null 2>&1 || { echo "needs qt6-gtk-platformtheme"; exit 1; }

work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME GTK_THEME

grab() {  # grab NAME [VAR=VALUE...]: the type 4 screen after a calculation
  env "${@:2}" "$program" >/dev/null 2>&1 &
  local pid=$! window
  window=$(timeout 10 xdotool search --sync --onlyvisible --name 'Программа тепловых расчетов' | head -n1)
  [ -n "$window" ] || { echo "the window did not appear ($1)"; kill $pid; return 1; }
  # Type 4 at -20 °C, calculated, then Tab to the calculate button: no
  # message box, no blinking cursor.
  xdotool windowfocus --sync "$window" key ctrl+4
  xdotool type -- -20
  xdotool key Return Tab Tab Tab Tab Tab
  sleep 1
  xwd -id "$window" -silent >"$work/$1.xwd"
  kill $pid
  wait $pid 2>/dev/null
  return 0
}

grab plain || exit 1
grab light QT_QPA_PLATFORMTHEME=gtk3 || exit 1
grab dark QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark || exit 1
status=0
for theme in light dark; do
  if cmp -s "$work/plain.xwd" "$work/$theme.xwd"; then
    echo "the $theme GTK theme leaves the window as it is"
  else
    echo "the $theme GTK theme changes the window"
    status=1
  fi
done
exit $status
