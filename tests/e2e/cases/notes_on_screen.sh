#!/usr/bin/env bash
# A frame made for a monitor that is gone: a note stored off the screen opens on
# it, one on the screen keeps its place, and the file keeps the user's frame.
source "$(dirname "$0")/../lib.sh"
e2e_init notes_on_screen "$1" "$2"
printf '[Default]\nList=11\nFX1=1920\nFY1=0\nFX2=3840\nFY2=1080\n' | crlf "$d/Varnel.ini"
rows='[1]\n0S=00000000\n0L=見出し\n1S=000000000000000000000000\n1L=項目\n'
printf "[Default]\nX=3000\nY=100\nW=200\nH=150\n$rows" | crlf "$d/Varnel00.dat"
printf "[Default]\nX=100\nY=60\nW=180\nH=220\n$rows" | crlf "$d/Varnel01.dat"
e2e_run 2
notes=$(probe notes)
echo "$notes" | grep -q 'rect=100,60,280,280 visible=1' || fail "the note on screen moved"
IFS=, read -r l t r b <<<"$(echo "$notes" | grep -v 'rect=100,60,' | field rect)"
[ "$l" -ge 0 ] && [ "$r" -le 1280 ] && [ "$t" -ge 0 ] && [ "$b" -le 800 ] || fail "note off screen: $l,$t,$r,$b"
expect_eq "$((r - l))x$((b - t))" 200x150 "the moved note's size"
e2e_shot notes
e2e_close
expect_eq "$(keys Varnel00.dat X Y)" "$l,$t" "moved place saved"
expect_eq "$(keys Varnel01.dat X Y)" "100,60" "place kept"
expect_eq "$(keys Varnel.ini FX1 FX2)" "1920,3840" "the user's frame"
