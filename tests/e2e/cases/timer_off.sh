#!/usr/bin/env bash
# "Timer"=0: the start-up message, caption Varnel; OK, then a normal close.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/timer_off_common.sh"
e2e_init timer_off "$1" "$2"
timer_off_start
probe msgbox-press 1 >/dev/null || fail "cannot press OK"
e2e_wait_main 10
probe send 0x0010 0 0 >/dev/null || fail "WM_CLOSE"
code=$(e2e_wait_exit "$E2E_RUN" 20) || fail "no exit"
expect_eq "$code" 0 "exit code"
expect_eq "$(e2e_ini Varnel.ini | sed -n 's/^Timer=//p')" 0 "Timer kept"
