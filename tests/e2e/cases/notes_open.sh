#!/usr/bin/env bash
# Prepared notes open at their place, colour and opacity; "Pos" 0, 1, 2 and 5, a note folded to its bar, one
# folded with its bar at the bottom over three starts. A frame for a monitor that is gone: a note off the
# screen opens on it, one on it keeps its place, the file keeps the user's frame.
source "$(dirname "$0")/../lib.sh"
e2e_init notes_open "$1" "$2"
ini List=11011111
note 0 'X=40\nY=50\nW=200\nH=150\nBkColor=0x99FFCC\nAlpha=128' '=000000000000000000000000|head' '1|C:\temp\a'
note 1 'X=300\nY=60\nW=180\nH=220\nBkColor=0xFFCC66\nPos=1'
note 3 'X=520\nY=80\nW=160\nH=120\nBkColor=0x6666FF\nZ=-1'
note 2 'X=700\nY=300\nW=100\nH=100'  # not listed: stays closed
rows=(=corner 'a detail')
note 4 'X=300\nY=300\nW=400\nH=400\nPos=2' "${rows[@]}"
note 5 'X=300\nY=300\nW=400\nH=400\nPos=5' "${rows[@]}"
note 6 'X=500\nY=300\nW=220\nH=300\nBar=5\nBarStat=1' "${rows[@]}"
note 7 'X=800\nY=200\nW=220\nH=300\nBar=7\nBarStat=1' "${rows[@]}"
e2e_run 7
notes=$(probe windows | grep 'class=CCheckWnd')
expect_eq "$(echo "$notes" | grep -c .)" 7 "note windows"
# Notes 0, 1 and 3, the one folded to its bar, the one folded onto its bottom edge, one in the bottom left corner.
has "$notes" 'rect=40,50,240,200 visible=1 alpha=128 topmost=0' 'rect=300,60,480,280 visible=1 alpha=255 topmost=0' \
  'rect=520,80,680,200 visible=1 alpha=255 topmost=1' 'rect=500,300,720,318 ' 'rect=800,482,1020,500 ' \
  'rect=0,[0-9]*,[0-9]*,800 '
e2e_shot notes
top_right=$(echo "$notes" | grep -E 'rect=[0-9]+,0,1280,[0-9]+ ') || fail "no note in the top right corner"
IFS=, read -r l t r b <<<"$(echo "$top_right" | field rect)"
[ $((r - l)) -lt 400 ] && [ $((b - t)) -lt 400 ] && [ $((r - l)) -ge 40 ] || fail "corner note not sized to its content: $l,$t,$r,$b"
# The pixels inside note 3 are its background colour (0x6666FF is BGR: red).
expect_eq "$(pixel 600 140)" "#FF6666" "note 3 background colour"
e2e_close
expect_eq "$(keys Varnel00.dat X W V 1L 1S)" '40,200,1,C:\temp\a,000000010000000000000000' "note 0 place and detail saved"
e2e_ini Varnel00.dat | grep -q '^Update=[0-9]\{12\}$' || fail "no Update"
expect_eq "$(keys Varnel01.dat X V)" "300," "Pos 1 keeps X and writes no V"
expect_eq "$(keys Varnel.ini List | cut -c1-8)" 11011111 "List"
expect_eq "$(keys Varnel04.dat X Y),$(keys Varnel06.dat H Bar)" "300,300,300,5" "corner note's place, folded note's height"
for run in 1 2 3; do
  expect_eq "$(keys Varnel07.dat Y H)" "200,300" "bar-at-bottom note's place after start $run"
  [ $run = 3 ] && break
  e2e_run 7
  e2e_close
done

E2E_PART=notes_on_screen
rm -rf "${d:?}"/*
ini 'List=11\nFX1=1920\nFY1=0\nFX2=3840\nFY2=1080'  # 1920..3840 is gone
note 0 'X=3000\nY=100\nW=200\nH=150' "${rows[@]}"
note 1 'X=100\nY=60\nW=180\nH=220' "${rows[@]}"
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
