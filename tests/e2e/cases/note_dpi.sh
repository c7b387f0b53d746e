#!/usr/bin/env bash
# The same note at 96 and at 144 DPI (the prefix's "LogPixels"): sized to its
# content it is 1.5 times larger at 144, and the two are kept side by side in
# one screenshot; the settings and properties dialogs at 144 are kept too.
# The prefix is shared by every case: its DPI is put back whatever happens.
source "$(dirname "$0")/../lib.sh"
e2e_init note_dpi "$1" "$2"
desk='HKCU\Control Panel\Desktop'
reg() { timeout -k 5 60 "$WINE" reg "$@" </dev/null 2>/dev/null | tr -d '\r'; }
old=$(reg query "$desk" /v LogPixels | awk '/LogPixels/ { print $3 }')
set_dpi() { reg add "$desk" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null || fail "cannot set LogPixels $1"; }
restore_dpi() {
  if [ -n "$old" ]; then reg add "$desk" /v LogPixels /t REG_DWORD /d $((old)) /f; else reg delete "$desk" /v LogPixels /f; fi >/dev/null
}
trap 'rc=$?; restore_dpi; (exit $rc); e2e_teardown' EXIT
printf '[Default]\nList=1\n' | crlf "$d/Varnel.ini"
# "Pos" 2: sized to its content in the top right corner at every start.
crlf "$d/Varnel00.dat" <<'NOTE'
[Default]
X=300
Y=100
W=300
H=300
Pos=2
Title=高解像度の付箋
[1]
0S=00000000
0L=今日の予定
1S=000000000000000000000000
1L=牛乳を買う
2S=000000010000000000000000
2L=メールに返信する
3S=000000030000000000000000
3L=削除済みの項目
NOTE
declare -A size
for dpi in 96 144; do
  set_dpi $dpi
  e2e_start
  e2e_wait_main 30
  wait_visible_notes 1 "note at $dpi"
  rect=$(probe notes | field rect)
  IFS=, read -r l t r b <<<"$rect"
  size[$dpi]="$((r - l)) $((b - t))"
  e2e_log "at $dpi DPI: $rect"
  timeout 20 import -display "$DISPLAY" -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage \
    "$E2E_CASE/at$dpi.png" 2>/dev/null || fail "no screenshot at $dpi"
  if [ $dpi = 144 ]; then
    open_settings
    e2e_shot settings-144
    probe press 12 >/dev/null
    wait_no_dialog
    open_properties $((l + 40)) $((t + 60))
    e2e_shot properties-144
    probe press 12 >/dev/null
    wait_no_dialog
  fi
  e2e_close
done
read -r w96 h96 <<<"${size[96]}"
read -r w144 h144 <<<"${size[144]}"
# 1.5 times within a few pixels: the text's own metrics do not scale exactly.
for pair in "$w96 $w144" "$h96 $h144"; do
  read -r a b <<<"$pair"
  [ $((b * 100)) -ge $((a * 140)) ] && [ $((b * 100)) -le $((a * 160)) ] || fail "not 1.5 times: ${size[96]} -> ${size[144]}"
done
convert "$E2E_CASE/at96.png" "$E2E_CASE/at144.png" -background white -gravity north +append \
  "$E2E_SHOTS/note_dpi-96-144.png" || fail "no side-by-side screenshot"
e2e_log "screenshot $E2E_SHOTS/note_dpi-96-144.png"
exit 0
