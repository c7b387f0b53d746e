#!/usr/bin/env bash
# The settings dialog from the tray menu: topmost, its five tabs each with its
# page (a screenshot of each), "*作成済付箋に適用" and "除背景" only on the
# defaults tab; Cancel closes it and leaves the file as it was.
source "$(dirname "$0")/../lib.sh"
e2e_init settings_pages "$1" "$2"
printf '[Default]\nList=0\n' | crlf "$d/Varnel.ini"
before=$(md5sum <"$d/Varnel.ini")
e2e_start
e2e_wait_main 30
xdo mousemove 640 400 || fail "xdotool cannot reach the display"
open_settings
probe dialog | head -n1 | grep -q 'topmost=1' || fail "not topmost: $(probe dialog | head -n1)"
for tab in 0 1 2 3 4; do
  probe choose 1000 $tab >/dev/null || fail "tab $tab"
  sleep 0.5
  e2e_shot tab$tab
  want=0
  [ $tab = 1 ] && want=1
  expect_eq "$(control_line 3826 | field visible)" $want "3826 visible on tab $tab"
done
probe press 12 >/dev/null
wait_no_dialog
expect_eq "$(md5sum <"$d/Varnel.ini")" "$before" "Cancel leaves the file"
probe send 0x0010 0 0 >/dev/null || fail "WM_CLOSE"
code=$(e2e_wait_exit "$E2E_RUN" 20) || fail "no exit"
expect_eq "$code" 0 "exit code"
exit 0
