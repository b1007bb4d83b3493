#!/usr/bin/env bash
# Installs everything the three builds and the Wine + CUPS test bed need on Debian 12.
# Idempotent: asks apt only for what is missing, so a second run takes about a second.
# Runs as root without a terminal (CI); set OSTREL_SETUP_DRY_RUN=1 to only list what is missing.
#   tools/setup.sh --table       # the command table below: "COMMAND PACKAGE" a line
#   tools/setup.sh --packages    # every package this script installs, one a line
source "$(dirname "${BASH_SOURCE[0]}")/errors.sh"

log() { printf 'setup: %s\n' "$*" >&2; }
die() { printf 'setup: error: %s\n' "$*" >&2; exit 1; }

# Native build and unit tests; unrtf reads the rich-text reports back.
native_pkgs=(cmake make g++ libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev unrtf)
# Other readers of the rich-text reports: LibreOffice renders one to PDF, whose columns
# pdftotext shows; pandoc reads the Unicode text.
reader_pkgs=(libreoffice-writer-nogui poppler-utils pandoc)
# The fuzz build: clang with libFuzzer and the sanitizer runtimes.
fuzz_pkgs=(clang-14 libclang-rt-14-dev)
# Windows cross builds. The posix-thread variants: std::thread/std::mutex work and
# winpthreads links in statically, so each .exe stands alone.
cross_pkgs=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix)
# Wine for both builds; libcups2 for each architecture, else that Wine sees no CUPS.
wine_pkgs=(wine wine64 fonts-wine libcups2)
wine_i386_pkgs=(wine32:i386 libcups2:i386)
# Private CUPS server, lpadmin/lpstat, ppdc for the sample drivers, the CUPS-PDF queue.
cups_pkgs=(cups-daemon cups-client cups-ppdc printer-driver-cups-pdf)
# Display for the GUI tests, Japanese fonts for the interface texts and the report (VL Gothic has
# an underscore at 12 pixels). xdotool types the shortcuts of the user-interface tests;
# ImageMagick turns the display into PNG.
gui_pkgs=(xvfb fonts-ipafont-gothic fonts-vlgothic xdotool imagemagick)
# Tools the scripts call that a minimal Debian may lack (not essential packages): python3 reads the
# JSON reports back in the end-to-end checks; git and zip make the download's zips
# (tools/package.sh).
script_pkgs=(apt mawk procps e2fsprogs binutils python3 git zip)

# Every program the run, test and benchmark scripts call, with the package that provides it;
# tools/check-setup.sh (part of tools/test.sh) keeps it complete. Essential packages (coreutils,
# grep, sed, dpkg, util-linux, libc-bin) are on every Debian system and need no list.
command_table='
apt-get     apt
awk         mawk
base64      coreutils
basename    coreutils
bash        bash
cat         coreutils
chattr      e2fsprogs
chmod       coreutils
cp          coreutils
cmake       cmake
cmp         diffutils
comm        coreutils
convert     imagemagick
ctest       cmake
cupsd       cups-daemon
cupsreject  cups-client
date        coreutils
dirname     coreutils
dpkg        dpkg
dpkg-query  dpkg
find        findutils
flock       util-linux
getconf     libc-bin
git         git
grep        grep
iconv       libc-bin
ls          coreutils
id          coreutils
head        coreutils
ln          coreutils
lpadmin     cups-client
lpstat      cups-client
mkdir       coreutils
mkfifo      coreutils
mktemp      coreutils
mv          coreutils
nproc       coreutils
objdump     binutils
pandoc      pandoc
pdftotext   poppler-utils
pgrep       procps
python3     python3
readlink    coreutils
ppdc        cups-ppdc
rm          coreutils
sha256sum   coreutils
sed         sed
sleep       coreutils
soffice     libreoffice-writer-nogui
sort        coreutils
stat        coreutils
strings     binutils
tail        coreutils
timeout     coreutils
touch       coreutils
tr          coreutils
uniq        coreutils
wc          coreutils
wineserver  wine
xargs       findutils
xdotool     xdotool
Xvfb        xvfb
zip         zip
'

all_pkgs() {
    printf '%s\n' "${native_pkgs[@]}" "${reader_pkgs[@]}" "${fuzz_pkgs[@]}" "${cross_pkgs[@]}" "${wine_pkgs[@]}" \
        ${wine_i386_pkgs[@]+"${wine_i386_pkgs[@]}"} "${cups_pkgs[@]}" "${gui_pkgs[@]}" "${script_pkgs[@]}"
}
case ${1:-} in
    --table) awk 'NF == 2' <<<"$command_table"; exit 0 ;;
    --packages) all_pkgs; exit 0 ;;
    "") ;;
    *) die "unknown argument '$1' (--table, --packages)" ;;
esac

[[ -r /etc/debian_version ]] || die "this script expects Debian 12 (no /etc/debian_version)"

# Where no 32-bit code runs, the 32-bit Wine cannot start at all, and installing it would make
# /usr/bin/wine pick it: leave it out there.
source "$(dirname "${BASH_SOURCE[0]}")/testbed/wine-loader.sh"
if [[ $tb_runs_32bit -eq 0 ]]; then
    log "no 32-bit code runs on this machine: leaving out ${wine_i386_pkgs[*]}"
    wine_i386_pkgs=()
fi

# Prints the given packages that are not installed; one dpkg-query for all keeps a second run fast.
not_installed() {
    local installed
    installed=$(dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package} ${Package}:${Architecture}\n' "$@" 2>/dev/null \
        | awk '$1 == "ii" { print $2; print $3 }') || true
    printf '%s\n' "$@" | grep -vxF -f <(printf '%s\n' "$installed" | sed 's/:amd64$//; p; s/$/:amd64/') || true
}

need_i386=0
if [[ ${#wine_i386_pkgs[@]} -gt 0 ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    need_i386=1
fi

mapfile -t wanted < <(all_pkgs)
mapfile -t missing < <(not_installed "${wanted[@]}")

if [[ ${#missing[@]} -eq 0 && $need_i386 -eq 0 ]]; then
    log "all packages present"
    exit 0
fi

if [[ "${OSTREL_SETUP_DRY_RUN:-0}" == 1 ]]; then
    [[ $need_i386 -eq 1 ]] && log "would add architecture i386"
    log "missing: ${missing[*]}"
    exit 0
fi

[[ $(id -u) -eq 0 ]] || die "must run as root to install: ${missing[*]}"
command -v apt-get >/dev/null || die "apt-get not found"

export DEBIAN_FRONTEND=noninteractive
apt_opts=(-y -q --no-install-recommends
          -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold)

# One install of ours at a time: the service policy below belongs to whichever run holds this lock.
exec {lock_fd}>/var/lock/ostrel-setup.lock
if ! flock -n "$lock_fd"; then
    log "another run of this script is installing; waiting for it"
    flock "$lock_fd"
fi

# Package scripts must not start the system's cupsd (it would listen on port 631);
# the test bed runs a private one. Deny service starts while installing, unless a
# policy is in place already: one that is not ours is left exactly as it is.
policy=/usr/sbin/policy-rc.d
own_policy=0
cleanup() { if [[ $own_policy -eq 1 ]]; then rm -f "$policy"; fi; }
trap cleanup EXIT
if [[ ! -e "$policy" ]]; then
    printf '#!/bin/sh\n# ostrel setup\nexit 101\n' >"$policy"
    chmod 755 "$policy"
    own_policy=1
fi

# A fresh machine may be installing updates on its own: wait for the package manager's lock
# rather than fail (apt-get waits itself with Lock::Timeout; this only says why it is slow).
apt_busy() { pgrep -x 'apt|apt-get|dpkg|unattended-upgr|aptitude' >/dev/null 2>&1; }
wait_for_apt() {
    local waited=0
    while apt_busy; do
        [[ $waited -eq 0 ]] && log "the package manager is busy (another install or an update is running); waiting for it"
        sleep 5
        waited=$((waited + 5))
        [[ $waited -lt 1800 ]] || die "the package manager was still busy after 30 minutes"
    done
    [[ $waited -eq 0 ]] || log "the package manager is free after ${waited}s"
}
apt_opts+=(-o DPkg::Lock::Timeout=1800)

if [[ $need_i386 -eq 1 ]]; then
    log "adding architecture i386"
    dpkg --add-architecture i386
fi

log "installing: ${missing[*]}"
wait_for_apt
apt-get update -q -o DPkg::Lock::Timeout=1800 </dev/null >&2 || die "apt-get update failed"
wait_for_apt
apt-get install "${apt_opts[@]}" "${missing[@]}" </dev/null >&2 \
    || die "apt-get install failed for: ${missing[*]}"

mapfile -t still < <(not_installed "${missing[@]}")
[[ ${#still[@]} -eq 0 ]] || die "still missing after install: ${still[*]}"
log "done"
