#!/usr/bin/env bash
# Idle cost over 60 s: on an empty folder (reported only), then 50 full notes with
# 50 armed alarms (none due) against none armed, and no repaints meanwhile.
source "$(dirname "$0")/../lib.sh"
e2e_init idle "$1" "$2"
make_notes=$3

# One run: $1 = ON alarms of 50 full notes, none for an empty folder. Sets
# CPU_MS, PAINTS (repaints during the minute), RSS_KB and WIN (the probe's figures).
measure() {
  rm -rf "${d:?}"/*
  [ -z "${1:-}" ] || full_notes "$make_notes" "$1"
  e2e_run "${1:+50}"
  sleep 5
  local paints0 t0 t1 pid
  pid=$(e2e_wine_pid) || fail "no Wine process of $E2E_APP_NAME found"
  RSS_KB=$(awk '/^VmRSS:/{print $2}' "/proc/$pid/status")
  paints0=$(paints)
  t0=$(cpu_ticks $pid)
  sleep 60
  t1=$(cpu_ticks $pid) || fail "process gone while idle"
  e2e_running || fail "program ended while idle"
  CPU_MS=$(((t1 - t0) * 1000 / $(getconf CLK_TCK)))
  PAINTS=$(($(paints) - paints0))
  WIN=$(probe memory) || WIN="error"
  e2e_close 60
}

measure
echo "IDLE_CPU_MS=$CPU_MS RSS_KB=$RSS_KB (over 60 s) $WIN" | tee "$VARNEL_E2E_DIR/idle.txt"
measure 50
with=$CPU_MS paints=$PAINTS
measure 0
echo "IDLE_CPU_MS with 50 armed alarms=$with, without=$CPU_MS (over 60 s); repaints with alarms=$paints" |
  tee "$VARNEL_E2E_DIR/alarm_idle.txt"
expect_eq "$paints" 0 "repaints while nothing is due"
# 1.2 times, with 100 ms of slack for the clock tick's granularity.
[ "$with" -le $((CPU_MS * 12 / 10 + 100)) ] || fail "armed alarms cost idle CPU: $with ms against $CPU_MS ms"
