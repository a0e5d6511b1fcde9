#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# A private D-Bus bus and the system services Korvel talks to, played by
# python3-dbusmock, as the tests, the benchmarks and the screenshot scripts
# start them. Each command runs in the foreground until it is ended.
#   peers/private-bus.sh bus FOLDER [system|session]
#       a dbus-daemon listening on FOLDER/bus; prints its address first.
#       Every local user may connect and own any name, so that a mock may
#       own a service's name and a desktop run as another user reaches it.
#   peers/private-bus.sh mock ADDRESS timedated|networkmanager [dbusmock options]
#       the service on the bus at ADDRESS, with what Korvel needs of it
#       (peers/dbusmock/); options such as -p '{"NTP": false}' go to dbusmock.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
command=${1:?bus or mock}

case "$command" in
bus)
  folder=${2:?folder}
  type=${3:-system}
  chmod 711 "$folder"
  cat >"$folder/bus.conf" <<CONF
<busconfig>
  <type>$type</type>
  <listen>unix:path=$folder/bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*"/>
    <allow receive_sender="*"/>
  </policy>
</busconfig>
CONF
  exec dbus-daemon --config-file="$folder/bus.conf" --nofork --print-address
  ;;
mock)
  address=${2:?bus address}
  service=${3:?timedated or networkmanager}
  shift 3
  DBUS_SYSTEM_BUS_ADDRESS=$address exec /usr/bin/python3 -m dbusmock --system --template "$here/dbusmock/$service.py" "$@"
  ;;
*)
  echo "usage: $0 bus FOLDER [system|session] | mock ADDRESS timedated|networkmanager [OPTIONS]" >&2
  exit 2
  ;;
esac
