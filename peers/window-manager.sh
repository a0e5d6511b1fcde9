#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# A window manager, or Xfce's panel, on an X display that is already running
# (peers/desktop.sh x11 or the tests' own). It runs in the foreground until
# it is ended; once the window manager manages the display (and the panel
# hosts StatusNotifierItems) it prints the session bus it made, as
# DBUS_SESSION_BUS_ADDRESS=..., then "ready".
#   peers/window-manager.sh DISPLAY xfwm4|openbox|xfce4-panel
#       xfce4-panel comes with xfwm4 and a panel holding only its status
#       tray; a program on that bus finds it as its StatusNotifierItem host.
set -euo pipefail

display=${1:?display}
kind=${2:?xfwm4, openbox or xfce4-panel}
folder=$(mktemp -d)
children=()
finish() {
  [ ${#children[@]} -eq 0 ] || kill "${children[@]}" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$folder"
}
trap finish EXIT
trap 'exit 0' TERM INT

# Waits up to 15 s for a command to succeed.
eventually() {
  for _ in $(seq 150); do "$@" && return 0; sleep 0.1; done
  return 1
}

# Xfce keeps its settings in xfconfd, which the session bus starts on demand.
cat >"$folder/bus.conf" <<CONF
<busconfig>
  <type>session</type>
  <listen>unix:path=$folder/bus</listen>
  <auth>EXTERNAL</auth>
  <standard_session_servicedirs/>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
mkdir -p "$folder/config/xfce4/xfconf/xfce-perchannel-xml"
# One panel along the top left, holding only the status tray.
cat >"$folder/config/xfce4/xfconf/xfce-perchannel-xml/xfce4-panel.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="30"/>
      <property name="size" type="uint" value="28"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
XML
# Exported first: the bus hands its environment to the services it starts.
export DISPLAY=$display DBUS_SESSION_BUS_ADDRESS=unix:path=$folder/bus XDG_CONFIG_HOME=$folder/config \
  XDG_CACHE_HOME=$folder/cache NO_AT_BRIDGE=1
dbus-daemon --config-file="$folder/bus.conf" --nofork >/dev/null 2>&1 &
children+=($!)
eventually test -S "$folder/bus" || { echo "no session bus" >&2; exit 1; }
# The accessibility bus a screen reader reads the windows from.
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
children+=($!)

managed() {
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

hostRegistered() {
  gdbus call --session --dest org.kde.StatusNotifierWatcher --object-path /StatusNotifierWatcher \
    --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher IsStatusNotifierHostRegistered \
    2>/dev/null | grep -q true
}

case "$kind" in
xfwm4 | xfce4-panel) xfwm4 --compositor=off >/dev/null 2>&1 & ;;
openbox) openbox >/dev/null 2>&1 & ;;
*)
  echo "usage: $0 DISPLAY xfwm4|openbox|xfce4-panel" >&2
  exit 2
  ;;
esac
children+=($!)
eventually managed || { echo "$kind did not manage $display" >&2; exit 1; }
if [ "$kind" = xfce4-panel ]; then
  xfce4-panel --disable-wm-check >/dev/null 2>&1 &
  children+=($!)
  eventually hostRegistered || { echo "xfce4-panel registered no tray host" >&2; exit 1; }
fi
echo "DBUS_SESSION_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS"
echo ready
wait
