#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# A desktop with a notification area, as the tests, the benchmarks and the
# screenshot scripts start it. It runs in the foreground until it is ended;
# once the tray host holds the tray it prints the environment a program
# needs on it, one NAME=value a line, then "ready".
#   peers/desktop.sh x11 [WIDTHxHEIGHT [DPI [TRAY_HEIGHT]]]
#       Xvfb on a free display, trayer holding its XEmbed tray at the top right.
#   peers/desktop.sh wayland [HOME [WIDTHxHEIGHT]]
#       sway's headless backend with waybar's StatusNotifierItem host, their
#       files in HOME (a sway.conf or .config/waybar/config already there is
#       kept; without HOME, in a temporary folder removed at the end) and a
#       session bus in HOME/run. sway refuses to run as root, so
#       as root they run as the ordinary user korvel-desktop (made the first
#       time), whom KORVEL_DESKTOP_USER names.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
children=()
temporary=""
finish() {
  [ ${#children[@]} -eq 0 ] || kill "${children[@]}" 2>/dev/null || true
  wait 2>/dev/null || true
  [ -z "$temporary" ] || rm -rf "$temporary"
}
trap finish EXIT
trap 'exit 0' TERM INT

# Waits up to 15 s for a command to succeed.
eventually() {
  for _ in $(seq 150); do "$@" && return 0; sleep 0.1; done
  return 1
}

trayTaken() {
  /usr/bin/python3 - "$1" <<'PY'
import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XInternAtom.restype = ctypes.c_ulong
x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XGetSelectionOwner.restype = ctypes.c_ulong
display = x.XOpenDisplay(sys.argv[1].encode())
sys.exit(0 if display and x.XGetSelectionOwner(display, x.XInternAtom(display, b"_NET_SYSTEM_TRAY_S0", 0)) else 1)
PY
}

x11() {
  local size=${1:-1024x768} dpi=${2:-} height=${3:-24} numbers
  numbers=$(mktemp)
  # Xvfb picks a free display number and writes it out. Without -noreset it
  # would reset whenever its last client leaves, turning away one arriving.
  Xvfb -displayfd 1 -noreset -nolisten tcp -screen 0 "${size}x24" ${dpi:+-dpi "$dpi"} >"$numbers" 2>/dev/null &
  children+=($!)
  eventually test -s "$numbers" || { echo "Xvfb gave no display" >&2; exit 1; }
  local display=:$(head -n1 "$numbers")
  rm -f "$numbers"
  DISPLAY=$display trayer --edge top --align right --widthtype request --height "$height" --transparent false \
    --SetDockType false --SetPartialStrut false >/dev/null 2>&1 &
  children+=($!)
  eventually trayTaken "$display" || { echo "trayer did not take the tray on $display" >&2; exit 1; }
  echo "DISPLAY=$display"
}

hostRegistered() {
  gdbus call --session --dest org.kde.StatusNotifierWatcher --object-path /StatusNotifierWatcher \
    --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher IsStatusNotifierHostRegistered \
    2>/dev/null | grep -q true
}

wayland() {
  local home=${1:-} size=${2:-1024x768} user as_user=()
  if [ -z "$home" ]; then
    temporary=$(mktemp -d)
    home=$temporary
  fi
  user=$(id -un)
  if [ "$(id -u)" -eq 0 ]; then
    user=korvel-desktop
    getent passwd "$user" >/dev/null || useradd --system --user-group --no-create-home --home-dir /nonexistent \
      --shell /usr/sbin/nologin "$user"
    as_user=(setpriv --reuid="$user" --regid="$user" --clear-groups --inh-caps=-all)
  fi
  mkdir -p "$home/run" "$home/.config/waybar"
  [ -f "$home/sway.conf" ] || printf 'output HEADLESS-1 resolution %s\nxwayland disable\n' "$size" >"$home/sway.conf"
  [ -f "$home/.config/waybar/config" ] \
    || echo '{"modules-right": ["tray"], "tray": {"icon-size": 16}}' >"$home/.config/waybar/config"
  "$here/private-bus.sh" bus "$home/run" session >/dev/null 2>&1 &
  children+=($!)
  eventually test -S "$home/run/bus" || { echo "no session bus" >&2; exit 1; }
  chmod 755 "$home"
  chmod 700 "$home/run"
  chown -R "$user:" "$home"
  export HOME=$home XDG_RUNTIME_DIR=$home/run XDG_CONFIG_HOME=$home/.config SWAYSOCK=$home/run/sway.sock \
    DBUS_SESSION_BUS_ADDRESS=unix:path=$home/run/bus NO_AT_BRIDGE=1
  unset DISPLAY WAYLAND_DISPLAY
  WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman "${as_user[@]}" sway -c "$home/sway.conf" \
    >/dev/null 2>&1 &
  children+=($!)
  eventually swaymsg -t get_version >/dev/null 2>&1 || { echo "sway did not start" >&2; exit 1; }
  local socket
  socket=$(ls "$XDG_RUNTIME_DIR"/wayland-? | head -n1)
  "${as_user[@]}" env WAYLAND_DISPLAY="${socket##*/}" waybar >/dev/null 2>&1 &
  children+=($!)
  eventually hostRegistered || { echo "waybar registered no tray host" >&2; exit 1; }
  printf '%s\n' "WAYLAND_DISPLAY=${socket##*/}" "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" "HOME=$HOME" \
    "DBUS_SESSION_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS" "SWAYSOCK=$SWAYSOCK" "KORVEL_DESKTOP_USER=$user"
}

case "${1:-}" in
x11 | wayland) "$@" ;;
*)
  echo "usage: $0 x11 [WIDTHxHEIGHT [DPI [TRAY_HEIGHT]]] | wayland [HOME [WIDTHxHEIGHT]]" >&2
  exit 2
  ;;
esac
echo ready
wait
