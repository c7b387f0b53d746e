#!/usr/bin/env bash
# The general page: its values written, the timer off and on again around an alarm, the looping sound test,
# "完了" off in the state submenu. The menu page: a note menu and a hot key, a duplicate refused.
source "$(dirname "$0")/../lib.sh"
e2e_init settings_general "$1" "$2"
ini 'List=1\nMenuB0=39'
note 0 'X=100\nY=100\nW=300\nH=260\nStyle=0' =H1 '000C000C000000000000000007000003021a|d1' d2
E2E_CLOCK="=2026-03-02 06:50:00" e2e_run 1 640 400
open_settings
e2e_shot general
drive "text 3111 0" "text 3124 0" "tick 3132 0" "tick 3121"  # timer, snooze, 完了, 連続
# The looping alarm test: ♪Off while it plays; it ends when the page hides or closes.
looping() { probe send Varnel.SoundLooping 0 0 | field result; }
drive "choose 3115 2" "press 3116"  # an alarm sound, ♪ test
expect_eq "$(control_text 3116)/$(looping)" "♪Off/1" "a looping test"
drive "choose 1000 1"
expect_eq "$(control_text 3116)/$(looping)" "♪On/0" "the test once its page hides"
drive "choose 1000 0" "press 3116"
expect_eq "$(looping)" 1 "a looping test again"
drive "text 3122 x:3930" "choose 3078 3" "press 11"  # alarm time, CmdW
expect_box 10000 '^text=タイマー割込をオフにしました。　　$' "timer message" timer-off 1
wait_no_dialog
expect_eq "$(looping)" 0 "the test sound once the dialog closed"
expect_eq "$(keys Varnel.ini Timer Snooze CkType2 AlarmTime CmdW Alarm)" "0,10,0,90,3,2" "the page's values written"
e2e_clock_set "2026-03-02 07:00:02"
probe msgbox 4000 >/dev/null && fail "an alarm rang with the timer off"
open_settings
drive "text 3111 5"
e2e_clock_set "2026-03-02 07:00:05"  # inside the due minute however long the dialog took
drive "press 11"
expect_box 20000 '^caption=d1$' "the alarm once the timer was back"
e2e_shot timer-back
probe click 11 >/dev/null || fail "closing the alarm"
wait_no_dialog
# Detail d2: its menu is the title, 状態変更 and その他; the submenu's third item.
menu_at 144 163 Down Down Right
e2e_shot state-menu 0.5
xdo key Down Down Return
sleep 0.7

E2E_PART=settings_menus
open_settings
# Note menu: 明細追加 (the seventh candidate), then その他 (now the first).
drive "choose 1000 4" "choose 3822 6" "press 3823" "choose 3822 0" "press 3823"
expect_eq "$(list_rows 3801)" "col0=明細追加 col1=明細追加|col0=その他 col1=その他|" "note menu rows"
e2e_shot note-menu-list
# The row popup's 編集 (its last item) edits the first row's caption in place.
IFS=, read -r l t r b <<<"$(control_line 3801 | field rect)"
menu_at $((l + 40)) $((t + 28)) Up Return
sleep 0.5
xdo type Plus
xdo key Return
wait_until 5 "probe rows 3801 | grep -q '^row=0 .*col0=Plus col1=明細追加'" || fail "caption not edited: $(probe rows 3801)"
# Hot keys: 新規作成 on Ctrl+B (HKM_SETHOTKEY, Ctrl = 2 in the high byte).
drive "choose 3821 3" "ctl 3828 0x0401 0x0242 0" "choose 3822 0" "press 3823"
probe rows 3804 | grep -q 'col0=Ctrl + B col1=新規作成' || fail "hot key row: $(probe rows 3804)"
e2e_shot hotkey-list
drive "choose 3822 0" "press 3823"  # the same key for ｸｲｯｸｱﾗｰﾑ: refused
expect_box 10000 '^text=キーが重複しています。　　$' "duplicate message" duplicate 1
expect_eq "$(probe rows 3804 | grep -c '^row=')" 1 "hot key rows after the refusal"
drive "choose 3821 5"  # default items
e2e_shot default-items 0.3
close_dialog 11
expect_eq "$(keys Varnel.ini MenuW0 MenuW1 HotKey0 MenuDefW)" "11,Plus,0,その他,78,578,-1" "menus and keys written"
expect_short_menu 300 250 note-menu
key_at 300 250 ctrl+b '[ $(visible_notes) -ge 2 ]' "Ctrl+B made no new note"
e2e_close
expect_rows <<<"0|1|2S|3|the third state item deletes d2"
