#!/usr/bin/env bash
# Idle cost: CPU time over 60 s of doing nothing and the resident set after start-up.
# Reports the figures; fails only when the program cannot be measured.
source "$(dirname "$0")/../lib.sh"
e2e_init idle "$1" "$2"
e2e_start
e2e_wait_main 30
sleep 10
pid=""
for p in $(pgrep -f 'Varnel\.exe'); do
  # The Wine process of this case, not the shell or timeout that started it.
  tr '\0' ' ' </proc/$p/cmdline 2>/dev/null | grep -q 'timeout' && continue
  [ "$(readlink /proc/$p/exe 2>/dev/null)" ] || continue
  grep -q "WINEPREFIX=$WINEPREFIX" <(tr '\0' '\n' </proc/$p/environ 2>/dev/null) || continue
  readlink /proc/$p/exe | grep -q wine && pid=$p
done
[ -n "$pid" ] || fail "no Wine process of Varnel.exe found"
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
rss=$(awk '/^VmRSS:/{print $2}' "/proc/$pid/status")
t0=$(ticks)
sleep 60
t1=$(ticks) || fail "process gone while idle"
e2e_running || fail "program ended while idle"
cpu_ms=$(((t1 - t0) * 1000 / hz))
win=$(probe memory) || win="error"
echo "IDLE_CPU_MS=$cpu_ms RSS_KB=$rss (over 60 s, pid $pid)"
echo "WINDOWS_SIDE: $win"
echo "IDLE_CPU_MS=$cpu_ms RSS_KB=$rss $win" >"$VARNEL_E2E_DIR/idle.txt"
probe send 0x0010 0 0 >/dev/null || fail "WM_CLOSE"
code=$(e2e_wait_exit "$E2E_RUN" 20) || fail "no exit"
expect_eq "$code" 0 "exit code"
