#!/usr/bin/env bash
# Start on an empty folder, a second instance, log-off (WM_QUERYENDSESSION, WM_ENDSESSION) saving once, a
# forced log-off, the tray menu's 終了, the "Timer"=0 message at start, under LANG=C.UTF-8 closed while open.
source "$(dirname "$0")/../lib.sh"
e2e_init start_exit "$1" "$2"
E2E_PART=empty_start
e2e_run
first=$E2E_RUN first_pid=$E2E_PID
wins=$(probe windows) || fail "windows: $wins"
echo "$wins" | grep 'class=Varnel ' | grep -q 'visible=0' && ! echo "$wins" | grep -q 'class=CCheckWnd' ||
  fail "main window missing or shown, or a note window on an empty folder: $wins"
e2e_shot running
hwnd=$(probe find | field hwnd)
e2e_start
expect_eq "$(e2e_wait_exit)" 0 "second instance exit code"
E2E_PID=$first_pid E2E_RUN=$first
expect_eq "$(probe find | field hwnd)" "$hwnd" "main window of the first instance"
expect_eq "$(probe windows | grep -c 'class=Varnel ')" 1 "main windows"
expect_eq "$(probe send 0x0011 0 0 | field result)" 1 "WM_QUERYENDSESSION result"
ini=$(e2e_ini Varnel.ini) || fail "no data/Varnel.ini"
expect_eq "$(echo "$ini" | grep '^List=')" "List=${LIST50//1/0}" "the one List line"
expect_eq "$(echo "$ini" | sed -n 's/^Palette[0-9]*=//p' | paste -sd,)" \
  "0x99FFCC,0x66FFFF,0xFFFFCC,0xEECCCC,0xFFCCFF,0x66CCFF,0xEEEEEE$(printf ',0x000000%.0s' {1..9})" "Palette0..15"
probe send 0x0016 0 0 >/dev/null || fail "WM_ENDSESSION(0)"
sleep 1
e2e_running && probe find >/dev/null || fail "program ended at WM_QUERYENDSESSION or WM_ENDSESSION(0)"
# The session ends after all: nothing changed since WM_QUERYENDSESSION, so a file removed now stays removed.
probe send 0x0011 0 0 >/dev/null || fail "second WM_QUERYENDSESSION"
rm -f "$d/Varnel.ini"
e2e_close 20 0x0016 1  # WM_ENDSESSION(1)
[ -f "$d/Varnel.ini" ] && fail "WM_ENDSESSION(1) saved a second time"
ini List=1  # a forced log-off: WM_ENDSESSION(1) without WM_QUERYENDSESSION
note 0 'X=100\nY=100\nW=300\nH=200\nStyle=0' =first one
e2e_run 1
tick_first
e2e_close 20 0x0016 1
expect_eq "$(keys Varnel00.dat 1S)" "000000010000000000000000" "the edit saved at a forced log-off"

E2E_PART=tray_menu
rm -rf "${d:?}"/*
e2e_run 0 640 400
tray_item 0
e2e_shot menu 0.5
IFS=, read -r l t r b <<<"$(echo "$MENU" | head -n1 | field rect)"
[ $((r - l)) -gt 40 ] && [ $((b - t)) -gt 60 ] || fail "menu too small to hold the main items"
# Menu items cannot be read across processes under Wine; Up reaches the last item (終了) from no selection.
xdo key Up
e2e_shot menu-last 0.3
xdo key Return
expect_eq "$(e2e_wait_exit)" 0 "exit code after 終了"
e2e_ini Varnel.ini | grep -q '^List=' || fail "no save on exit"

E2E_PART=timer_off
start_to_box() {  # then the screenshot and the button given, if any
  ini Timer=0
  e2e_start
  expect_box 30000 '^text=タイマー割込をオフにしました。　　$' "the timer message" "$@"
  has "$BOX" '^caption=Varnel$'
}
start_to_box msgbox 1
e2e_wait_main 10
e2e_close
expect_eq "$(keys Varnel.ini Timer)" 0 "Timer kept"
export LANG=C.UTF-8
start_to_box
e2e_close 30  # with the box open
expect_eq "$(e2e_ini Varnel.ini | grep '^List=\|^Timer=' | sort | paste -sd,)" "List=${LIST50//1/0},Timer=0" "List and Timer kept"
