#!/usr/bin/env bash
# The same note sized to its content at 96 and 144 DPI (the prefix's "LogPixels"):
# 1.5 times larger, side by side in one screenshot; the dialogs at 144. The
# prefix is shared by the lane's cases: its DPI is put back whatever happens.
source "$(dirname "$0")/../lib.sh"
e2e_init note_dpi "$1" "$2"
desk='HKCU\Control Panel\Desktop'
reg() { timeout -k 5 60 "$WINE" reg "$@" </dev/null 2>/dev/null | tr -d '\r'; }
old=$(reg query "$desk" /v LogPixels | awk '/LogPixels/ { print $3 }')
set_dpi() { reg add "$desk" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null || fail "cannot set LogPixels $1"; }
dpi_now() { reg query "$desk" /v LogPixels | awk '/LogPixels/ { print $3 }'; }
# Put back and read back (a write to a server on its way out can be lost), then
# let the server write the registry out before the lane's next case starts.
restore() {
  local i
  for i in 1 2 3; do
    if [ -n "$old" ]; then reg add "$desk" /v LogPixels /t REG_DWORD /d $((old)) /f; else reg delete "$desk" /v LogPixels /f; fi
    [ "$(dpi_now)" = "$old" ] && break
    e2e_log "LogPixels not back yet: $(dpi_now)"
  done
  timeout 30 /usr/lib/wine/wineserver -w 2>/dev/null
}
trap 'rc=$?; restore >/dev/null; (exit $rc); e2e_teardown' EXIT
printf '[Default]\nList=1\n' | crlf "$d/Varnel.ini"
printf '[Default]\nPos=2\nTitle=高解像度の付箋\n[1]\n0S=00000000\n0L=今日の予定\n1S=000000000000000000000000\n1L=牛乳を買う\n2S=000000010000000000000000\n2L=メールに返信する\n3S=000000030000000000000000\n3L=削除済みの項目\n' | crlf "$d/Varnel00.dat"
for dpi in 96 144; do
  set_dpi $dpi
  e2e_run 1
  IFS=, read -r l t r b <<<"$(probe notes | field rect)"
  eval "w$dpi=$((r - l)) h$dpi=$((b - t))"
  timeout 20 import -display "$DISPLAY" -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$E2E_CASE/at$dpi.png" ||
    fail "no screenshot at $dpi"
  if [ $dpi = 144 ]; then
    open_settings
    e2e_shot settings-144
    close_dialog 12
    open_properties $((l + 40)) $((t + 60))
    e2e_shot properties-144
    close_dialog 12
  fi
  e2e_close
done
# 1.5 times within a few pixels: the fonts' own metrics do not scale exactly.
for pair in "$w96 $w144" "$h96 $h144"; do
  read -r a b <<<"$pair"
  [ $((b * 100)) -ge $((a * 140)) ] && [ $((b * 100)) -le $((a * 160)) ] || fail "not 1.5 times: $a -> $b"
done
convert "$E2E_CASE/at96.png" "$E2E_CASE/at144.png" -background white +append "$E2E_SHOTS/note_dpi-96-144.png" ||
  fail "no side-by-side screenshot"
