# Sourced by the Wine test scripts: one prefix and one Xvfb display per lane, under the Windows build folder.
# Two lanes let ctest run two Wine tests at once (each mostly waits for the program); ctest hands a test its
# lane as a resource. A folder given in VARNEL_E2E_DIR (the mutation check's) is the only lane.
if [ -n "${VARNEL_E2E_DIR:-}" ]; then
  VARNEL_E2E_LANES=own
  lane_dir() { echo "$VARNEL_E2E_DIR"; }
else
  VARNEL_E2E_BASE="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../build/windows" && pwd)"
  VARNEL_E2E_LANES="a b"
  lane_dir() { if [ "$1" = a ]; then echo "$VARNEL_E2E_BASE/e2e"; else echo "$VARNEL_E2E_BASE/e2e-$1"; fi; }
  lane=${CTEST_RESOURCE_GROUP_0_LANE:-id:a}
  lane=${lane#id:}
  VARNEL_E2E_DIR=$(lane_dir "${lane%%,*}")
fi
export VARNEL_E2E_DIR
export WINEPREFIX="$VARNEL_E2E_DIR/prefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=,mshtml="
export LANG="${VARNEL_LANG:-ja_JP.UTF-8}"
export WINE=/usr/lib/wine/wine64
# Stops the Wine server and the display of the lane folder $1 (the fixture's cleanup, leftovers before a setup).
lane_stop() {
  WINEPREFIX=$1/prefix timeout 20 /usr/lib/wine/wineserver -k 2>/dev/null
  for f in xcompmgr xvfb; do [ -f "$1/$f.pid" ] && kill "$(cat "$1/$f.pid")" 2>/dev/null; done
  rm -f "$1/xvfb.pid" "$1/xcompmgr.pid" "$1/display"
}
if [ -f "$VARNEL_E2E_DIR/display" ]; then export DISPLAY="$(cat "$VARNEL_E2E_DIR/display")"; fi
