#!/usr/bin/env bash
# Benchmark of the HTTP transfers (not a test): FetchToFile of 50 MB and FetchImage of 10 MiB from
# a loopback server, beside curl fetching the same in the same run, with the peak memory of each.
#
#   bench/fetch.sh [runs per case, default 7]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/bench

"$root/scripts/setup" >/dev/null
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKOLOROWISKO_TESTS=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build" -j 2 --target fetch_bench >/dev/null

# shellcheck source=../scripts/lib/wine_session.sh
source "$root/scripts/lib/wine_session.sh"
trap wine_session_stop EXIT
wine_session_start "$build/session"

/usr/bin/python3 "$root/bench/fetch.py" "$build/bench/fetch_bench.exe" "$build/files" "${1:-7}"
