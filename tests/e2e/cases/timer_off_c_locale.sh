#!/usr/bin/env bash
# The same start under LANG=C.UTF-8: the program's own text still reads back exactly.
# WM_CLOSE while the message box is open: one save, the box goes, exit 0.
export VARNEL_LANG=C.UTF-8
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/timer_off_common.sh"
e2e_init timer_off_c_locale "$1" "$2"
timer_off_start
probe post 0x0010 0 0 >/dev/null || fail "post WM_CLOSE"
code=$(e2e_wait_exit "$E2E_RUN" 30) || fail "program did not exit with the box open"
expect_eq "$code" 0 "exit code"
ini=$(e2e_ini Varnel.ini)
expect_eq "$(echo "$ini" | grep -c '^List=')" 1 "List lines"
expect_eq "$(echo "$ini" | sed -n 's/^List=//p')" "$(printf '0%.0s' $(seq 1 50))" "List"
expect_eq "$(echo "$ini" | sed -n 's/^Timer=//p')" 0 "Timer kept"
