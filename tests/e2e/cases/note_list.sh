#!/usr/bin/env bash
# The note list page: titles and times, sorting, check boxes, commands on several rows, 詳細, 上移動 refused
# while sorted by title, 下移動 exchanging two notes' files, import (no, yes) and export of an unsaved change.
source "$(dirname "$0")/../lib.sh"
e2e_init note_list "$1" "$2"
ini List=011001
for n in "1 10 りんご 202612010800" "2 210 みかん 202612030800" "5 410 ぶどう 202612020800"; do
  set -- $n  # slot x title update
  note $1 "X=$2\nY=40\nW=190\nH=260\nTitle=$3\nUpdate=$4\nCreate=2026/01/0$1 09:00" "=$3 の見出" 明細
done
note "$E2E_CASE/import.dat" 'Title=取込' =取り込んだ見出
# Types the path $1 into the file dialog $2 once it is up.
file_box() { probe msgbox 5000 >/dev/null || fail "no $2"; xdo type --delay 20 "Z:${1//\//\\}" && xdo key Return; }
e2e_run 3 640 700
open_settings 2
rows() { list_rows 3313 4; }
# DX moves the click right: a second click on the same spot soon after the first is a double click.
click_at() { set -- $(where 3313 "$@"); xdo mousemove $(($1 + ${DX:-0})) "$2" click 1; }
menu_on_row() { menu_at $(where 3313 "$1") "${@:2}"; }  # row keys...: the keys in the row's menu
a='checked=1 col0= 2 col1=りんご col2=2026/12/01 08:00 col3=2026/01/01 09:00'
b='checked=1 col0= 3 col1=みかん col2=2026/12/03 08:00 col3=2026/01/02 09:00'
c='checked=1 col0= 6 col1=ぶどう col2=2026/12/02 08:00 col3=2026/01/05 09:00'
wait_eq rows "$a|$b|$c|" "the list in number order"
e2e_shot list
click_at -1 2 && wait_eq rows "$b|$c|$a|" "newest first after one click on 更新日時"
DX=12 click_at -1 2 && wait_eq rows "$a|$c|$b|" "oldest first after the second click"
probe tick 3313 0 0 >/dev/null
wait_visible_notes 2 "a note hidden by its check box"
probe tick 3313 1 0 >/dev/null
wait_visible_notes 3 "shown again"
heights() { probe notes | grep 'visible=1' | field rect | cut -d, -f4 | tr '\n' ' '; }
before=$(heights)
click_at 0 && xdo keydown shift && click_at 2 && xdo keyup shift
menu_on_row 1 Down Down Down Down Down Return  # ｻｲｽﾞ自動調整
wait_until 5 '[ "$(heights)" != "$before" ]'
for h in $(heights); do [ "$h" -lt 200 ] || fail "a note kept its height: $(heights) (was $before)"; done
menu_on_row 1 Up Up Up Up Up Up Return  # 最前面 toggles: twice on a note, it would be off
wait_until 10 '[ "$(probe notes | grep -c "topmost=1")" = 3 ]' || fail "最前面 not once on each selected note"
menu_on_row 0 Down Down Return
drive @りんご "text 3031 x:$(printf 'りんご飴' | xxd -p)" "press 11"
wait_until 10 'rows | grep -q "^checked=1 col0= 2 col1=りんご飴 "' || fail "title not refreshed: $(rows)"
click_at -1 1
menu_on_row 0 Down Down Down Return  # 上移動 while sorted by title
expect_box 5000 '^text=上下移動はNo昇順に並んでいる時しかできません。' "message for 上移動" refused 1
click_at -1 0 && DX=-8 click_at -1 0  # No, descending then ascending
wait_until 5 "rows | grep -q '^checked=1 col0= 2 '" || fail "not sorted by No: $(rows)"
click_at 1 && menu_on_row 1 Down Down Down Down Return  # 下移動 on number 3
wait_until 5 "rows | grep -q '^checked=1 col0= 2 col1=りんご[^|]*|checked=1 col0= 3 col1=ぶどう'"
expect_eq "$(rows | cut -d'|' -f2-3 | sed 's/ col2=[^|]*//g')" "checked=1 col0= 3 col1=ぶどう|checked=1 col0= 6 col1=みかん" "rows keep their numbers"
# Each note was saved just before: its content moved whole with it.
expect_eq "$(keys Varnel02.dat X Title 0L 1L)/$(keys Varnel05.dat X Title 0L 1L)" \
  "410,ぶどう,ぶどう の見出,明細/210,みかん,みかん の見出,明細" "files 02 and 05 hold the notes of numbers 6 and 3"
e2e_shot moved
# Import into number 2: no changes nothing, yes takes the file.
n1=$(md5sum <"$d/Varnel01.dat")
menu_on_row 0 Up Up Return  # ｲﾝﾎﾟｰﾄ
expect_box 5000 '^text=現在の付箋内容は失われますがよろしいですか？' "import question" - 7
expect_eq "$(md5sum <"$d/Varnel01.dat")" "$n1" "import answered no"
menu_on_row 0 Up Up Return
probe msgbox-press 6 >/dev/null  # はい
file_box "$E2E_CASE/import.dat" "file dialog"
wait_until 5 "rows | grep -q '^checked=1 col0= 2 col1=取込'" || fail "imported note not listed: $(rows)"
expect_eq "$(md5sum <"$d/Varnel01.dat")" "$(md5sum <"$E2E_CASE/import.dat")" "the slot's file is the imported one"
probe notes | grep -q 'visible=1' || fail "no note shown"
# Export of number 3 after hiding it (not yet saved): the file holds V=0.
probe tick 3313 0 1 >/dev/null
menu_on_row 1 Up Return  # ｴｸｽﾎﾟｰﾄ
file_box "$E2E_CASE/out.dat" "save dialog"
wait_until 5 '[ -f "$E2E_CASE/out.dat" ]'
expect_eq "$(iconv -f CP932 -t UTF-8 "$E2E_CASE/out.dat" | tr -d '\r' | line_value V)" 0 "the export holds the unsaved change"
e2e_shot done
close_dialog 12
e2e_close
