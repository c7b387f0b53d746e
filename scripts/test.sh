#!/usr/bin/env bash
# The one test command: host unit tests, Windows-side tests and end-to-end tests
# under Wine and Xvfb, and bounded fuzzing. Installs what is missing first.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh || exit 1
jobs=$(nproc 2>/dev/null || echo 2)
status=0
build() { cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -j"$jobs"; }
build host || exit 1
build windows || exit 1
build fuzz || exit 1
run() {  # name, ctest args...
  local name=$1; shift
  echo "=== $name ==="
  ctest "$@" || status=1
}
run "host unit tests" --preset host
run "windows and end-to-end tests (Wine)" --preset windows
run "fuzzing" --test-dir build/fuzz --output-on-failure -j2
# Benchmark ratios and idle figures, from the logs of the runs above.
echo "=== measurements ==="
grep -hE 'speed-up|paint ratio|backup ratio|IDLE_CPU_MS|WORKING_SET_KB' build/windows/Testing/Temporary/LastTest.log 2>/dev/null || true
[ $status -eq 0 ] && echo "ALL TESTS PASSED" || echo "SOME TESTS FAILED"
exit $status
