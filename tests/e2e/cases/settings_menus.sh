#!/usr/bin/env bash
# The menu page: a note menu built there (明細追加 captioned in place, その他)
# is the note's right click menu after OK; a hot key bound there (Ctrl+B, 新規作成) makes a note;
# the same key for a second command is refused with its message.
source "$(dirname "$0")/../lib.sh"
e2e_init settings_menus "$1" "$2"
printf '[Default]\nList=1\n' | crlf "$d/Varnel.ini"
printf '[Default]\nX=100\nY=100\nW=300\nH=200\n[1]\n0S=00000000\n0L=head\n' | crlf "$d/Varnel00.dat"
e2e_run 1
xdo mousemove 640 400 || fail "xdotool cannot reach the display"
open_settings
probe choose 1000 4 >/dev/null || fail "menu tab"
# Note menu: 明細追加 (the seventh candidate), then その他 (now the first).
probe choose 3822 6 >/dev/null && probe press 3823 >/dev/null || fail "adding 明細追加"
probe choose 3822 0 >/dev/null && probe press 3823 >/dev/null || fail "adding その他"
expect_eq "$(list_rows 3801)" "col0=明細追加 col1=明細追加|col0=その他 col1=その他|" "note menu rows"
e2e_shot note-menu-list
# The row popup's 編集 (its last item) edits the first row's caption in place.
IFS=, read -r l t r b <<<"$(control_line 3801 | field rect)"
menu_at $((l + 40)) $((t + 28))
xdo key Up Return
sleep 0.5
xdo type Plus
xdo key Return
sleep 0.3
probe rows 3801 | grep -q '^row=0 .*col0=Plus col1=明細追加' || fail "caption not edited: $(probe rows 3801)"
# Hot keys: 新規作成 on Ctrl+B (HKM_SETHOTKEY, Ctrl = 2 in the high byte).
probe choose 3821 3 >/dev/null || fail "hot key list"
probe ctl 3828 0x0401 0x0242 0 >/dev/null || fail "hot key control"
probe choose 3822 0 >/dev/null && probe press 3823 >/dev/null || fail "adding the hot key"
probe rows 3804 | grep -q 'col0=Ctrl + B col1=新規作成' || fail "hot key row: $(probe rows 3804)"
e2e_shot hotkey-list
# The same key for ｸｲｯｸｱﾗｰﾑ: refused.
probe choose 3822 0 >/dev/null && probe press 3823 >/dev/null
box=$(probe msgbox 10000) || fail "no duplicate message"
expect_eq "$(echo "$box" | line_value text)" "キーが重複しています。　　" "duplicate message"
e2e_shot duplicate
probe msgbox-press 1 >/dev/null || fail "closing the message"
expect_eq "$(probe rows 3804 | grep -c '^row=')" 1 "hot key rows after the refusal"
probe choose 3821 5 >/dev/null || fail "default items"
sleep 0.3
e2e_shot default-items
probe press 11 >/dev/null
wait_no_dialog
expect_eq "$(keys Varnel.ini MenuW0 MenuW1 HotKey0 MenuDefW)" "11,Plus,0,その他,78,578,-1" "menus and keys written"
xdo mousemove 300 250 click 3
menu=$(probe menu 3000) || fail "no note menu: $menu"
sleep 0.5
e2e_shot note-menu
IFS=, read -r l t r b <<<"$(echo "$menu" | head -n1 | field rect)"
[ $((b - t)) -lt 90 ] || fail "the note menu is not title, 明細追加, その他: $l,$t,$r,$b"
xdo key Escape
sleep 0.5
# Under Wine a hot key arrives while a window of the program has the focus.
xdo mousemove 300 250 click 1
sleep 0.5
xdo key ctrl+b
wait_visible_notes 2 "Ctrl+B made a new note"
e2e_close
