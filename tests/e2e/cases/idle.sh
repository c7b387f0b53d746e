#!/usr/bin/env bash
# Idle cost: CPU time over 60 s of doing nothing and the resident set after start-up.
# Reports the figures; fails only when the program cannot be measured.
source "$(dirname "$0")/../lib.sh"
e2e_init idle "$1" "$2"
e2e_start
e2e_wait_main 30
sleep 10
pid=$(e2e_wine_pid) || fail "no Wine process of $E2E_APP_NAME found"
hz=$(getconf CLK_TCK)
rss=$(awk '/^VmRSS:/{print $2}' "/proc/$pid/status")
t0=$(cpu_ticks $pid)
sleep 60
t1=$(cpu_ticks $pid) || fail "process gone while idle"
e2e_running || fail "program ended while idle"
cpu_ms=$(((t1 - t0) * 1000 / hz))
win=$(probe memory) || win="error"
echo "IDLE_CPU_MS=$cpu_ms RSS_KB=$rss (over 60 s, pid $pid)"
echo "WINDOWS_SIDE: $win"
echo "IDLE_CPU_MS=$cpu_ms RSS_KB=$rss $win" >"$VARNEL_E2E_DIR/idle.txt"
e2e_close
