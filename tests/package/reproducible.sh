#!/usr/bin/env bash
# Proves that the zips of tools/package.sh depend on the commit alone: makes them a second time
# from a copy of the tree in another folder (a different path and length, later, from a fresh
# build folder) and compares both zips byte for byte with those in build/package/. The copy has
# this tree's commit and its uncommitted changes; it builds the two programs of each Windows build
# only, not the tests.
#   tools/package.sh && tests/package/reproducible.sh
# Ends with "N passed, N failed"; exit status 1 when anything failed.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
first=$root/build/package
[[ -s $first/SHA256SUMS ]] || { echo "reproducible.sh: no zips in $first: run tools/package.sh first" >&2; exit 2; }

passed=0
failed=0
pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); printf 'FAILED %s\n' "$*"; }

work=$(mktemp -d "${TMPDIR:-/tmp}/ostrel-rebuild.XXXXXX")
trap 'rm -rf "$work"' EXIT
copy=$work/second/copy-of-the-tree
# The commit's objects are borrowed from this repository; the uncommitted changes (a patch of the
# tracked files, and the files git does not ignore but does not track yet) are laid on top.
if git clone -q --shared --no-checkout "$root" "$copy" &&
    git -C "$copy" checkout -q --detach "$(git -C "$root" rev-parse HEAD)" &&
    { git -C "$root" diff --quiet HEAD || git -C "$root" diff --binary HEAD | git -C "$copy" apply; } &&
    (cd "$root" && git ls-files -z --others --exclude-standard | xargs -0 -r cp --parents -t "$copy"); then
    pass
else
    fail "a copy of the tree with the same commit and changes could not be made in $copy"
fi

TIMEFORMAT='reproducible.sh: the second build and its zips took %0R s (processor time: %0U s user, %0S s system)'
time if (cd "$copy" && tools/package.sh >"$work/package.log" 2>&1); then
    pass
else
    fail "tools/package.sh failed in the copy: $(tail -n 5 "$work/package.log")"
fi

while read -r sum name; do
    second=$(cd "$copy/build/package" 2>/dev/null && sha256sum "$name" 2>/dev/null)
    if [[ $second == "$sum  $name" ]]; then
        pass
    else
        fail "$name built in $copy is not the one in $first: ${second%% *} instead of $sum"
    fi
done <"$first/SHA256SUMS"
if cmp -s "$first/SHA256SUMS" "$copy/build/package/SHA256SUMS"; then pass; else fail "SHA256SUMS differ"; fi

printf '%d passed, %d failed\n' "$passed" "$failed"
[[ $failed -eq 0 ]]
