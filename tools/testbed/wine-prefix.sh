#!/usr/bin/env bash
# Creates the Wine prefix of one test run inside the state folder.
#
#   eval "$(tools/testbed/wine-prefix.sh STATE_DIR)"
#
# Run it after cups-start.sh with the CUPS environment exported: the prefix lists the
# queues of the CUPS server it sees. Prints the Wine environment to export (and writes
# it to STATE_DIR/wine.env). The prefix is 64-bit and runs both the i686 and the
# x86_64 builds where 32-bit code runs, the x86_64 build alone elsewhere
# (wine-loader.sh). No display is needed.
source "$(dirname "${BASH_SOURCE[0]}")/../errors.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$TB_SCRIPTS/wine-loader.sh"

tb_require "$TB_WINE" wineserver iconv
dir=$(tb_state_dir "${1:-}")
prefix=$dir/wine
[[ ! -e "$prefix" ]] || tb_die "a Wine prefix exists already in $dir"
[[ -n "${CUPS_SERVER:-}" ]] || tb_log "warning: CUPS_SERVER is not set; Wine will see the system's CUPS printers"

export WINEPREFIX=$prefix
export WINEDEBUG=-all
# No Mono/Gecko download prompt, no menu entries or file associations on the host.
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
unset WINEARCH

log=$dir/wine.log
# A new prefix maps drive Z: to the root folder.
win_path() { local p=$1; printf 'Z:%s' "${p//\//\\}"; }
start=$(tb_ms)
# Output goes to a file: the wineserver outlives wineboot and would keep a
# caller's $(...) open.
timeout 300 "$TB_WINE" wineboot -i </dev/null >>"$log" 2>&1 \
    || tb_die "wineboot -i failed or timed out: $(tail -5 "$log")"

# Wine draws caption buttons with its symbol font Marlett, but this Wine loads no font from its
# own data folder: without a copy in the prefix's font folder the buttons show as "0 1 r".
marlett=$(dirname "$(readlink -f "$(command -v "$TB_WINE")")")/../../share/wine/fonts/marlett.ttf
[[ -r $marlett ]] || marlett=/usr/share/wine/fonts/marlett.ttf
[[ -r $marlett ]] || tb_die "Wine's symbol font marlett.ttf is missing (package fonts-wine; run tools/setup.sh)"
mkdir -p "$prefix/drive_c/windows/Fonts"
ln -sf "$marlett" "$prefix/drive_c/windows/Fonts/marlett.ttf"

# Japanese face names resolve to installed fonts, the fixed-pitch ones to VL Gothic and the
# proportional ones to VL PGothic: IPA Gothic's hinting leaves the underscore without a single pixel
# at 11 to 13 pixels. The controls' own faces go there too: menus, message boxes, dialogs and the
# status bar ask for "MS Shell Dlg" (Tahoma), which this Wine would give IPA Gothic. Wine's
# rich edit control reads the names of an RTF font table in the document's code page rather than
# the font's character set, so under code page 1252 the report's "ＭＳ ゴシック" (Shift-JIS) arrives
# as "‚l‚r ƒSƒVƒbƒN": that name is mapped as well. No crash dialogs (winedbg prints the backtrace
# to the console instead); no sound driver to probe. Imported as UTF-16 so the face names do not
# depend on the locale of the caller.
reg_utf8=$dir/testbed.reg.txt
cat >"$reg_utf8" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ ゴシック"="VL Gothic"
"MS Gothic"="VL Gothic"
"‚l‚r ƒSƒVƒbƒN"="VL Gothic"
"ＭＳ Ｐゴシック"="VL PGothic"
"MS UI Gothic"="VL PGothic"
"MS Shell Dlg"="VL PGothic"
"MS Shell Dlg 2"="VL PGothic"
"Tahoma"="VL PGothic"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"=""
REG
{ printf '\xff\xfe'; sed 's/$/\r/' "$reg_utf8" | iconv -f UTF-8 -t UTF-16LE; } >"$dir/testbed.reg"
"$TB_WINE" regedit /S "$(win_path "$dir/testbed.reg")" </dev/null >>"$log" 2>&1 \
    || tb_die "regedit could not import $dir/testbed.reg: $(tail -5 "$log")"

# Read the key back through Wine: the face names must arrive intact, whatever the
# caller's locale.
check=$dir/fonts-check.reg
"$TB_WINE" reg export 'HKCU\Software\Wine\Fonts\Replacements' \
    "$(win_path "$check")" /y </dev/null >>"$log" 2>&1 \
    || tb_die "cannot export the font replacements: $(tail -5 "$log")"
got=$(iconv -f UTF-16 -t UTF-8 "$check" | tr -d '\r')
while IFS= read -r want; do
    [[ "$want" == '"'* ]] || continue
    grep -qxF -- "$want" <<<"$got" || tb_die "font replacement not in the prefix: $want"
done < <(sed -n '/Fonts\\Replacements/,/^$/p' "$reg_utf8")
# Wine's desktop process keeps the display it found at wineboot for as long as this prefix's
# wineserver lives: a program started on a display made after the prefix (a headless machine's
# first run) would find no window system. Waiting for the server to end makes the next program
# start a desktop of its own, on the display it is given.
timeout 60 wineserver -w >>"$log" 2>&1 || tb_die "the wineserver of $prefix did not end within 60 s after making it"
elapsed=$(tb_secs $(($(tb_ms) - start)))

env_file=$dir/wine.env
{
    echo "export WINEPREFIX=$(tb_q "$prefix")"
    echo "export WINEDEBUG=-all"
    echo "export WINEDLLOVERRIDES=$(tb_q "$WINEDLLOVERRIDES")"
    [[ -z "${WINELOADER:-}" ]] || echo "export WINELOADER=$(tb_q "$WINELOADER")"
} >"$env_file"
cat "$env_file"
tb_log "Wine prefix ready in ${elapsed}s: $prefix"
