#!/usr/bin/env bash
# Running details. 258 (the detail's default item) starts its text as a
# command line: the leading テスト is skipped by whole characters and the
# program's path with a space is quoted. 259 (from the detail menu) opens a
# .txt through the shell (Wine's notepad). 258 on the heading runs each
# unchecked detail and ticks the ones that started.
source "$(dirname "$0")/../lib.sh"
e2e_init shell_run "$1" "$2"
mkdir -p "$E2E_CASE/my tools"
cp "$3" "$E2E_CASE/my tools/prog.exe"
echo hello >"$E2E_CASE/doc.txt"
w=$(echo "Z:$E2E_CASE" | tr / '\\')
printf '[Default]\nList=1\nMenuDefB=258\nMenuDefH=258\n' | crlf "$d/Varnel.ini"
{
  printf '[Default]\nX=100\nY=100\nW=300\nH=200\n[1]\n0S=00000000\n0L=Run\n'
  printf '1S=000000000000000000000000\n1L=%s\n' "$(strict_text "テスト $w\\my tools\\prog.exe hello world")"
  printf '2S=000000000000000000000000\n2L=%s\n' "$(strict_text "$w\\doc.txt")"
} | crlf "$d/Varnel00.dat"
args="$E2E_CASE/my tools/prog.exe.args"
e2e_start
e2e_wait_main 30
for i in $(seq 1 20); do [ "$(probe notes | grep -c 'visible=1')" -ge 1 ] && break; sleep 0.5; done
xdo mousemove 160 145 click --repeat 2 --delay 80 1
wait_until 30 '[ -f "$args" ]'
[ -f "$args" ] || fail "258 did not start the program"
expect_eq "$(cat "$args")" "\"$w\\my tools\\prog.exe\" hello world" "command line"
rm -f "$args"
xdo mousemove 160 192 click 3
probe menu 3000 >/dev/null || fail "no detail menu"
xdo key Up Up Up Return
for i in $(seq 1 40); do probe --class Notepad find >/dev/null && break; sleep 0.25; done
probe --class Notepad find >/dev/null || fail "259 did not open the document"
e2e_shot opened
probe --class Notepad post 0x0010 0 0 >/dev/null
probe --class Notepad wait-gone 10000 >/dev/null || fail "notepad stayed"
xdo mousemove 134 127 click --repeat 2 --delay 80 1
wait_until 30 '[ -f "$args" ]'
[ -f "$args" ] || fail "258 on the heading did not run the detail"
sleep 0.5
e2e_shot heading-run
e2e_close
n=$(e2e_ini Varnel00.dat)
echo "$n"
expect_eq "$(echo "$n" | line_value 1S | cut -c8),$(echo "$n" | line_value 2S | cut -c8)" "1,0" \
  "the started detail is ticked, the document (no program) is not"
exit 0
