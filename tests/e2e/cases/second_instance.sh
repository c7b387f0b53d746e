#!/usr/bin/env bash
# A second start while the program runs ends at once with 0; the first keeps running.
source "$(dirname "$0")/../lib.sh"
e2e_init second_instance "$1" "$2"
e2e_start
first=$E2E_RUN
e2e_wait_main 30
hwnd=$(probe find | field hwnd)
first_pid=$E2E_PID
e2e_start
code=$(e2e_wait_exit "$E2E_RUN" 20) || fail "second instance did not end"
expect_eq "$code" 0 "second instance exit code"
E2E_PID=$first_pid E2E_RUN=$first
e2e_running || fail "first instance ended"
expect_eq "$(probe find | field hwnd)" "$hwnd" "main window of the first instance"
probe windows | grep -c 'class=Varnel ' | grep -qx 1 || fail "not exactly one main window"
probe send 0x0010 0 0 >/dev/null || fail "WM_CLOSE"
code=$(e2e_wait_exit "$first" 20) || fail "first instance did not exit"
expect_eq "$code" 0 "first instance exit code"
