#!/usr/bin/env bash
# Builds Varnel.exe and runs it under Wine: on your display when there is one,
# else on a virtual Xvfb display, writing a screenshot to build/windows/run.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc 2>/dev/null || echo 2)" --target Varnel
export WINEPREFIX="${WINEPREFIX:-$HOME/.varnel-wine}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=" LANG=ja_JP.UTF-8
WINE=/usr/lib/wine/wine64
[ -d "$WINEPREFIX" ] || timeout 300 "$WINE" wineboot -i
run_dir=build/windows/run
mkdir -p "$run_dir"
cp build/windows/Varnel.exe "$run_dir/"
if [ -n "${DISPLAY:-}" ]; then
  exec "$WINE" "$run_dir/Varnel.exe"
fi
Xvfb :77 -screen 0 1280x800x24 -nolisten tcp & xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=:77
sleep 1
"$WINE" "$run_dir/Varnel.exe" & app=$!
sleep 8
import -window root build/windows/run.png && echo "Screenshot: build/windows/run.png"
echo "Varnel is running on the virtual display :77; press Ctrl+C to stop."
wait $app
