#!/usr/bin/env bash
# The download's zips as a user uses them, under Wine on the test bed's print server and display:
# each zip checked against SHA256SUMS and unpacked into a folder whose path has a space and
# Japanese characters; from there the report tool's --version, --list and a report, and Ostrel.exe
# started with its printer list read. Needs the test bed with a display
# (eval "$(tools/testbed/start.sh --xvfb)"), the zips (tools/package.sh) and the Windows builds
# (their printer-list.exe reads Ostrel.exe's list; their ostrel-report.exe writes the report the
# unpacked one must match):
#   tests/package/run.sh build/package build/win32 build/win64
# The 32-bit zip is skipped, with the reason, where no 32-bit code runs. Ends with
# "N passed, N failed"; exit status 1 when anything failed.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

[[ $# -ge 2 ]] || { echo "usage: tests/package/run.sh PACKAGE_FOLDER WINDOWS_BUILD..." >&2; exit 2; }
package=$(cd "$1" && pwd) || { echo "run.sh: no folder $1" >&2; exit 2; }
shift
[[ -s $package/SHA256SUMS ]] || { echo "run.sh: no zips in $package: run tools/package.sh first" >&2; exit 2; }
[[ -n "${WINEPREFIX:-}" && -n "${CUPS_SERVER:-}" && -n "${DISPLAY:-}" ]] \
    || { echo "run.sh: start the test bed with a display first" >&2; exit 2; }
source "$root/tools/testbed/wine-loader.sh"
wine() { command "$TB_WINE" "$@"; }
winpath() { local p=Z:$1; printf '%s' "${p//\//\\}"; }

source "$root/tests/common/checks.sh"

version=$(sed -n 's/^[0-9a-f]*  Ostrel-\(.*\)-win64\.zip$/\1/p' "$package/SHA256SUMS")
# The text both programs must name: the version, and the commit this tree is at.
commit=$(git -C "$root" rev-parse HEAD)
commit=${commit:0:12}
[[ -z $(git -C "$root" status --porcelain --untracked-files=no) ]] || commit+=", modified"
version_text="$version ($commit)"

work=$(mktemp -d "${TMPDIR:-/tmp}/ostrel-package.XXXXXX")
trap 'rm -rf "$work"' EXIT

for build in "$@"; do
    build=$(cd "$build" && pwd) || { fail "no build $build"; continue; }
    arch=$(basename "$build")
    if [[ " $TB_WINE_BUILDS " != *" $arch "* ]]; then
        printf 'SKIPPED [%s] the %s zip: %s\n' "$arch" "$arch" "$TB_WINE_SKIP_REASON"
        continue
    fi
    archive=Ostrel-$version-$arch.zip
    check "[$arch] $archive has the SHA-256 that SHA256SUMS gives" \
        bash -c "cd '$package' && grep -F '  $archive' SHA256SUMS | sha256sum --check --status"

    folder="$work/$arch/Ostrel の 試用"
    mkdir -p "$folder"
    (cd "$folder" && cmake -E tar xf "$package/$archive")
    dir=$folder/Ostrel-$version-$arch
    listing=$(cd "$folder" && find . | LC_ALL=C sort | tr '\n' ' ')
    check "[$arch] the zip holds one folder with both programs, README.txt and the documents" test "$listing" = \
        ". ./Ostrel-$version-$arch ./Ostrel-$version-$arch/Ostrel.exe ./Ostrel-$version-$arch/README.txt ./Ostrel-$version-$arch/docs ./Ostrel-$version-$arch/docs/findings.md ./Ostrel-$version-$arch/docs/printer-description-format.md ./Ostrel-$version-$arch/docs/report-json-format.md ./Ostrel-$version-$arch/ostrel-report.exe "
    check "[$arch] README.txt has CR LF line ends only" \
        bash -c "test -s '$dir/README.txt' && ! tr -d '\r' <'$dir/README.txt' | cmp -s - '$dir/README.txt' && test \"\$(grep -c \$'\r\$' '$dir/README.txt')\" = \"\$(wc -l <'$dir/README.txt')\""
    for exe in Ostrel.exe ostrel-report.exe; do
        check "[$arch] $exe is stripped" bash -c "objdump -h '$dir/$exe' | grep -q ' \\.text ' && ! objdump -t '$dir/$exe' | grep -q '\\.text'"
        check "[$arch] $exe's version resource names $version_text" \
            bash -c "test \"\$(strings -el '$dir/$exe' | grep -cxF '$version_text')\" -ge 2"
    done

    # The report tool, run from the unpacked folder as a user runs it there.
    out=$(cd "$dir" && wine ostrel-report.exe --version 2>&1 | tr -d '\r')
    check "[$arch] --version says 'ostrel-report $version_text' (it said '$out')" test "$out" = "ostrel-report $version_text"
    mapfile -t queues < <(cd "$dir" && wine ostrel-report.exe --list | tr -d '\r' | LC_ALL=C sort)
    check "[$arch] --list lists the test bed's queues" test "${#queues[@]}" -ge 4
    queue=${queues[0]:-none}
    (cd "$dir" && wine ostrel-report.exe -o "report $queue.txt" "$queue")
    wine "$build/console/ostrel-report.exe" -o "$work/$arch-$queue.txt" "$queue"
    check "[$arch] the report of $queue, written into the unpacked folder, is the build's" \
        cmp -s "$dir/report $queue.txt" "$work/$arch-$queue.txt"

    # The desktop program, started from there, lists the same printers.
    entries=$(cd "$dir" && wine "$build/tests/printer-list.exe" "$(winpath "$dir/Ostrel.exe")" 2>&1 | tr -d '\r')
    check "[$arch] Ostrel.exe started from the unpacked folder lists the printers (it listed: $(tr '\n' ',' <<<"$entries"))" \
        test "$(LC_ALL=C sort <<<"$entries")" = "$(printf '%s\n' "${queues[@]}")"
done

printf '%d passed, %d failed\n' "$passed" "$failed"
[[ $failed -eq 0 ]]
