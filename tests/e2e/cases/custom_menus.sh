#!/usr/bin/env bash
# The user's own menus and keys: a stored note menu "11,Add" shows the title,
# Add and "その他" with the other commands; the hot key 78/577 (Ctrl+A) makes
# a new note (under Wine a hot key arrives while a window of the program has
# the focus); shortcut 11 on Ctrl+D adds a detail to the active note.
source "$(dirname "$0")/../lib.sh"
e2e_init custom_menus "$1" "$2"
printf '[Default]\nList=1\nMenuW0=11,Add\nHotKey0=78,577\nSCKey0=11,580\n' | crlf "$d/Varnel.ini"
printf '[Default]\nX=100\nY=100\nW=300\nH=200\n[1]\n0S=00000000\n0L=head\n' | crlf "$d/Varnel00.dat"
e2e_start
e2e_wait_main 30
for i in $(seq 1 20); do [ "$(probe notes | grep -c 'visible=1')" -ge 1 ] && break; sleep 0.5; done
xdo mousemove 300 250 click 3
menu=$(probe menu 3000) || fail "no note menu: $menu"
echo "$menu"
sleep 0.5
e2e_shot menu-11-add
IFS=, read -r l t r b <<<"$(echo "$menu" | head -n1 | field rect)"
[ $((b - t)) -lt 90 ] || fail "the menu is not three items high: $l,$t,$r,$b"
xdo key Escape
sleep 0.5
# Ctrl+D: the shortcut of command 243 adds a detail in an edit box.
xdo mousemove 300 250 click 1
sleep 0.5
xdo key ctrl+d
wait_until 10 "probe notes | grep 'rect=100,100,' | grep -q 'edit=1'" || fail "Ctrl+D did not add a detail: $(probe notes)"
xdo type 'by key'
xdo mousemove 300 280 click 1
sleep 0.5
# Ctrl+A: the hot key of a new note.
xdo key ctrl+a
for i in $(seq 1 20); do [ "$(probe notes | grep -c 'visible=1')" -ge 2 ] && break; sleep 0.25; done
expect_eq "$(probe notes | grep -c 'visible=1')" 2 "Ctrl+A made a new note"
e2e_close
expect_eq "$(e2e_ini Varnel00.dat | line_value 1L)" "by key" "detail added by the shortcut"
[ -f "$d/Varnel01.dat" ] || fail "no new note file"
exit 0
