#!/usr/bin/env bash
# The general page: "ﾀｲﾏ割込" 0 shows its message on OK; "完了" off leaves
# 未チェック, チェック and 削除 in the detail's state submenu (its third item
# now deletes); a snooze typed as 0 is kept at 10; the page's values are written.
source "$(dirname "$0")/../lib.sh"
e2e_init settings_general "$1" "$2"
printf '[Default]\nList=1\nMenuB0=39\n' | crlf "$d/Varnel.ini"
{
  printf '[Default]\nX=100\nY=100\nW=300\nH=260\nStyle=0\n'
  printf '[1]\n0S=00000000\n0L=H1\n1S=000000000000000000000000\n1L=d1\n2S=000000000000000000000000\n2L=d2\n'
} | crlf "$d/Varnel00.dat"
e2e_start
e2e_wait_main 30
xdo mousemove 640 400 || fail "xdotool cannot reach the display"
open_settings
e2e_shot general
probe text 3111 0 >/dev/null || fail "timer edit"
probe text 3124 0 >/dev/null || fail "snooze edit"
probe tick 3132 0 >/dev/null || fail "完了 box"
probe tick 3121 >/dev/null || fail "連続"
probe text 3122 x:3930 >/dev/null || fail "alarm time"
probe choose 3078 3 >/dev/null || fail "CmdW combo"
probe press 11 >/dev/null
box=$(probe msgbox 10000) || fail "no timer message"
expect_eq "$(echo "$box" | line_value text)" "タイマー割込をオフにしました。　　" "timer message"
e2e_shot timer-off
probe msgbox-press 1 >/dev/null || fail "closing the message"
wait_no_dialog
ini=$(e2e_ini Varnel.ini)
for kv in Timer=0 Snooze=10 CkType2=0 AlarmTime=90 CmdW=3; do
  echo "$ini" | grep -qx "$kv" || fail "$kv not written: $ini"
done
# Detail d2: its menu is the title, 状態変更 and その他; the submenu's third item.
xdo mousemove 144 163 click 3
probe menu 3000 >/dev/null || fail "no detail menu"
xdo key Down Down Right
sleep 0.5
e2e_shot state-menu
xdo key Down Down Return
sleep 0.7
probe send 0x0010 0 0 >/dev/null || fail "WM_CLOSE"
code=$(e2e_wait_exit "$E2E_RUN" 20) || fail "no exit"
expect_eq "$code" 0 "exit code"
status=$(e2e_ini Varnel00.dat | line_value 2S)
expect_eq "${status:7:1}" 3 "the third state item deletes d2"
exit 0
