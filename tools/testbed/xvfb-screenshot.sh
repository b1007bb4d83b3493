#!/usr/bin/env bash
# Saves what the test bed's Xvfb shows as a PNG picture.
#
#   tools/testbed/xvfb-screenshot.sh OUT.png [STATE_DIR] [WIDTHxHEIGHT+X+Y]
#
# Xvfb keeps its screen in STATE_DIR/xvfb/Xvfb_screen0 (an XWD file, from -fbdir);
# ImageMagick's convert turns it into PNG, cut to the rectangle when one is given.
# STATE_DIR defaults to OSTREL_TESTBED_DIR (pass "" to use it with a rectangle).
source "$(dirname "${BASH_SOURCE[0]}")/../errors.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

[[ $# -ge 1 ]] || tb_die "usage: xvfb-screenshot.sh OUT.png [STATE_DIR] [WIDTHxHEIGHT+X+Y]"
out=$1
dir=$(tb_state_dir "${2:-}")
crop=()
if [[ -n "${3:-}" ]]; then
    [[ "$3" =~ ^[0-9]+x[0-9]+\+[0-9]+\+[0-9]+$ ]] || tb_die "not a rectangle: '$3' (WIDTHxHEIGHT+X+Y)"
    crop=(-crop "$3" +repage)
fi
screen=$dir/xvfb/Xvfb_screen0
[[ -r "$screen" ]] || tb_die "no Xvfb screen in $dir (start the test bed with --xvfb)"
tb_require convert
mkdir -p "$(dirname "$out")"
convert "xwd:$screen" ${crop[@]+"${crop[@]}"} "$out" || tb_die "convert could not read $screen"
tb_log "screenshot: $out"
