#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Sets everything up and starts Korvel; arguments go to korvel.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh" build -DKORVEL_BUILD_TESTS=OFF -DKORVEL_BUILD_BENCH=OFF
# Without CAP_SYS_TIME even when started as root: the clock is set through
# systemd-timedated, which asks for authorisation, never behind the user's back.
exec "$root/scripts/without-clock-rights.sh" "$root/build/src/korvel" "$@"
