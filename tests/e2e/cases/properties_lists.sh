#!/usr/bin/env bash
# The date format assistant builds "%YYYY/%MM/%DD" and "(%W)" from its boxes,
# hands the format to the page and keeps its boxes in "FmtDate"; 見出一覧
# hides, renames, moves and adds headings at once, even when the dialog is cancelled.
source "$(dirname "$0")/../lib.sh"
e2e_init properties_lists "$1" "$2"
printf '[Default]\nList=1\n' | crlf "$d/Varnel.ini"
printf '[Default]\nX=100\nY=100\nW=300\nH=260\n[1]\n0S=00000000\n0L=H1\n1S=000000000000000000000000\n1L=d1\n[2]\n0S=00000000\n0L=H2\n[3]\n0S=00000000\n0L=H3\n' |
  crlf "$d/Varnel00.dat"
e2e_start
e2e_wait_main 30
for i in $(seq 1 20); do [ "$(probe notes | grep -c 'visible=1')" -ge 1 ] && break; sleep 0.5; done
xdo mousemove 10 790 || fail "xdotool cannot reach the display"
value() { control_line "$1" | sed 's/.* text=//'; }
wait_caption() {
  for i in $(seq 1 25); do probe dialog | grep -q "^caption=$1\$" && return 0; sleep 0.2; done
  fail "no dialog $1"
}
assistant_closed() {
  for i in $(seq 1 25); do probe dialog | grep -q "^caption=日付書式作成支援\$" || return 0; sleep 0.2; done
  fail "the assistant stayed open"
}

open_properties 130 127  # heading H1
probe press 3153 >/dev/null
wait_caption 日付書式作成支援
for id in 5041 5051 5061 5023 5053 5063; do probe tick $id >/dev/null; done
probe text 5044 4 >/dev/null
probe press 5003 >/dev/null
expect_eq "$(value 5001)" "%YYYY/%MM/%DD" "generated from year, month and day"
[ -n "$(value 5002)" ] || fail "no preview"
e2e_shot assistant
probe press 5004 >/dev/null
for id in 5041 5051 5061; do probe tick $id 0 >/dev/null; done
probe tick 5071 >/dev/null && probe tick 5074 >/dev/null
probe press 5003 >/dev/null
expect_eq "$(value 5001)" "(%W)" "generated from the weekday"
probe press 11 >/dev/null
assistant_closed
expect_eq "$(value 3151)" "(%W)" "the format handed to the page"
expect_eq "$(e2e_ini Varnel.ini | line_value FmtDate)" 02001100041000 "FmtDate written on close"
probe press 3153 >/dev/null
wait_caption 日付書式作成支援
expect_eq "$(control_line 5053 | field checked),$(control_line 5074 | field checked),$(control_line 5023 | field checked),$(value 5044)" \
  "1,1,1,4" "boxes restored from FmtDate"
probe press 12 >/dev/null
assistant_closed
probe press 12 >/dev/null
wait_no_dialog

open_properties 250 320
probe choose 1000 2 >/dev/null
rows() { probe rows 3313 1 | sed 's/^row=[0-9]* selected=[01] //' | tr '\n' '|'; }
expect_eq "$(rows)" "checked=1 col0=H1|checked=1 col0=H2|checked=1 col0=H3|" "the heading list"
paints=$(probe notes | field paints)
probe tick 3313 0 1 >/dev/null
for i in $(seq 1 20); do [ "$(probe notes | field paints)" != "$paints" ] && break; sleep 0.2; done
[ "$(probe notes | field paints)" != "$paints" ] || fail "the note was not redrawn at once"
e2e_shot hidden
probe ctl 3313 0x1076 0 0 >/dev/null  # LVM_EDITLABELW on H1
xdo type --delay 50 Renamed && xdo key ctrl+a && xdo type --delay 50 Renamed && xdo key Return
list=$(probe dialog | grep '^control=3313 ' | field rect)
IFS=, read -r left top right bottom <<<"$list"
xdo mousemove $((left + 40)) $((top + 44)) click 3  # row H3
probe menu 5000 >/dev/null || fail "no heading list menu"
xdo key Down Down Down Down Return  # 上移動
for i in $(seq 1 20); do rows | grep -q "^checked=1 col0=H3|" && break; sleep 0.2; done
probe press 3311 >/dev/null
xdo type --delay 50 New && xdo key Return
for i in $(seq 1 20); do rows | grep -q 'col0=New|$' && break; sleep 0.2; done
e2e_shot headings
expect_eq "$(rows)" "checked=1 col0=H3|checked=1 col0=Renamed|checked=0 col0=H2|checked=1 col0=New|" "after the edits (H3 moved past the hidden H2)"
probe press 12 >/dev/null
wait_no_dialog
probe send 0x0010 0 0 >/dev/null || fail "WM_CLOSE"
expect_eq "$(e2e_wait_exit "$E2E_RUN" 20)" 0 "exit code"
n=$(e2e_ini Varnel00.dat)
expect_eq "$(echo "$n" | grep '^0L=' | tr '\n' ' ')" "0L=H3 0L=Renamed 0L=H2 0L=New " "headings in the file"
exit 0
