#!/usr/bin/env bash
# Log-off: WM_QUERYENDSESSION saves and answers 1 with the program still running;
# WM_ENDSESSION(0) changes nothing; WM_ENDSESSION(1) after that save ends without
# a second one. A forced log-off (WM_ENDSESSION(1) alone) saves an edit.
source "$(dirname "$0")/../lib.sh"
e2e_init endsession "$1" "$2"
d="$E2E_CASE/data"
crlf() { sed 's/$/\r/' >"$1"; }
note_file() {
  printf '[Default]\nList=1\n' | crlf "$d/Varnel.ini"
  printf '[Default]\nX=100\nY=100\nW=300\nH=200\nStyle=0\n[1]\n0S=00000000\n0L=first\n1S=000000000000000000000000\n1L=one\n' | crlf "$d/Varnel00.dat"
}
note_file
e2e_start
e2e_wait_main 30
rm -f "$d/Varnel.ini"
out=$(probe send 0x0011 0 0) || fail "WM_QUERYENDSESSION: $out"
expect_eq "$(echo "$out" | field result)" 1 "WM_QUERYENDSESSION result"
e2e_ini Varnel.ini | grep -q "^List=1$(printf '0%.0s' $(seq 1 49))\$" || fail "no List written at WM_QUERYENDSESSION"
e2e_ini Varnel.ini | grep -q '^Palette15=0x000000$' || fail "no palette written at WM_QUERYENDSESSION"
probe find >/dev/null || fail "main window gone after WM_QUERYENDSESSION"
probe send 0x0016 0 0 >/dev/null || fail "WM_ENDSESSION(0)"
probe find >/dev/null || fail "main window gone after WM_ENDSESSION(0)"
e2e_running || fail "program ended at WM_ENDSESSION(0)"
# The session ends after all: no second save at WM_ENDSESSION(1) when nothing
# changed since WM_QUERYENDSESSION; a file removed now must stay removed.
probe send 0x0011 0 0 >/dev/null || fail "second WM_QUERYENDSESSION"
rm -f "$d/Varnel.ini"
probe post 0x0016 1 0 >/dev/null || fail "WM_ENDSESSION(1)"
code=$(e2e_wait_exit "$E2E_RUN" 20) || fail "program did not end at WM_ENDSESSION(1)"
expect_eq "$code" 0 "exit code"
[ -f "$d/Varnel.ini" ] && fail "WM_ENDSESSION(1) saved a second time"

# Forced log-off: the first detail ticked (a change in memory only), then
# WM_ENDSESSION(1) without WM_QUERYENDSESSION.
note_file
e2e_start
e2e_wait_main 30
for i in $(seq 1 40); do probe notes | grep -q 'visible=1' && break; sleep 0.25; done
before=$(probe notes | field paints)
xdo mousemove 129 145 click 1 || fail "click"
for i in $(seq 1 40); do [ "$(probe notes | field paints)" -gt "$before" ] && break; sleep 0.25; done
probe post 0x0016 1 0 >/dev/null || fail "WM_ENDSESSION(1) alone"
code=$(e2e_wait_exit "$E2E_RUN" 20) || fail "program did not end at a forced log-off"
expect_eq "$code" 0 "exit code"
expect_eq "$(e2e_ini Varnel00.dat | line_value 1S)" "000000010000000000000000" "the edit saved at a forced log-off"
