#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds what the benchmarks need in their own build folder, runs every
# benchmark (each next to its reference, in the same run) and prints one
# Markdown table. Nothing here may set the clock: the run goes through
# without-clock-rights.sh and every Korvel gets a private system bus.
#   scripts/bench.sh [--quick]            (build folder: build-bench)
# Needs hyperfine, rdate, x11-apps, xvfb, trayer, dbus-daemon and python3-dbusmock
# (timedated for the accuracy figures; all from scripts/setup.sh).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${KORVEL_BENCH_BUILD:-$root/build-bench}

cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVEL_WERROR=ON \
  -DKORVEL_BUILD_TESTS=OFF -DKORVEL_BUILD_BENCH=ON >/dev/null
cmake --build "$build_dir" -j2 --target korvel bare_start bare_window accuracy_bench timeclient_bench update_bench \
  history_bench >/dev/null

exec "$root/scripts/without-clock-rights.sh" python3 "$root/bench/run.py" "$build_dir" "$@"
