#!/usr/bin/env bash
# Ends the wineserver (and any Wine process left) of the run's prefix; other
# prefixes' servers are not touched.
source "$(dirname "${BASH_SOURCE[0]}")/../errors.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

dir=$(tb_state_dir "${1:-}")
prefix=$dir/wine
[[ -d "$prefix" ]] || exit 0
command -v wineserver >/dev/null 2>&1 || exit 0
WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
WINEPREFIX=$prefix timeout 30 wineserver -w >/dev/null 2>&1 || tb_log "wineserver of $prefix did not end within 30 s"
