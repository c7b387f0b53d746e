#!/usr/bin/env bash
# Builds Varnel.exe and runs it under Wine: on your display when there is one,
# else on a virtual Xvfb display, writing a screenshot to build/windows/run.png
# once the notes and the tray icon are painted. A run folder without data gets
# the sample notes of resources/sample (the program itself starts empty on an
# empty folder).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc 2>/dev/null || echo 2)" --target Varnel probe
export WINEPREFIX="${WINEPREFIX:-$HOME/.varnel-wine}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=" LANG=ja_JP.UTF-8
WINE=/usr/lib/wine/wine64
[ -d "$WINEPREFIX" ] || timeout 300 "$WINE" wineboot -i
run_dir=build/windows/run
mkdir -p "$run_dir/data"
cp build/windows/Varnel.exe "$run_dir/"
if [ -z "$(ls -A "$run_dir/data")" ]; then
  for f in resources/sample/*; do
    iconv -f UTF-8 -t CP932 "$f" | sed 's/\r*$/\r/' >"$run_dir/data/$(basename "$f")"
  done
  echo "Sample notes written to $run_dir/data"
fi
if [ -n "${DISPLAY:-}" ]; then
  exec "$WINE" "$run_dir/Varnel.exe"
fi
for n in $(seq 77 120); do [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break; done
Xvfb :$n -screen 0 1280x800x24 -nolisten tcp & xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=:$n
for i in $(seq 1 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
"$WINE" "$run_dir/Varnel.exe" & app=$!
probe() { timeout -k 2 30 "$WINE" build/windows/tests/e2e/probe.exe "$@" 2>/dev/null | tr -d '\r'; }
# Every listed note painted at least once, and the notification area's window
# (Wine's own tray when the display has none) up with the icon in it.
listed=$(tr -d '\r' <"$run_dir/data/Varnel.ini" | sed -n 's/^List=//p' | tr -cd 1 | wc -c)
shown=no
for i in $(seq 1 120); do
  notes=$(probe notes || true)
  painted=$(echo "$notes" | grep -c 'paints=[1-9]' || true)
  if [ "$painted" -ge "$listed" ] &&
    probe --class __winex11_standalone_tray windows | grep -q 'standalone_tray.*visible=1'; then
    shown=yes
    break
  fi
  sleep 0.5
done
[ $shown = yes ] || echo "The notes or the tray icon did not show within a minute; the screenshot shows what there is."
import -window root build/windows/run.png && echo "Screenshot: build/windows/run.png"
echo "Varnel is running on the virtual display :$n; press Ctrl+C to stop."
wait $app
