#!/usr/bin/env bash
# Mail (260, on Ctrl+M by a shortcut) copies the list in its mail form and
# starts the mail program beside Varnel.exe, by its full path, with the note's
# title as the subject; the '"' of the title is left out so it adds no argument.
source "$(dirname "$0")/../lib.sh"
e2e_init shell_mail "$1" "$2"
cp "$3" "$E2E_CASE/Postrel.exe"
printf '[Default]\nList=1\nSCKey0=75,589\n' | crlf "$d/Varnel.ini"
printf '[Default]\nX=100\nY=100\nW=300\nH=200\nTitle=週報" -x "a\n[1]\n0S=00000000\n0L=Shop\n1S=000000000000000000000000\n1L=milk\n' |
  crlf "$d/Varnel00.dat"
e2e_start
e2e_wait_main 30
for i in $(seq 1 20); do [ "$(probe notes | grep -c 'visible=1')" -ge 1 ] && break; sleep 0.5; done
xdo mousemove 300 250 click 1
sleep 0.5
xdo key ctrl+m
wait_until 30 '[ -f "$E2E_CASE/Postrel.exe.args" ]' || fail "the mail program was not started"
e2e_shot mailed
expect_eq "$(cat "$E2E_CASE/Postrel.exe.args")" \
  "\"Z:$(echo "$E2E_CASE" | tr / '\\')\\Postrel.exe\" -c -s\"Varnel(週報 -x a)\"" "mail command line"
expect_eq "$(probe clip-read | line_value text)" \
  "$(printf 'Shop\r\n　□milk\r\n\r\n' | iconv -f UTF-8 -t CP932 | od -An -tx1 | tr -d ' \n')" "mail text"
e2e_close
exit 0
