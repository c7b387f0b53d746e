#!/usr/bin/env bash
# Fixture setup: a fresh Wine prefix and one Xvfb display for each lane of this test run, set up side by side.
set -u
source "$(dirname "$0")/wine-env.sh"
E2E_SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
for tool in "$WINE" Xvfb; do
  command -v "$tool" >/dev/null || { echo "missing $tool (apt-get install wine64 xvfb)"; exit 1; }
done
fc-list 2>/dev/null | grep -qi ipa || echo "warning: no CJK font (apt-get install fonts-ipafont); Japanese shows as boxes"

setup_lane() (  # lane folder
  export VARNEL_E2E_DIR=$1 WINEPREFIX=$1/prefix
  mkdir -p "$1"
  lane_stop "$1"  # leftovers of an earlier run of this folder
  rm -rf "$WINEPREFIX"
  # setsid: the display outlives this script and no terminal signal reaches it. Xvfb takes a free display
  # number and writes it to fd 3 once it accepts connections.
  setsid Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$1/display.n" </dev/null >/dev/null 2>&1 &
  echo $! >"$1/xvfb.pid"
  for i in $(seq 1 300); do [ -s "$1/display.n" ] && break; sleep 0.1; done
  [ -s "$1/display.n" ] || { echo "no Xvfb display"; exit 1; }
  export DISPLAY=":$(cat "$1/display.n")"
  echo "$DISPLAY" >"$1/display"
  # A compositing manager blends a note's opacity with what lies below it, as on a user's desktop.
  if command -v xcompmgr >/dev/null; then
    setsid xcompmgr </dev/null >/dev/null 2>&1 &
    echo $! >"$1/xcompmgr.pid"
  else echo "warning: no xcompmgr (apt-get install xcompmgr); opacity is not blended"; fi
  timeout -k 5 300 "$WINE" wineboot -i </dev/null >"$1/wineboot.log" 2>&1 || {
    echo "wineboot failed"; tail -20 "$1/wineboot.log"; exit 1; }
  # The Windows-side test programs' windows are left unmanaged: with no window manager on the display, hiding
  # a managed window waits 2 s for one, once per box answered.
  { echo REGEDIT4
    for src in "$E2E_SOURCE"/tests/win/*_test.cpp; do
      printf '[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\%s.exe\\X11 Driver]\n"Managed"="N"\n' \
        "$(basename "$src" .cpp)"
    done; } >"$1/unmanaged.reg"
  timeout 60 "$WINE" regedit /S "$1/unmanaged.reg" </dev/null >/dev/null 2>&1 ||
    echo "warning: the test programs' windows stay managed (slow message boxes)"
  timeout 60 /usr/lib/wine/wineserver -w 2>/dev/null
  [ -f "$WINEPREFIX/system.reg" ] || { echo "prefix not created"; exit 1; }
  # Wine must never stop to update the new prefix in the middle of a case (seen after a restart under a shifted
  # clock).
  echo disable >"$WINEPREFIX/.update-timestamp"
  echo "prefix ready at $WINEPREFIX on $DISPLAY"
)

pids=()
for lane in $VARNEL_E2E_LANES; do
  setup_lane "$(lane_dir "$lane")" >"$(lane_dir "$lane").setup.log" 2>&1 &
  pids+=($!)
done
status=0
for p in "${pids[@]}"; do wait "$p" || status=1; done
for lane in $VARNEL_E2E_LANES; do cat "$(lane_dir "$lane").setup.log"; done
exit $status
