#!/usr/bin/env bash
# 全体２ of a folded note with its bar at the bottom shows the rectangle it
# unfolds to; 固定 with a W wider than the frame stores W = right - left and
# X = left; the display schedule written on OK is applied by the next tick.
source "$(dirname "$0")/../lib.sh"
e2e_init properties_position "$1" "$2"
printf '[Default]\nList=1\nSTimer=1\nFX1=0\nFY1=0\nFX2=1024\nFY2=768\n' | crlf "$d/Varnel.ini"
printf '[Default]\nX=100\nY=300\nW=300\nH=200\nBar=3\nBarStat=2\n[1]\n0S=00000000\n0L=H1\n' | crlf "$d/Varnel00.dat"
E2E_CLOCK="@2026-12-07 12:00:00" e2e_start  # a Monday
e2e_wait_main 30
for i in $(seq 1 20); do [ "$(probe notes | grep -c 'visible=1')" -ge 1 ] && break; sleep 0.5; done
rect=$(probe windows | grep 'class=CCheckWnd' | field rect)
expect_eq "$rect" "100,482,400,500" "the folded note at the bottom of its rectangle"
xdo mousemove 10 790 || fail "xdotool cannot reach the display"
open_properties 250 491
probe choose 1000 1 >/dev/null
value() { control_line "$1" | sed 's/.* text=//'; }
expect_eq "$(value 3421),$(value 3422),$(value 3423),$(value 3424)" "100,300,300,200" "fields of the unfolded note"
probe tick 3412 >/dev/null
probe text 3423 5000 >/dev/null
# Shown 00:00-00:01 every day from 2026-12-01 10:00: hidden at noon.
probe tick 3721 >/dev/null
probe date 3701 2026-12-01 >/dev/null && probe date 3711 10:00 >/dev/null || fail "start pickers"
probe tick 3724 >/dev/null
probe date 3713 00:00 >/dev/null && probe date 3714 00:01 >/dev/null || fail "window pickers"
for id in 1110 1111 1112 1113 1114 1115 1116; do probe tick $id >/dev/null; done
probe tick 1118 >/dev/null
probe tick 1117 >/dev/null
expect_eq "$(control_line 1118 | field checked)" 0 "祝 clears 祝日を除く"
e2e_shot page
probe press 11 >/dev/null
wait_no_dialog
n=$(e2e_ini Varnel00.dat)
expect_eq "$(for k in Pos W H X Y SDT1 SDT2 SDT3 SDT4; do echo "$n" | line_value $k; done | tr '\n' ' ')" \
  "1 1024 200 0 300 9466,0600 -1 -1 1,00ff " "keys written on OK"
for i in $(seq 1 20); do [ "$(probe windows | grep 'class=CCheckWnd' | field visible)" = 0 ] && break; sleep 0.5; done
expect_eq "$(probe windows | grep 'class=CCheckWnd' | field visible)" 0 "the note hidden by the next tick"
e2e_shot after-tick
probe send 0x0010 0 0 >/dev/null || fail "WM_CLOSE"
expect_eq "$(e2e_wait_exit "$E2E_RUN" 20)" 0 "exit code"
exit 0
