#!/usr/bin/env bash
# The display schedule under a shifted clock: a window 22:00-06:00 on Mondays
# shows its hidden note on Monday at 23:00 and on Tuesday at 01:00 and hides
# it at 06:00; a note past its delete date is deleted at start-up and recorded.
source "$(dirname "$0")/../lib.sh"
e2e_init schedule "$1" "$2"
printf '[Default]\nList=11\nSTimer=1\n' | crlf "$d/Varnel.ini"
night() { printf '[Default]\nX=40\nY=50\nW=200\nH=150\nV=%s\nSDT4=13200360,0001\n[1]\n0S=00000000\n0L=夜の当番\n' "$1" | crlf "$d/Varnel00.dat"; }
# Day 9471 is 2026-12-06, the day before the first start.
printf '[Default]\nX=300\nY=50\nW=200\nH=150\nSDT3=9471\n' | crlf "$d/Varnel01.dat"
note_visible() { probe windows | grep 'class=CCheckWnd' | grep 'rect=40,50,240,200' | field visible; }
wait_visible() {  # $1 0/1, $2 seconds
  wait_until "$2" "[ \"\$(note_visible)\" = $1 ]" || fail "note 0 visible=[$(note_visible)], expected $1 within $2 s"
}

night 0
E2E_CLOCK="=2026-12-07 23:00:00" e2e_run
wait_visible 1 20
e2e_shot monday-2300
expect_eq "$(probe windows | grep -c 'class=CCheckWnd')" 1 "notes after the deletion"
# Shown until 06:00, hidden from then on (half a minute is room for a slow machine).
e2e_clock_set "2026-12-08 05:59:30"
sleep 2
expect_eq "$(note_visible)" 1 "visible before 06:00"
wait_visible 0 60
e2e_shot tuesday-0600
e2e_close
keys Varnel.ini Del1 | grep -q '^2026/12/07 23:0[0-9]$' || fail "no deletion record: $(e2e_ini Varnel.ini)"
expect_eq "$(keys Varnel.ini List | cut -c1-2)" 10 "List after the deletion"

night 0
E2E_CLOCK="@2026-12-08 01:00:00" e2e_run
wait_visible 1 20
e2e_close
