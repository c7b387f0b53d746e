#!/usr/bin/env bash
# Fixture cleanup: stop Wine and the Xvfb display of this test run.
source "$(dirname "$0")/wine-env.sh"
timeout 20 /usr/lib/wine/wineserver -k 2>/dev/null
[ -f "$VARNEL_E2E_DIR/xvfb.pid" ] && kill "$(cat "$VARNEL_E2E_DIR/xvfb.pid")" 2>/dev/null
rm -f "$VARNEL_E2E_DIR/xvfb.pid" "$VARNEL_E2E_DIR/display"
exit 0
