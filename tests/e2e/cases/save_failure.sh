#!/usr/bin/env bash
# A note file held open without sharing by another program: told once, asked at exit, never at the end of the
# session; once free, the next save writes the change kept in memory. Killing the program mid-way through its
# shutdown save of 50 notes leaves every file whole: the old bytes or a complete new file.
source "$(dirname "$0")/../lib.sh"
e2e_init save_failure "$1" "$2"
ini List=1
note 0 'X=100\nY=100\nW=300\nH=200\nStyle=0' =first one
e2e_run 1
flag="$E2E_CASE/release"
timeout -k 2 150 "$WINE" "$E2E_PROBE" hold "Z:$d/Varnel00.dat" "Z:$flag" >"$E2E_CASE/hold.out" 2>/dev/null &
holder=$!
wait_until 10 "grep -q 'held=1' '$E2E_CASE/hold.out'" || fail "the file could not be held: $(cat "$E2E_CASE/hold.out")"
tick_first
hotkey 210
expect_box 10000 'text=「.*Varnel00.dat」を保存できませんでした。　　' "message naming the file after a failed データセーブ" message 1
hotkey 210
probe msgbox 1500 >/dev/null && fail "told a second time about the same file"
# The end of the session never waits for the user.
expect_eq "$(probe send 0x0011 0 0 | field result)" 1 "WM_QUERYENDSESSION result"
probe msgbox 1000 >/dev/null && fail "a message at the end of the session"
probe send 0x0016 0 0 >/dev/null || fail "WM_ENDSESSION(0)"
probe post 0x0010 0 0 >/dev/null || fail "WM_CLOSE"
expect_box 10000 'このまま終了しますか' "question at exit" exit-question 7
probe find >/dev/null || fail "the program ended after No"
touch "$flag"
wait "$holder"
hotkey 210
wait_eq "keys Varnel00.dat 1S 1L" "000000010000000000000000,one" "the change kept in memory saved"
probe msgbox 500 >/dev/null && fail "a message after a good save"
e2e_close

E2E_PART=kill_during_save
mkdir "$E2E_CASE/orig"
awk -v dir="$E2E_CASE/orig" 'BEGIN { z = "000000000000000000000000"
  for (s = 0; s < 50; s++) {
    f = sprintf("%s/Varnel%02d.dat", dir, s)
    printf "[Default]\r\nX=%d\r\nY=%d\r\nW=120\r\nH=90\r\n", 10 + s * 12, 10 + s * 9 >f
    for (h = 1; h <= 20; h++) {
      printf "[%d]\r\n0S=%s\r\n0L=heading %d of note %d\r\n", h, z, h, s >f
      for (r = 1; r <= 10; r++) printf "%dS=%s\r\n%dL=detail %d C:\\\\temp\\\\%d\r\n", r, z, r, r, s >f
    }
    close(f) } }'
for round in 1 2 3; do
  rm -rf "${d:?}"/*
  cp "$E2E_CASE"/orig/* "$d"
  ini "List=$LIST50"
  e2e_run 50
  [ $round -eq 1 ] && e2e_shot fifty
  folder=$(stat -c %.9Y "$d")
  probe post 0x0010 0 0 >/dev/null || fail "WM_CLOSE"
  # The save has begun once its first temporary file touches the folder; killed 0, 20 or 40 ms later.
  wait_until 30 "[ \$(stat -c %.9Y '$d') != $folder ]" || fail "round $round: no save began"
  sleep "0.0$((round * 2 - 2))"
  timeout 20 /usr/lib/wine/wineserver -k 2>/dev/null  # a hard kill of every process of the prefix
  e2e_wait_exit "$E2E_RUN" 20 >/dev/null || fail "program still running after kill"
  saved=0
  for o in "$E2E_CASE"/orig/*; do
    f=$d/${o##*/}
    [ -f "$f" ] || fail "round $round: $f missing"
    cmp -s "$f" "$o" && continue
    saved=$((saved + 1))
    [ "$(tail -n 1 "$f")" = "$(tail -n 1 "$o")" ] || fail "round $round: $f torn"
    grep -q '^Update=' "$f" || fail "round $round: $f lacks its Update"
  done
  e2e_log "round $round: $saved of 50 notes had been saved, all files whole"
done
