#!/usr/bin/env bash
# Start on an empty folder: a hidden main window and no note. A second start ends at
# once with 0 and the first keeps running. Log-off: WM_QUERYENDSESSION saves the slot
# flags and the default palette (CP932, CR LF) and answers 1 with the program still
# running; WM_ENDSESSION(0) changes nothing; WM_ENDSESSION(1) after a save ends it without
# a second one. A forced log-off (WM_ENDSESSION(1) alone) saves an edit.
source "$(dirname "$0")/../lib.sh"
e2e_init empty_start "$1" "$2"
e2e_start
first=$E2E_RUN first_pid=$E2E_PID
e2e_wait_main 30
wins=$(probe windows) || fail "windows: $wins"
echo "$wins"
echo "$wins" | grep 'class=Varnel ' | grep -q 'visible=0' || fail "main window missing or shown"
echo "$wins" | grep -q 'class=CCheckWnd' && fail "a note window on an empty folder"
e2e_shot running
hwnd=$(probe find | field hwnd)
e2e_start
code=$(e2e_wait_exit "$E2E_RUN" 20) || fail "second instance did not end"
expect_eq "$code" 0 "second instance exit code"
E2E_PID=$first_pid E2E_RUN=$first
e2e_running || fail "first instance ended"
expect_eq "$(probe find | field hwnd)" "$hwnd" "main window of the first instance"
probe windows | grep -c 'class=Varnel ' | grep -qx 1 || fail "not exactly one main window"

out=$(probe send 0x0011 0 0) || fail "WM_QUERYENDSESSION: $out"
expect_eq "$(echo "$out" | field result)" 1 "WM_QUERYENDSESSION result"
ini=$(e2e_ini Varnel.ini) || fail "no data/Varnel.ini"
echo "$ini"
expect_eq "$(echo "$ini" | grep -c '^List=')" 1 "List lines"
expect_eq "$(echo "$ini" | sed -n 's/^List=//p')" "$(printf '0%.0s' $(seq 1 50))" "List"
palette=(0x99FFCC 0x66FFFF 0xFFFFCC 0xEECCCC 0xFFCCFF 0x66CCFF 0xEEEEEE)
for i in $(seq 0 15); do
  expect_eq "$(echo "$ini" | sed -n "s/^Palette$i=//p")" "${palette[$i]:-0x000000}" "Palette$i"
done
grep -q $'\r$' "$E2E_CASE/data/Varnel.ini" || fail "file not written with CR LF"
sleep 1
e2e_running || fail "program ended at WM_QUERYENDSESSION"
probe send 0x0016 0 0 >/dev/null || fail "WM_ENDSESSION(0)"
sleep 1
e2e_running || fail "program ended at WM_ENDSESSION(0)"
probe find >/dev/null || fail "main window gone after WM_ENDSESSION(0)"
# The session ends after all: no second save at WM_ENDSESSION(1) when nothing
# changed since WM_QUERYENDSESSION; a file removed now must stay removed.
probe send 0x0011 0 0 >/dev/null || fail "second WM_QUERYENDSESSION"
rm -f "$E2E_CASE/data/Varnel.ini"
probe post 0x0016 1 0 >/dev/null || fail "WM_ENDSESSION(1)"
code=$(e2e_wait_exit "$E2E_RUN" 20) || fail "program did not end at WM_ENDSESSION(1)"
expect_eq "$code" 0 "exit code"
[ -f "$E2E_CASE/data/Varnel.ini" ] && fail "WM_ENDSESSION(1) saved a second time"

# Forced log-off: the first detail ticked (a change in memory only), then
# WM_ENDSESSION(1) without WM_QUERYENDSESSION.
printf '[Default]\nList=1\n' | crlf "$d/Varnel.ini"
printf '[Default]\nX=100\nY=100\nW=300\nH=200\nStyle=0\n[1]\n0S=00000000\n0L=first\n1S=000000000000000000000000\n1L=one\n' | crlf "$d/Varnel00.dat"
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
