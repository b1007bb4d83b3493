# shellcheck shell=bash
# Sourced first by every script: stop at the first command that fails, and say which one and on
# what line. set -e alone ends a script in silence when the failure is inside a command
# substitution or a function; the substitution's own shell stays quiet here, and its assignment
# (the line that stops the script) is named instead.
set -eEuo pipefail
trap 'errors_status=$?; [[ $BASH_SUBSHELL -gt 0 ]] ||
      printf "%s: line %s: failed with exit status %s: %s\n" "${0##*/}" "$LINENO" "$errors_status" "$BASH_COMMAND" >&2' ERR
