#!/usr/bin/env bash
# The settings dialog: topmost, five tabs; Cancel leaves every file, a second OK
# writes the files as the first left them. The user's own note menu, shortcut
# and hot key work after it (a hot key arrives while a program window has the focus).
source "$(dirname "$0")/../lib.sh"
e2e_init settings_pages "$1" "$2"
printf '[Default]\nList=1\nTimer=5\nMenuW0=11,Add\nHotKey0=78,577\nSCKey0=11,580\nSnooze=300\n' | crlf "$d/Varnel.ini"
printf '[Default]\nX=100\nY=100\nW=300\nH=200\n[1]\n0S=00000000\n0L=head\n' | crlf "$d/Varnel00.dat"
sums() { (cd "$d" && md5sum Varnel.ini Varnel*.dat); }
e2e_run 1
xdo mousemove 640 400 || fail "xdotool cannot reach the display"
start=$(sums)
open_settings
probe dialog | head -n1 | grep -q 'topmost=1' || fail "not topmost: $(probe dialog | head -n1)"
for tab in 0 1 2 3 4; do
  probe choose 1000 $tab >/dev/null || fail "tab $tab"
  want=0
  [ $tab = 1 ] && want=1
  wait_until 5 '[ "$(control_line 3826 | field visible)" = $want ]' || fail "3826 not visible=$want on tab $tab"
  e2e_shot tab$tab
done
probe choose 1000 0 >/dev/null && probe text 3111 7 >/dev/null && probe tick 3131 0 >/dev/null || fail "general page"
probe choose 1000 1 >/dev/null && probe text 3070 30 >/dev/null && probe tick 3053 1 >/dev/null || fail "defaults page"
probe choose 1000 4 >/dev/null && probe choose 3822 0 >/dev/null && probe press 3823 >/dev/null || fail "menu page"
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

E2E_PART=custom_menus
xdo mousemove 300 250 click 3
menu=$(probe menu 3000) || fail "no note menu: $menu"
sleep 0.5
e2e_shot menu-11-add
IFS=, read -r l t r b <<<"$(echo "$menu" | head -n1 | field rect)"
[ $((b - t)) -lt 90 ] || fail "the menu is not three items high: $l,$t,$r,$b"
xdo key Escape
sleep 0.5
click 300 250
xdo key ctrl+d
wait_until 10 "probe notes | grep 'rect=100,100,' | grep -q 'edit=1'" || fail "Ctrl+D did not add a detail: $(probe notes)"
xdo type 'by key'
click 300 280
xdo key ctrl+a
wait_until 5 '[ $(visible_notes) -ge 2 ]'
expect_eq "$(visible_notes)" 2 "Ctrl+A made a new note"
e2e_close
expect_eq "$(keys Varnel00.dat 1L)" "by key" "detail added by the shortcut"
[ -f "$d/Varnel01.dat" ] || fail "no new note file"
