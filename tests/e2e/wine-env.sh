# Sourced by the Wine test scripts: one prefix and one Xvfb display per test run,
# both under the Windows build folder.
: "${VARNEL_E2E_DIR:=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../build/windows" && pwd)/e2e}"
export VARNEL_E2E_DIR
export WINEPREFIX="$VARNEL_E2E_DIR/prefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=,mshtml="
export LANG="${VARNEL_LANG:-ja_JP.UTF-8}"
export WINE=/usr/lib/wine/wine64
if [ -f "$VARNEL_E2E_DIR/display" ]; then export DISPLAY="$(cat "$VARNEL_E2E_DIR/display")"; fi
