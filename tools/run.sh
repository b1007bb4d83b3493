#!/usr/bin/env bash
# Runs Ostrel's report tool (32-bit Windows build) under Wine. With no arguments it lists the
# printers and shows the report of the first; any arguments go to ostrel-report.exe as they are.
# On a machine without printers it starts a private print server with demo queues first.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

tools/setup.sh >&2
tools/build.sh win32 >&2

if lpstat -e 2>/dev/null | grep -q .; then
    echo "run.sh: using this machine's printers" >&2
    source tools/testbed/lib.sh
    dir=$(tb_new_state_dir)
    trap 'tools/testbed/wine-stop.sh "$dir" >/dev/null 2>&1; rm -rf "$dir"' EXIT
    eval "$(tools/testbed/wine-prefix.sh "$dir")"
else
    echo "run.sh: no printers here: starting a private print server with demo queues" >&2
    eval "$(tools/testbed/start.sh)"
    trap 'tools/testbed/stop.sh >/dev/null' EXIT
fi

tool=build/win32/app/ostrel-report.exe
if [[ $# -gt 0 ]]; then
    wine "$tool" "$@"
else
    echo "Printers:" >&2
    wine "$tool" --list | tee "${TMPDIR:-/tmp}/ostrel-printers.$$" >&2
    first=$(head -n 1 "${TMPDIR:-/tmp}/ostrel-printers.$$" | tr -d '\r')
    rm -f "${TMPDIR:-/tmp}/ostrel-printers.$$"
    echo >&2
    wine "$tool" "$first"
fi
