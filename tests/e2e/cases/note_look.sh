#!/usr/bin/env bash
# What a user sees (screenshots, a few pixels): a rich note, the same folded, a note at Alpha 128 over
# another, a see-through note; a note sized to its content at 96 and 144 DPI ("LogPixels"): 1.5 times larger;
# the dialogs at 144. The lane's cases share the prefix: its DPI is put back.
source "$(dirname "$0")/../lib.sh"
e2e_init note_look "$1" "$2"
desk='HKCU\Control Panel\Desktop'
reg() { timeout -k 5 60 "$WINE" reg "$@" </dev/null 2>/dev/null | tr -d '\r'; }
dpi_now() { reg query "$desk" /v LogPixels | awk '/LogPixels/ { print $3 }'; }
set_dpi() { reg add "$desk" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null; }
old=$(dpi_now)
# Put back and read back (a write to a server on its way out can be lost), then let the server write the
# registry out before the lane's next case starts.
restore() {
  for i in 1 2 3; do
    if [ -n "$old" ]; then set_dpi $((old)); else reg delete "$desk" /v LogPixels /f; fi
    [ "$(dpi_now)" = "$old" ] && break
  done
  timeout 30 /usr/lib/wine/wineserver -w 2>/dev/null
}
trap 'rc=$?; restore >/dev/null; (exit $rc); e2e_teardown' EXIT
rich() {  # slot, X, extra keys
  note $1 "X=$2\nY=40\nW=300\nH=300\n${3:-}Style=3\nBkColor=0xCCFFFF\nBar=1\nTDiv=2\nBColor0=0x993300\nBColor1=0xFFEEDD
TColor0=0xFFFFFF\nTColor1=0x333333\nTShadow=1\nTBorder=0x050000FF\nTitle=リッチな付箋\nCColor0=20080000FF000000\nCCDay0=400" \
    =今日の予定 牛乳を買う '1|メールに返信する' '2|資料を作成する' '3|古い作業は削除済み' '001000000000000000000000|今日は %M月%D日(%W)' \
    '001000000008000000000000|残り%c"20271231"日で締切' '=00000000C000000000BBEEFF|来週' \
    長い文は幅に合わせて折り返されて次の行に続きます。長い文は幅に合わせて折り返されます。
}
rich 0 40
rich 1 380 'BarStat=2\n'
note 2 'X=720\nY=40\nW=300\nH=340\nBkColor=0x3333CC\nTitle=下の付箋' =下にある付箋
note 3 'X=780\nY=80\nW=200\nH=120\nBkColor=0xFFCC99\nAlpha=128\nTitle=半透明' '=Alpha 128' 下の付箋が透けて見える
note 4 'X=760\nY=230\nW=240\nH=130\nBkColor=0x99FFCC\nAlpha=-1\nTitle=透明' =背景が透明 '1|文字だけが見える'
note 5 'Pos=2\nTitle=高解像度の付箋' =今日の予定 牛乳を買う '1|メールに返信する' '3|削除済みの項目'
ini List=111111
set_dpi 96 || fail "cannot set LogPixels 96"
e2e_run 6 1270 790
e2e_shot look 1.5
# The red frame of the bar (kind 5: pen 2, bottom edge at top + bar height).
expect_eq "$(pixel 150 57)" "#FF0000" "the red bar frame at (150,57)"
wait_note 'rect=380,40,680,58 ' "folded note is not bar high"
# See-through: the desktop shows where the background would be.
expect_eq "$(pixel 990 350)" "#CC3333" "the note below a see-through note"
# Alpha 128 over a red note: neither the top colour nor the bottom one alone.
mix=$(pixel 900 180)
[ "$mix" = "#99CCFF" ] || [ "$mix" = "#CC3333" ] && fail "Alpha 128 is not blended: $mix"
# Holding the left half of a folded bar shows the whole note until release.
xdo mousemove 420 48 mousedown 1
wait_note 'rect=380,40,680,340 ' "no peek while the button is held"
e2e_shot peek
xdo mouseup 1
wait_note 'rect=380,40,680,58 ' "not folded again after release"

E2E_PART=note_dpi
crop() {  # the sized note at DPI $1, once it stands at the top right
  wait_note 'rect=[0-9]+,0,1280,' "no sized note at the top right at $1 DPI"
  IFS=, read -r l t r b <<<"$(probe notes | grep -E 'rect=[0-9]+,0,1280,' | field rect)"
  eval "w$1=$((r - l)) h$1=$((b - t))"
  timeout 20 import -display "$DISPLAY" -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$E2E_CASE/at$1.png" ||
    fail "no screenshot at $1"
}
crop 96
e2e_close
set_dpi 144 || fail "cannot set LogPixels 144"
ini List=000001  # the sized note alone
e2e_run 1
crop 144
open_settings
e2e_shot settings-144
close_dialog 12
open_properties $((l + 40)) $((t + 60))
e2e_shot properties-144
close_dialog 12
e2e_close
# 1.5 times within a few pixels: the fonts' own metrics do not scale exactly.
((w144 * 100 >= w96 * 140 && w144 * 100 <= w96 * 160 && h144 * 100 >= h96 * 140 && h144 * 100 <= h96 * 160)) ||
  fail "not 1.5 times: ${w96}x$h96 -> ${w144}x$h144"
convert "$E2E_CASE/at96.png" "$E2E_CASE/at144.png" -background white +append "$E2E_SHOTS/note_dpi-96-144.png" ||
  fail "no side-by-side screenshot"
