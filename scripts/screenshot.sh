#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Takes pictures of Korvel's main window and of its open tray menu under
# Xvfb at 96 dpi, with trayer as the tray host. KORVEL_SCREENSHOT_SCALE=2
# shows Korvel on a screen scaled twice (QT_SCALE_FACTOR).
#   scripts/screenshot.sh [KORVEL_BINARY] [WINDOW_PNG] [TRAY_MENU_PNG]
set -euo pipefail
[ -n "${KORVEL_SCREENSHOT_TRACE:-}" ] && set -x

source "$(dirname "${BASH_SOURCE[0]}")/screenshot-peers.sh"
korvel=${1:-$root/build/src/korvel}
output=${2:-$root/docs/form1.png}
menu_output=${3:-$root/docs/traymenu.png}
scale=${KORVEL_SCREENSHOT_SCALE:-1}

start_desktop x11 "$((800 * scale))x$((600 * scale))" 96 $((24 * scale))
display=$DISPLAY
start_system_bus "Mobile broadband" "Travel modem"
write_settings "$work"
LANG=en_US.UTF-8 XDG_CONFIG_HOME=$work QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 QT_SCALE_FACTOR=$scale \
  "$root/scripts/without-clock-rights.sh" "$korvel" 2>/dev/null &
korvel_pid=$!
pids=("$korvel_pid" "${pids[@]}")

window=""
for _ in $(seq 100); do
  window=$(DISPLAY=$display xdotool search --name "Korvel Time & Date Setter" 2>/dev/null | head -n1) || true
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the window did not appear" >&2; exit 1; }
# Long enough for the clock face's first ticks.
sleep 2.5

eval "$(DISPLAY=$display xdotool getwindowgeometry --shell "$window")"
DISPLAY=$display import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$output"
echo "$output: ${WIDTH}x${HEIGHT}"

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
