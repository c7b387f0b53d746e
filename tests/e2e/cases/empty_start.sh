#!/usr/bin/env bash
# Start on an empty folder, close with WM_CLOSE: exit 0, and the global file
# holds the slot flags and the default palette.
source "$(dirname "$0")/../lib.sh"
e2e_init empty_start "$1" "$2"
e2e_start
e2e_wait_main 30
wins=$(probe windows) || fail "windows: $wins"
echo "$wins"
echo "$wins" | grep 'class=Varnel ' | grep -q 'visible=0' || fail "main window missing or shown"
echo "$wins" | grep -q 'class=CCheckWnd' && fail "a note window on an empty folder"
e2e_shot running
out=$(probe send 0x0010 0 0) || fail "WM_CLOSE: $out"
code=$(e2e_wait_exit "$E2E_RUN" 20) || fail "program did not exit after WM_CLOSE"
expect_eq "$code" 0 "exit code"
ini=$(e2e_ini Varnel.ini) || fail "no data/Varnel.ini"
echo "$ini"
expect_eq "$(echo "$ini" | grep -c '^List=')" 1 "List lines"
expect_eq "$(echo "$ini" | sed -n 's/^List=//p')" "$(printf '0%.0s' $(seq 1 50))" "List"
palette=(0x99FFCC 0x66FFFF 0xFFFFCC 0xEECCCC 0xFFCCFF 0x66CCFF 0xEEEEEE)
for i in $(seq 0 15); do
  expect_eq "$(echo "$ini" | sed -n "s/^Palette$i=//p")" "${palette[$i]:-0x000000}" "Palette$i"
done
grep -q $'\r$' "$E2E_CASE/data/Varnel.ini" || fail "file not written with CR LF"
