#!/usr/bin/env bash
# The deleted notes page: a note deleted from the list, an untitled file as
# "(付箋%d)"; ticking restores it whole (its alarm rings again), unticking deletes it.
source "$(dirname "$0")/../lib.sh"
e2e_init deleted_notes "$1" "$2"
printf '[Default]\nList=11\nDel3=2026/11/30 10:00\n' | crlf "$d/Varnel.ini"
printf '[Default]\nX=20\nY=40\nW=200\nH=150\nTitle=消す付箋\nBkColor=0x00C0FF\nSDT3=20000\n[1]\n0S=00000000\n0L=見出\n1S=000000000000000000000000\n1L=行一\n2S=000C000C000000000000000009000080007f\n2L=行二\n' | crlf "$d/Varnel00.dat"
printf '[Default]\nX=260\nY=40\nW=200\nH=150\nTitle=残る付箋\n' | crlf "$d/Varnel01.dat"
printf '[Default]\nX=500\nY=40\nW=200\nH=150\n' | crlf "$d/Varnel03.dat"
E2E_CLOCK="=2026-12-07 08:00:00"
e2e_run 2
xdo mousemove 640 700 || fail "xdotool cannot reach the display"
open_settings
probe choose 1000 2 >/dev/null
rows() { list_rows 3313 "${1:-3}"; }
wait_until 5 "rows 2 | grep -q 残る付箋"
at=$(probe where 3313 0) || fail "no row"
xdo mousemove "$(echo "$at" | field x)" "$(echo "$at" | field y)" click 1
menu_at "$(echo "$at" | field x)" "$(echo "$at" | field y)"
xdo key Up Up Up Return  # 付箋削除
wait_visible_notes 1 "the deleted note is gone"
wait_until 5 "rows 2 | grep -q '^checked=1 col0= 2 col1=残る付箋|$'"
expect_eq "$(rows 2)" "checked=1 col0= 2 col1=残る付箋|" "the note list after the delete"
probe choose 1000 3 >/dev/null
wait_until 5 '[ "$(rows | grep -o col0 | wc -l)" = 2 ]'
deleted=$(keys Varnel.ini Del0)
[ -n "$deleted" ] || fail "no deletion record"
expect_eq "$(rows)" "checked=0 col0= 1 col1=消す付箋 col2=$deleted|checked=0 col0= 4 col1=(付箋4) col2=2026/11/30 10:00|" "the deleted list"
e2e_shot deleted
probe tick 3313 1 0 >/dev/null
probe msgbox 5000 | grep -q '^text=表示スケジュールを設定しましたので確認してください。' || fail "no schedule message"
probe msgbox-press 1 >/dev/null
wait_visible_notes 2 "the restored note is shown"
expect_eq "$(keys Varnel.ini List | cut -c1-2)" 11 "slot listed again"
e2e_shot restored
probe tick 3313 0 0 >/dev/null
wait_visible_notes 1 "unticked: deleted again"
expect_eq "$(keys Varnel.ini List | cut -c1)" 0 "slot free again"
probe tick 3313 1 0 >/dev/null
probe msgbox-press 1 >/dev/null
wait_visible_notes 2 "restored once more"
close_dialog 11
# Its daily alarm at 09:00 was freed with it and rings again.
e2e_clock_set "2026-12-07 08:59:55"
box=$(probe msgbox 30000) || fail "the restored note's alarm did not ring"
echo "$box" | grep -q '^caption=行二$' || fail "alarm title: $box"
probe click 11 >/dev/null
e2e_close
expect_eq "$(e2e_ini Varnel00.dat | grep -c '^[0-9]L=')" 3 "every row kept"
expect_eq "$(keys Varnel00.dat 2L SDT3 BkColor)" "行二,20000,0x00C0FF" "the last row whole, the schedule and the style kept"
