#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Takes pictures of Korvel's main window, of its open tray menu and of its
# History window over a month of updates, under the light palette and under
# GTK's dark one (qt6-gtk-platformtheme), under Xvfb at 96 dpi, with trayer as
# the tray host. KORVEL_SCREENSHOT_SCALE=2 shows Korvel on a screen scaled
# twice (QT_SCALE_FACTOR).
#   scripts/screenshot.sh [KORVEL_BINARY] [WINDOW_PNG] [TRAY_MENU_PNG] [HISTORY_PNG] [DARK_HISTORY_PNG] [DARK_WINDOW_PNG]
set -euo pipefail
[ -n "${KORVEL_SCREENSHOT_TRACE:-}" ] && set -x

source "$(dirname "${BASH_SOURCE[0]}")/screenshot-peers.sh"
korvel=${1:-$root/build/src/korvel}
output=${2:-$root/docs/form1.png}
menu_output=${3:-$root/docs/traymenu.png}
history_output=${4:-$root/docs/history.png}
dark_history_output=${5:-$root/docs/history-dark.png}
dark_output=${6:-$root/docs/form1-dark.png}
scale=${KORVEL_SCREENSHOT_SCALE:-1}

start_desktop x11 "$((800 * scale))x$((600 * scale))" 96 $((24 * scale))
display=$DISPLAY
start_system_bus "Mobile broadband" "Travel modem"
write_settings "$work"
# A month of updates every two hours: four days while the system's network
# time kept the clock (checks), then Korvel setting a clock that loses 1.3 s
# a day, and a few updates that found no server.
mkdir -p "$work/state/korvel"
python3 - "$work/state/korvel/history.csv" <<'PY'
import datetime, math, sys
start = datetime.datetime.now(datetime.timezone.utc).replace(microsecond=0) - datetime.timedelta(days=30)
lines = ["time_utc,outcome,reason,offset_s,uncertainty_s,servers,lag_s,asked_by"]
servers = "time-a-g.nist.gov time-b-wwv.nist.gov time-c-b.nist.gov utcnist.colorado.edu"
last_set = None
for i in range(360):
    time = (start + datetime.timedelta(hours=2 * i)).strftime("%Y-%m-%dT%H:%M:%SZ")
    wobble = 0.012 * math.sin(i * 2.3)
    uncertainty = 0.006 + 0.004 * (1 + math.sin(i * 0.7))
    if i % 97 == 50:
        lines.append("%s,no answer,no time server answered,,,,,schedule" % time)
    elif i < 48:
        lines.append("%s,checked,network time keeps it,%.6f,%.6f,%s,0.021,schedule" % (time, wobble / 3, uncertainty, servers))
    else:
        drifted = -1.3 * (i - last_set) / 12 if last_set is not None else wobble / 3
        lines.append("%s,set,,%.6f,%.6f,%s,0.021,schedule" % (time, drifted + wobble, uncertainty, servers))
        last_set = i
open(sys.argv[1], "w").write("\n".join(lines) + "\n")
PY

# Prints the first window named $1 once it is there, within 10 seconds.
wait_for_window() {
  local found=""
  for _ in $(seq 100); do
    found=$(DISPLAY=$display xdotool search --name "$1" 2>/dev/null | head -n1) || true
    [ -n "$found" ] && { echo "$found"; return 0; }
    sleep 0.1
  done
  echo "the window \"$1\" did not appear" >&2
  return 1
}

# Starts Korvel with the given extra environment and waits for its window.
start_korvel() {
  env "$@" LANG=en_US.UTF-8 DISPLAY=$display XDG_CONFIG_HOME=$work XDG_STATE_HOME=$work/state QT_QPA_PLATFORM=xcb \
    QT_FONT_DPI=96 QT_SCALE_FACTOR=$scale "$root/scripts/without-clock-rights.sh" "$korvel" 2>/dev/null &
  korvel_pid=$!
  pids=("$korvel_pid" "${pids[@]}")
  window=$(wait_for_window "Korvel Time & Date Setter") || exit 1
}

# Opens the History window from the Options menu and takes its picture.
take_history() {
  DISPLAY=$display xdotool windowfocus --sync "$window" key --clearmodifiers alt+o
  sleep 0.5
  DISPLAY=$display xdotool key h
  local history
  history=$(wait_for_window "Korvel - History") || exit 1
  sleep 1
  eval "$(DISPLAY=$display xdotool getwindowgeometry --shell "$history")"
  DISPLAY=$display import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"
  echo "$1: ${WIDTH}x${HEIGHT}"
}

# The main window's picture, once the clock face has ticked.
take_window() {
  sleep 2.5
  eval "$(DISPLAY=$display xdotool getwindowgeometry --shell "$window")"
  DISPLAY=$display import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"
  echo "$1: ${WIDTH}x${HEIGHT}"
}

start_korvel
take_window "$output"

# The tray icon is the small window of Korvel's that trayer holds; a click
# opens its menu at the pointer.
icon=""
for candidate in $(DISPLAY=$display xdotool search --pid "$korvel_pid" 2>/dev/null); do
  eval "$(DISPLAY=$display xdotool getwindowgeometry --shell "$candidate")"
  if [ "$WIDTH" -le $((32 * scale)) ] && [ "$HEIGHT" -le $((32 * scale)) ] && [ "$Y" -lt $((24 * scale)) ]; then
    icon=$candidate
  fi
done
[ -n "$icon" ] || { echo "the tray icon did not appear" >&2; exit 1; }
DISPLAY=$display xdotool mousemove --window "$icon" 4 4 click 1
sleep 1
menu=$(DISPLAY=$display xdotool search --onlyvisible --pid "$korvel_pid" --class "korvel" 2>/dev/null | while read -r w; do
  eval "$(DISPLAY=$display xdotool getwindowgeometry --shell "$w")"
  if [ "$WIDTH" -gt $((32 * scale)) ] && [ "$WIDTH" -lt $((300 * scale)) ] && [ "$HEIGHT" -lt $((200 * scale)) ]; then
    echo "$w"
  fi
done | tail -n1)
[ -n "$menu" ] || { echo "the tray menu did not open" >&2; exit 1; }
eval "$(DISPLAY=$display xdotool getwindowgeometry --shell "$menu")"
DISPLAY=$display import -window root -crop "$((WIDTH + 40))x$((HEIGHT + 40))+$((X - 20))+$((Y - 20))" +repage \
  "$menu_output"
echo "$menu_output: ${WIDTH}x${HEIGHT}"
DISPLAY=$display xdotool key Escape
take_history "$history_output"

# Under GTK's dark palette, as a desktop in dark mode shows Korvel.
kill "$korvel_pid"
wait "$korvel_pid" 2>/dev/null || true
start_korvel QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
take_window "$dark_output"
take_history "$dark_history_output"
