#!/usr/bin/env bash
# The properties dialog: its pages for a note, a heading and details, a dropped file, Cancel and OK with an
# inserted date; the date format assistant, 見出一覧; 全体２ of a folded note, 固定, a schedule the next tick applies.
source "$(dirname "$0")/../lib.sh"
e2e_init properties "$1" "$2"
ini 'List=1111\nCkType2=0\nTWord0=%YY/%MM/%DD\nTWord1=%M月%D日(%W)\nSTimer=1\nFX1=0\nFY1=0\nFX2=1024\nFY2=768'
note 0 'X=100\nY=100\nW=300\nH=260\nStyle=0\nTitle=買い物' =H1 d1 '2|d2' =H2 e1
note 1 'X=500\nY=100\nW=220\nH=120\nNon=1' = n1
note 2 'X=700\nY=300\nW=300\nH=260' =H1 d1 =H2 =H3
note 3 'X=100\nY=300\nW=300\nH=200\nBar=3\nBarStat=2' =H1
E2E_CLOCK="@2026-12-07 12:00:00" E2E_LIFETIME=380 e2e_run 4 10 790  # a Monday; a long run
before0=$(md5sum <"$d/Varnel00.dat") before1=$(md5sum <"$d/Varnel01.dat")

E2E_PART=properties_pages
look() {  # the tab index, a control only that page has, the screenshot's name
  probe choose 1000 "$1" >/dev/null
  wait_until 4 "shown $2" || fail "tab $1 does not show control $2"
  e2e_shot "$3"
}
# x y, tabs, the page it opens on, its text (- none), then tab:control:screenshot of the pages.
while read -r x y tabs first text pages <&3; do
  open_properties "$x" "$y"
  expect_eq "$(tab_count)" "$tabs" "tabs at $x,$y"
  [ "$text" != - ] || [ "$(probe dialog | grep -c '^caption=買い物$\| topmost=1$')" = 2 ] ||
    fail "the note's own dialog is not topmost with the note's title: $(probe dialog | head -n2)"
  shown "$first" || fail "the dialog at $x,$y does not open on the page of $first"
  [ "$text" = - ] || expect_eq "$(control_text 3031)" "$text" "the text at $x,$y"
  for p in $pages; do look ${p//:/ }; done
  close_dialog 12
done 3<<'EOF'
250 320 3 3055 - 0:3055:note-general 1:3724:note-general2 2:3313:note-headings
135 189 2 3512 H2 0:3055:heading-general 1:3512:heading-heading
144 162 3 3602 d2 1:3512:detail-heading 2:3602:detail-detail
EOF
open_properties 514 126  # the "Non" note's detail
expect_eq "$(tab_count)" 2 "tabs of a Non note's detail"
look 1 3602 non-detail
mkdir -p "$E2E_CASE/files" && : >"$E2E_CASE/files/memo.txt"
drop_on "$(control_line 3031 | field rect)" "Z:$(echo "$E2E_CASE/files/memo.txt" | tr / '\\')" || fail "drop refused"
wait_until 5 "control_line 3031 | grep -q 'text=Z:.*files.memo.txt$'" || fail "dropped file: $(control_line 3031)"
e2e_shot non-dropped
close_dialog 12
expect_eq "$(md5sum <"$d/Varnel00.dat"),$(md5sum <"$d/Varnel01.dat")" "$before0,$before1" "files after Cancel"
# OK: 挿入 of the second format, the picker on 2011-01-10, at the end of "d2の商" (EM_SETSEL: the caret at its end).
open_properties 144 162
drive "choose 3151 1" "date 1102 2011-01-10" "text 3031 x:6432e381aee59586" "ctl 3031 0x00B1 100 100" "press 3154"
expect_eq "$(control_text 3031)" "d2の商1月10日(月)" "text after 挿入"
expect_eq "$(control_text 3151)" "%M月%D日(%W)" "the used format on top"
e2e_shot inserted
drive "tick 1123 1"  # alarm OFF: the page's alarm radios are live
close_dialog 11
expect_eq "$(keys Varnel.ini TWord0 TWord1)" "%M月%D日(%W),%YY/%MM/%DD" "the format list saved in its new order"

E2E_PART=properties_lists
assistant_closed() { wait_until 5 "! probe dialog | grep -q '^caption=日付書式作成支援$'" || fail "the assistant stayed open"; }
open_properties 730 327  # heading H1 of note 2
drive "press 3153" @日付書式作成支援 "tick "{5041,5051,5061,5023,5053,5063} "text 5044 4" "press 5003"
expect_eq "$(control_text 5001)" "%YYYY/%MM/%DD" "generated from year, month and day"
[ -n "$(control_text 5002)" ] || fail "no preview"
e2e_shot assistant
drive "press 5004" "tick "{5041,5051,5061}" 0" "tick 5071" "tick 5074" "press 5003"
expect_eq "$(control_text 5001)" "(%W)" "generated from the weekday"
drive "press 11"
assistant_closed
expect_eq "$(control_text 3151)" "(%W)" "the format handed to the page"
expect_eq "$(keys Varnel.ini FmtDate)" 02001100041000 "FmtDate written on close"
drive "press 3153" @日付書式作成支援
wait_until 5 '[ -n "$(control_text 5044)" ]'  # the assistant above the page
expect_eq "$(control_line 5053 | field checked),$(control_line 5074 | field checked),$(control_line 5023 | field checked),$(control_text 5044)" \
  "1,1,1,4" "boxes restored from FmtDate"
probe press 12 >/dev/null
assistant_closed
close_dialog 12
open_properties 850 520  # note 2's empty body
drive "choose 1000 2"
rows() { list_rows 3313 1; }
expect_eq "$(rows)" "checked=1 col0=H1|checked=1 col0=H2|checked=1 col0=H3|" "the heading list"
paints=$(probe notes | grep 'rect=700,300,' | field paints)
drive "tick 3313 0 1"
wait_until 4 '[ "$(probe notes | grep "rect=700,300," | field paints)" != "$paints" ]' || fail "the note was not redrawn at once"
e2e_shot hidden
drive "ctl 3313 0x1076 0 0"  # LVM_EDITLABELW on H1
xdo type --delay 50 Renamed && xdo key ctrl+a && xdo type --delay 50 Renamed && xdo key Return
IFS=, read -r left top right bottom <<<"$(control_line 3313 | field rect)"
menu_at $((left + 40)) $((top + 44)) Down Down Down Down Return  # row H3: 上移動
wait_until 4 'rows | grep -q "^checked=1 col0=H3|"'
drive "press 3311"
xdo type --delay 50 New && xdo key Return
wait_until 4 'rows | grep -q "col0=New|$"'
e2e_shot headings
expect_eq "$(rows)" "checked=1 col0=H3|checked=1 col0=Renamed|checked=0 col0=H2|checked=1 col0=New|" "after the edits (H3 moved past the hidden H2)"
close_dialog 12

E2E_PART=properties_position
pos=$(probe windows | grep 'class=CCheckWnd rect=100,482,400,500 ' | field hwnd)
[ -n "$pos" ] || fail "the folded note not at the bottom of its rectangle: $(probe windows)"
open_properties 250 491
drive "choose 1000 1"
expect_eq "$(control_text 3421),$(control_text 3422),$(control_text 3423),$(control_text 3424)" "100,300,300,200" "fields of the unfolded note"
# Shown 00:00-00:01 every day from 2026-12-01 10:00: hidden at noon.
drive "tick 3412" "text 3423 5000" "tick 3721" "date 3701 2026-12-01" "date 3711 10:00" "tick 3724" \
  "date 3713 00:00" "date 3714 00:01" "tick "{1110..1116} "tick 1118" "tick 1117"
expect_eq "$(control_line 1118 | field checked)" 0 "祝 clears 祝日を除く"
e2e_shot page
close_dialog 11
expect_eq "$(keys Varnel03.dat Pos W H X Y SDT1 SDT2 SDT3 SDT4)" "1,1024,200,0,300,9466,0600,-1,-1,1,00ff" "keys written on OK"
wait_until 20 '[ "$(probe windows | grep "hwnd=$pos " | field visible)" = 0 ]' || fail "the note not hidden by the next tick"
e2e_shot after-tick
e2e_close
expect_eq "$(e2e_ini Varnel00.dat | line_value 2L)" "d2の商1月10日(月)" "the detail's text"
# "done" is out of use and shows as "deleted"; a plain OK keeps it done. The alarm chosen on the page is
# stored OFF (digit 3 and the present bit of digit 7).
s=$(e2e_ini Varnel00.dat | line_value 2S)
expect_eq "$((0x${s:7:1} & 3)),${s:3:1},$((0x${s:7:1} & 4))" "2,4,4" "the detail's state and alarm: $s"
expect_eq "$(e2e_ini Varnel02.dat | grep '^0L=' | tr '\n' ' ')" "0L=H3 0L=Renamed 0L=H2 0L=New " "headings in the file"
