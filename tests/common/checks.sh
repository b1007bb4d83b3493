# shellcheck shell=bash
# The counting of the shell-driven test suites; sourced. Each suite ends with
#   printf '%d passed, %d failed\n' "$passed" "$failed"
passed=0
failed=0
pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); printf 'FAILED %s\n' "$*"; }
# check DESCRIPTION COMMAND...: passes when the command succeeds.
check() {
    local what=$1
    shift
    if "$@"; then pass; else fail "$what"; fi
}
