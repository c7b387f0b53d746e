#!/usr/bin/env bash
# Tray right click: the "Main" popup opens at the cursor with readable items;
# choosing 終了 (the last item) ends the program with 0.
source "$(dirname "$0")/../lib.sh"
e2e_init tray_menu "$1" "$2"
e2e_start
e2e_wait_main 30
xdo mousemove 640 400 || fail "xdotool cannot reach the display"
probe post 0x0400 0 0x0204 >/dev/null || fail "post tray callback"
menu=$(probe menu 10000) || fail "no popup menu: $menu"
echo "$menu"
sleep 0.5
e2e_shot menu
IFS=, read -r l t r b <<<"$(echo "$menu" | head -n1 | field rect)"
[ $((r - l)) -gt 40 ] && [ $((b - t)) -gt 60 ] || fail "menu too small to hold the main items"
if echo "$menu" | grep -q '^item='; then
  last=$(echo "$menu" | grep '^item=' | tail -n1)
  echo "$last" | grep -q 'text=終了' || fail "last item is not 終了: $last"
  IFS=, read -r l t r b <<<"$(echo "$last" | field rect)"
  xdo mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
else
  # Menu handles do not cross processes under Wine, so the items cannot be read
  # from outside; the keyboard reaches the last item (終了) from no selection.
  xdo key Up
  sleep 0.3
  e2e_shot menu-last
  xdo key Return
fi
code=$(e2e_wait_exit "$E2E_RUN" 20) || fail "program did not exit after 終了"
expect_eq "$code" 0 "exit code"
e2e_ini Varnel.ini | grep -q '^List=' || fail "no save on exit"
