# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the screenshot scripts: a work folder removed at the end with
# every process they started, the private system bus with NetworkManager and
# timedated as the tests have them, Korvel's settings and the desktop.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# A desktop run as another user reaches what lies below.
work=$(mktemp -d)
chmod 755 "$work"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# start_system_bus PROFILE...: the bus, its two services and a mobile
# broadband profile of each name, so the dial-up area has something to show.
start_system_bus() {
  mkdir -p "$work/system"
  "$root/peers/private-bus.sh" bus "$work/system" >/dev/null 2>&1 &
  pids+=($!)
  export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$work/system/bus
  for _ in $(seq 50); do [ -S "$work/system/bus" ] && break; sleep 0.1; done
  for service in networkmanager timedated; do
    "$root/peers/private-bus.sh" mock "$DBUS_SYSTEM_BUS_ADDRESS" "$service" >/dev/null 2>&1 &
    pids+=($!)
  done
  gdbus wait --system --timeout 20 org.freedesktop.NetworkManager
  gdbus wait --system --timeout 20 org.freedesktop.timedate1
  local profile
  for profile in "$@"; do
    gdbus call --system --dest org.freedesktop.NetworkManager \
      --object-path /org/freedesktop/NetworkManager/Settings \
      --method org.freedesktop.NetworkManager.Settings.AddConnection \
      "{'connection': {'id': <'$profile'>, 'type': <'gsm'>}, 'gsm': {'apn': <'internet'>}}" >/dev/null
  done
}

# write_settings CONFIG_FOLDER: both groups switched on, so the picture shows
# them in their colours; the last update a few minutes ago, so no update
# starts while the picture is taken.
write_settings() {
  mkdir -p "$1/Korvel"
  printf '[Option]\nCheckEvery=1\nCheckAuto=1\nUnload=1\nConnection=Mobile broadband\nTimeZone=55\nLastUpdate=%s\n' \
    "$(LC_ALL=C date -d '-25 minutes' '+%-m/%-d/%Y %-I:%M:%S %p')" >"$1/Korvel/Korvel.ini"
}

# start_desktop x11|wayland [ARGUMENTS]: peers/desktop.sh, once its tray host
# holds the tray, with the environment it printed exported.
start_desktop() {
  "$root/peers/desktop.sh" "$@" >"$work/desktop" &
  pids+=($!)
  for _ in $(seq 300); do grep -qx ready "$work/desktop" && break; sleep 0.1; done
  grep -qx ready "$work/desktop" || { echo "the desktop did not come up" >&2; exit 1; }
  # shellcheck disable=SC2046
  export $(grep = "$work/desktop")
}
