#!/usr/bin/env bash
# Fixture cleanup: stop Wine and the Xvfb display of this test run.
source "$(dirname "$0")/wine-env.sh"
timeout 20 /usr/lib/wine/wineserver -k 2>/dev/null
for f in xcompmgr xvfb; do
  [ -f "$VARNEL_E2E_DIR/$f.pid" ] && kill "$(cat "$VARNEL_E2E_DIR/$f.pid")" 2>/dev/null
done
rm -f "$VARNEL_E2E_DIR/xvfb.pid" "$VARNEL_E2E_DIR/xcompmgr.pid" "$VARNEL_E2E_DIR/display"
exit 0
