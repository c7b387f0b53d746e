#!/usr/bin/env bash
# 50 full notes with about a hundred ON alarms, twice the table: the start shows
# one "アラームセットに失敗しました。" for the whole start-up. With the table
# full (50 ON alarms), closing ten notes (they hide) and the exit cost what they
# cost with the same notes without alarms. Prints the figures of the runs.
# (The first run only counts boxes: once a message box has been up, Wine without
# a window manager waits 2 s for every window it hides, alarms or not.)
source "$(dirname "$0")/../lib.sh"
e2e_init alarms_many "$1" "$2"
make_notes=$3
now_ms() { date +%s%3N; }

# One run: $1 = how many alarms may be ON. Sets START_MS, BOXES, HIDE_MS, EXIT_MS.
measure() {
  rm -f "$d"/*
  (cd "$E2E_CASE" && timeout 60 "$WINE" "$make_notes" data 7 "$1" >/dev/null 2>&1)
  [ -f "$d/Varnel49.dat" ] || fail "no notes written"
  printf '[Default]\nList=%s\n' "$(printf '1%.0s' $(seq 1 50))" | crlf "$d/Varnel.ini"
  local t0 i
  t0=$(now_ms)
  e2e_start
  e2e_wait_main 60
  for i in $(seq 1 120); do
    [ "$(probe notes | grep -c 'visible=1')" -ge 50 ] && break
    sleep 0.3
  done
  # Every box the start-up shows, until none comes for three seconds.
  BOXES=0
  while [ "$BOXES" -lt 5 ] && probe msgbox 3000 | grep -q 'text=アラームセットに失敗しました。'; do
    BOXES=$((BOXES + 1))
    e2e_shot "start-message-$1"
    probe msgbox-press 1 >/dev/null || fail "answering the message"
  done
  START_MS=$(($(now_ms) - t0))
  if [ "${2:-}" = boxes ]; then
    e2e_close
    return
  fi
  # Measured once the notes have painted: no repaint for two probes in a row.
  local last="" now
  for i in $(seq 1 60); do
    now=$(probe notes | sed -n 's/.*paints=\([0-9]*\).*/\1/p' | paste -sd+ | bc)
    [ "$now" = "$last" ] && break
    last=$now
    sleep 1
  done
  local ten
  ten=$(probe notes | sed -n 's/^hwnd=\(0x[0-9a-f]*\).*/\1/p' | head -n 10 | paste -sd,)
  HIDE_MS=$(probe send 0x0010 0 0 "$ten" | field elapsed_ms)
  [ -n "$HIDE_MS" ] || fail "closing ten notes"
  probe msgbox 1000 >/dev/null && fail "a message box while hiding"
  expect_eq "$(probe notes | grep -c 'visible=1')" 40 "ten notes hidden"
  t0=$(now_ms)
  probe send 0x0010 0 0 >/dev/null || fail "WM_CLOSE"
  code=$(e2e_wait_exit "$E2E_RUN" 90) || fail "no exit"
  EXIT_MS=$(($(now_ms) - t0))
  expect_eq "$code" 0 "exit code"
}

measure 999 boxes
expect_eq "$BOXES" 1 "one message for the whole start-up"
measure 50
a="50 ON alarms: start ${START_MS} ms, ${BOXES} box(es), hide ten ${HIDE_MS} ms, exit ${EXIT_MS} ms"
expect_eq "$BOXES" 0 "no message when every alarm fits"
hide_with=$HIDE_MS exit_with=$EXIT_MS
measure 0
b="no ON alarm: start ${START_MS} ms, ${BOXES} box(es), hide ten ${HIDE_MS} ms, exit ${EXIT_MS} ms"
echo "$a"
echo "$b"
echo "$a; $b" >"$VARNEL_E2E_DIR/alarms_many.txt"
expect_eq "$BOXES" 0 "no message without alarms"
# Within half again (plus a second of noise) of the run without alarms.
[ "$hide_with" -le $((HIDE_MS * 3 / 2 + 1000)) ] || fail "hiding costs more with alarms"
[ "$exit_with" -le $((EXIT_MS * 3 / 2 + 1000)) ] || fail "the exit costs more with alarms"
exit 0
