#!/usr/bin/env bash
# Start-up places: "Pos" 2 sizes a note to its content and puts it in the top
# right corner of the frame, "Pos" 5 in the bottom left; "BarStat" 1 with a
# saved "Bar" bit 2 opens a note folded to its bar. Corner notes keep their
# stored X/Y at exit, and a folded one keeps its unfolded height; one folded
# with its bar at the bottom keeps its unfolded place over three starts.
source "$(dirname "$0")/../lib.sh"
e2e_init note_corner "$1" "$2"
d="$E2E_CASE/data"
crlf() { sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$1"; }
printf '[Default]\nList=1111\n' | crlf "$d/Varnel.ini"
rows='[1]\n0S=00000000\n0L=corner\n1S=000000000000000000000000\n1L=a detail\n'
printf "[Default]\nX=300\nY=300\nW=400\nH=400\nPos=2\n$rows" | crlf "$d/Varnel00.dat"
printf "[Default]\nX=300\nY=300\nW=400\nH=400\nPos=5\n$rows" | crlf "$d/Varnel01.dat"
printf "[Default]\nX=500\nY=200\nW=220\nH=300\nBar=5\nBarStat=1\n$rows" | crlf "$d/Varnel02.dat"
printf "[Default]\nX=800\nY=200\nW=220\nH=300\nBar=7\nBarStat=1\n$rows" | crlf "$d/Varnel03.dat"
e2e_start
e2e_wait_main 30
for i in $(seq 1 20); do
  [ "$(probe notes | grep -c 'visible=1')" -ge 4 ] && break
  sleep 0.5
done
notes=$(probe notes)
echo "$notes"
e2e_shot corners
# Listed in z-order; pick each by its place instead.
top_right=$(echo "$notes" | grep -E 'rect=[0-9]+,0,1280,[0-9]+ ') || fail "no note in the top right corner"
bottom_left=$(echo "$notes" | grep -E 'rect=0,[0-9]+,[0-9]+,800 ') || fail "no note in the bottom left corner"
IFS=, read -r l t r b <<<"$(echo "$top_right" | field rect)"
[ $((r - l)) -lt 400 ] && [ $((b - t)) -lt 400 ] || fail "corner note not sized to its content: $l,$t,$r,$b"
[ $((r - l)) -ge 40 ] || fail "corner note narrower than 40"
echo "$notes" | grep -q 'rect=500,200,720,218 ' || fail "BarStat 1 note not folded to its bar"
probe send 0x0010 0 0 >/dev/null || fail "WM_CLOSE"
code=$(e2e_wait_exit "$E2E_RUN" 20) || fail "no exit"
expect_eq "$code" 0 "exit code"
n0=$(e2e_ini Varnel00.dat)
expect_eq "$(echo "$n0" | line_value X),$(echo "$n0" | line_value Y)" "300,300" "corner note keeps its stored place"
n2=$(e2e_ini Varnel02.dat)
expect_eq "$(echo "$n2" | line_value H)" 300 "folded note saves its unfolded height"
expect_eq "$(echo "$n2" | line_value Bar)" 5 "folded state saved"
echo "$notes" | grep -q 'rect=800,482,1020,500 ' || fail "bar-at-bottom note not folded onto its bottom edge"
for run in 1 2 3; do
  n3=$(e2e_ini Varnel03.dat)
  expect_eq "$(echo "$n3" | line_value Y),$(echo "$n3" | line_value H)" "200,300" "bar-at-bottom note's place after start $run"
  [ $run = 3 ] && break
  e2e_start
  e2e_wait_main 30
  for i in $(seq 1 20); do probe notes | grep -q 'rect=800,482,1020,500 visible=1' && break; sleep 0.5; done
  probe send 0x0010 0 0 >/dev/null || fail "WM_CLOSE"
  code=$(e2e_wait_exit "$E2E_RUN" 20) || fail "no exit"
done
exit 0
