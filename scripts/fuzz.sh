#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the fuzz programs of fuzz/ (clang, KORVEL_FUZZ=ON, in build-fuzz) and
# runs each for SECONDS seconds (default 60), all of them or the ones named,
# starting from a copy of its seed corpus so that fuzz/corpus stays as it is.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# Exits non-zero when a program found a crash, a hang or a sanitizer report;
# its log and the input that did it are left in build-fuzz/findings/.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
shift || true
build_dir=$root/build-fuzz
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_answer fuzz_generaldate fuzz_optiontext fuzz_optionstore)

cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DKORVEL_WERROR=ON -DKORVEL_FUZZ=ON -DKORVEL_BUILD_TESTS=OFF -DKORVEL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir" -j2 --target "${targets[@]}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export UBSAN_OPTIONS=print_stacktrace=1
found=0
for target in "${targets[@]}"; do
  findings=$build_dir/findings/$target
  rm -rf "$findings" "$findings.log"
  mkdir -p "$findings"
  cp -r "$root/fuzz/corpus/$target" "$work/$target"
  status=0
  "$build_dir/fuzz/$target" "$work/$target" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/" >"$findings.log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$findings.log")
  if [ "$status" -eq 0 ]; then
    echo "$target: ${runs:-?} runs, nothing found"
  else
    echo "$target: ${runs:-?} runs, FOUND a problem (exit $status): $findings.log, $findings/"
    found=1
  fi
done
exit $found
