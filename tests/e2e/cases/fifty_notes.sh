#!/usr/bin/env bash
# With all 50 slots holding a note, a new note is refused with "これ以上は作成
# できません。" and nothing else changes.
source "$(dirname "$0")/../lib.sh"
e2e_init fifty_notes "$1" "$2"
printf '[Default]\nList=%s\n' "$(printf '1%.0s' $(seq 1 50))" | crlf "$d/Varnel.ini"
for i in $(seq 0 49); do
  printf '[Default]\nX=%d\nY=%d\nW=120\nH=60\n[1]\n0S=00000000\n0L=note %d\n' $((i % 10 * 125)) $((i / 10 * 65)) "$i" |
    crlf "$d/Varnel$(printf %02d "$i").dat"
done
e2e_start
e2e_wait_main 30
for i in $(seq 1 40); do [ "$(probe notes | grep -c 'visible=1')" -ge 50 ] && break; sleep 0.5; done
expect_eq "$(probe notes | grep -c 'visible=1')" 50 "50 notes open"
probe post 0x0312 211 0 >/dev/null || fail "post 211"
box=$(probe msgbox 10000) || fail "no message: $box"
echo "$box"
e2e_shot no-more-notes
echo "$box" | grep -q 'text=これ以上は作成できません。' || fail "wrong message: $box"
probe msgbox-press 1 >/dev/null || fail "OK"
expect_eq "$(probe notes | grep -c .)" 50 "still 50 notes"
e2e_close 30
exit 0
