#!/usr/bin/env bash
# Runs Ostrel under Wine, in the Windows build this machine runs (32-bit where 32-bit code runs,
# else 64-bit).
#   tools/run.sh            # the desktop program Ostrel.exe
#   tools/run.sh ARGS...    # the console tool ostrel-report.exe with these arguments
#   tools/run.sh --stop     # ends the test bed that the runs keep
# Ostrel.exe shows on the user's display when $DISPLAY works; otherwise on a private Xvfb, with a
# screenshot saved (the script says where). Paths among the arguments mean what they mean in the
# caller's folder: the program runs there.
#
# The first run makes a test bed: a Wine prefix, and on a machine without printers a private print
# server with demo queues. It stays in $OSTREL_RUN_DIR (default /tmp/ostrel-run-UID) and later runs
# use it while it is alive, so they start at once; `tools/run.sh --stop` ends it.
caller=$PWD
[[ ${BASH_SOURCE[0]} == */* ]] && cd "${BASH_SOURCE[0]%/*}"
cd ..
root=$PWD
source tools/errors.sh
source tools/testbed/lib.sh

bed=${OSTREL_RUN_DIR:-${TMPDIR:-/tmp}/ostrel-run-$UID}

# Whatever step fails is named, with its status; its own error text is above.
step=
trap 'rc=$?; [[ $rc -eq 0 || -z $step ]] || echo "run.sh: failed: $step (exit status $rc)" >&2' EXIT

if [[ ${1:-} == --stop ]]; then
    [[ $# -eq 1 ]] || { echo "run.sh: --stop takes no other arguments" >&2; exit 2; }
    if [[ -e $bed ]]; then
        step="stopping the test bed in $bed"
        tools/testbed/stop.sh "$bed"
        echo "run.sh: the test bed in $bed is stopped" >&2
    else
        echo "run.sh: no test bed is running ($bed does not exist)" >&2
    fi
    exit 0
fi

# Alive: made completely, and its print server (where it has one) still runs.
bed_alive() {
    [[ -e $bed/$TB_MARK && -s $bed/env.sh && -d $bed/wine ]] || return 1
    [[ -e $bed/cups/cupsd.conf ]] || return 0
    local pid=
    read -r pid 2>/dev/null <"$bed/cups/cupsd.pid" || true
    tb_pid_matches "$pid" "$bed/cups/cupsd.conf"
}

start_bed() {
    if [[ -e $bed ]]; then
        step="removing the test bed left in $bed"
        tools/testbed/stop.sh "$bed" >&2
    fi
    local printers
    printers=$(lpstat -e 2>/dev/null | tr '\n' ' ') || printers=
    if [[ -n $printers ]]; then
        echo "run.sh: using this machine's print server ($(lpstat -H 2>/dev/null || echo 'the default one')) and its printers: $printers" >&2
        echo "run.sh: making a Wine prefix in $bed" >&2
        step="making the Wine prefix in $bed"
        mkdir "$bed"
        chmod 755 "$bed"
        : >"$bed/$TB_MARK"
        tools/testbed/wine-prefix.sh "$bed" >/dev/null
        cp "$bed/wine.env" "$bed/env.sh"
    else
        echo "run.sh: this machine's print server has no printers (or none runs): starting a private print server with demo queues in $bed (its socket: $bed/cups/cups.sock)" >&2
        step="starting the test bed in $bed"
        tools/testbed/start.sh --in "$bed" >/dev/null
    fi
}

# A run that finds no test bed alive makes one: the first run, and after --stop.
alive=0
bed_alive && alive=1
if [[ $alive -eq 0 ]]; then
    step="installing what is missing (tools/setup.sh)"
    tools/setup.sh >&2
fi
source tools/testbed/wine-loader.sh
build=${TB_WINE_BUILDS%% *}
if [[ $# -gt 0 ]]; then program=$root/build/$build/console/ostrel-report.exe; else program=$root/build/$build/desktop/Ostrel.exe; fi
# Built again when a file of the project changed since the last build of this script: asking make
# takes seconds.
stamp=build/$build/.run-built
if [[ ! -f $program || ! -f $stamp ]] ||
    [[ -n $(find . \( -path ./build -o -path ./.git \) -prune -o -type f -newer "$stamp" -print -quit) ]]; then
    step="building the $build build"
    mkdir -p "$root/build"
    touch "$root/build/.run-build-started"
    tools/build.sh "$build" >&2
    mv "$root/build/.run-build-started" "$stamp"
fi
if [[ $alive -eq 0 ]]; then
    [[ -z "$TB_WINE_SKIP_REASON" ]] || echo "run.sh: running the $build build: $TB_WINE_SKIP_REASON" >&2
    # One run at a time makes the test bed; the others wait for it and use it.
    step="locking the test bed ($bed.lock)"
    exec {lock}>"$bed.lock"
    flock "$lock"
    bed_alive || start_bed
    flock -u "$lock"
    exec {lock}>&-
fi
source "$bed/env.sh"

if [[ $# -gt 0 ]]; then
    step=
    cd "$caller"
    exec "$TB_WINE" "$program" "$@"
fi

if [[ -n "${DISPLAY:-}" ]] && xdotool getdisplaygeometry >/dev/null 2>&1; then
    echo "run.sh: starting Ostrel.exe on display $DISPLAY; it runs until you close it" >&2
    step=
    cd "$caller"
    exec "$TB_WINE" "$program"
fi

# No display to show it on: the test bed's own, and a picture of what it shows.
xvfb_pid=
read -r xvfb_pid 2>/dev/null <"$bed/xvfb/xvfb.pid" || true
if ! tb_pid_matches "$xvfb_pid" "-fbdir $bed/xvfb"; then
    step="starting a private Xvfb display"
    rm -rf "$bed/xvfb"
    tools/testbed/xvfb-start.sh "$bed" >/dev/null
fi
source "$bed/xvfb.env"
(cd "$caller" && exec "$TB_WINE" "$program") </dev/null >"$bed/ostrel.log" 2>&1 &
pid=$!
stop_program() { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
step="waiting for Ostrel.exe's window (its output: $bed/ostrel.log)"
timeout 60 xdotool search --sync --onlyvisible --name '^Ostrel' >/dev/null || { stop_program; exit 1; }
sleep 2  # the first refresh fills the printer list after the frame shows
# The list starts with no printer chosen: open it (F4 on the focused list), so that the picture
# shows the printers.
xdotool key F4 >/dev/null 2>&1 || true
sleep 1
shot=$root/build/run-screenshot.png
step="saving the screenshot"
tools/testbed/xvfb-screenshot.sh "$shot" "$bed" || { stop_program; exit 1; }
echo "run.sh: no display here: Ostrel.exe runs on a private Xvfb ($DISPLAY); screenshot: $shot" >&2
step=
if [[ -t 0 ]]; then
    echo "run.sh: press Enter to end it" >&2
    read -r _ || true
fi
stop_program
