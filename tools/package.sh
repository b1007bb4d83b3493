#!/usr/bin/env bash
# Makes the download for Windows users: build/package/Ostrel-VERSION-win32.zip and
# Ostrel-VERSION-win64.zip, with SHA256SUMS beside them. Each zip holds one folder
# Ostrel-VERSION-ARCH/: the stripped Ostrel.exe and ostrel-report.exe, README.txt and docs/ (the
# findings rules, the JSON format, the description files), as CR LF text.
#   tools/package.sh
# The zips depend on the commit alone: the same bytes wherever, whenever and by whom they are made
# (tests/package/reproducible.sh checks it). Every date in them is the commit's time; a tree that
# is no git checkout (a source archive) takes it from SOURCE_DATE_EPOCH.
source "$(dirname "${BASH_SOURCE[0]}")/errors.sh"
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

# Whatever step fails is named, with its status; its own error text is above.
step=
trap 'rc=$?; [[ $rc -eq 0 || -z $step ]] || echo "package.sh: failed: $step (exit status $rc)" >&2' EXIT

# Local time, collation and the creator's file modes must not reach the zips.
export TZ=UTC LC_ALL=C

step="reading the commit's time"
if [[ $(git rev-parse --show-toplevel 2>/dev/null) -ef $root ]]; then
    epoch=$(git log -1 --format=%ct)
elif [[ ${SOURCE_DATE_EPOCH:-} =~ ^[0-9]+$ ]]; then
    epoch=$SOURCE_DATE_EPOCH
else
    echo "package.sh: this tree is no git checkout: set SOURCE_DATE_EPOCH to the time of its sources" >&2
    exit 2
fi

step="building the programs (tools/build.sh --programs win32 win64)"
tools/build.sh --programs win32 win64

step="making the zips"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win32/CMakeCache.txt)
out=build/package
stage=build/package-stage
rm -rf "$out" "$stage"
mkdir -p "$out" "$stage"
for arch in win32 win64; do
    name=Ostrel-$version-$arch
    dir=$stage/$name
    mkdir -p "$dir/docs"
    # strip writes the time of day into the program's header unless given a date: 0, as the
    # linker leaves it.
    strip=$(sed -n 's/^CMAKE_STRIP:FILEPATH=//p' "build/$arch/CMakeCache.txt")
    SOURCE_DATE_EPOCH=0 "$strip" -o "$dir/Ostrel.exe" "build/$arch/desktop/Ostrel.exe"
    SOURCE_DATE_EPOCH=0 "$strip" -o "$dir/ostrel-report.exe" "build/$arch/console/ostrel-report.exe"
    bits=${arch#win}-bit
    sed "s/@VERSION@/$version/; s/@ARCH@/$bits/; s/\$/\r/" docs/windows-readme.txt >"$dir/README.txt"
    # A byte-order mark: Notepad before Windows 10 reads a Japanese Windows' text files without
    # one as Shift-JIS, and findings.md quotes the program's Japanese texts.
    for doc in findings report-json-format printer-description-format; do
        { printf '\xef\xbb\xbf'; sed 's/$/\r/' "docs/$doc.md"; } >"$dir/docs/$doc.md"
    done
    find "$dir" -type d -exec chmod 755 {} +
    find "$dir" -type f -exec chmod 644 {} +
    chmod 755 "$dir"/*.exe
    find "$dir" -exec touch -d "@$epoch" {} +
    # Entries in a fixed order; -X leaves out the owner and the extra time fields, so an entry has
    # only its name, its mode and its (commit's) modification time.
    (cd "$stage" && find "$name" | sort | zip -X -q -@ "$root/$out/$name.zip")
done
rm -rf "$stage"
(cd "$out" && sha256sum Ostrel-"$version"-win32.zip Ostrel-"$version"-win64.zip >SHA256SUMS)
step=
cat "$out/SHA256SUMS"
echo "package.sh: the zips and SHA256SUMS are in $out/" >&2
