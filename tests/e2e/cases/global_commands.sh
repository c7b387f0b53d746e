#!/usr/bin/env bash
# Program-wide commands as the tray menu and hot keys give them (WM_HOTKEY with the command id): hide, show,
# move right, opacity, redraw, about, a new note in the slot deleted longest ago and its record, WM_APP 21.
# "右上縦" (405) stacks notes from the top-right in slot order, a fixed one left; the tray double click ("Cmd"
# 0x180) then gives them the width of hidden slot 0.
source "$(dirname "$0")/../lib.sh"
e2e_init global_commands "$1" "$2"
ini "List=11\nHotKey0=81,578\n$(seq -f 'Del%g=2020/01/01 00:00' 2 49 | sed 's#^Del7=2020/01#Del7=2019/05#')"
note 0 'X=100\nY=100\nW=200\nH=150' =free
note 1 'X=400\nY=100\nW=200\nH=150\nFix=1' =fixed
e2e_run 2
at() { local r; for r; do wait_note "rect=$r " "no note at $r" 5; done; }
alphas() { probe windows | grep 'class=CCheckWnd' | grep -c "alpha=$1"; }
key_at 200 200 ctrl+b '[ "$(probe notes | grep -c visible=0)" -ge 2 ]' "Ctrl+B (206) hid no note"
sleep 0.5  # a note shown again by its activation would show up meanwhile
expect_eq "$(probe notes | grep -c 'visible=0')" 2 "Ctrl+B (206) hides every note"
hotkey 205
wait_visible_notes 2 "205 shows every note"
hotkey 301 send
at 1080,100,1280,250 400,100,600,250  # the free note moved right, not the fixed one
hotkey 603 send  # active opacity shows once a note is active; the inactive one at once
expect_eq "$(alphas 255)" 2 "inactive notes keep their look"
hotkey 624 send
expect_eq "$(alphas 102)" 2 "624 sets 40% on every inactive note"
hotkey 228 send
hotkey 202
expect_box 5000 'Version 1.35' "the about dialog with its version" about 1
probe msgbox 500 >/dev/null && fail "about dialog still open"
hotkey 211  # a new note: slot 7, deleted longest ago
wait_visible_notes 3 "a new note is shown"
[ -f "$d/Varnel07.dat" ] || fail "new note not in slot 7: $(ls "$d")"
expect_eq "$(keys Varnel.ini List | cut -c1-8)" 11000001 "List marks slot 7 at once"
IFS=, read -r l t r b <<<"$(probe notes | grep -v 'rect=1080,100,\|rect=400,100,' | head -n1 | field rect)"
e2e_shot new-note
menu_at $(((l + r) / 2)) $((b - 10))
e2e_shot note-menu
xdo key Up Up Return  # 付箋削除, the last item but one
wait_visible_notes 2 "the deleted note is gone"
expect_eq "$(keys Varnel.ini List | cut -c1-8)" 11000000 "List frees slot 7"
e2e_ini Varnel.ini | grep -q "^Del7=$(date +%Y/%m/%d)" || fail "no deletion record for slot 7: $(e2e_ini Varnel.ini | grep Del7)"
# WM_APP 21: a new note with the clipboard's text as a detail, in slot 2 (the oldest record, lowest slot).
clip 'via app'
probe send 0x8000 21 0 >/dev/null || fail "WM_APP 21"
[ -f "$d/Varnel02.dat" ] || fail "WM_APP 21 made no note in slot 2: $(ls "$d")"
# Exit (203) while the about dialog is open: saved at once, the dialog ends, then the program.
hotkey 202
probe msgbox 5000 >/dev/null || fail "no about dialog for the exit"
e2e_close 20 0x0312 203
expect_eq "$(keys Varnel00.dat Alpha Alpha2)" "76,102" "opacity written"
expect_eq "$(keys Varnel02.dat 1L)" "via app" "WM_APP 21 detail saved"

E2E_PART=arrange
rm -rf "${d:?}"/*
ini 'List=10100100110\nCmd=384'
for n in "2 50 200" "5 300 260" "8 600 180" "9 900 150 Fix=1" "0 500 300 V=0"; do
  set -- $n  # slot x width key
  note $1 "X=$2\nY=300\nW=$3\nH=100\n${4:-}" "=slot $1"
done
e2e_run 4
hotkey 405
at 1020,0,1280,100 1020,100,1280,200 1020,200,1280,300 900,300,1050,400
e2e_shot arranged
probe post 0x0400 0 0x0203 >/dev/null || fail "post tray double click"
at 1020,0,1320,100 1020,100,1320,200 1020,200,1320,300 900,300,1050,400 500,300,800,400
e2e_close
expect_eq "$(keys Varnel05.dat Y),$(keys Varnel08.dat Y)" "100,200" "slot order top to bottom"
