#!/usr/bin/env bash
# The settings dialog: topmost, five tabs; Cancel leaves every file, a second OK writes them as the first left
# them. 規定値: the state colour and decoration dialogs, the defaults applied with and without 除背景 while a
# detail is typed, the frame, a second OK writing nothing; then the user's own note menu, shortcut and hot key.
source "$(dirname "$0")/../lib.sh"
e2e_init settings_pages "$1" "$2"
ini 'List=11\nTimer=5\nMenuW0=11,Add\nHotKey0=78,577\nSCKey0=11,580\nSnooze=300'
note 0 'X=100\nY=100\nW=240\nH=200\nStyle=1\nZ=-1\nBkColor=0x00FFFF\nAlpha=200' =H1 d1
note 1 'X=400\nY=100\nW=240\nH=200\nV=0' =G1
sums() { (cd "$d" && md5sum Varnel.ini Varnel*.dat); }
e2e_run 1 640 400
start=$(sums)
open_settings
probe dialog | head -n1 | grep -q 'topmost=1' || fail "not topmost: $(probe dialog | head -n1)"
for tab in 0 1 2 3 4; do
  drive "choose 1000 $tab"
  wait_until 5 "[ \"\$(control_line 3826 | field visible)\" = $((tab == 1)) ]" || fail "3826 not on tab 1 alone ($tab)"
  e2e_shot tab$tab
done
drive "choose 1000 0" "text 3111 7" "tick 3131 0" "choose 1000 1" "text 3070 30" "tick 3053 1" \
  "choose 1000 4" "choose 3822 0" "press 3823"
close_dialog 12
expect_eq "$(sums)" "$start" "files after Cancel"
for round in 1 2; do
  open_settings
  drive "choose 1000 0" "choose 1000 1" "choose 1000 2" "choose 1000 3" "choose 1000 4"
  close_dialog 11
  [ $round = 2 ] || { after1=$(sums) && expect_eq "$(keys Varnel.ini Snooze)" 300 "a value after a plain OK"; }
done
expect_eq "$(sums)" "$after1" "files after the second OK"

E2E_PART=settings_defaults
# A detail being typed in note 0 while the defaults reach it.
xdo mousemove 150 128 click --repeat 2 --delay 120 1
wait_note 'edit=1' "no edit box"
xdo type abc
open_settings 1
e2e_shot page 0.3
drive "press 4002" @状態別設定 "#state-colours" "tick 3131 1" "text 4041 1500" "tick 4022 1" "press 11" "@Varnel 設定"
# Cancel hands nothing back: record 0 stays out of force.
drive "press 4002" @状態別設定 "tick 3130 1" "press 12" "@Varnel 設定"
drive "press 4003" @修飾設定 "#decorations" "tick 4020 1" "tick 4035 1" "press 11" "@Varnel 設定"
drive "tick 3053 1" "tick 3080 1" "press 3826"  # shadow, except background
wait_note 'visible=1 .*class=CCheckWndS topmost=1 layered=1 alpha=200 edit=0' "note 0 after the shadow, its edit ended"
wait_note 'visible=0 .*class=CCheckWndS' "hidden note after the shadow"
expect_eq "$(keys Varnel00.dat Style BkColor Alpha Font Non),$(keys Varnel01.dat Style Non)" \
  "5,0x00FFFF,200,ＭＳ Ｐゴシック,,5," "Style and face written; 除背景 keeps background and opacity; Non is not the defaults' to write"
drive "tick 3080 0" "press 3826"
wait_eq "keys Varnel00.dat BkColor Alpha Alpha2" "0x99FFCC,255,255" "defaults' background and opacity"
wait_note 'visible=1 .*alpha=255 ' "opacity not applied"
e2e_shot applied
# A narrower frame from 座標範囲 bounds the placement written on OK.
drive "text 3421 9000" "press 3420" @座標範囲設定 "text 3423 1000" "press 11" "@Varnel 設定" "text 3070 24"
close_dialog 11
expect_eq "$(keys Varnel.ini Theight Style CColor1 CCDay1)" "24,5,2008000000000000,999" "bar height, style and state colour record 1"
expect_eq "$(keys Varnel.ini CColor0 CColor2 CCDay0)" ",," "records not in force"
expect_eq "$(keys Varnel.ini Pen0 Pen1 FX2 X W)" "2001000000000000,0000000000000000,1000,800,200" "decorations, frame and placement"
after=$(sums)
open_settings 1
close_dialog 11
expect_eq "$(sums)" "$after" "a second OK writes nothing"

E2E_PART=custom_menus
expect_short_menu 300 250 menu-11-add
key_at 300 250 ctrl+d "probe notes | grep -qE 'rect=100,100,.*edit=1'" "Ctrl+D did not add a detail"
xdo type 'by key'
key_at 300 280 ctrl+a '[ $(visible_notes) -ge 2 ]' "Ctrl+A made no new note"
e2e_close
expect_eq "$(keys Varnel00.dat 2L)" abc "the detail typed while the defaults reached it"
e2e_ini Varnel00.dat | grep -q '^[0-9]L=by key$' || fail "no detail added by the shortcut: $(e2e_ini Varnel00.dat)"
[ -f "$d/Varnel02.dat" ] || fail "no new note file"
