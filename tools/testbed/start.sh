#!/usr/bin/env bash
# Starts the whole test bed for one run: private cupsd with the demo queues, a new
# Wine prefix, and with --xvfb a private X display.
#
#   eval "$(tools/testbed/start.sh [--xvfb] [--in DIR])"
#   ...
#   tools/testbed/stop.sh            # uses OSTREL_TESTBED_DIR
#
# Standard output is only the environment to export; it is also written to
# $OSTREL_TESTBED_DIR/env.sh for later `source`. Progress goes to standard error.
# With --in, the state folder is DIR (made here; it must not exist) instead of a new temporary one.
# On failure everything started so far is stopped again.
source "$(dirname "${BASH_SOURCE[0]}")/../errors.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

xvfb=0
dir=
while [[ $# -gt 0 ]]; do
    case $1 in
        --xvfb) xvfb=1 ;;
        --in) [[ $# -ge 2 ]] || tb_die "--in needs a folder"; dir=$2; shift ;;
        -h|--help) sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) tb_die "unknown argument '$1' (expected --xvfb or --in DIR)" ;;
    esac
    shift
done

if [[ -n $dir ]]; then
    [[ ! -e $dir ]] || tb_die "$dir exists already"
    mkdir "$dir" || tb_die "cannot make $dir"
    chmod 755 "$dir"
    : >"$dir/$TB_MARK"
else
    dir=$(tb_new_state_dir)
fi
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
