#!/usr/bin/env bash
# The same start under LANG=C.UTF-8: the program's own text still reads back exactly.
export VARNEL_LANG=C.UTF-8
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/timer_off_common.sh"
e2e_init timer_off_c_locale "$1" "$2"
timer_off_start
probe msgbox-press 1 >/dev/null || fail "cannot press OK"
probe send 0x0010 0 0 >/dev/null || fail "WM_CLOSE"
code=$(e2e_wait_exit "$E2E_RUN" 20) || fail "no exit"
expect_eq "$code" 0 "exit code"
