#!/usr/bin/env bash
# Backups: an unreadable note file kept as .bad with a message; a backup at each start after a change and none
# without; the restore dialog puts an older one back. The deleted notes page: a note deleted from the list, an
# untitled file as "(付箋%d)"; ticking restores it whole (its alarm rings again), unticking deletes it.
source "$(dirname "$0")/../lib.sh"
e2e_init backups "$1" "$2"
b="$d/backup"
ini List=11
note 0 'X=40\nY=50\nW=220\nH=120\nTitle=買い物' '=000000000000000000000000|買い物' '1|牛乳'
head -c 300 /dev/zero >"$d/Varnel01.dat"
backups() { ls "$b" | grep -c '^[0-9]\{8\}-[0-9]\{6\}'; }
newest() { echo "$b/$(ls "$b" | grep '^[0-9]' | sort | tail -n1)"; }
e2e_run
expect_box 15000 '^text=.*Varnel01.dat → Varnel01.dat.bad.*バックアップはありません' "message about the unreadable file" - 1
wait_visible_notes 1 "the readable note opens"
cmp -s "$d/Varnel01.dat.bad" <(head -c 300 /dev/zero) || fail "the unreadable file is not kept whole as .bad"
expect_eq "$(backups)" 1 "backups after the first start"
grep -q "$(printf '牛乳' | iconv -f UTF-8 -t CP932)" "$(newest)/Varnel00.dat" || fail "backup lacks the note"
[ ! -e "$(newest)/Varnel01.dat" ] || fail "the unreadable file was backed up"
e2e_close
for i in 1 2; do  # the first exit rewrote List: one more backup, then none
  e2e_run 1
  e2e_close
  [ $i = 2 ] || count=$(backups)
done
expect_eq "$(backups)" "$count" "backups after a start without a change"
iconv -f CP932 -t UTF-8 "$d/Varnel00.dat" | sed 's/牛乳/パン/' | iconv -f UTF-8 -t CP932 >"$d/x" && mv "$d/x" "$d/Varnel00.dat"
e2e_run 1
expect_eq "$(backups)" $((count + 1)) "backups after the change"
tray_item 4  # バックアップから復元...
wait_caption バックアップから復元
rows=$(probe rows 1201 3) || fail "no backup list: $rows"
expect_eq "$(echo "$rows" | grep -c '^row=')" "$((count + 1))" "listed backups"
echo "$rows" | grep -q '^row=0 selected=1 col0=20[0-9/]* [0-9:]* col1=1 col2=買い物$' || fail "newest row: $rows"
probe choose 1201 1 >/dev/null || fail "choose the older backup"
e2e_shot dialog 0.3
probe click 11 >/dev/null || fail "restore button"
expect_box 5000 '^text=.*の状態に付箋を戻しますか' "confirmation" - 6
wait_no_dialog
wait_visible_notes 1 "notes reopened after the restore"
grep -q "$(printf 'パン' | iconv -f UTF-8 -t CP932)" "$(newest)/Varnel00.dat" || fail "the state before the restore is not backed up"
grep -q "$(printf '牛乳' | iconv -f UTF-8 -t CP932)" "$d/Varnel00.dat" || fail "the file was not restored"
e2e_close  # the running note held the old content: its save must not undo the restore
grep -q "$(printf '牛乳' | iconv -f UTF-8 -t CP932)" "$d/Varnel00.dat" || fail "the reopened note lost the restored content"

E2E_PART=deleted_notes
rm -rf "${d:?}"/*
ini 'List=11\nDel3=2026/11/30 10:00'
note 0 'X=20\nY=40\nW=200\nH=150\nTitle=消す付箋\nBkColor=0x00C0FF\nSDT3=20000' =見出 行一 '000C000C000000000000000009000080007f|行二'
note 1 'X=260\nY=40\nW=200\nH=150\nTitle=残る付箋'
note 3 'X=500\nY=40\nW=200\nH=150'
E2E_CLOCK="=2026-12-07 08:00:00" e2e_run 2 640 700
open_settings 2
rows() { list_rows 3313 "${1:-3}"; }
wait_until 5 "rows 2 | grep -q 残る付箋"
click $(where 3313 0)
menu_at $(where 3313 0) Up Up Up Return  # 付箋削除
wait_visible_notes 1 "the deleted note is gone"
wait_eq "rows 2" "checked=1 col0= 2 col1=残る付箋|" "the note list after the delete"
drive "choose 1000 3"
deleted=$(keys Varnel.ini Del0)
[ -n "$deleted" ] || fail "no deletion record"
wait_eq rows "checked=0 col0= 1 col1=消す付箋 col2=$deleted|checked=0 col0= 4 col1=(付箋4) col2=2026/11/30 10:00|" "the deleted list"
e2e_shot deleted
probe tick 3313 1 0 >/dev/null
expect_box 5000 '^text=表示スケジュールを設定しましたので確認してください。' "schedule message" - 1
wait_visible_notes 2 "the restored note is shown"
expect_eq "$(keys Varnel.ini List | cut -c1-2)" 11 "slot listed again"
e2e_shot restored
probe tick 3313 0 0 >/dev/null
wait_visible_notes 1 "unticked: deleted again"
expect_eq "$(keys Varnel.ini List | cut -c1)" 0 "slot free again"
probe tick 3313 1 0 >/dev/null
probe msgbox-press 1 >/dev/null
wait_visible_notes 2 "restored once more"
close_dialog 11
e2e_clock_set "2026-12-07 08:59:55"  # its daily alarm at 09:00 was freed with it and rings again
expect_box 30000 '^caption=行二$' "the restored note's alarm"
probe click 11 >/dev/null
e2e_close
expect_eq "$(e2e_ini Varnel00.dat | grep -c '^[0-9]L=')" 3 "every row kept"
expect_eq "$(keys Varnel00.dat 2L SDT3 BkColor)" "行二,20000,0x00C0FF" "the last row whole, the schedule and the style kept"
