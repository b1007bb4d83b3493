#!/usr/bin/env bash
# Installs what is missing, builds all builds and runs every test: the native unit tests (also
# under AddressSanitizer and UndefinedBehaviorSanitizer), then the Windows programs end to end
# under Wine, against a private CUPS server with real PPD drivers, and the desktop program's
# user-interface tests under Wine on a private X display; and the download's zips, built twice in
# different folders to the same bytes and used under Wine as a user would. Both Windows builds
# are always built; they are run where this machine can run them (the 32-bit one needs 32-bit code
# to run), and a build that cannot run is reported as skipped, with the reason.
source "$(dirname "${BASH_SOURCE[0]}")/errors.sh"
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

# Whatever step fails is named, with its status; its own error text is above.
step=
failed=()
trap 'rc=$?; [[ $rc -eq 0 || -z $step ]] || echo "test.sh: failed: $step (exit status $rc)" >&2
      [[ ${#failed[@]} -eq 0 ]] || printf "test.sh: failed: %s\n" "${failed[@]}" >&2' EXIT

step="the check that tools/setup.sh installs every program the scripts call (tools/check-setup.sh)"
tools/check-setup.sh
step="installing what is missing (tools/setup.sh)"
tools/setup.sh
step="building (tools/build.sh native sanitize win32 win64)"
tools/build.sh native sanitize win32 win64

# The download's zips, then the same zips from a copy of the tree in another folder: only the
# two programs of each Windows build are built again (minutes; the script says how long).
step="making the download's zips (tools/package.sh)"
tools/package.sh >/dev/null
package_status=0
tests/package/reproducible.sh || package_status=1

step="the native unit tests"
ctest --test-dir build/native --output-on-failure -j"$(nproc)"
step="the unit tests under the sanitizers"
ctest --test-dir build/sanitize --output-on-failure -j"$(nproc)"
# The rich-text report in pandoc and LibreOffice (a minute: LibreOffice starts once).
rtf_status=0
tests/rtf-readers.sh build/native || rtf_status=1
# Each fuzz target for a short while from its seed corpus (tools/fuzz.sh runs them for longer).
step="the fuzz targets (tools/fuzz.sh --seconds 30)"
tools/fuzz.sh --seconds 30

step="starting the test bed (nothing under Wine was tested)"
# Assigned first: inside eval "$(...)" a failed start would go unnoticed.
testbed=$(tools/testbed/start.sh --xvfb)
eval "$testbed"
trap 'rc=$?; [[ $rc -eq 0 || -z $step ]] || echo "test.sh: failed: $step (exit status $rc)" >&2
      [[ ${#failed[@]} -eq 0 ]] || printf "test.sh: failed: %s\n" "${failed[@]}" >&2
      tools/testbed/stop.sh >/dev/null' EXIT
step=
tests/e2e/run.sh build/native build/win32 build/win64 || failed+=("the end-to-end tests under Wine (tests/e2e/run.sh)")
tests/package/run.sh build/package build/win32 build/win64 || failed+=("the zips under Wine (tests/package/run.sh)")
tests/ui/run.sh build/win32 build/win64 || failed+=("the user-interface tests under Wine (tests/ui/run.sh)")
[[ $rtf_status -eq 0 ]] || failed+=("the RTF readers check (tests/rtf-readers.sh)")
[[ $package_status -eq 0 ]] || failed+=("the zips built again elsewhere (tests/package/reproducible.sh)")
[[ ${#failed[@]} -eq 0 ]]
