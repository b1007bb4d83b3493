#!/usr/bin/env bash
# Runs Ostrel under Wine, in the Windows build this machine runs (32-bit where 32-bit code runs,
# else 64-bit).
#   tools/run.sh            # the desktop program Ostrel.exe
#   tools/run.sh ARGS...    # the console tool ostrel-report.exe with these arguments
# Ostrel.exe shows on the user's display when $DISPLAY works; otherwise on a private Xvfb, with a
# screenshot saved (the script says where). On a machine without printers a private print server
# with demo queues is started first.
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
    eval "$testbed"
else
    echo "run.sh: no printers here: starting a private print server with demo queues" >&2
    testbed=$(tools/testbed/start.sh) || { echo "run.sh: the test bed did not start (see above)" >&2; exit 1; }
    eval "$testbed"
    dir=$OSTREL_TESTBED_DIR
    trap 'tools/testbed/stop.sh "$dir" >/dev/null' EXIT
fi

if [[ $# -gt 0 ]]; then
    "$TB_WINE" "build/$build/console/ostrel-report.exe" "$@"
    exit
fi

program=build/$build/desktop/Ostrel.exe
if [[ -n "${DISPLAY:-}" ]] && xdotool getdisplaygeometry >/dev/null 2>&1; then
    echo "run.sh: starting Ostrel.exe on display $DISPLAY; it runs until you close it" >&2
    "$TB_WINE" "$program"
    exit
fi

# No display to show it on: a private one, and a picture of what it shows.
display=$(tools/testbed/xvfb-start.sh "$dir") || { echo "run.sh: no display here, and a private Xvfb did not start (see above)" >&2; exit 1; }
eval "$display"
"$TB_WINE" "$program" </dev/null >"$dir/ostrel.log" 2>&1 &
pid=$!
shot=$root/build/run-screenshot.png
if timeout 60 xdotool search --sync --onlyvisible --name '^Ostrel' >/dev/null 2>&1; then
    sleep 2  # the first refresh fills the printer list after the frame shows
    tools/testbed/xvfb-screenshot.sh "$shot" "$dir" 2>/dev/null
    echo "run.sh: no display here: Ostrel.exe runs on a private Xvfb ($DISPLAY); screenshot: $shot" >&2
else
    echo "run.sh: Ostrel.exe did not show its window within 60 s; see $dir/ostrel.log" >&2
fi
if [[ -t 0 ]]; then
    echo "run.sh: press Enter to end it" >&2
    read -r _ || true
fi
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
