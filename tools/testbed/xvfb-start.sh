#!/usr/bin/env bash
# Starts a private Xvfb for the GUI tests (optional: console programs need none).
#
#   eval "$(tools/testbed/xvfb-start.sh STATE_DIR)"
#
# Takes the first free display number (or OSTREL_XVFB_DISPLAY, e.g. 99), listens on
# no TCP port, and prints DISPLAY to export (also in STATE_DIR/xvfb.env).
source "$(dirname "${BASH_SOURCE[0]}")/../errors.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

tb_require Xvfb
dir=$(tb_state_dir "${1:-}")
x=$dir/xvfb
[[ ! -e "$x/xvfb.pid" ]] || tb_die "an Xvfb was already started for $dir"
mkdir -p "$x"

# -fbdir keeps the screen as an XWD file (x/Xvfb_screen0): a screenshot without
# extra tools, and a unique argument to find this server by.
args=(-nolisten tcp -noreset -screen 0 1280x1024x24 -fbdir "$x")
fixed=
if [[ -n "${OSTREL_XVFB_DISPLAY:-}" ]]; then
    fixed=${OSTREL_XVFB_DISPLAY#:}
    [[ "$fixed" =~ ^[0-9]+$ ]] || tb_die "OSTREL_XVFB_DISPLAY must be a number, not '$OSTREL_XVFB_DISPLAY'"
    [[ ! -e /tmp/.X11-unix/X$fixed && ! -e /tmp/.X$fixed-lock ]] || tb_die "display :$fixed is in use"
fi

# Starts Xvfb and waits until it accepts clients; prints the display number.
start_xvfb() {
    local pid i rc
    : >"$x/display"
    if [[ -n "$fixed" ]]; then
        Xvfb ":$fixed" "${args[@]}" </dev/null >>"$x/xvfb.log" 2>&1 &
    else
        # Xvfb writes the display number it took to fd 3 once it is ready.
        Xvfb -displayfd 3 "${args[@]}" 3>"$x/display" </dev/null >>"$x/xvfb.log" 2>&1 &
    fi
    pid=$!
    echo "$pid" >"$x/xvfb.pid"
    for ((i = 0; i < 150; i++)); do
        if [[ -n "$fixed" && -S /tmp/.X11-unix/X$fixed ]]; then echo "$fixed" >"$x/display"; fi
        if [[ -s "$x/display" ]]; then tr -dc 0-9 <"$x/display"; return 0; fi
        if ! tb_child_alive "$pid"; then
            rc=0; wait "$pid" || rc=$?
            echo "Xvfb exited with status $rc" >>"$x/xvfb.log"
            rm -f "$x/xvfb.pid"
            return 1
        fi
        sleep 0.1
    done
    echo "Xvfb did not get ready within 15 s" >>"$x/xvfb.log"
    tb_kill_pidfile "$x/xvfb.pid" "-fbdir $x"
    return 1
}

if ! d=$(start_xvfb); then
    tb_log "Xvfb failed to start, trying once more: $(tail -3 "$x/xvfb.log" | tr '\n' ' ')"
    d=$(start_xvfb) || tb_die "Xvfb did not start: $(tail -5 "$x/xvfb.log")"
fi

echo "export DISPLAY=':$d'" >"$dir/xvfb.env"
cat "$dir/xvfb.env"
tb_log "Xvfb pid $(<"$x/xvfb.pid") on :$d"
