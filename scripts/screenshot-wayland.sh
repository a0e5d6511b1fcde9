#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Takes a picture of Korvel on a Wayland desktop: sway's headless backend as
# the compositor, waybar's tray as the StatusNotifierItem host (Korvel's
# icon at the bar's right end) and the window shown.
# sway refuses to run as root; as root the desktop runs as the ordinary user
# korvel-desktop (created the first time, as the tests do).
#   scripts/screenshot-wayland.sh [KORVEL_BINARY] [PNG]
set -euo pipefail
[ -n "${KORVEL_SCREENSHOT_TRACE:-}" ] && set -x

source "$(dirname "${BASH_SOURCE[0]}")/screenshot-peers.sh"
korvel=${1:-$root/build/src/korvel}
output=${2:-$root/docs/wayland.png}

start_system_bus "Mobile broadband"
# The desktop with its bar in colour and Korvel's window floating, and
# Korvel's settings in the desktop user's home.
mkdir -p "$work/home/.config/waybar"
cat >"$work/home/sway.conf" <<'CONF'
output HEADLESS-1 resolution 800x600
xwayland disable
for_window [app_id="org.korvel.Korvel"] floating enable
CONF
cat >"$work/home/.config/waybar/config" <<'CONF'
{"layer": "top", "position": "top", "height": 26, "modules-left": ["sway/workspaces"], "modules-right": ["tray"],
 "tray": {"icon-size": 16, "spacing": 4}}
CONF
echo 'window#waybar { background: #30343a; color: #ffffff; }' >"$work/home/.config/waybar/style.css"
write_settings "$work/home/.config"
# WAYLAND_DISPLAY, XDG_RUNTIME_DIR, HOME, the session bus, SWAYSOCK and the desktop's user.
start_desktop wayland "$work/home"
export XDG_CONFIG_HOME=$HOME/.config NO_AT_BRIDGE=1
unset DISPLAY
as_user=()
[ "$(id -u)" -ne 0 ] || as_user=(setpriv --reuid="$KORVEL_DESKTOP_USER" --regid="$KORVEL_DESKTOP_USER" --clear-groups
                                 --inh-caps=-all)

LANG=en_US.UTF-8 QT_QPA_PLATFORM=wayland QT_FONT_DPI=96 "${as_user[@]}" "$korvel" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do swaymsg -t get_tree | grep -q '"app_id": "org.korvel.Korvel"' && break; sleep 0.1; done
swaymsg -t get_tree | grep -q '"app_id": "org.korvel.Korvel"' || { echo "the window did not appear" >&2; exit 1; }
# Long enough for the clock face's first ticks and the icon in the bar.
sleep 2.5
"${as_user[@]}" env XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" WAYLAND_DISPLAY="$WAYLAND_DISPLAY" grim "$work/home/run/shot.png"
cp "$work/home/run/shot.png" "$output"
echo "$output: 800x600"
