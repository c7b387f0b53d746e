#!/usr/bin/env bash
# Fixture cleanup: stop Wine and the Xvfb display of every lane of this test run.
source "$(dirname "$0")/wine-env.sh"
for lane in $VARNEL_E2E_LANES; do lane_stop "$(lane_dir "$lane")"; done
exit 0
