#!/usr/bin/env bash
# End-to-end tests of the Windows builds under Wine, on the test bed's real CUPS printers.
# Needs the test bed's environment (eval "$(tools/testbed/start.sh)") and the builds:
#   tests/e2e/run.sh NATIVE_BUILD WINDOWS_BUILD...
# A Windows build this machine cannot run (the 32-bit one where no 32-bit code runs) is skipped
# with a line that says so. Ends with "N passed, N failed"; exit status 1 when anything failed.
set -uo pipefail

# Absolute: some checks run the native tool from the work folder.
native=$(cd "$1" && pwd) || { echo "run.sh: no native build at $1" >&2; exit 2; }
shift
[[ -n "${WINEPREFIX:-}" && -n "${CUPS_SERVER:-}" ]] || { echo "run.sh: start the test bed first" >&2; exit 2; }
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/testbed/wine-loader.sh"
wine() { command "$TB_WINE" "$@"; }

builds=()
for build in "$@"; do
    if [[ " $TB_WINE_BUILDS " == *" $(basename "$build") "* ]]; then
        builds+=("$build")
    else
        printf 'SKIPPED [%s] every end-to-end check of this build: %s\n' "$(basename "$build")" "$TB_WINE_SKIP_REASON"
    fi
done
[[ ${#builds[@]} -gt 0 ]] || { echo "run.sh: none of the given builds can run on this machine" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/ostrel-e2e.XXXXXX")
trap 'rm -rf "$work"' EXIT

source "$(dirname "${BASH_SOURCE[0]}")/../common/checks.sh"

# Runs a checker program that ends with "N passed, N failed" and adds its counts to ours.
add_counts() {
    local name=$1 what=$2 out summary status
    shift 2
    "$@" >"$work/checker.out" 2>&1
    status=$?
    out=$(tr -d '\r' <"$work/checker.out")
    printf '%s\n' "$out" | grep '^FAILED' | sed "s/^/[$name] /"
    summary=$(printf '%s\n' "$out" | tail -n 1)
    if [[ $summary =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]]; then
        passed=$((passed + BASH_REMATCH[1]))
        failed=$((failed + BASH_REMATCH[2]))
    else
        fail "[$name] $what did not finish (exit status $status): $(printf '%s\n' "$out" | tail -n 5)"
    fi
}

for build in "${builds[@]}"; do
    tool="$build/console/ostrel-report.exe"
    name=$(basename "$build")

    # In-process comparison of every report with direct spooler queries.
    add_counts "$name" wine_report_check wine "$build/tests/wine_report_check.exe"

    mapfile -t queues < <(wine "$tool" --list | tr -d '\r')
    check "[$name] the tool lists the test bed's queues" test "${#queues[@]}" -ge 4
    if [[ ${#queues[@]} -eq 0 ]]; then
        fail "[$name] no other check of this build ran: the tool listed no queues"
        continue
    fi
    for queue in "${queues[@]}"; do
        wine "$tool" "$queue" >"$work/$name-$queue.txt"
        check "[$name] report of $queue" test -s "$work/$name-$queue.txt"
        wine "$tool" --snapshot "$queue" -o "$work/$name-$queue.json"
        "$native/console/ostrel-report" --printers "$work/$name-$queue.json" "$queue" >"$work/$name-$queue.native.txt"
        check "[$name] snapshot of $queue renders the same report natively" \
            cmp -s "$work/$name-$queue.txt" "$work/$name-$queue.native.txt"
    done

    wine "$tool" --findings --all | tr -d '\r' >"$work/$name-findings.txt"
    check "[$name] findings: the default printer's 300 dpi is none the driver offers" \
        grep -q '^Office-PS: error resolution-not-offered: Default device mode asks for 300 \* 300 dpi' \
        "$work/$name-findings.txt"
    snapshots=()
    for queue in "${queues[@]}"; do snapshots+=("$name-$queue.json"); done
    (cd "$work" && "$native/console/ostrel-report" --findings --printers "${snapshots[@]}" \
        | sed "s/^$name-[^:]*\.json: //" >"$work/$name-findings.native.txt")
    check "[$name] findings of the snapshots are those of the live queues" \
        cmp -s "$work/$name-findings.txt" "$work/$name-findings.native.txt"

    case $name in
        win32 | win64)
            check "[$name] snapshots record the layout of the program that took them" \
                grep -q "\"layout\": \"$name\"" "$work/$name-${queues[0]}.json" ;;
    esac
    # The desktop program's exports, called through GetProcAddress, and their names in the file.
    add_counts "$name" exports_check wine "$build/tests/exports_check.exe" "$build/desktop/Ostrel.exe"
    # The report control takes a report of a megabyte whole; it needs a display (start.sh --xvfb).
    if [[ -n "${DISPLAY:-}" ]]; then
        out=$(wine "$build/tests/rich_edit_check.exe" 2>&1 | tr -d '\r')
        printf '%s\n' "$out" | grep -E '^(FAILED|streaming)' | sed "s/^/[$name] /"
        check "[$name] the report control shows a megabyte report whole" test "$(printf '%s\n' "$out" | tail -n 1)" = "4 passed, 0 failed"
    else
        printf '[%s] rich_edit_check skipped: no display\n' "$name"
    fi
    exports=$(objdump -p "$build/desktop/Ostrel.exe" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | awk 'NF && !/Table/ {print $NF}' | sort | tr '\n' ' ')
    check "[$name] the 11 exports carry plain names" test "$exports" = "AllocItemIDList ChopItemIDList ConcatItemIDList CopyItemIDList GetErrorString GetItemIDListSize GetLastErrorString GetNextItemID GetNthItemID GetNumOfItemID PathToIDList "

    wine "$tool" "No Such Printer 42" 2>"$work/unknown.err" | tr -d '\r' >"$work/unknown.txt"
    unknown_status=${PIPESTATUS[0]}
    check "[$name] unknown printer gives the open failure line with the system text" \
        grep -qx '\*\*\* CANNOT OPEN PRINTER \*\*\*: 1801: Invalid printer name\. ' "$work/unknown.txt"
    check "[$name] unknown printer exits with 3 and is named on standard error" \
        bash -c "test $unknown_status -eq 3 && grep -q '^ostrel-report: cannot open printer No Such Printer 42: 1801: ' '$work/unknown.err'"

    wine "$tool" >/dev/null 2>&1
    check "[$name] usage error exits with 2" test $? -eq 2
    wine "$tool" -o "$work/no/such/folder/r.txt" "${queues[0]}" >/dev/null 2>&1
    check "[$name] unwritable file exits with 1" test $? -eq 1
    wine "$tool" -o "$work/$name.RTF" "${queues[0]}"
    check "[$name] .RTF gives rich text" grep -q '^{\\rtf1' "$work/$name.RTF"
    check "[$name] the RTF declares the system's code page" grep -q '^{\\rtf1\\ansi\\ansicpg1252\\' "$work/$name.RTF"

    wine "$tool" --help >"$work/help.txt"
    check "[$name] --help exits 0" test $? -eq 0
    wine "$tool" --list >/dev/full 2>"$work/err.txt"
    check "[$name] --list to a full disk exits 1" test $? -eq 1
    check "[$name] ... and says why" grep -q 'cannot write standard output: ' "$work/err.txt"
    wine "$tool" "${queues[0]}" >&- 2>/dev/null
    check "[$name] a report to a closed standard output exits 1" test $? -eq 1

    # A failed write leaves the user's files as they were and no temporary file behind.
    keep="$work/$name-keep"
    mkdir -p "$keep/taken.txt"
    echo mine >"$keep/r.txt.partial"
    echo old >"$keep/r.txt"
    wine "$tool" -o "$keep/taken.txt" "${queues[0]}" >/dev/null 2>&1
    check "[$name] a folder in the way exits 1" test $? -eq 1
    wine "$tool" -o "$keep/r.txt" "${queues[0]}"
    check "[$name] a written report replaces the file" grep -q '^- Ostrel -' "$keep/r.txt"
    check "[$name] ... and nothing else changed" test "$(cd "$keep" && echo *)" = "r.txt r.txt.partial taken.txt"
    check "[$name] ... the user's .partial file is kept" grep -qx mine "$keep/r.txt.partial"

    wine "$tool" --all -o "$work/$name-all"
    check "[$name] --all writes every report" test "$(ls "$work/$name-all" | wc -l)" -eq "${#queues[@]}"

    # The whole machine into one file renders every report as the machine does.
    wine "$tool" --snapshot --all -o "$work/$name-machine.json"
    wine "$tool" --all >"$work/$name-all.txt"
    "$native/console/ostrel-report" --printers "$work/$name-machine.json" --all >"$work/$name-machine.txt"
    check "[$name] --snapshot --all renders every report natively as --all" \
        cmp -s "$work/$name-all.txt" "$work/$name-machine.txt"
    wine "$tool" --format json "${queues[0]}" >"$work/$name.json"
    check "[$name] --format json parses" python3 -c 'import json, sys; json.load(open(sys.argv[1]))' "$work/$name.json"

    # A live printer against its own snapshot; then against it after the queue's default paper was
    # changed in the print server. Wine rebuilds a printer's default device mode from its queue in
    # every process, so a device mode set with SetPrinter is gone in the next one; the queue's own
    # default is what a Wine printer's settings follow.
    queue=Office-PS
    wine "$tool" --snapshot "$queue" -o "$work/$name-before.json"
    out=$(wine "$tool" --compare "$queue" "$work/$name-before.json:$queue" | tr -d '\r')
    check "[$name] a printer compared with its snapshot is the same" test "$out" = "Same."
    paper=$(grep -m1 '^dmFormName' "$work/$name-$queue.txt" | sed 's/^[^:]*: //')
    lpadmin -p "$queue" -o PageSize=A5
    wine "$tool" --compare "$work/$name-before.json:$queue" "$queue" | tr -d '\r' >"$work/$name-compare.txt"
    check "[$name] ... after a new default paper the compare exits 4" test "${PIPESTATUS[0]}" -eq 4
    check "[$name] ... and names the paper" grep -q '^dmPaperSize *: 0x[0-9a-f]*: DMPAPER_[A-Z0-9_]*  |  0x0000000b: DMPAPER_A5$' "$work/$name-compare.txt"
    lpadmin -p "$queue" -o "PageSize=${paper:-Letter}"
done

# The Windows 95 family lists "printer. port" entries; Wine can be told to be Windows 98.
tool="${builds[0]}/console/ostrel-report.exe"
wine reg add 'HKCU\Software\Wine' /v Version /d win98 /f >/dev/null 2>&1
mapfile -t entries < <(wine "$tool" --list | tr -d '\r')
check "[win98] entries are printer. port" test "${entries[0]:-}" = "CUPS-PDF. CUPS:CUPS-PDF"
wine "$tool" "Office-PS. CUPS:Office-PS" | tr -d '\r' >"$work/win98.txt"
check "[win98] the report names the printer before the port" grep -qx 'pPrinterName             : Office-PS' "$work/win98.txt"
check "[win98] the report has no open failure" bash -c "! grep -q 'CANNOT OPEN' '$work/win98.txt'"
wine reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1

printf '%d passed, %d failed\n' "$passed" "$failed"
[[ $failed -eq 0 ]]
