#!/usr/bin/env bash
# Stops what start.sh started for STATE_DIR (or OSTREL_TESTBED_DIR) and removes
# the state folder. Safe to run twice and after a partial start.
source "$(dirname "${BASH_SOURCE[0]}")/../errors.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

d=${1:-${OSTREL_TESTBED_DIR:-}}
if [[ -n "$d" && ! -e "$d" ]]; then
    tb_log "$d is gone already"
    exit 0
fi
dir=$(tb_state_dir "$d")

rc=0
"$TB_SCRIPTS/wine-stop.sh" "$dir" || rc=1
"$TB_SCRIPTS/xvfb-stop.sh" "$dir" || rc=1
"$TB_SCRIPTS/cups-stop.sh" "$dir" || rc=1
if [[ $rc -eq 0 ]]; then
    rm -rf -- "$dir"
else
    tb_log "left $dir in place for inspection"
fi
exit $rc
