#!/usr/bin/env bash
# Log-off: WM_QUERYENDSESSION saves and answers 1 with the program still running;
# WM_ENDSESSION(0) changes nothing; WM_ENDSESSION(1) ends it.
source "$(dirname "$0")/../lib.sh"
e2e_init endsession "$1" "$2"
e2e_start
e2e_wait_main 30
rm -f "$E2E_CASE/data/Varnel.ini"
out=$(probe send 0x0011 0 0) || fail "WM_QUERYENDSESSION: $out"
expect_eq "$(echo "$out" | field result)" 1 "WM_QUERYENDSESSION result"
e2e_ini Varnel.ini | grep -q "^List=$(printf '0%.0s' $(seq 1 50))\$" || fail "no List written at WM_QUERYENDSESSION"
e2e_ini Varnel.ini | grep -q '^Palette15=0x000000$' || fail "no palette written at WM_QUERYENDSESSION"
sleep 1
e2e_running || fail "program ended at WM_QUERYENDSESSION"
probe find >/dev/null || fail "main window gone after WM_QUERYENDSESSION"
probe send 0x0016 0 0 >/dev/null || fail "WM_ENDSESSION(0)"
sleep 1
e2e_running || fail "program ended at WM_ENDSESSION(0)"
probe find >/dev/null || fail "main window gone after WM_ENDSESSION(0)"
# No second save at WM_ENDSESSION(1): a file removed now must stay removed.
rm -f "$E2E_CASE/data/Varnel.ini"
probe post 0x0016 1 0 >/dev/null || fail "WM_ENDSESSION(1)"
code=$(e2e_wait_exit "$E2E_RUN" 20) || fail "program did not end at WM_ENDSESSION(1)"
expect_eq "$code" 0 "exit code"
[ -f "$E2E_CASE/data/Varnel.ini" ] && fail "WM_ENDSESSION(1) saved a second time"
true
