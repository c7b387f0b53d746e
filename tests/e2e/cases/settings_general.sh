#!/usr/bin/env bash
# The general page: "ﾀｲﾏ割込" 0 shows its message on OK; "完了" off leaves
# 未チェック, チェック and 削除 in the detail's state submenu (its third item
# now deletes); a snooze typed as 0 is kept at 10; the page's values are written.
# With "Timer" 0 a one-shot alarm (d1, 07:00:00) stays silent past its time and
# rings once the timer is back, within its due minute.
source "$(dirname "$0")/../lib.sh"
e2e_init settings_general "$1" "$2"
printf '[Default]\nList=1\nMenuB0=39\n' | crlf "$d/Varnel.ini"
{
  printf '[Default]\nX=100\nY=100\nW=300\nH=260\nStyle=0\n'
  printf '[1]\n0S=00000000\n0L=H1\n1S=000C000C000000000000000007000003021a\n1L=d1\n'
  printf '2S=000000000000000000000000\n2L=d2\n'
} | crlf "$d/Varnel00.dat"
E2E_CLOCK="=2026-03-02 06:50:00"
e2e_run 1
xdo mousemove 640 400 || fail "xdotool cannot reach the display"
open_settings
e2e_shot general
probe text 3111 0 >/dev/null || fail "timer edit"
probe text 3124 0 >/dev/null || fail "snooze edit"
probe tick 3132 0 >/dev/null || fail "完了 box"
probe tick 3121 >/dev/null || fail "連続"
# The looping alarm test: ♪Off while it plays; it ends when the page hides or closes.
looping() { probe send Varnel.SoundLooping 0 0 | field result; }
probe choose 3115 2 >/dev/null || fail "alarm sound"
probe press 3116 >/dev/null || fail "♪ test"
expect_eq "$(control_line 3116 | sed -n 's/.*text=//p')/$(looping)" "♪Off/1" "a looping test"
probe choose 1000 1 >/dev/null || fail "tab 1"
expect_eq "$(control_line 3116 | sed -n 's/.*text=//p')/$(looping)" "♪On/0" "the test once its page hides"
probe choose 1000 0 >/dev/null || fail "tab 0"
probe press 3116 >/dev/null || fail "♪ test again"
expect_eq "$(looping)" 1 "a looping test again"
probe text 3122 x:3930 >/dev/null || fail "alarm time"
probe choose 3078 3 >/dev/null || fail "CmdW combo"
probe press 11 >/dev/null
box=$(probe msgbox 10000) || fail "no timer message"
expect_eq "$(echo "$box" | line_value text)" "タイマー割込をオフにしました。　　" "timer message"
e2e_shot timer-off
probe msgbox-press 1 >/dev/null || fail "closing the message"
wait_no_dialog
expect_eq "$(looping)" 0 "the test sound once the dialog closed"
expect_eq "$(keys Varnel.ini Timer Snooze CkType2 AlarmTime CmdW Alarm)" "0,10,0,90,3,2" "the page's values written"
# Past the alarm's time with the timer off: nothing rings.
e2e_clock_set "2026-03-02 07:00:02"
probe msgbox 4000 >/dev/null && fail "an alarm rang with the timer off"
open_settings
probe text 3111 5 >/dev/null || fail "timer edit"
e2e_clock_set "2026-03-02 07:00:05"  # inside the due minute however long the dialog took
probe press 11 >/dev/null
box=$(probe msgbox 20000) || fail "the alarm did not ring once the timer was back"
expect_eq "$(echo "$box" | line_value caption)" d1 "alarm window title"
e2e_shot timer-back
probe click 11 >/dev/null || fail "closing the alarm"
wait_no_dialog
# Detail d2: its menu is the title, 状態変更 and その他; the submenu's third item.
menu_at 144 163
xdo key Down Down Right
sleep 0.5
e2e_shot state-menu
xdo key Down Down Return
sleep 0.7
e2e_close
expect_rows <<<"0|1|2S|3|the third state item deletes d2"
