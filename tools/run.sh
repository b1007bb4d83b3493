#!/usr/bin/env bash
# Runs Ostrel's report tool under Wine: the 32-bit Windows build where this machine runs 32-bit
# code, the 64-bit build elsewhere. With no arguments it lists the printers and shows the report of
# the first; any arguments go to ostrel-report.exe as they are. On a machine without printers it
# starts a private print server with demo queues first.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

tools/setup.sh >&2
source tools/testbed/wine-loader.sh
build=${TB_WINE_BUILDS%% *}
if [[ -n "$TB_WINE_SKIP_REASON" ]]; then
    echo "run.sh: running the $build build: $TB_WINE_SKIP_REASON" >&2
else
    echo "run.sh: running the $build build" >&2
fi
tools/build.sh "$build" >&2

if lpstat -e 2>/dev/null | grep -q .; then
    echo "run.sh: using this machine's printers" >&2
    source tools/testbed/lib.sh
    dir=$(tb_new_state_dir)
    trap 'tools/testbed/stop.sh "$dir" >/dev/null 2>&1' EXIT
    testbed=$(tools/testbed/wine-prefix.sh "$dir") || { echo "run.sh: the Wine prefix could not be made (see above)" >&2; exit 1; }
else
    echo "run.sh: no printers here: starting a private print server with demo queues" >&2
    testbed=$(tools/testbed/start.sh) || { echo "run.sh: the test bed did not start (see above)" >&2; exit 1; }
    trap 'tools/testbed/stop.sh >/dev/null' EXIT
fi
eval "$testbed"

tool=build/$build/app/ostrel-report.exe
if [[ $# -gt 0 ]]; then
    "$TB_WINE" "$tool" "$@"
else
    echo "Printers:" >&2
    printers=$("$TB_WINE" "$tool" --list | tr -d '\r')
    printf '%s\n' "$printers" >&2
    echo >&2
    "$TB_WINE" "$tool" "$(head -n 1 <<<"$printers")"
fi
