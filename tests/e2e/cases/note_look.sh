#!/usr/bin/env bash
# What a user sees (screenshots; a few pixels checked): a rich note and the same
# folded to its bar, a note at Alpha 128 over another, and a see-through note. A
# note sized to its content at 96 and 144 DPI (the prefix's "LogPixels"): 1.5 times
# larger, side by side in one screenshot; the dialogs at 144. The prefix is shared
# by the lane's cases: its DPI is put back whatever happens.
source "$(dirname "$0")/../lib.sh"
e2e_init note_look "$1" "$2"
desk='HKCU\Control Panel\Desktop'
reg() { timeout -k 5 60 "$WINE" reg "$@" </dev/null 2>/dev/null | tr -d '\r'; }
dpi_now() { reg query "$desk" /v LogPixels | awk '/LogPixels/ { print $3 }'; }
set_dpi() { reg add "$desk" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null || fail "cannot set LogPixels $1"; }
old=$(dpi_now)
# Put back and read back (a write to a server on its way out can be lost), then
# let the server write the registry out before the lane's next case starts.
restore() {
  local i
  for i in 1 2 3; do
    if [ -n "$old" ]; then reg add "$desk" /v LogPixels /t REG_DWORD /d $((old)) /f; else reg delete "$desk" /v LogPixels /f; fi
    [ "$(dpi_now)" = "$old" ] && break
  done
  timeout 30 /usr/lib/wine/wineserver -w 2>/dev/null
}
trap 'rc=$?; restore >/dev/null; (exit $rc); e2e_teardown' EXIT
rich() {  # X, extra keys
  printf '[Default]\nX=%d\nY=40\nW=300\nH=300\n%bStyle=3\nBkColor=0xCCFFFF\nBar=1\nTDiv=2\n' "$1" "$2"
  printf 'BColor0=0x993300\nBColor1=0xFFEEDD\nTColor0=0xFFFFFF\nTColor1=0x333333\nTShadow=1\nTBorder=0x050000FF\n'
  printf 'Title=リッチな付箋\nCColor0=20080000FF000000\nCCDay0=400\n[1]\n0S=00000000\n0L=今日の予定\n'
  printf '1S=000000000000000000000000\n1L=牛乳を買う\n2S=000000010000000000000000\n2L=メールに返信する\n'
  printf '3S=000000020000000000000000\n3L=資料を作成する\n4S=000000030000000000000000\n4L=古い作業は削除済み\n'
  printf '5S=001000000000000000000000\n5L=今日は %%M月%%D日(%%W)\n'
  printf '6S=001000000008000000000000\n6L=残り%%c"20271231"日で締切\n[2]\n0S=00000000C000000000BBEEFF\n0L=来週\n'
  printf '1S=000000000000000000000000\n1L=長い文は幅に合わせて折り返されて次の行に続きます。長い文は幅に合わせて折り返されます。\n'
}
rich 40 '' | crlf "$d/Varnel00.dat"
rich 380 'BarStat=2\n' | crlf "$d/Varnel01.dat"
printf '[Default]\nX=720\nY=40\nW=300\nH=340\nBkColor=0x3333CC\nTitle=下の付箋\n[1]\n0S=00000000\n0L=下にある付箋\n' | crlf "$d/Varnel02.dat"
printf '[Default]\nX=780\nY=80\nW=200\nH=120\nBkColor=0xFFCC99\nAlpha=128\nTitle=半透明\n[1]\n0S=00000000\n0L=Alpha 128\n1S=000000000000000000000000\n1L=下の付箋が透けて見える\n' | crlf "$d/Varnel03.dat"
printf '[Default]\nX=760\nY=230\nW=240\nH=130\nBkColor=0x99FFCC\nAlpha=-1\nTitle=透明\n[1]\n0S=00000000\n0L=背景が透明\n1S=000000010000000000000000\n1L=文字だけが見える\n' | crlf "$d/Varnel04.dat"
printf '[Default]\nPos=2\nTitle=高解像度の付箋\n[1]\n0S=00000000\n0L=今日の予定\n1S=000000000000000000000000\n1L=牛乳を買う\n2S=000000010000000000000000\n2L=メールに返信する\n3S=000000030000000000000000\n3L=削除済みの項目\n' | crlf "$d/Varnel05.dat"
printf '[Default]\nList=111111\n' | crlf "$d/Varnel.ini"
set_dpi 96
e2e_run 6
xdo mousemove 1270 790 || true
sleep 1.5
e2e_shot look
# The red frame of the bar (kind 5: pen 2, bottom edge at top + bar height).
expect_eq "$(pixel 150 57)" "#FF0000" "the red bar frame at (150,57)"
# The folded copy is as high as its bar.
probe notes | grep -q 'rect=380,40,680,58 ' || fail "folded note is not bar high: $(probe notes)"
# See-through: the desktop shows where the background would be.
expect_eq "$(pixel 990 350)" "#CC3333" "the note below a see-through note"
# Alpha 128 over a red note: neither the top colour nor the bottom one alone.
mix=$(pixel 900 180)
[ "$mix" = "#99CCFF" ] || [ "$mix" = "#CC3333" ] && fail "Alpha 128 is not blended: $mix"
# Holding the left half of a folded bar shows the whole note until release.
xdo mousemove 420 48 mousedown 1
sleep 0.7
e2e_shot peek
probe notes | grep -q 'rect=380,40,680,340 ' || fail "no peek while the button is held: $(probe notes)"
xdo mouseup 1
sleep 0.7
probe notes | grep -q 'rect=380,40,680,58 ' || fail "not folded again after release: $(probe notes)"

E2E_PART=note_dpi
crop() {  # the sized note at DPI $1
  IFS=, read -r l t r b <<<"$(probe notes | grep -E 'rect=[0-9]+,0,1280,' | field rect)"
  eval "w$1=$((r - l)) h$1=$((b - t))"
  timeout 20 import -display "$DISPLAY" -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$E2E_CASE/at$1.png" ||
    fail "no screenshot at $1"
}
crop 96
e2e_close
set_dpi 144
printf '[Default]\nList=000001\n' | crlf "$d/Varnel.ini"  # the sized note alone
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
