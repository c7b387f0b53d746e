#!/usr/bin/env bash
# Three files dragged onto the edit box of a detail: the detail takes the
# first, the other two follow it as new details with their names on a second
# line (their first line hidden). The drag comes from another process through
# OLE, as from the desktop shell.
source "$(dirname "$0")/../lib.sh"
e2e_init shell_drop "$1" "$2"
printf '[Default]\nList=1\nMenuDefB=245\n' | crlf "$d/Varnel.ini"
printf '[Default]\nX=100\nY=100\nW=300\nH=200\n[1]\n0S=00000000\n0L=Files\n1S=000000000000000000000000\n1L=x\n' |
  crlf "$d/Varnel00.dat"
mkdir -p "$E2E_CASE/files"
win=()
for f in one.txt two.txt three.txt; do
  : >"$E2E_CASE/files/$f"
  win+=("Z:$(echo "$E2E_CASE/files/$f" | tr / '\\')")
done
e2e_start
e2e_wait_main 30
for i in $(seq 1 20); do [ "$(probe notes | grep -c 'visible=1')" -ge 1 ] && break; sleep 0.5; done
xdo mousemove 144 141 click --repeat 2 --delay 80 1
for i in $(seq 1 20); do probe notes | grep -q 'edit=1' && break; sleep 0.25; done
IFS=, read -r l t r b <<<"$(probe notes | grep 'edit=1' | field editrect)"
[ -n "$b" ] || fail "no edit box on the detail: $(probe notes)"
out=$(probe drop $(((l + r) / 2)) $(((t + b) / 2)) "${win[@]}") || fail "drop refused: $out"
for i in $(seq 1 20); do probe notes | grep -q 'edittext=Z:.*one.txt' && break; sleep 0.25; done
e2e_shot dropped
xdo mousemove 300 280 click 1
sleep 0.5
e2e_shot committed
e2e_close
n=$(e2e_ini Varnel00.dat)
echo "$n"
# A stored text with a line break is escaped: "\|" first, "\\" for "\", "\n\r" for CR LF.
esc() { echo "\\|$(echo "$1" | sed 's/\\/\\\\/g')\\n\\r$2"; }
one=$(echo "$n" | line_value 1L)
[ "$one" = "$(strict_text "${win[0]}")" ] || expect_eq "$one" "${win[0]}" "the edited detail holds the first file"
expect_eq "$(echo "$n" | line_value 2L)" "$(esc "${win[1]}" two.txt)" "second file"
expect_eq "$(echo "$n" | line_value 3L)" "$(esc "${win[2]}" three.txt)" "third file"
expect_eq "$(echo "$n" | line_value 2S),$(echo "$n" | line_value 3S)" "$(printf '01%022d,01%022d' 0 0)" "first lines hidden"
exit 0
