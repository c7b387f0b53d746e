#!/usr/bin/env bash
# What a user sees: a rich note (gradient bar with a red frame, shadowed title,
# bold headings, details in all four states with the deleted one struck out,
# date codes expanded, day-count colouring), the same note folded to its bar,
# a note at Alpha 128 over another, and a see-through note. Screenshots are
# kept under shots/; a few pixels are checked.
source "$(dirname "$0")/../lib.sh"
e2e_init note_look "$1" "$2"
printf '[Default]\nList=11111\n' | crlf "$d/Varnel.ini"
rich() {
  cat <<EOF
[Default]
X=$1
Y=$2
W=300
H=300
$3
Style=3
BkColor=0xCCFFFF
Bar=1
TDiv=2
BColor0=0x993300
BColor1=0xFFEEDD
TColor0=0xFFFFFF
TColor1=0x333333
TShadow=1
TBorder=0x050000FF
Title=リッチな付箋
CColor0=20080000FF000000
CCDay0=400
[1]
0S=00000000
0L=今日の予定
1S=000000000000000000000000
1L=牛乳を買う
2S=000000010000000000000000
2L=メールに返信する
3S=000000020000000000000000
3L=資料を作成する
4S=000000030000000000000000
4L=古い作業は削除済み
5S=001000000000000000000000
5L=今日は %M月%D日(%W)
6S=001000000008000000000000
6L=残り%c"20271231"日で締切
[2]
0S=00000000C000000000BBEEFF
0L=来週
1S=000000000000000000000000
1L=長い文は幅に合わせて折り返されて次の行に続きます。長い文は幅に合わせて折り返されます。
EOF
}
rich 40 40 '' | crlf "$d/Varnel00.dat"
rich 380 40 'BarStat=2' | crlf "$d/Varnel01.dat"
printf '[Default]\nX=720\nY=40\nW=300\nH=340\nBkColor=0x3333CC\nTitle=下の付箋\n[1]\n0S=00000000\n0L=下にある付箋\n' | crlf "$d/Varnel02.dat"
printf '[Default]\nX=780\nY=80\nW=200\nH=120\nBkColor=0xFFCC99\nAlpha=128\nTitle=半透明\n[1]\n0S=00000000\n0L=Alpha 128\n1S=000000000000000000000000\n1L=下の付箋が透けて見える\n' | crlf "$d/Varnel03.dat"
printf '[Default]\nX=760\nY=230\nW=240\nH=130\nBkColor=0x99FFCC\nAlpha=-1\nTitle=透明\n[1]\n0S=00000000\n0L=背景が透明\n1S=000000010000000000000000\n1L=文字だけが見える\n' | crlf "$d/Varnel04.dat"
e2e_start
e2e_wait_main 30
for i in $(seq 1 20); do
  [ "$(probe notes | grep -c 'visible=1')" -ge 5 ] && break
  sleep 0.5
done
xdo mousemove 1270 790 || true
sleep 1.5
e2e_shot look
# A pixel of the screen as #RRGGBB.
px() {
  timeout 20 import -display "$DISPLAY" -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | tail -n1 |
    grep -o '#[0-9A-F]\{6\}' | head -n1
}
# The red frame of the bar (kind 5: pen 2, bottom edge at top + bar height).
[ "$(px 150 57)" = "#FF0000" ] || fail "no red bar frame at (150,57): $(px 150 57)"
# The folded copy is as high as its bar.
probe notes | grep -q 'rect=380,40,680,58 ' || fail "folded note is not bar high: $(probe notes)"
# See-through: the desktop shows where the background would be.
bg=$(px 990 350)
[ "$bg" = "#CC3333" ] || fail "see-through note does not show the note below: $bg"
# Alpha 128 over a red note: neither the top colour nor the bottom one alone.
mix=$(px 900 180)
echo "alpha pixel $mix"
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
exit 0
