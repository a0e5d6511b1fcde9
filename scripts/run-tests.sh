#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Sets everything up and runs every test: a warnings-as-errors build, then the
# same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

# Tests on explicitly: the run command may have configured this folder without them.
scripts/setup.sh build -DKORVEL_BUILD_TESTS=ON -DKORVEL_BUILD_BENCH=ON
scripts/setup.sh build-asan -DKORVEL_SANITIZE=ON -DKORVEL_BUILD_BENCH=OFF

state=$(mktemp -d /tmp/korvel-services.XXXXXX)
trap 'scripts/services.sh stop "$state"; rm -rf "$state"' EXIT
eval "$(scripts/services.sh start "$state")"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS=suppressions=$root/tests/support/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# Korvel can set the clock and root holds CAP_SYS_TIME: every test runs
# without it, so every Korvel process takes the timedated path (a mock on a
# private bus).
without_clock_rights=(scripts/without-clock-rights.sh)

status=0
echo "== Licence information of every file (reuse lint) =="
reuse lint || status=1
echo "== Installed files and the Debian package =="
scripts/check-install.sh build || status=1
echo "== Tests =="
"${without_clock_rights[@]}" ctest --test-dir build -j2 --output-on-failure || status=1
echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
"${without_clock_rights[@]}" ctest --test-dir build-asan -j2 --output-on-failure || status=1
echo "== Fuzzing: a short smoke run =="
# Every fuzz program, 20 seconds each.
scripts/fuzz.sh 20 || status=1
exit $status
