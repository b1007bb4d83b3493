# shellcheck shell=bash
# Which Windows builds this machine can run under Wine, and with which loader; sourced, not run.
#
# Some machines run no 32-bit Linux code at all (the kernel's IA-32 emulation is off): there the
# 32-bit loader fails with "Exec format error", and Debian's /usr/bin/wine picks it whenever
# wine32:i386 is installed. Only the 64-bit loader works, and only the 64-bit build runs.
#
# After sourcing: tb_runs_32bit (0 or 1), TB_WINE (the command to start a Windows program),
# TB_WINE_BUILDS (win32 win64, or win64) and TB_WINE_SKIP_REASON (empty when nothing is skipped).
# WINELOADER is exported when the 64-bit loader is used alone, as wineserver and wineboot need it.

# A 93-byte static i386 program that only calls exit(0): it runs exactly where 32-bit code runs,
# before any 32-bit package is installed.
tb_probe_32bit() {
    local probe status
    probe=$(mktemp "${TMPDIR:-/tmp}/ostrel-probe32.XXXXXX") || return 1
    base64 -d >"$probe" <<<'f0VMRgEBAQAAAAAAAAAAAAIAAwABAAAAVIAECDQAAAAAAAAAAAAAADQAIAABAAAAAAAAAAEAAAAAAAAAAIAECACABAhdAAAAXQAAAAUAAAAAEAAAuAEAAAAx282A'
    chmod 700 "$probe"
    "$probe" 2>/dev/null
    status=$?
    rm -f "$probe"
    return $status
}

# The answer holds until the machine restarts, so it is kept per boot: the run script asks it on
# every call, where the probe's five processes would be a tenth of the time of a --list.
tb_runs_32bit_cached() {
    local cache=${TMPDIR:-/tmp}/ostrel-runs-32bit-$UID boot cached_boot answer
    read -r boot 2>/dev/null </proc/sys/kernel/random/boot_id || boot=
    if [[ -n $boot && -O $cache ]] && read -r cached_boot answer 2>/dev/null <"$cache" &&
        [[ $cached_boot == "$boot" && ($answer == 0 || $answer == 1) ]]; then
        return $((1 - answer))
    fi
    if tb_probe_32bit; then answer=1; else answer=0; fi
    [[ -z $boot ]] || printf '%s %s\n' "$boot" "$answer" >"$cache" 2>/dev/null || true
    return $((1 - answer))
}

if tb_runs_32bit_cached; then
    tb_runs_32bit=1
    TB_WINE=wine
    TB_WINE_BUILDS="win32 win64"
    TB_WINE_SKIP_REASON=
else
    tb_runs_32bit=0
    TB_WINE=/usr/lib/wine/wine64
    TB_WINE_BUILDS="win64"
    TB_WINE_SKIP_REASON="this machine runs no 32-bit code (the i386 loader fails with \"Exec format error\"), so the 32-bit build cannot run here"
    export WINELOADER=$TB_WINE
fi
# shellcheck disable=SC2034 # read by the scripts that source this file
export TB_WINE TB_WINE_BUILDS TB_WINE_SKIP_REASON
