#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts or stops the local peers the tests talk to. `start` prints the
# environment the tests need as shell assignments; `stop` ends what `start` began.
#   eval "$(scripts/services.sh start STATE_DIR)"; ...; scripts/services.sh stop STATE_DIR
set -euo pipefail

command=${1:?start or stop}
state=${2:?state folder}

# Root serves time on its own port 37, so that the tests' queries name no port
# and take Korvel's default; anyone else, or when 37 is taken, on 3737.
time_port=3737
if [ "$(id -u)" = 0 ] && ! (exec 3<>/dev/tcp/127.0.0.1/37) 2>/dev/null; then
  time_port=37
fi

start() {
  mkdir -p "$state"
  # xinetd's built-in RFC 868 service, on loopback only.
  cat >"$state/xinetd.conf" <<CONF
service time
{
  type        = INTERNAL UNLISTED
  id          = time-$time_port
  socket_type = stream
  protocol    = tcp
  port        = $time_port
  user        = root
  wait        = no
  bind        = 127.0.0.1
  disable     = no
}
CONF
  xinetd -f "$state/xinetd.conf" -dontfork -pidfile "$state/xinetd.pid" >"$state/xinetd.log" 2>&1 &
  echo $! >"$state/xinetd.pid"
  for _ in $(seq 50); do
    (exec 3<>/dev/tcp/127.0.0.1/$time_port) 2>/dev/null && break
    sleep 0.1
  done
  if [ "$time_port" = 37 ]; then
    echo "export KORVEL_XINETD_TIME=127.0.0.1"
  else
    echo "export KORVEL_XINETD_TIME=127.0.0.1:$time_port"
  fi
}

stop() {
  for pidfile in "$state"/*.pid; do
    [ -f "$pidfile" ] || continue
    kill "$(cat "$pidfile")" 2>/dev/null || true
    rm -f "$pidfile"
  done
}

"$command"
