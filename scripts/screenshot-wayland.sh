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

as_user=()
if [ "$(id -u)" -eq 0 ]; then
  user=korvel-desktop
  getent passwd "$user" >/dev/null || useradd --system --user-group --no-create-home --home-dir /nonexistent \
    --shell /usr/sbin/nologin "$user"
  as_user=(setpriv --reuid="$user" --regid="$user" --clear-groups --inh-caps=-all)
fi

# NetworkManager with a mobile broadband profile, played by dbusmock on a
# private system bus, so the dial-up area has something to show; the
# desktop's session bus in its runtime folder.
mkdir -p "$work/system" "$work/home/run" "$work/home/.config/waybar" "$work/home/.config/Korvel"
"$root/peers/private-bus.sh" bus "$work/system" >/dev/null 2>&1 &
pids+=($!)
"$root/peers/private-bus.sh" bus "$work/home/run" session >/dev/null 2>&1 &
pids+=($!)
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$work/system/bus DBUS_SESSION_BUS_ADDRESS=unix:path=$work/home/run/bus
for _ in $(seq 50); do [ -S "$work/system/bus" ] && [ -S "$work/home/run/bus" ] && break; sleep 0.1; done
"$root/peers/private-bus.sh" mock "$DBUS_SYSTEM_BUS_ADDRESS" networkmanager >/dev/null 2>&1 &
pids+=($!)
gdbus wait --system --timeout 20 org.freedesktop.NetworkManager
gdbus call --system --dest org.freedesktop.NetworkManager --object-path /org/freedesktop/NetworkManager/Settings \
  --method org.freedesktop.NetworkManager.Settings.AddConnection \
  "{'connection': {'id': <'Mobile broadband'>, 'type': <'gsm'>}, 'gsm': {'apn': <'internet'>}}" >/dev/null

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
chmod 700 "$work/home/run"
[ ${#as_user[@]} -eq 0 ] || chown -R "$user:$user" "$work/home"

export HOME=$work/home XDG_RUNTIME_DIR=$work/home/run XDG_CONFIG_HOME=$work/home/.config SWAYSOCK=$work/home/run/sway.sock
export NO_AT_BRIDGE=1
unset DISPLAY WAYLAND_DISPLAY
WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman "${as_user[@]}" sway -c "$work/home/sway.conf" \
  2>/dev/null &
pids+=($!)
for _ in $(seq 100); do swaymsg -t get_version >/dev/null 2>&1 && break; sleep 0.1; done
export WAYLAND_DISPLAY
WAYLAND_DISPLAY=$(basename "$(ls "$XDG_RUNTIME_DIR"/wayland-? | head -n1)")
"${as_user[@]}" waybar >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  gdbus call --session --dest org.kde.StatusNotifierWatcher --object-path /StatusNotifierWatcher \
    --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher IsStatusNotifierHostRegistered \
    2>/dev/null | grep -q true && break
  sleep 0.1
done

LANG=en_US.UTF-8 QT_QPA_PLATFORM=wayland QT_FONT_DPI=96 "${as_user[@]}" "$korvel" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do swaymsg -t get_tree | grep -q '"app_id": "org.korvel.Korvel"' && break; sleep 0.1; done
swaymsg -t get_tree | grep -q '"app_id": "org.korvel.Korvel"' || { echo "the window did not appear" >&2; exit 1; }
# Long enough for the clock face's first ticks and the icon in the bar.
sleep 2.5
"${as_user[@]}" env XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" WAYLAND_DISPLAY="$WAYLAND_DISPLAY" grim "$work/home/run/shot.png"
cp "$work/home/run/shot.png" "$output"
echo "$output: 800x600"
