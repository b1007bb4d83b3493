# shellcheck shell=bash
# Shared helpers for the test-bed scripts; sourced, not run.
# Everything a run creates lives under one state folder (OSTREL_TESTBED_DIR),
# which the stop script removes again.

tb_name=${0##*/}
tb_log() { printf '%s: %s\n' "$tb_name" "$*" >&2; }
tb_die() { printf '%s: error: %s\n' "$tb_name" "$*" >&2; exit 1; }

# Found by changing folder in this shell and back: the run script sources this on every call,
# where a subshell and dirname for each would cost more than all it does.
tb_caller_dir=$PWD
if [[ ${BASH_SOURCE[0]} == */* ]]; then cd "${BASH_SOURCE[0]%/*}" || return 1; fi
# shellcheck disable=SC2034 # used by the scripts that source this file
TB_SCRIPTS=$PWD
cd ../.. || return 1
# shellcheck disable=SC2034
TB_ROOT=$PWD
cd "$tb_caller_dir" || return 1
unset tb_caller_dir
# Marks a folder as ours, so stop never removes anything else.
TB_MARK=.ostrel-testbed

tb_require() {
    local c
    for c in "$@"; do
        command -v "$c" >/dev/null 2>&1 || tb_die "'$c' not found; run tools/setup.sh first"
    done
}

# The state folder: the one named by the argument or OSTREL_TESTBED_DIR.
tb_state_dir() {
    local d=${1:-${OSTREL_TESTBED_DIR:-}}
    [[ -n "$d" ]] || tb_die "no test-bed folder: pass it or set OSTREL_TESTBED_DIR"
    [[ -d "$d" && -e "$d/$TB_MARK" ]] || tb_die "'$d' is not a test-bed folder"
    printf '%s\n' "$d"
}

tb_new_state_dir() {
    local d
    d=$(mktemp -d "${TMPDIR:-/tmp}/ostrel-testbed.XXXXXX") || tb_die "mktemp failed"
    # cupsd's filters run as lp and must be able to reach their folders.
    chmod 755 "$d"
    : >"$d/$TB_MARK"
    printf '%s\n' "$d"
}

# True when pid $1 is alive and its command line contains $2: guards against
# a recycled pid before anything is killed.
tb_pid_matches() {
    local pid=$1 needle=$2 cmd
    [[ "$pid" =~ ^[0-9]+$ ]] || return 1
    [[ -r /proc/$pid/cmdline ]] || return 1
    local -a words
    local IFS=' '
    mapfile -d '' words 2>/dev/null <"/proc/$pid/cmdline" || return 1
    cmd="${words[*]}"
    [[ "$cmd" == *"$needle"* ]]
}

# True while our own child $1 has not ended: it exists and is no zombie. Its command line cannot
# tell, as until the child has started its program that line is still this shell's.
tb_child_alive() {
    local fields
    read -r fields 2>/dev/null <"/proc/$1/stat" || return 1
    fields=${fields##*) }  # after the program name, which may hold spaces and parentheses
    [[ ${fields%% *} != Z ]]
}

# Stops the process in pid file $1 if its command line contains $2.
tb_kill_pidfile() {
    local pidfile=$1 needle=$2 pid i
    [[ -f "$pidfile" ]] || return 0
    pid=$(<"$pidfile")
    if tb_pid_matches "$pid" "$needle"; then
        kill "$pid" 2>/dev/null || true
        for ((i = 0; i < 50; i++)); do
            tb_pid_matches "$pid" "$needle" || break
            sleep 0.1
        done
        if tb_pid_matches "$pid" "$needle"; then
            tb_log "pid $pid did not stop on TERM; sending KILL"
            kill -KILL "$pid" 2>/dev/null || true
        fi
    fi
    rm -f "$pidfile"
}

# Single-quotes a value for the env files (POSIX sh and bash alike).
tb_q() { local s=${1//\'/\'\\\'\'}; printf "'%s'" "$s"; }

# Milliseconds since the epoch, for the timings in the logs.
tb_ms() { local ns; ns=$(date +%s%N); printf '%s\n' $((ns / 1000000)); }
tb_secs() { local ms=$1; printf '%d.%02d' $((ms / 1000)) $((ms % 1000 / 10)); }
