#!/usr/bin/env bash
# "右上縦" (405): the notes stacked from the frame's top-right corner in slot order,
# a fixed one left; the tray double click with "Cmd" 0x180 then gives them the
# width of the lowest note, slot 0, although that one is hidden (and stays so).
source "$(dirname "$0")/../lib.sh"
e2e_init arrange "$1" "$2"
printf '[Default]\nList=10100100110\nCmd=384\n' | crlf "$d/Varnel.ini"
note() { printf '[Default]\nX=%d\nY=300\nW=%d\nH=100\n%b[1]\n0S=00000000\n0L=slot %d\n' "$2" "$3" "${4:-}" "$1" | crlf "$d/Varnel0$1.dat"; }
note 2 50 200
note 5 300 260
note 8 600 180
note 9 900 150 'Fix=1\n'
note 0 500 300 'V=0\n'
e2e_run 4
# A note at each of the rectangles given.
at() { local r; for r; do probe notes | grep -q "rect=$r " || fail "no note at $r: $(probe notes)"; done; }
hotkey 405
wait_until 5 "probe notes | grep -q 'rect=1020,200,1280,300 '"
e2e_shot arranged
at 1020,0,1280,100 1020,100,1280,200 1020,200,1280,300 900,300,1050,400
probe post 0x0400 0 0x0203 >/dev/null || fail "post tray double click"
wait_until 5 "probe notes | grep -q 'rect=1020,200,1320,300 '"
at 1020,0,1320,100 1020,100,1320,200 1020,200,1320,300 900,300,1050,400 500,300,800,400
e2e_close
expect_eq "$(keys Varnel05.dat Y),$(keys Varnel08.dat Y)" "100,200" "slot order top to bottom"
