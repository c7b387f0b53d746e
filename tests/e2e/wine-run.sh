#!/usr/bin/env bash
# Runs one Windows console program under the test run's Wine prefix.
source "$(dirname "$0")/wine-env.sh"
exe=$1; shift
exec timeout -k 5 240 "$WINE" "$exe" "$@"
