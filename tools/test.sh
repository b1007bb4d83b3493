#!/usr/bin/env bash
# Installs what is missing, builds all builds and runs every test: the native unit tests (also
# under AddressSanitizer and UndefinedBehaviorSanitizer), then the 32- and 64-bit Windows
# programs end to end under Wine, against a private CUPS server with real PPD drivers.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

tools/setup.sh
tools/build.sh native sanitize win32 win64

ctest --test-dir build/native --output-on-failure -j"$(nproc)"
ctest --test-dir build/sanitize --output-on-failure -j"$(nproc)"

eval "$(tools/testbed/start.sh)"
trap 'tools/testbed/stop.sh >/dev/null' EXIT
tests/e2e/run.sh build/native build/win32 build/win64
