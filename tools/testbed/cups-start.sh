#!/usr/bin/env bash
# Starts a private cupsd for one test run and creates the demo queues.
#
#   eval "$(tools/testbed/cups-start.sh [STATE_DIR])"
#
# The scheduler listens only on a unix socket inside the state folder (no TCP), keeps
# all its files there, and prints nothing to the network. Without STATE_DIR a new
# folder is made. Prints the environment to export (CUPS_SERVER, ...) on standard
# output and writes it to STATE_DIR/cups.env as well. Stop it with cups-stop.sh.
#
# Queues (all but Print-File print to /dev/null):
#   Office-PS     PostScript, 36 paper sizes, 8 input bins, 2 resolutions, duplex
#                 (tests/fixtures/ppd/Ricoh-Aficio_MP_1100_PS.ppd)
#   CUPS-PDF      the CUPS-PDF PPD of printer-driver-cups-pdf
#   Sample-PCL    "Generic PCL Laser Printer", compiled with ppdc from CUPS's sample.drv
#   Sample-Label  "Zebra ZPL Label Printer" from sample.drv: 64 sizes, no input bins
#   Raw-Queue     a queue with no PPD at all
#   Print-File    "Generic PostScript Printer" from sample.drv whose one filter passes the
#                 job through unchanged; its device is a file in the state folder, so a test
#                 reads what a program printed: each job replaces $OSTREL_PRINT_FILE
# The default queue is Office-PS, or OSTREL_TESTBED_DEFAULT when set.
source "$(dirname "${BASH_SOURCE[0]}")/../errors.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

tb_require cupsd lpadmin lpstat ppdc

if [[ $# -gt 0 ]]; then
    dir=$(tb_state_dir "$1")
else
    dir=$(tb_new_state_dir)
    # A folder of our own making goes again if the start fails.
    ok=0
    trap '[[ $ok -eq 1 ]] || "$TB_SCRIPTS/stop.sh" "$dir" >&2 || true' EXIT
fi
c=$dir/cups
[[ ! -e "$c/cupsd.pid" ]] || tb_die "a cupsd was already started for $dir"
sock=$c/cups.sock
(( ${#sock} < 100 )) || tb_die "socket path too long for a unix socket: $sock (set TMPDIR shorter)"

fixtures=$TB_ROOT/tests/fixtures/ppd
sample_drv=/usr/share/cups/drv/sample.drv
cups_pdf_ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
for f in "$fixtures/Ricoh-Aficio_MP_1100_PS.ppd" "$sample_drv" "$cups_pdf_ppd"; do
    [[ -r "$f" ]] || tb_die "missing $f (run tools/setup.sh?)"
done

mkdir -p "$c"/{etc/ppd,etc/ssl,run,cache,spool/tmp,log,ppd,client,print-out}
chmod 755 "$c"

cat >"$c/cupsd.conf" <<CONF
LogLevel warn
MaxLogSize 0
Listen $sock
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
DefaultAuthType None
JobRetryLimit 0
# Job files written at once, so that a test finds each job's control file right after it.
DirtyCleanInterval 0
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess default
  JobPrivateValues default
  SubscriptionPrivateAccess default
  SubscriptionPrivateValues default
  <Limit All>
    Order deny,allow
    Allow all
  </Limit>
</Policy>
CONF

# cupsd refuses to run its filters as root, hence User/Group lp.
cat >"$c/cups-files.conf" <<CONF
User lp
Group lp
SystemGroup root
ServerRoot $c/etc
StateDir $c/run
CacheDir $c/cache
RequestRoot $c/spool
TempDir $c/spool/tmp
AccessLog $c/log/access_log
ErrorLog $c/log/error_log
PageLog $c/log/page_log
Printcap $c/printcap
FileDevice Yes
CreateSelfSignedCerts no
ServerBin /usr/lib/cups
DataDir /usr/share/cups
CONF

cupsd -t -c "$c/cupsd.conf" -s "$c/cups-files.conf" >"$c/log/config-test.log" 2>&1 \
    || tb_die "cupsd rejects its configuration: $(cat "$c/log/config-test.log")"

# Detached from our stdout: the caller reads it through $(...) and would wait forever.
cupsd -f -c "$c/cupsd.conf" -s "$c/cups-files.conf" </dev/null >>"$c/log/cupsd.out" 2>&1 &
echo $! >"$c/cupsd.pid"

# The client side: only our socket, no system or user client.conf/lpoptions.
export CUPS_SERVER=$sock
export CUPS_SERVERROOT=$c/client
unset PRINTER LPDEST

for ((i = 0; i < 100; i++)); do
    if lpstat -r >/dev/null 2>&1; then break; fi
    tb_child_alive "$(<"$c/cupsd.pid")" \
        || tb_die "cupsd exited at start: $(tail -5 "$c/log/error_log" "$c/log/cupsd.out" 2>/dev/null)"
    sleep 0.1
done
lpstat -r >/dev/null 2>&1 || tb_die "cupsd does not answer on $sock"

ppdc -d "$c/ppd" "$sample_drv" >"$c/log/ppdc.log" 2>&1 \
    || tb_die "ppdc failed on $sample_drv: $(cat "$c/log/ppdc.log")"

add_queue() { # name ppd-or-empty description location [device]
    local name=$1 ppd=$2 info=$3 loc=$4 device=${5:-file:/dev/null} out
    local args=(-p "$name" -v "$device" -D "$info" -L "$loc" -E)
    [[ -z "$ppd" ]] || args+=(-P "$ppd")
    # lpadmin warns that PPD drivers are deprecated; that is expected.
    out=$(lpadmin "${args[@]}" 2>&1) || tb_die "lpadmin failed for $name: $out"
}
add_queue Office-PS "$fixtures/Ricoh-Aficio_MP_1100_PS.ppd" "Office PostScript printer" "Floor 3, room 301"
add_queue CUPS-PDF "$cups_pdf_ppd" "PDF writer" "Virtual"
add_queue Sample-PCL "$c/ppd/generpcl.ppd" "Generic PCL laser" "Floor 1"
add_queue Sample-Label "$c/ppd/zebra.ppd" "Label printer" "Warehouse"
add_queue Raw-Queue "" "Raw queue without PPD" ""
# A queue without a PPD would be raw, and cupsd runs nothing for a raw job on a file
# device: the file would never be written. One pass-through filter makes it write.
sed -e '/^\*cupsFilter/d' \
    -e '/^\*PCFileName/a *cupsFilter2: "application/postscript application/vnd.cups-postscript 0 gziptoany"' \
    "$c/ppd/generic.ppd" >"$c/ppd/print-file.ppd"
print_file=$c/print-out/Print-File.prn
add_queue Print-File "$c/ppd/print-file.ppd" "Prints into a file of the test bed" "" "file:$print_file"

default=${OSTREL_TESTBED_DEFAULT:-Office-PS}
lpadmin -d "$default" >/dev/null 2>&1 || tb_die "cannot make $default the default queue"

env_file=$dir/cups.env
{
    echo "export OSTREL_TESTBED_DIR=$(tb_q "$dir")"
    echo "export CUPS_SERVER=$(tb_q "$sock")"
    echo "export CUPS_SERVERROOT=$(tb_q "$c/client")"
    echo "export OSTREL_PRINT_FILE=$(tb_q "$print_file")"
    echo "unset PRINTER LPDEST"
} >"$env_file"
ok=1
cat "$env_file"
tb_log "cupsd pid $(<"$c/cupsd.pid") on $sock; queues: $(lpstat -e | tr '\n' ' ')default $default"
