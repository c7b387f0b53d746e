#!/usr/bin/env bash
# Copy (257, on Ctrl+C by a shortcut) puts the note's list on the clipboard:
# its CP932 text is the heading, one marked line per detail and an empty line,
# with Unicode text beside it. A list pasted through WM_APP 22 becomes a new
# note whose marks turned back into states.
source "$(dirname "$0")/../lib.sh"
e2e_init shell_copy_paste "$1" "$2"
printf '[Default]\nList=1\nSCKey0=69,579\n' | crlf "$d/Varnel.ini"
printf '[Default]\nX=100\nY=100\nW=300\nH=200\n[1]\n0S=00000000\n0L=買い物\n1S=000000000000000000000000\n1L=牛乳\n2S=000000020000000000000000\n2L=パン\n' |
  crlf "$d/Varnel00.dat"
hex() { iconv -f UTF-8 -t "$1" | od -An -tx1 | tr -d ' \n'; }
e2e_start
e2e_wait_main 30
for i in $(seq 1 20); do [ "$(probe notes | grep -c 'visible=1')" -ge 1 ] && break; sleep 0.5; done
probe clip >/dev/null
xdo mousemove 300 250 click 1
sleep 0.5
xdo key ctrl+c
for i in $(seq 1 20); do probe clip-read | grep -q 'text=.' && break; sleep 0.25; done
out=$(probe clip-read)
expect_eq "$(echo "$out" | line_value text)" "$(printf '買い物\r\n\t□ 牛乳\r\n\t■ パン\r\n\r\n' | hex CP932)" "copied text"
expect_eq "$(echo "$out" | line_value unicode)" 1 "Unicode text beside it"
e2e_shot copied
probe clip "$(printf 'Groceries\r\n\t□ eggs\r\n\t■ tea\r\n■ not a mark\r\n' | hex UTF-8)" >/dev/null || fail "clip"
probe send 0x8000 22 0 >/dev/null || fail "WM_APP 22"
for i in $(seq 1 20); do [ "$(probe notes | grep -c 'visible=1')" -ge 2 ] && break; sleep 0.25; done
e2e_shot pasted
probe send 0x0010 0 0 >/dev/null || fail "WM_CLOSE"
code=$(e2e_wait_exit "$E2E_RUN" 20) || fail "no exit"
expect_eq "$code" 0 "exit code"
n=$(e2e_ini Varnel01.dat) || fail "no new note"
echo "$n"
rows=$(echo "$n" | sed -n '/^\[1\]/,$p' | grep -E '^[0-9]+[LS]=' | tr '\n' ' ')
expect_eq "$rows" "0S=000000000000000000000000 0L=Groceries 1S=000000000000000000000000 1L=eggs 2S=000000020000000000000000 2L=tea 3S=000000000000000000000000 3L=■ not a mark " "pasted rows"
exit 0
