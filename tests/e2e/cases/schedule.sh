#!/usr/bin/env bash
# The display schedule under a shifted clock: a window 22:00-06:00 on Mondays shows its hidden note on Monday
# 23:00 and Tuesday 01:00, hides it at 06:00; a note past its delete date is deleted at start-up and recorded.
source "$(dirname "$0")/../lib.sh"
e2e_init schedule "$1" "$2"
ini 'List=11\nSTimer=1'
night() { note 0 'X=40\nY=50\nW=200\nH=150\nV=0\nSDT4=13200360,0001' =夜の当番; }
note 1 'X=300\nY=50\nW=200\nH=150\nSDT3=9471'  # day 9471 is 2026-12-06, the day before the first start
night
E2E_CLOCK="=2026-12-07 23:00:00" e2e_run
wait_note 'rect=40,50,240,200 visible=1' "note 0 not shown at 23:00" 20
e2e_shot monday-2300
expect_eq "$(probe windows | grep -c 'class=CCheckWnd')" 1 "notes after the deletion"
# Shown until 06:00, hidden from then on (half a minute is room for a slow machine).
e2e_clock_set "2026-12-08 05:59:30"
sleep 2
probe notes | grep -q 'rect=40,50,240,200 visible=1' || fail "hidden before 06:00: $(probe notes)"
wait_note 'rect=40,50,240,200 visible=0' "note 0 not hidden at 06:00" 60
e2e_shot tuesday-0600
e2e_close
keys Varnel.ini Del1 | grep -q '^2026/12/07 23:0[0-9]$' || fail "no deletion record: $(e2e_ini Varnel.ini)"
expect_eq "$(keys Varnel.ini List | cut -c1-2)" 10 "List after the deletion"
night
E2E_CLOCK="@2026-12-08 01:00:00" e2e_run
wait_note 'rect=40,50,240,200 visible=1' "note 0 not shown at 01:00 on Tuesday" 20
e2e_close
