#!/usr/bin/env bash
# Notes that reach other programs: mail (a shortcut), a detail run as a command or a document, 258 on a heading,
# files dropped through OLE on an edit box, copy (a shortcut), a list pasted through WM_APP 22 as a new note.
source "$(dirname "$0")/../lib.sh"
e2e_init shell "$1" "$2"
cp "$3" "$E2E_CASE/Postrel.exe"
mkdir -p "$E2E_CASE/my tools" "$E2E_CASE/files" && cp "$3" "$E2E_CASE/my tools/prog.exe"
echo hello >"$E2E_CASE/doc.txt" && touch "$E2E_CASE/files/"{one,two,three}.txt
w=$(echo "Z:$E2E_CASE" | tr / '\\')
win=("$w\\files\\"{one,two,three}.txt)
ini 'List=1111\nSCKey0=69,579\nSCKey1=75,589\nMenuDefB=258\nMenuDefH=258'
note 0 'X=100\nY=100\nW=300\nH=200' =買い物 牛乳 '2|パン'
note 1 'X=500\nY=100\nW=300\nH=200\nTitle=週報" -x "a' =Shop milk
note 2 'X=100\nY=400\nW=300\nH=200' =Run "$(strict_text "テスト $w\\my tools\\prog.exe hello world")" "$(strict_text "$w\\doc.txt")"
note 3 'X=500\nY=400\nW=300\nH=200' =Files x
hex() { iconv -f UTF-8 -t "$1" | od -An -tx1 | tr -d ' \n'; }
e2e_run 4

E2E_PART=shell_mail
key_at 700 250 ctrl+m '[ -f "$E2E_CASE/Postrel.exe.args" ]' "the mail program was not started"
e2e_shot mailed
expect_eq "$(cat "$E2E_CASE/Postrel.exe.args")" "\"$w\\Postrel.exe\" -c -s\"Varnel(週報 -x a)\"" "mail command line"
expect_eq "$(probe clip-read | line_value text)" "$(printf 'Shop\r\n　□milk\r\n\r\n' | hex CP932)" "mail text"

E2E_PART=shell_run
args="$E2E_CASE/my tools/prog.exe.args"
xdo mousemove 160 445 click --repeat 2 --delay 80 1
wait_until 30 '[ -f "$args" ]' || fail "258 did not start the program"
expect_eq "$(cat "$args")" "\"$w\\my tools\\prog.exe\" hello world" "command line"
rm -f "$args"
menu_at 160 492 Up Up Up Return
wait_until 10 'probe --class Notepad find >/dev/null' || fail "259 did not open the document"
e2e_shot opened
probe --class Notepad post 0x0010 0 0 >/dev/null
probe --class Notepad wait-gone 10000 >/dev/null || fail "notepad stayed"
xdo mousemove 134 427 click --repeat 2 --delay 80 1
wait_until 30 '[ -f "$args" ]' || fail "258 on the heading did not run the detail"
e2e_shot heading-run 0.5

E2E_PART=shell_drop
menu_at 544 441 Down Down Down Return  # 編集
wait_note 'edit=1' "no edit box on the detail" 5
drop_on "$(probe notes | grep 'edit=1' | field editrect)" "${win[@]}" || fail "drop refused"
wait_until 5 "probe notes | grep -q 'edittext=Z:.*one.txt'"
e2e_shot dropped
click 700 580
e2e_shot committed

E2E_PART=shell_copy_paste
probe clip >/dev/null
key_at 300 250 ctrl+c "probe clip-read | grep -q 'text=.'" "nothing copied"
expect_eq "$(probe clip-read | line_value text)" "$(printf '買い物\r\n\t□ 牛乳\r\n\t■ パン\r\n\r\n' | hex CP932)" "copied text"
e2e_shot copied
probe clip "$(printf 'Groceries\r\n\t□ eggs\r\n\t■ tea\r\n■ not a mark\r\n' | hex UTF-8)" >/dev/null || fail "clip"
probe send 0x8000 22 0 >/dev/null || fail "WM_APP 22"
wait_until 5 '[ $(visible_notes) -ge 5 ]'
e2e_shot pasted
e2e_close
expect_eq "$(e2e_ini Varnel04.dat | sed -n '/^\[1\]/,$p' | grep -E '^[0-9]+[LS]=' | tr '\n' ' ')" \
  "0S=000000000000000000000000 0L=Groceries 1S=000000000000000000000000 1L=eggs 2S=000000020000000000000000 2L=tea 3S=000000000000000000000000 3L=■ not a mark " "pasted rows"
expect_eq "$(keys Varnel02.dat 1S | cut -c8),$(keys Varnel02.dat 2S | cut -c8)" "1,0" "the started detail is ticked, the document (no program) is not"
# A stored text with a line break is escaped: "\|" first, "\\" for "\", "\n\r" for CR LF.
esc() { echo "\\|$(echo "$1" | sed 's/\\/\\\\/g')\\n\\r$2"; }
one=$(keys Varnel03.dat 1L)
[ "$one" = "$(strict_text "${win[0]}")" ] || expect_eq "$one" "${win[0]}" "the edited detail holds the first file"
expect_eq "$(keys Varnel03.dat 2L 3L)" "$(esc "${win[1]}" two.txt),$(esc "${win[2]}" three.txt)" "second and third files"
expect_eq "$(keys Varnel03.dat 2S 3S)" "$(printf '01%022d,01%022d' 0 0)" "first lines hidden"
