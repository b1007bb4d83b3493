#!/usr/bin/env bash
# Stops the Xvfb that xvfb-start.sh started for STATE_DIR (or OSTREL_TESTBED_DIR).
source "$(dirname "${BASH_SOURCE[0]}")/../errors.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

dir=$(tb_state_dir "${1:-}")
tb_kill_pidfile "$dir/xvfb/xvfb.pid" "-fbdir $dir/xvfb"
