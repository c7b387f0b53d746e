#!/usr/bin/env bash
# Fixture setup: a fresh Wine prefix and one Xvfb display for this test run.
set -u
source "$(dirname "$0")/wine-env.sh"
mkdir -p "$VARNEL_E2E_DIR"
if [ -f "$VARNEL_E2E_DIR/xvfb.pid" ]; then kill "$(cat "$VARNEL_E2E_DIR/xvfb.pid")" 2>/dev/null; fi
"$WINE"server -k 2>/dev/null; /usr/lib/wine/wineserver -k 2>/dev/null
rm -rf "$WINEPREFIX"
for n in $(seq 90 120); do
  [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
  Xvfb :$n -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  echo $! > "$VARNEL_E2E_DIR/xvfb.pid"
  for i in $(seq 1 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
  if [ -e /tmp/.X11-unix/X$n ]; then echo ":$n" > "$VARNEL_E2E_DIR/display"; break; fi
done
[ -f "$VARNEL_E2E_DIR/display" ] || { echo "no Xvfb display"; exit 1; }
export DISPLAY="$(cat "$VARNEL_E2E_DIR/display")"
timeout -k 5 300 "$WINE" wineboot -i >/dev/null 2>&1 || { echo "wineboot failed"; exit 1; }
timeout 60 /usr/lib/wine/wineserver -w 2>/dev/null
echo "prefix ready at $WINEPREFIX on $DISPLAY"
