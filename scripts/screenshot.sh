#!/usr/bin/env bash
# Takes a picture of Korvel's main window under Xvfb at 96 dpi.
#   scripts/screenshot.sh [KORVEL_BINARY] [OUTPUT_PNG]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
korvel=${1:-$root/build/src/korvel}
output=${2:-$root/docs/form1.png}
display=:${KORVEL_SCREENSHOT_DISPLAY:-97}

work=$(mktemp -d)
xvfb_pid=""
korvel_pid=""
cleanup() {
  [ -n "$korvel_pid" ] && kill "$korvel_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 800x600x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
  DISPLAY=$display xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.1
done

# Both groups switched on, so the picture shows them in their colours.
mkdir -p "$work/Korvel"
printf '[Option]\nCheckEvery=1\nCheckAuto=1\nUnload=1\n' >"$work/Korvel/Korvel.ini"
DISPLAY=$display XDG_CONFIG_HOME=$work QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 "$korvel" 2>/dev/null &
korvel_pid=$!

window=""
for _ in $(seq 100); do
  window=$(DISPLAY=$display xdotool search --name "Korvel Time & Date Setter" 2>/dev/null | head -n1) || true
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the window did not appear" >&2; exit 1; }
sleep 1

eval "$(DISPLAY=$display xdotool getwindowgeometry --shell "$window")"
DISPLAY=$display import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$output"
echo "$output: ${WIDTH}x${HEIGHT}"
