#!/usr/bin/env bash
# Idle cost of armed alarms: CPU of the Wine process over 60 s with 50 full notes
# and 50 armed alarms (none due) against the same notes with none armed; and no
# note repaints while nothing is due. Prints both figures.
source "$(dirname "$0")/../lib.sh"
e2e_init alarm_idle "$1" "$2"
make_notes=$3

# One run: $1 = ON alarms. Sets CPU_MS and PAINTS (repaints during the minute).
measure() {
  rm -f "$d"/*
  (cd "$E2E_CASE" && timeout 60 "$WINE" "$make_notes" data 7 "$1" >/dev/null 2>&1)
  [ -f "$d/Varnel49.dat" ] || fail "no notes written"
  printf '[Default]\nList=%s\n' "$(printf '1%.0s' $(seq 1 50))" | crlf "$d/Varnel.ini"
  e2e_start
  e2e_wait_main 60
  wait_visible_notes 50
  sleep 5
  local pid paints0 t0 t1
  pid=$(e2e_wine_pid) || fail "no Wine process of $E2E_APP_NAME found"
  paints0=$(probe notes | sed -n 's/.*paints=\([0-9]*\).*/\1/p' | paste -sd+ | bc)
  t0=$(cpu_ticks $pid)
  sleep 60
  t1=$(cpu_ticks $pid) || fail "process gone while idle"
  CPU_MS=$(((t1 - t0) * 1000 / $(getconf CLK_TCK)))
  PAINTS=$(($(probe notes | sed -n 's/.*paints=\([0-9]*\).*/\1/p' | paste -sd+ | bc) - paints0))
  e2e_close 60
}

measure 50
with=$CPU_MS paints=$PAINTS
measure 0
line="IDLE_CPU_MS with 50 armed alarms=$with, without=$CPU_MS (over 60 s); repaints with alarms=$paints"
echo "$line"
echo "$line" >"$VARNEL_E2E_DIR/alarm_idle.txt"
expect_eq "$paints" 0 "repaints while nothing is due"
# 1.2 times, with 100 ms of slack for the clock tick's granularity.
[ "$with" -le $((CPU_MS * 12 / 10 + 100)) ] || fail "armed alarms cost idle CPU: $with ms against $CPU_MS ms"
exit 0
