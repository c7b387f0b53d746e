#!/usr/bin/env bash
# Right clicks open the menu of the spot: on a heading the heading menu, whose
# last item 見出削除 deletes it; on a detail the detail menu, whose item before
# the last, 見出化, turns the detail into a heading. The file after exit shows it.
source "$(dirname "$0")/../lib.sh"
e2e_init note_menus "$1" "$2"
printf '[Default]\nList=1\n' | crlf "$d/Varnel.ini"
{
  printf '[Default]\nX=100\nY=100\nW=300\nH=260\nStyle=0\n'
  printf '[1]\n0S=00000000\n0L=H1\n1S=000000000000000000000000\n1L=d1\n2S=000000000000000000000000\n2L=d2\n3S=000000000000000000000000\n3L=d3\n'
  printf '[2]\n0S=00000000\n0L=H2\n1S=000000000000000000000000\n1L=e1\n'
} | crlf "$d/Varnel00.dat"
e2e_run 1
xdo mousemove 10 790 || fail "xdotool cannot reach the display"
sleep 1
# Heading H2 at client y 100: its menu, the last item.
menu_at 135 208
e2e_shot heading-menu
xdo key Up Return
sleep 0.7
# Detail d2 at client y 56: its menu, the item before the last.
menu_at 144 163
e2e_shot detail-menu
xdo key Up Up Return
sleep 0.7
e2e_shot after
e2e_close
n=$(e2e_ini Varnel00.dat)
sec() { echo "$n" | sed -n "/^\[$1\]/,/^\[/p"; }
expect_eq "$(sec 1 | line_value 0L),$(sec 1 | line_value 1L),$(sec 1 | line_value 2L)" "H1,d1," "H1 keeps d1 only"
expect_eq "$(sec 2 | line_value 0L),$(sec 2 | line_value 1L)" "d2,d3" "d2 became a heading with d3"
echo "$n" | grep -q '^\[3\]' && fail "H2 was not deleted"
echo "$n" | grep -q '=H2$' && fail "H2 still in the file"
exit 0
