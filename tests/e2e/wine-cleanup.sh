#!/usr/bin/env bash
# Fixture cleanup: stop Wine and the Xvfb display of every lane of this test run.
source "$(dirname "$0")/wine-env.sh"
for lane in $VARNEL_E2E_LANES; do
  dir=$(lane_dir "$lane")
  WINEPREFIX=$dir/prefix timeout 20 /usr/lib/wine/wineserver -k 2>/dev/null
  for f in xcompmgr xvfb; do [ -f "$dir/$f.pid" ] && kill "$(cat "$dir/$f.pid")" 2>/dev/null; done
  rm -f "$dir/xvfb.pid" "$dir/xcompmgr.pid" "$dir/display"
done
exit 0
