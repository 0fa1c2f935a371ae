#!/usr/bin/env bash
# Benchmark of the HTTP transfers (not a test): FetchToFile of 50 MB and FetchImage of 10 MiB from
# a loopback server, beside curl fetching the same in the same run, with the peak memory of each.
#
#   bench/fetch.sh [runs per case, default 7]
exec "$(dirname "$0")/run" "${1:-7}" fetch
