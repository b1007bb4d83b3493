#!/usr/bin/env bash
# Stops the cupsd that cups-start.sh started for STATE_DIR (or OSTREL_TESTBED_DIR),
# by the pid in its pid file, and only if that pid is still that cupsd.
source "$(dirname "${BASH_SOURCE[0]}")/../errors.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

dir=$(tb_state_dir "${1:-}")
tb_kill_pidfile "$dir/cups/cupsd.pid" "$dir/cups/cupsd.conf"
