#!/usr/bin/env bash
# The properties dialog of a note, a heading and a detail, and of a detail of
# a "Non" note: the tabs of each, a screenshot of every page; a file dropped
# on the detail page goes into its text. Cancel leaves the
# note files as they were but keeps the date format list; OK writes the detail's
# text with a date inserted from the picker, moves the used format to the top,
# and keeps a done state that is out of use when no other state was picked;
# the alarm radios are live and OK stores the chosen alarm state.
source "$(dirname "$0")/../lib.sh"
e2e_init properties_pages "$1" "$2"
printf '[Default]\nList=11\nCkType2=0\nTWord0=%%YY/%%MM/%%DD\nTWord1=%%M月%%D日(%%W)\n' | crlf "$d/Varnel.ini"
{
  printf '[Default]\nX=100\nY=100\nW=300\nH=260\nStyle=0\nTitle=買い物\n'
  printf '[1]\n0S=00000000\n0L=H1\n1S=000000000000000000000000\n1L=d1\n2S=000000020000000000000000\n2L=d2\n'
  printf '[2]\n0S=00000000\n0L=H2\n1S=000000000000000000000000\n1L=e1\n'
} | crlf "$d/Varnel00.dat"
printf '[Default]\nX=500\nY=100\nW=220\nH=120\nNon=1\n[1]\n0S=00000000\n0L=\n1S=000000000000000000000000\n1L=n1\n' |
  crlf "$d/Varnel01.dat"
e2e_start
e2e_wait_main 30
for i in $(seq 1 20); do [ "$(probe notes | grep -c 'visible=1')" -ge 2 ] && break; sleep 0.5; done
xdo mousemove 10 790 || fail "xdotool cannot reach the display"
before0=$(md5sum <"$d/Varnel00.dat") before1=$(md5sum <"$d/Varnel01.dat")

# page: the tab index, a control only that page has, the screenshot's name.
look() {
  probe choose 1000 "$1" >/dev/null
  for i in $(seq 1 20); do shown "$2" && break; sleep 0.2; done
  shown "$2" || fail "tab $1 does not show control $2"
  e2e_shot "$3"
}
cancel() { probe press 12 >/dev/null; wait_no_dialog; }

open_properties 250 320  # the note's empty body
expect_eq "$(tab_count)" 3 "tabs of a note"
probe dialog | grep -q '^caption=買い物$' || fail "the note's title is the dialog's"
probe dialog | grep -q ' topmost=1$' || fail "the dialog is not topmost"
shown 3055 || fail "a note opens on 全体"
look 0 3055 note-general
look 1 3724 note-general2
look 2 3313 note-headings
cancel
open_properties 135 189  # heading H2
expect_eq "$(tab_count)" 2 "tabs of a heading"
shown 3512 || fail "a heading opens on 見出"
expect_eq "$(control_line 3031 | sed 's/.* text=//')" H2 "the heading's text"
look 0 3055 heading-general
look 1 3512 heading-heading
cancel
open_properties 144 162  # detail d2
expect_eq "$(tab_count)" 3 "tabs of a detail"
shown 3602 || fail "a detail opens on 明細"
expect_eq "$(control_line 3031 | sed 's/.* text=//')" d2 "the detail's text"
look 1 3512 detail-heading
look 2 3602 detail-detail
cancel
open_properties 514 126  # the "Non" note's detail
expect_eq "$(tab_count)" 2 "tabs of a Non note's detail"
look 1 3602 non-detail
# A file dropped on the page goes into the text.
mkdir -p "$E2E_CASE/files" && : >"$E2E_CASE/files/memo.txt"
IFS=, read -r l t r b <<<"$(control_line 3031 | field rect)"
probe drop $(((l + r) / 2)) $(((t + b) / 2)) "Z:$(echo "$E2E_CASE/files/memo.txt" | tr / '\\')" >/dev/null || fail "drop refused"
for i in $(seq 1 20); do control_line 3031 | grep -q 'memo.txt$' && break; sleep 0.25; done
control_line 3031 | grep -q 'text=Z:.*files.memo.txt$' || fail "dropped file: $(control_line 3031)"
e2e_shot non-dropped
cancel
expect_eq "$(md5sum <"$d/Varnel00.dat"),$(md5sum <"$d/Varnel01.dat")" "$before0,$before1" "files after Cancel"

# OK: 挿入 with the second format and the picker on 2011-01-10, at the end of the text.
open_properties 144 162
probe choose 3151 1 >/dev/null
probe date 1102 2011-01-10 >/dev/null || fail "date picker"
probe text 3031 "x:6432e381aee59586" >/dev/null  # "d2の商"
probe ctl 3031 0x00B1 100 100 >/dev/null         # EM_SETSEL: the caret at the end
probe press 3154 >/dev/null
expect_eq "$(control_line 3031 | sed 's/.* text=//')" "d2の商1月10日(月)" "text after 挿入"
expect_eq "$(control_line 3151 | sed 's/.* text=//')" "%M月%D日(%W)" "the used format on top"
e2e_shot inserted
probe tick 1123 1 >/dev/null || fail "alarm OFF"  # the page's alarm radios are live
probe press 11 >/dev/null
wait_no_dialog
ini=$(e2e_ini Varnel.ini)
expect_eq "$(echo "$ini" | line_value TWord0),$(echo "$ini" | line_value TWord1)" "%M月%D日(%W),%YY/%MM/%DD" \
  "the format list saved in its new order"
probe send 0x0010 0 0 >/dev/null || fail "WM_CLOSE"
expect_eq "$(e2e_wait_exit "$E2E_RUN" 20)" 0 "exit code"
n=$(e2e_ini Varnel00.dat)
expect_eq "$(echo "$n" | line_value 2L)" "d2の商1月10日(月)" "the detail's text"
# "done" is out of use and shows as "deleted"; a plain OK keeps it done. The
# alarm chosen on the page is stored OFF (digit 3 and the present bit of digit 7).
s=$(echo "$n" | line_value 2S)
expect_eq "$((0x$(echo "$s" | cut -c8) & 3)),$(echo "$s" | cut -c4),$((0x$(echo "$s" | cut -c8) & 4))" "2,4,4" \
  "the detail's state and alarm: $s"
exit 0
