#!/usr/bin/env bash
# Killing the program while its shutdown save writes 50 full notes leaves
# every note file whole: the old bytes or a complete new file, never a torn one.
source "$(dirname "$0")/../lib.sh"
e2e_init kill_during_save "$1" "$2"
make_note() {  # slot
  printf '[Default]\r\nX=%d\r\nY=%d\r\nW=120\r\nH=90\r\n' $((10 + $1 * 12)) $((10 + $1 * 9))
  for h in $(seq 1 20); do
    printf '[%d]\r\n0S=000000000000000000000000\r\n0L=heading %d of note %d\r\n' "$h" "$h" "$1"
    for r in $(seq 1 10); do printf '%dS=000000000000000000000000\r\n%dL=detail %d C:\\\\temp\\\\%d\r\n' "$r" "$r" "$r" "$1"; done
  done
}
for round in 1 2 3; do
  for s in $(seq 0 49); do
    make_note "$s" >"$d/$(printf 'Varnel%02d.dat' "$s")"
    cp "$d/$(printf 'Varnel%02d.dat' "$s")" "$E2E_CASE/orig$s"
  done
  printf '[Default]\r\nList=%s\r\n' "$LIST50" >"$d/Varnel.ini"
  e2e_start
  e2e_wait_main 30
  wait_until 20 '[ "$(probe windows | grep -c class=CCheckWnd)" -ge 50 ]'
  [ $round -eq 1 ] && e2e_shot fifty
  probe post 0x0010 0 0 >/dev/null || fail "WM_CLOSE"
  sleep "0.0$((round * 2))"
  timeout 20 /usr/lib/wine/wineserver -k 2>/dev/null  # a hard kill of every process of the prefix
  e2e_wait_exit "$E2E_RUN" 20 >/dev/null || fail "program still running after kill"
  saved=0
  for s in $(seq 0 49); do
    f="$d/$(printf 'Varnel%02d.dat' "$s")"
    [ -f "$f" ] || fail "round $round: note $s file missing"
    if cmp -s "$f" "$E2E_CASE/orig$s"; then continue; fi
    saved=$((saved + 1))
    [ "$(tail -n 1 "$f")" = "$(tail -n 1 "$E2E_CASE/orig$s")" ] || fail "round $round: note $s torn"
    grep -q '^Update=' "$f" || fail "round $round: note $s lacks its Update"
  done
  e2e_log "round $round: $saved of 50 notes had been saved, all files whole"
done
