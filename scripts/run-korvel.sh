#!/usr/bin/env bash
# Sets everything up and starts Korvel; arguments go to korvel.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh" build -DKORVEL_BUILD_TESTS=OFF -DKORVEL_BUILD_BENCH=OFF
exec "$root/build/src/korvel" "$@"
