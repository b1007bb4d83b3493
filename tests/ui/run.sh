#!/usr/bin/env bash
# User-interface tests of Ostrel.exe under Wine on the test bed's Xvfb display and print server:
# the driver (ui_driver.exe, built beside Ostrel.exe) starts the program and checks it from outside.
# Needs the test bed with a display (eval "$(tools/testbed/start.sh --xvfb)") and the Windows builds:
#   tests/ui/run.sh build/win32 build/win64
# OSTREL_UI_ONLY=window (frame, document, hygiene, window, print, findings, compare) runs one group of checks.
# Builds this machine cannot run are skipped with the reason. Screenshots go to build/ui-artefacts/
# (or OSTREL_UI_ARTEFACTS). Shows the driver's FAILED and SKIPPED lines, and its MEASURED lines (the
# handle-hygiene figures and where each counter came from), and fails when Wine's heap checking
# reported misused memory on the program's standard error. Ends with "N passed, N failed"; exit
# status 1 when anything failed.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

[[ $# -gt 0 ]] || { echo "usage: tests/ui/run.sh WINDOWS_BUILD..." >&2; exit 2; }
[[ -n "${WINEPREFIX:-}" && -n "${CUPS_SERVER:-}" && -n "${OSTREL_TESTBED_DIR:-}" ]] \
    || { echo "run.sh: start the test bed first" >&2; exit 2; }
[[ -n "${DISPLAY:-}" && -r "$OSTREL_TESTBED_DIR/xvfb/Xvfb_screen0" ]] \
    || { echo "run.sh: the test bed has no display: start it with --xvfb" >&2; exit 2; }
[[ -n "${OSTREL_PRINT_FILE:-}" ]] || { echo "run.sh: the test bed has no file queue (OSTREL_PRINT_FILE)" >&2; exit 2; }
source "$root/tools/testbed/wine-loader.sh"

artefacts=${OSTREL_UI_ARTEFACTS:-$root/build/ui-artefacts}
mkdir -p "$artefacts"
artefacts=$(cd "$artefacts" && pwd)

# Queues of the printing checks, made before any Wine process of the run reads the print server:
# Wine's spooler takes a queue's driver (its PPD) only when it first copies the queues.
large_ppd() { # a PostScript driver with 2,013 paper sizes, for a large report
    local i
    printf '%s\n' '*PPD-Adobe: "4.3"' '*FormatVersion: "4.3"' '*FileVersion: "1.0"' '*LanguageVersion: English' \
        '*LanguageEncoding: ISOLatin1' '*PCFileName: "LARGE.PPD"' '*Manufacturer: "Ostrel Tests"' \
        '*Product: "(Large)"' '*ModelName: "Ostrel Large Paper List"' '*ShortNickName: "Ostrel Large Paper List"' \
        '*NickName: "Ostrel Large Paper List"' '*PSVersion: "(3010.000) 0"' '*LanguageLevel: "3"' \
        '*ColorDevice: False' '*DefaultColorSpace: Gray' '*FileSystem: False' '*Throughput: "1"' \
        '*LandscapeOrientation: Plus90' '*TTRasterizer: Type42' \
        '*OpenUI *PageSize: PickOne' '*OrderDependency: 10 AnySetup *PageSize' '*DefaultPageSize: S1'
    for ((i = 1; i <= 2013; i++)); do
        printf '*PageSize S%d/Size %d: "<</PageSize[%d %d]>>setpagedevice"\n' $i $i $((200 + i)) $((300 + i))
    done
    printf '%s\n' '*CloseUI: *PageSize' '*OpenUI *PageRegion: PickOne' '*OrderDependency: 10 AnySetup *PageRegion' \
        '*DefaultPageRegion: S1'
    for ((i = 1; i <= 2013; i++)); do
        printf '*PageRegion S%d/Size %d: "<</PageSize[%d %d]>>setpagedevice"\n' $i $i $((200 + i)) $((300 + i))
    done
    printf '%s\n' '*CloseUI: *PageRegion' '*DefaultImageableArea: S1'
    for ((i = 1; i <= 2013; i++)); do
        printf '*ImageableArea S%d/Size %d: "10 10 %d %d"\n' $i $i $((190 + i)) $((290 + i))
    done
    printf '%s\n' '*DefaultPaperDimension: S1'
    for ((i = 1; i <= 2013; i++)); do
        printf '*PaperDimension S%d/Size %d: "%d %d"\n' $i $i $((200 + i)) $((300 + i))
    done
}
queues_work=$(mktemp -d "${TMPDIR:-/tmp}/ostrel-ui-queues.XXXXXX")
large_ppd >"$queues_work/large.ppd"
lpadmin -p Ui-Large -P "$queues_work/large.ppd" -v file:/dev/null -E >/dev/null 2>&1 \
    || echo "run.sh: the large queue could not be made (its checks fail)" >&2
lpadmin -p Ui-Rejecting -v file:/dev/null -E >/dev/null 2>&1 && cupsreject Ui-Rejecting \
    || echo "run.sh: the rejecting queue could not be made (its checks fail)" >&2
remove_queues() { lpadmin -x Ui-Large 2>/dev/null; lpadmin -x Ui-Rejecting 2>/dev/null; rm -rf "$queues_work"; }
trap remove_queues EXIT
"$root/tools/testbed/wine-stop.sh" "$OSTREL_TESTBED_DIR" >/dev/null 2>&1

source "$root/tests/common/checks.sh"
winpath() { local p; p=$(cd "$(dirname "$1")" && pwd)/$(basename "$1"); p=Z:$p; printf '%s' "${p//\//\\}"; }

for build in "$@"; do
    case $(basename "$build") in
        *win32) arch=win32 ;;
        *win64) arch=win64 ;;
        *) fail "[$build] not a Windows build (the folder's name ends in win32 or win64)"; continue ;;
    esac
    if [[ " $TB_WINE_BUILDS " != *" $arch "* ]]; then
        echo "run.sh: skipped $build: $TB_WINE_SKIP_REASON"
        continue
    fi
    for exe in desktop/Ostrel.exe console/ostrel-report.exe tests/ui/ui_driver.exe; do
        [[ -f "$build/$exe" ]] || { fail "[$arch] $build/$exe is missing (build it first)"; continue 2; }
    done
    work=$(mktemp -d "${TMPDIR:-/tmp}/ostrel-ui.XXXXXX")
    # A folder the program cannot write in, with a file the failed save must leave alone. Wine runs
    # as whoever runs this: for root only the immutable attribute keeps the folder closed.
    read_only=$work/read-only
    mkdir "$read_only"
    echo "there before the save" >"$read_only/kept.txt"
    chmod 555 "$read_only"
    if touch "$read_only/.probe" 2>/dev/null; then
        rm -f "$read_only/.probe"
        chattr +i "$read_only" 2>/dev/null
    fi
    read_only_arg=()
    if touch "$read_only/.probe" 2>/dev/null; then
        rm -f "$read_only/.probe"
    else
        read_only_arg=(--read-only-folder "$(winpath "$read_only")")
    fi
    shot=$artefacts/$arch-report-window.png
    rm -f "$artefacts/report-window.png" "$shot"
    # Through a pipe, as the driver's children (the program, the tools, Wine itself) write to the
    # same output; the substitution's status is the driver's.
    out=$(timeout 2400 "$TB_WINE" "$build/tests/ui/ui_driver.exe" \
        --build "$arch" \
        --ostrel "$(winpath "$build/desktop/Ostrel.exe")" \
        --tool "$(winpath "$build/console/ostrel-report.exe")" \
        --work "$(winpath "$work")" \
        --artefacts "$artefacts" \
        --screenshot-tool "$root/tools/testbed/xvfb-screenshot.sh" \
        --screen "$(winpath "$OSTREL_TESTBED_DIR/xvfb/Xvfb_screen0")" \
        --print-file "$(winpath "$OSTREL_PRINT_FILE")" \
        --spool "$(winpath "$OSTREL_TESTBED_DIR/cups/spool")" \
        "${read_only_arg[@]}" ${OSTREL_UI_ONLY:+--only "$OSTREL_UI_ONLY"} 2>&1 | tr -d '\r'
        exit "${PIPESTATUS[0]}")
    status=$?
    printf '%s\n' "$out" | grep -E '^(FAILED|SKIPPED|MEASURED)'
    # Wine's heap checking (the closing checks run the program with it) reports on standard error.
    heap=$(printf '%s\n' "$out" | grep -E '^[0-9a-f]+:(err|warn):heap:' | head -n 5)
    if [[ -n $heap ]]; then
        fail "[$arch] Wine's heap checking found misused memory: $heap"
    else
        pass
    fi
    # The last summary line: a test bed tool's message may come after it.
    summary=$(printf '%s\n' "$out" | grep -E '^[0-9]+ passed, [0-9]+ failed$' | tail -n 1)
    if [[ $summary =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]]; then
        passed=$((passed + BASH_REMATCH[1]))
        failed=$((failed + BASH_REMATCH[2]))
    elif [[ $status -eq 0 ]]; then
        # The driver exits 0 only when every check passed. In the full 32-bit run its closing line
        # has gone missing after the last group (not yet understood); its status still decides.
        echo "NOTE [$arch] the driver's closing line did not arrive; its exit status 0 says every check passed"
        pass
    else
        fail "[$arch] the driver did not finish (exit status $status$([[ $status -ne 124 ]] || echo ', its 2400 s ran out')): $(printf '%s\n' "$out" | tail -n 5)"
    fi
    if [[ -s "$artefacts/report-window.png" ]]; then
        mv "$artefacts/report-window.png" "$shot"
        pass
        echo "run.sh: [$arch] screenshot of a report window: $shot"
    elif [[ -z "${OSTREL_UI_ONLY:-}" || $OSTREL_UI_ONLY == frame ]]; then
        fail "[$arch] no screenshot of a report window was taken"
    fi
    # The driver's leftovers: in its own folder only; Wine processes of the run end with the test bed.
    chattr -i "$read_only" 2>/dev/null
    chmod 755 "$read_only"
    rm -rf "$work"
done

printf '%d passed, %d failed\n' "$passed" "$failed"
[[ $failed -eq 0 ]]
