#!/usr/bin/env bash
# Starts the whole test bed for one run: private cupsd with the demo queues, a new
# Wine prefix, and with --xvfb a private X display.
#
#   eval "$(tools/testbed/start.sh [--xvfb])"
#   ...
#   tools/testbed/stop.sh            # uses OSTREL_TESTBED_DIR
#
# Standard output is only the environment to export; it is also written to
# $OSTREL_TESTBED_DIR/env.sh for later `source`. Progress goes to standard error.
# On failure everything started so far is stopped again.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

xvfb=0
for a in "$@"; do
    case $a in
        --xvfb) xvfb=1 ;;
        -h|--help) sed -n '2,11p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) tb_die "unknown argument '$a' (expected --xvfb)" ;;
    esac
done

dir=$(tb_new_state_dir)
ok=0
cleanup() { [[ $ok -eq 1 ]] || "$TB_SCRIPTS/stop.sh" "$dir" >&2 || true; }
trap cleanup EXIT

# Assigned first: a failure inside eval "$(...)" would go unnoticed.
out=$("$TB_SCRIPTS/cups-start.sh" "$dir")
eval "$out"
# The display comes before the prefix: Wine's desktop process, started by wineboot, keeps the
# display it found for as long as the prefix's wineserver runs.
if [[ $xvfb -eq 1 ]]; then
    out=$("$TB_SCRIPTS/xvfb-start.sh" "$dir")
    eval "$out"
fi
out=$("$TB_SCRIPTS/wine-prefix.sh" "$dir")
eval "$out"

env_file=$dir/env.sh
cat "$dir/cups.env" "$dir/wine.env" >"$env_file"
[[ $xvfb -eq 0 ]] || cat "$dir/xvfb.env" >>"$env_file"
ok=1
cat "$env_file"
