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

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
korvel=${1:-$root/build/src/korvel}
output=${2:-$root/docs/wayland.png}

work=$(mktemp -d)
chmod 755 "$work"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# NetworkManager with a mobile broadband profile, played by dbusmock on a
# private system bus, so the dial-up area has something to show.
mkdir -p "$work/system" "$work/home/.config/waybar" "$work/home/.config/Korvel"
"$root/peers/private-bus.sh" bus "$work/system" >/dev/null 2>&1 &
pids+=($!)
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$work/system/bus
for _ in $(seq 50); do [ -S "$work/system/bus" ] && break; sleep 0.1; done
"$root/peers/private-bus.sh" mock "$DBUS_SYSTEM_BUS_ADDRESS" networkmanager >/dev/null 2>&1 &
pids+=($!)
gdbus wait --system --timeout 20 org.freedesktop.NetworkManager
gdbus call --system --dest org.freedesktop.NetworkManager --object-path /org/freedesktop/NetworkManager/Settings \
  --method org.freedesktop.NetworkManager.Settings.AddConnection \
  "{'connection': {'id': <'Mobile broadband'>, 'type': <'gsm'>}, 'gsm': {'apn': <'internet'>}}" >/dev/null

# The desktop with its bar in colour and Korvel's window floating, and
# Korvel's settings in the desktop user's home.
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
printf '[Option]\nCheckEvery=1\nCheckAuto=1\nUnload=1\nConnection=Mobile broadband\nTimeZone=55\nLastUpdate=%s\n' \
  "$(LC_ALL=C date -d '-25 minutes' '+%-m/%-d/%Y %-I:%M:%S %p')" >"$work/home/.config/Korvel/Korvel.ini"
"$root/peers/desktop.sh" wayland "$work/home" >"$work/desktop" &
pids+=($!)
for _ in $(seq 300); do grep -qx ready "$work/desktop" && break; sleep 0.1; done
grep -qx ready "$work/desktop" || { echo "the desktop did not come up" >&2; exit 1; }
# WAYLAND_DISPLAY, XDG_RUNTIME_DIR, HOME, the session bus, SWAYSOCK and the desktop's user.
export $(grep = "$work/desktop")
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
