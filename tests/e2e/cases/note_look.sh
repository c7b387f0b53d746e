#!/usr/bin/env bash
# What a user sees (screenshots; a few pixels checked): a rich note and the same
# folded to its bar, a note at Alpha 128 over another, and a see-through note.
source "$(dirname "$0")/../lib.sh"
e2e_init note_look "$1" "$2"
printf '[Default]\nList=11111\n' | crlf "$d/Varnel.ini"
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
e2e_run 5
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
e2e_close
