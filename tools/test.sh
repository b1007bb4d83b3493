#!/usr/bin/env bash
# Installs what is missing, builds all builds and runs every test: the native unit tests (also
# under AddressSanitizer and UndefinedBehaviorSanitizer), then the Windows programs end to end
# under Wine, against a private CUPS server with real PPD drivers, and the desktop program's
# user-interface tests under Wine on a private X display. Both Windows builds are always
# built; they are run where this machine can run them (the 32-bit one needs 32-bit code to run),
# and a build that cannot run is reported as skipped, with the reason.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

tools/setup.sh
tools/build.sh native sanitize win32 win64

ctest --test-dir build/native --output-on-failure -j"$(nproc)"
ctest --test-dir build/sanitize --output-on-failure -j"$(nproc)"
# The rich-text report in pandoc and LibreOffice (a minute: LibreOffice starts once).
rtf_status=0
tests/rtf-readers.sh build/native || rtf_status=1
# Each fuzz target for a short while from its seed corpus (tools/fuzz.sh runs them for longer).
tools/fuzz.sh --seconds 30

# Assigned first: inside eval "$(...)" a failed start would go unnoticed.
testbed=$(tools/testbed/start.sh --xvfb) || { echo "test.sh: the test bed did not start (see above); nothing under Wine was tested" >&2; exit 1; }
eval "$testbed"
trap 'tools/testbed/stop.sh >/dev/null' EXIT
status=0
tests/e2e/run.sh build/native build/win32 build/win64 || status=1
tests/ui/run.sh build/win32 build/win64 || status=1
[[ $rtf_status -eq 0 ]] || { echo "test.sh: the RTF readers check failed (see above)" >&2; status=1; }
exit $status
