#!/usr/bin/env bash
# Alarms on a settable clock: a weekly one with 祝日を除く silent on a holiday, ringing with its detail as title,
# Stop and the snooze; run-command alarms; the quick alarm; the setting dialog turning one ON that rings.
source "$(dirname "$0")/../lib.sh"
e2e_init alarms "$1" "$2"
ini 'List=1\nSnooze=10\nAlarmTime=60\nAlarm=0\nTimer=5'
note 0 'X=100\nY=100\nW=300\nH=200\nStyle=0' =朝 '000C000C0000000000000000070000800101|朝会の準備' \
  '000C000C000000000000000007000043021a|cmd /c echo ran>ran.txt' '00040004000000000000000007010080007f|週報を書く' \
  '000C000C000000000000000007000042171a|cmd /c echo ran>holiday.txt'
E2E_CLOCK="=2026-02-23 06:59:50" e2e_run 0 10 790
E2E_PART=alarm_holiday
wait_until 40 '[ -f "$E2E_CASE/holiday.txt" ]' || fail "the clock did not reach 07:00"
# The weekly alarm was due in the same tick: no window opens within a few more seconds.
probe msgbox 5000 >/dev/null && { e2e_shot rang; fail "the alarm rang on a holiday"; }
e2e_shot silent

E2E_PART=""
e2e_clock_set "2026-03-02 06:59:45"
wait_until 40 'probe msgbox 25000 >/dev/null' || fail "no alarm window"
expect_box 1000 '^caption=朝会の準備$' "title is not the detail's text"
has "$BOX" '^control=1010 .*text=07:0.:..   03/02(Mon)$' '^control=1013 enabled=1 '  # the clock, ringing
e2e_shot ringing
wait_until 30 '[ -f "$E2E_CASE/ran.txt" ]' || fail "the run-command alarm started nothing"
clock() { probe msgbox | sed -n 's/^control=1010 .*text=//p'; }
clock1=$(clock)
probe click 1013 >/dev/null || fail "Stop"
wait_enabled 1013 0 10 || fail "still ringing after Stop"
wait_until 5 '[ "$(clock)" != "$clock1" ]' || fail "the clock stands still ($clock1)"
wait_enabled 1013 1 40 || fail "the snooze did not ring again"
e2e_shot snooze
probe click 11 >/dev/null || fail "close"
probe msgbox 1500 >/dev/null && fail "alarm window still open"
hotkey 212  # the quick alarm: silent at first, ringing "Snooze" seconds later
expect_box 10000 '^caption=Varnel$' "quick alarm title"
has "$BOX" '^control=1013 enabled=0 '  # not ringing at once
wait_enabled 1013 1 40 || fail "the quick alarm did not ring"
e2e_shot quick
probe click 11 >/dev/null || fail "close quick alarm"
menu_at 144 185 $(printf 'Up %.0s' {1..9}) Return  # the alarm setting of 週報を書く
expect_box 10000 '^caption=Alarm Set$' "the alarm setting dialog"
has "$BOX" '^control=1101 enabled=1 checked=0 ' '^control=1123 enabled=1 checked=1 '  # weekly, not dated; OFF
e2e_shot alarm-set
drive "click 1122" "click 11"  # ON, OK
wait_until 90 'probe msgbox 25000 >/dev/null'  # due at 07:01:00; a probe call lasts at most 30 s
expect_box 1000 '^caption=週報を書く$' "the alarm set in the dialog did not ring"
probe click 11 >/dev/null || fail "close"
e2e_close 30
expect_eq "$(keys Varnel00.dat 2S | cut -c4)" 4 "the one-shot alarm that ran is OFF"
expect_eq "$(keys Varnel00.dat 3S | cut -c4,25-)" "C07010080007f" "ON with its 12-character record"
expect_eq "$(keys Varnel00.dat 1S | cut -c4,25-)" "C070000800101" "the weekly alarm stays ON"
