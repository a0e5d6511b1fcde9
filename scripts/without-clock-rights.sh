#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command without CAP_SYS_TIME, so that no Korvel process below it can
# set the clock directly: the capability leaves the bounding set, which no
# child can get back. Only root holds it and only root may drop it.
#   scripts/without-clock-rights.sh COMMAND [ARGS...]
set -euo pipefail
if [ "$(id -u)" -eq 0 ]; then
  exec setpriv --inh-caps=-sys_time --bounding-set=-sys_time -- "$@"
fi
exec "$@"
