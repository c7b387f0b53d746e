#!/usr/bin/env bash
# "Timer"=0: the start-up message with caption Varnel; OK, then a normal close.
# Again under LANG=C.UTF-8 (the program's own text still reads back exactly),
# closed while the box is open: one save, exit 0.
source "$(dirname "$0")/../lib.sh"
e2e_init timer_off "$1" "$2"
start_to_box() {
  e2e_seed timer_off.ini Varnel.ini
  e2e_start
  box=$(probe msgbox 30000) || fail "no message box: $box"
  expect_eq "$(echo "$box" | line_value caption)" Varnel "caption"
  expect_eq "$(echo "$box" | line_value text)" "タイマー割込をオフにしました。　　" "text"
}
start_to_box
e2e_shot msgbox
probe msgbox-press 1 >/dev/null || fail "cannot press OK"
e2e_wait_main 10
probe send 0x0010 0 0 >/dev/null || fail "WM_CLOSE"
expect_eq "$(e2e_wait_exit "$E2E_RUN" 20)" 0 "exit code"
expect_eq "$(e2e_ini Varnel.ini | line_value Timer)" 0 "Timer kept"

export LANG=C.UTF-8
start_to_box
probe post 0x0010 0 0 >/dev/null || fail "post WM_CLOSE"
expect_eq "$(e2e_wait_exit "$E2E_RUN" 30)" 0 "exit with the box open"
ini=$(e2e_ini Varnel.ini)
expect_eq "$(echo "$ini" | grep -c '^List=')" 1 "List lines"
expect_eq "$(echo "$ini" | line_value List)" "$(printf '0%.0s' $(seq 1 50))" "List"
expect_eq "$(echo "$ini" | line_value Timer)" 0 "Timer kept"
