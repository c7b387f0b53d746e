#!/usr/bin/env bash
# Backups: an unreadable note file kept as .bad with a message; a backup at each
# start after a change and none without; the restore dialog puts an older one back.
source "$(dirname "$0")/../lib.sh"
e2e_init backups "$1" "$2"
b="$d/backup"
printf '[Default]\nList=11\n' | crlf "$d/Varnel.ini"
printf '[Default]\nX=40\nY=50\nW=220\nH=120\nTitle=買い物\n[1]\n0S=000000000000000000000000\n0L=買い物\n1S=000000010000000000000000\n1L=牛乳\n' | crlf "$d/Varnel00.dat"
head -c 300 /dev/zero >"$d/Varnel01.dat"
backups() { ls "$b" | grep -c '^[0-9]\{8\}-[0-9]\{6\}'; }
newest() { echo "$b/$(ls "$b" | grep '^[0-9]' | sort | tail -n1)"; }
run_and_close() { e2e_run 1; e2e_close; }

e2e_start
e2e_wait_main 30
box=$(probe msgbox 15000) || fail "no message about the unreadable file"
echo "$box" | grep -q '^text=.*Varnel01.dat → Varnel01.dat.bad.*バックアップはありません' || fail "message: $box"
probe msgbox-press 1 >/dev/null || fail "close the message"
wait_visible_notes 1 "the readable note opens"
cmp -s "$d/Varnel01.dat.bad" <(head -c 300 /dev/zero) || fail "the unreadable file is not kept whole as .bad"
expect_eq "$(backups)" 1 "backups after the first start"
grep -q "$(printf '牛乳' | iconv -f UTF-8 -t CP932)" "$(newest)/Varnel00.dat" || fail "backup lacks the note"
[ ! -e "$(newest)/Varnel01.dat" ] || fail "the unreadable file was backed up"
e2e_close

run_and_close  # the exit rewrote List: one more backup
count=$(backups)
run_and_close
expect_eq "$(backups)" "$count" "backups after a start without a change"

# A change made while the program is stopped, then the start that backs it up.
iconv -f CP932 -t UTF-8 "$d/Varnel00.dat" | sed 's/牛乳/パン/' | iconv -f UTF-8 -t CP932 >"$d/x" && mv "$d/x" "$d/Varnel00.dat"
e2e_run 1
expect_eq "$(backups)" $((count + 1)) "backups after the change"

tray_item 4  # バックアップから復元...
wait_caption バックアップから復元
rows=$(probe rows 1201 3) || fail "no backup list: $rows"
expect_eq "$(echo "$rows" | grep -c '^row=')" "$((count + 1))" "listed backups"
echo "$rows" | grep -q '^row=0 selected=1 col0=20[0-9/]* [0-9:]* col1=1 col2=買い物$' || fail "newest row: $rows"
probe choose 1201 1 >/dev/null || fail "choose the older backup"
sleep 0.3
e2e_shot dialog
probe click 11 >/dev/null || fail "restore button"
ask=$(probe msgbox 5000) || fail "no confirmation"
echo "$ask" | grep -q '^text=.*の状態に付箋を戻しますか' || fail "confirmation: $ask"
probe msgbox-press 6 >/dev/null || fail "confirm"
wait_no_dialog
wait_visible_notes 1 "notes reopened after the restore"
grep -q "$(printf 'パン' | iconv -f UTF-8 -t CP932)" "$(newest)/Varnel00.dat" || fail "the state before the restore is not backed up"
grep -q "$(printf '牛乳' | iconv -f UTF-8 -t CP932)" "$d/Varnel00.dat" || fail "the file was not restored"
# The running note holds the old content: the exit's save writes it back.
e2e_close
grep -q "$(printf '牛乳' | iconv -f UTF-8 -t CP932)" "$d/Varnel00.dat" || fail "the reopened note lost the restored content"
