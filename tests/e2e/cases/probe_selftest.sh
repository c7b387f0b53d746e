#!/usr/bin/env bash
# The probe and the driver library against a small stand-in program: find, send,
# message box text and button, close, exit code.
source "$(dirname "$0")/../lib.sh"
e2e_init probe_selftest "$1" "$2"
e2e_start
out=$(probe --class ProbeTarget msgbox 20000) || fail "no message box: $out"
expect_eq "$(echo "$out" | line_value caption)" "ProbeTarget" "caption"
expect_eq "$(echo "$out" | line_value text)" "テスト　　" "text"
out=$(probe --class ProbeTarget find) || fail "find: $out"
echo "$out" | grep -q '^hwnd=0x' || fail "find printed no handle: $out"
out=$(probe --class ProbeTarget send 0x0400 0 0x0204) || fail "send: $out"
expect_eq "$(echo "$out" | field result)" 42 "send result"
probe --class ProbeTarget windows | grep -q 'class=#32770' || fail "message box not listed"
probe --class ProbeTarget memory | grep -q 'WORKING_SET_KB=' || fail "no working set"
probe --class ProbeTarget msgbox-press 1 >/dev/null || fail "press OK"
probe --class Nothing find >/dev/null && fail "find of a missing class succeeded"
probe --class ProbeTarget post 0x0010 0 0 >/dev/null || fail "post WM_CLOSE"
probe --class ProbeTarget wait-gone 10000 >/dev/null || fail "window stayed"
code=$(e2e_wait_exit "$E2E_RUN" 20) || fail "no exit"
expect_eq "$code" 7 "exit code"
