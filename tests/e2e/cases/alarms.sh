#!/usr/bin/env bash
# Alarms on a shifted clock (Monday 2026-03-02, 06:59:45): at 07:00:00 a
# run-command alarm starts its command and a weekly alarm rings with its
# detail's text as the title; Stop silences it and the snooze rings again. The
# quick alarm rings after "Snooze" seconds. The setting dialog turns an alarm
# ON that then rings, and the file keeps its 12-character record.
source "$(dirname "$0")/../lib.sh"
e2e_init alarms "$1" "$2"
printf '[Default]\nList=1\nSnooze=10\nAlarmTime=60\nAlarm=0\nTimer=5\n' | crlf "$d/Varnel.ini"
{
  printf '[Default]\nX=100\nY=100\nW=300\nH=200\nStyle=0\n[1]\n0S=00000000\n0L=朝\n'
  printf '1S=000C000C0000000000000000070000800101\n1L=朝会の準備\n'
  printf '2S=000C000C000000000000000007000043021a\n2L=cmd /c echo ran>ran.txt\n'
  printf '3S=000400040000000000000000070100 80007f\n3L=週報を書く\n' | tr -d ' '
} | crlf "$d/Varnel00.dat"
E2E_CLOCK="@2026-03-02 06:59:45"
e2e_start
e2e_wait_main 30
box=""
for i in 1 2; do box=$(probe msgbox 25000) && break; done
[ -n "$box" ] || fail "no alarm window"
echo "$box"
echo "$box" | grep -q '^caption=朝会の準備$' || fail "title is not the detail's text"
echo "$box" | grep -q '^control=1010 .*text=07:0.:..   03/02(Mon)$' || fail "clock text"
echo "$box" | grep -q '^control=1013 enabled=1 ' || fail "not ringing"
e2e_shot ringing
wait_until 30 '[ -f "$E2E_CASE/ran.txt" ]'
[ -f "$E2E_CASE/ran.txt" ] || fail "the run-command alarm started nothing"
clock1=$(probe msgbox | sed -n 's/^control=1010 .*text=//p')
probe click 1013 >/dev/null || fail "Stop"
wait_enabled 1013 0 10 || fail "still ringing after Stop"
# The clock ticks on after Stop: wait for its next second, not a fixed time.
for i in $(seq 1 20); do
  clock2=$(probe msgbox | sed -n 's/^control=1010 .*text=//p')
  [ "$clock1" != "$clock2" ] && break; sleep 0.25
done
[ "$clock1" != "$clock2" ] || fail "the clock stands still ($clock1)"
wait_enabled 1013 1 40 || fail "the snooze did not ring again"
e2e_shot snooze
probe click 11 >/dev/null || fail "close"
probe msgbox 1500 >/dev/null && fail "alarm window still open"

# Quick alarm: silent at first, ringing "Snooze" seconds later.
probe post 0x0312 212 0 >/dev/null || fail "quick alarm"
box=$(probe msgbox 10000) || fail "no quick alarm window"
echo "$box" | grep -q '^caption=Varnel$' || fail "quick alarm title: $box"
echo "$box" | grep -q '^control=1013 enabled=0 ' || fail "quick alarm rang at once"
wait_enabled 1013 1 40 || fail "the quick alarm did not ring"
e2e_shot quick
probe click 11 >/dev/null || fail "close quick alarm"

# The setting dialog on 週報を書く (the detail menu's ninth item from the end).
xdo mousemove 10 790 || fail "xdotool cannot reach the display"
xdo mousemove 144 185 click 3
probe menu 3000 >/dev/null || fail "no detail menu"
xdo key Up Up Up Up Up Up Up Up Up Return
box=$(probe msgbox 10000) || fail "no alarm setting dialog"
echo "$box"
echo "$box" | grep -q '^caption=Alarm Set$' || fail "not the setting dialog"
echo "$box" | grep -q '^control=1101 enabled=1 checked=0 ' || fail "weekly record shown dated"
echo "$box" | grep -q '^control=1123 enabled=1 checked=1 ' || fail "OFF not shown"
e2e_shot alarm-set
probe click 1122 >/dev/null || fail "ON"
probe click 11 >/dev/null || fail "OK"
# Due at 07:01:00 on the shifted clock; a probe call lasts at most 30 s.
box=""
for i in 1 2 3 4; do box=$(probe msgbox 25000) && break; done
[ -n "$box" ] || fail "the alarm set in the dialog did not ring"
echo "$box" | grep -q '^caption=週報を書く$' || fail "wrong alarm: $box"
probe click 11 >/dev/null || fail "close"

e2e_close 30
n=$(e2e_ini Varnel00.dat)
echo "$n"
expect_eq "$(echo "$n" | line_value 2S | cut -c4)" 4 "the one-shot alarm that ran is OFF"
expect_eq "$(echo "$n" | line_value 3S | cut -c4,25-)" "C07010080007f" "ON with its 12-character record"
expect_eq "$(echo "$n" | line_value 1S | cut -c4,25-)" "C070000800101" "the weekly alarm stays ON"
exit 0
