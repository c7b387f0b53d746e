#!/usr/bin/env bash
# Real mouse and keyboard on notes: check boxes, folding, in-place edits, drag and resize, a locked and a
# fixed note, a narrow note growing, the menus of a heading and a detail.
source "$(dirname "$0")/../lib.sh"
e2e_init note_input "$1" "$2"
ini 'List=11111\nCkType2=0\nCmdW=2\nSCKey0=9,584'  # Ctrl+H: 見出追加
# Bar at the top (18 px): heading 0 at client y 20 (16 px), its details from y 38 in rows of 14 + 4 px;
# heading 1 follows at y 100. Note 0 is at 100,100.
big() {  # slot x y title keys
  note "$1" "X=$2\nY=$3\nW=300\nH=260\nStyle=0\nBkColor=0xCCFFFF\nTitle=$4\n$5" =first one two '3|gone' =second 'under second'
}
big 0 100 100 free 'Alpha=230\nAlpha2=100'
big 1 500 100 locked 'Lock=1'
big 2 500 420 fixed 'Fix=1'
note 3 'X=900\nY=100\nW=160\nH=100' '=narrow note' 'tab\there'
note 4 'X=900\nY=420\nW=300\nH=260\nStyle=0' =H1 d1 d2 d3 =H2 e1
edit_at() { dblclick "$1" "$2"; wait_note "rect=$3,.* edit=1" "no edit box at $1,$2"; }  # x y, the note's rect
e2e_run 5 10 790
e2e_shot start 1
# Check boxes (the first one thrice: CkType2 off goes to deleted, then stays), heading 1 folded by its glyph.
for at in 145 145 145 163 181; do click 129 $at; done
click 114 208
e2e_shot clicked
edit_at 135 128 100
xdo type --delay 40 abc
xdo key Return
xdo type --delay 40 def
probe clip >/dev/null || fail "empty clipboard"
xdo key shift+Home ctrl+v End  # nothing to paste: 'def' stays
clip 日本語
xdo key ctrl+v
wait_note 'rect=100,.*edittext=abc\\ndef日本語$' "typed text not in the box"
e2e_shot editing
click 300 340  # in the note, below the rows: commits and does nothing else
wait_note 'rect=100,.* edit=0' "edit box still open"
edit_at 135 128 100  # an edit that ends empty takes its new row with it
click 300 340
wait_note 'rect=100,.* edit=0' "second edit box still open"
e2e_shot committed
edit_at 135 128 100  # pasting more than a row holds: whole characters up to 298 bytes
clip "$(printf '日本%.0s' $(seq 1 160))"
xdo key ctrl+v
wait_eq "probe notes | grep 'rect=100,' | sed -n 's/.*edittext=//p' | tr -d '\n' | wc -c" 447 "UTF-8 bytes of the 149 characters kept"
click 300 340
# The narrow note: Ctrl+H adds a heading; a pasted line break ends its text.
clip $'line1\r\nline2'
key_at 1040 190 ctrl+h "probe notes | grep -qE 'rect=900,.* edit=1'" "Ctrl+H opened no box"
xdo key ctrl+v
wait_note 'rect=900,.*edittext=line1$' "heading box holds more than the first line"
click 1040 105
# A long detail wraps in its box, and the note grows with the box's lines.
edit_at 935 128 900
xdo type --delay 30 'the quick brown fox jumps over the lazy dog and runs on'
wait_note 'rect=900,.*edittext=.*runs on$' "the typed detail"
e2e_shot long-detail
line=$(probe notes | grep 'rect=900,')
IFS=, read -r l t r b el et er eb <<<"$(echo "$line" | field rect),$(echo "$line" | field editrect)"
[ $((eb - et)) -gt 40 ] && [ "$eb" -le "$b" ] || fail "the box or the note did not grow with the lines: $line"
click 1040 105
click 300 330  # the active note shows Alpha, the inactive one Alpha2
wait_note 'rect=100,.*alpha=230' "active alpha"
click 700 330
wait_note 'rect=100,.*alpha=100' "inactive alpha"
# Drag by the bar, then resize by the corner (under Wine a drag starts on the active window, hence the click).
click 250 105
xdo mousemove 250 105 mousedown 1 sleep 0.3 mousemove 270 115 sleep 0.2 mousemove 290 125 sleep 0.2 mouseup 1
wait_note 'rect=140,120,' "note 0 not moved by 40,20"
xdo mousemove 438 378 mousedown 1 sleep 0.3 mousemove 450 390 sleep 0.2 mousemove 468 398 sleep 0.2 mouseup 1
wait_note 'rect=140,120,470,400 ' "note 0 not resized to 330x280"
click 529 145  # the locked note: no check, no edit; folding works
dblclick 535 128
probe notes | grep -q 'rect=500,100,.*edit=0' || fail "locked note opened an edit box"
click 514 208
# Fixed note: no drag, no resize (its file is checked at the end).
xdo mousemove 650 425 mousedown 1 mousemove 680 445 mousemove 700 465 mouseup 1
xdo mousemove 798 678 mousedown 1 mousemove 820 700 mouseup 1
click 514 528  # a new row under the folded heading opens it first
edit_at 535 528 500,420
xdo type --delay 40 'kept'
# Another program adds the clipboard above the box's row: the typed text is committed first.
clip 'from app'
probe send 0x8000 11 0x20000 >/dev/null || fail "WM_APP 11"
wait_note 'rect=500,420,.* edit=0' "WM_APP 11 left the edit box open"
edit_at 535 546 500,420  # heading 1, one row further down now
xdo type --delay 40 'open at exit'  # left open: the exit's save keeps it
e2e_shot end
# "CmdW" 1, read afresh: a double click adds a detail from the clipboard, trimmed.
ini 'List=11111\nCkType2=0\nCmdW=1\nSCKey0=9,584'
clip $'  from clip \r\n'
click 300 300
dblclick 175 148
click 300 300
xdo key alt+F4  # hides the note; it stays in its slot, saved at exit
wait_note 'rect=140,120,.* visible=0' "Alt+F4 did not hide the note"

E2E_PART=note_menus
menu_at 935 528  # heading H2: its last item
e2e_shot heading-menu
xdo key Up Return
sleep 0.7
menu_at 944 483  # detail d2: the item before the last
e2e_shot detail-menu
xdo key Up Up Return
e2e_shot after 0.7
e2e_close
expect_eq "$(keys Varnel00.dat X Y W H V)" "140,120,330,280,0" "moved, resized and hidden by Alt+F4"
expect_eq "$(keys Varnel02.dat X Y W)" "500,420,300" "fixed note stayed"
expect_eq "$(keys Varnel.ini List | cut -c1-4)" 1111 "every note still listed"
expect_eq "$(row_value Varnel00.dat 1 5L | wc -c)" 448 "pasted text cut to 298 bytes on a whole character"
e2e_ini Varnel00.dat | grep -q '^7L=' && fail "the emptied new row was saved"
e2e_ini Varnel01.dat | grep -q '^4L=' && fail "locked note got a new row"
e2e_ini Varnel04.dat | grep -q '^\[3\]\|=H2$' && fail "H2 was not deleted"
expect_rows <<'EOF'
0|1|1S|3|first detail checked then deleted, then kept
0|1|2S|1|second detail checked
0|1|3S|3|deleted detail unchanged
0|1|4L|abc\n\rdef日本語|typed detail saved
0|1|6L|from clip|detail added from the clipboard
0|2|0S|2|heading 1 folded
1|1|1S|0|locked note's detail unchanged
1|2|0S|2|locked note folds
2|1|4L|from app|detail added by WM_APP 11
2|2|1L|under second|the row before the box kept
2|2|2L|kept|typed text kept by WM_APP 11
2|2|3L|open at exit|open edit saved at exit
2|2|0S|0|heading opened for the new row
3|2|0L|line1|pasted heading keeps its first line
3|1|2L|the quick brown fox jumps over the lazy dog and runs on|long detail saved
4|2|0L|d2|d2 became a heading
EOF
