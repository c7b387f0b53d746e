#!/usr/bin/env bash
# The settings dialog: topmost, five tabs; Cancel leaves every file, a second OK
# writes the files as the first left them. The defaults page "規定値": the state
# colour and decoration dialogs, the defaults applied to the notes with and without
# "除背景" while a detail is typed, the frame; a second OK without changes writes
# nothing. The user's own note menu, shortcut and hot key work after it (a hot
# key arrives while a window of the program has the focus).
source "$(dirname "$0")/../lib.sh"
e2e_init settings_pages "$1" "$2"
printf '[Default]\nList=11\nTimer=5\nMenuW0=11,Add\nHotKey0=78,577\nSCKey0=11,580\nSnooze=300\n' | crlf "$d/Varnel.ini"
printf '[Default]\nX=100\nY=100\nW=240\nH=200\nStyle=1\nZ=-1\nBkColor=0x00FFFF\nAlpha=200\n[1]\n0S=00000000\n0L=H1\n1S=000000000000000000000000\n1L=d1\n' |
  crlf "$d/Varnel00.dat"
printf '[Default]\nX=400\nY=100\nW=240\nH=200\nV=0\n[1]\n0S=00000000\n0L=G1\n' | crlf "$d/Varnel01.dat"
sums() { (cd "$d" && md5sum Varnel.ini Varnel*.dat); }
e2e_run 1 640 400
start=$(sums)
open_settings
probe dialog | head -n1 | grep -q 'topmost=1' || fail "not topmost: $(probe dialog | head -n1)"
for tab in 0 1 2 3 4; do
  probe choose 1000 $tab >/dev/null || fail "tab $tab"
  want=$((tab == 1))
  wait_until 5 '[ "$(control_line 3826 | field visible)" = $want ]' || fail "3826 not visible=$want on tab $tab"
  e2e_shot tab$tab
done
drive "choose 1000 0" "text 3111 7" "tick 3131 0" "choose 1000 1" "text 3070 30" "tick 3053 1" \
  "choose 1000 4" "choose 3822 0" "press 3823"
close_dialog 12
expect_eq "$(sums)" "$start" "files after Cancel"
for round in 1 2; do
  open_settings
  for tab in 0 1 2 3 4; do probe choose 1000 $tab >/dev/null || fail "tab $tab"; done
  close_dialog 11
  e2e_ini Varnel.ini >"$E2E_CASE/ini.$round"
  eval "after$round=\$(sums)"
done
grep -qx 'Snooze=300' "$E2E_CASE/ini.1" || fail "a plain OK changed a value: $(cat "$E2E_CASE/ini.1")"
expect_eq "$after2" "$after1" "files after the second OK"

E2E_PART=settings_defaults
defaults_tab() { open_settings; probe choose 1000 1 >/dev/null || fail "tab 1"; sleep 0.3; }
# A detail being typed in note 0 while the defaults reach it.
xdo mousemove 150 128 click --repeat 2 --delay 120 1
wait_until 6 "probe notes | grep -q 'edit=1'" || fail "no edit box: $(probe notes)"
xdo type abc
defaults_tab
e2e_shot page
probe press 4002 >/dev/null
wait_caption 状態別設定
e2e_shot state-colours
probe tick 3131 1 >/dev/null && probe text 4041 1500 >/dev/null && probe tick 4022 1 >/dev/null || fail "edit colours"
probe press 11 >/dev/null
wait_caption "Varnel 設定"
# Cancel hands nothing back: record 0 stays out of force.
probe press 4002 >/dev/null
wait_caption 状態別設定
probe tick 3130 1 >/dev/null || fail "tick record 0"
probe press 12 >/dev/null
wait_caption "Varnel 設定"
probe press 4003 >/dev/null
wait_caption 修飾設定
e2e_shot decorations
probe tick 4020 1 >/dev/null && probe tick 4035 1 >/dev/null || fail "edit decorations"
probe press 11 >/dev/null
wait_caption "Varnel 設定"

probe tick 3053 1 >/dev/null && probe tick 3080 1 >/dev/null || fail "shadow, except background"
probe press 3826 >/dev/null
wait_until 10 '[ "$(probe notes | grep -c class=CCheckWndS)" = 2 ]'
shown=$(probe notes | grep 'visible=1')
hidden=$(probe notes | grep 'visible=0')
echo "$shown" | grep -q 'class=CCheckWndS topmost=1 layered=1 alpha=200' || fail "note 0 after the shadow: $shown"
echo "$shown" | grep -q 'edit=0' || fail "edit still open: $shown"
echo "$hidden" | grep -q 'class=CCheckWndS' || fail "hidden note after the shadow: $hidden"
expect_eq "$(keys Varnel00.dat Style BkColor Alpha Font Non),$(keys Varnel01.dat Style Non)" \
  "5,0x00FFFF,200,ＭＳ Ｐゴシック,,5," "Style and face written; 除背景 keeps background and opacity; Non is not the defaults' to write"
probe tick 3080 0 >/dev/null
probe press 3826 >/dev/null
wait_until 10 '[ "$(keys Varnel00.dat BkColor)" = 0x99FFCC ]'
expect_eq "$(keys Varnel00.dat BkColor Alpha Alpha2)" "0x99FFCC,255,255" "defaults' background and opacity"
probe notes | grep 'visible=1' | grep -q 'alpha=255' || fail "opacity not applied: $(probe notes)"
e2e_shot applied

# A narrower frame from 座標範囲 bounds the placement written on OK.
probe text 3421 9000 >/dev/null
probe press 3420 >/dev/null
wait_caption 座標範囲設定
probe text 3423 1000 >/dev/null
probe press 11 >/dev/null
wait_caption "Varnel 設定"
probe text 3070 24 >/dev/null
close_dialog 11
expect_eq "$(keys Varnel.ini Theight Style CColor1 CCDay1)" "24,5,2008000000000000,999" "bar height, style and state colour record 1"
expect_eq "$(keys Varnel.ini CColor0 CColor2 CCDay0)" ",," "records not in force"
expect_eq "$(keys Varnel.ini Pen0 Pen1 FX2 X W)" "2001000000000000,0000000000000000,1000,800,200" "decorations, frame and placement"

after=$(sums)
defaults_tab
close_dialog 11
expect_eq "$(sums)" "$after" "a second OK writes nothing"

E2E_PART=custom_menus
expect_short_menu 300 250 menu-11-add
click 300 250
xdo key ctrl+d
wait_until 10 "probe notes | grep 'rect=100,100,' | grep -q 'edit=1'" || fail "Ctrl+D did not add a detail: $(probe notes)"
xdo type 'by key'
click 300 280
xdo key ctrl+a
wait_until 5 '[ $(visible_notes) -ge 2 ]'
expect_eq "$(visible_notes)" 2 "Ctrl+A made a new note"
e2e_close
expect_eq "$(keys Varnel00.dat 2L)" abc "the detail typed while the defaults reached it"
e2e_ini Varnel00.dat | grep -q '^[0-9]L=by key$' || fail "no detail added by the shortcut: $(e2e_ini Varnel00.dat)"
[ -f "$d/Varnel02.dat" ] || fail "no new note file"
