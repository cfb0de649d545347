#!/usr/bin/env bash
# A private CUPS server for the printing tests, with its own configuration,
# spool, logs, unix socket and port, and the queues the tests print to:
#
#   start-cupsd.sh start DIR PORT [empty]
#                                   writes DIR/cups/..., starts cupsd, waits until
#                                   it answers, adds the queues (none with
#                                   "empty"), prints the environment for
#                                   clients (CUPS_SERVER=...)
#   start-cupsd.sh stop DIR         stops that cupsd by its PID and removes the
#                                   cups-pdf configuration it added
#
# Queues:
#   vendara-slots     file: queue (the default) with vendara-test.ppd: three
#                     papers with uneven margins, three input slots; writes
#                     the PostScript to DIR/out/slots.ps
#   vendara-pdf       cups-pdf queue writing PDF files into DIR/out/pdf
#   vendara-stopped   like vendara-slots, stopped
#   vendara-rejecting like vendara-slots, not accepting jobs
#
# Needs root (cupsd, and cups-pdf reads /etc/cups/cups-pdf-INSTANCE.conf)
# and the Debian packages cups, cups-client, cups-bsd, printer-driver-cups-pdf.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
command="${1:-}"
dir="${2:-}"
[ -n "$command" ] && [ -n "$dir" ] || { echo "usage: $0 start DIR PORT | stop DIR" >&2; exit 2; }
root="$dir/cups"
instance="vendara-test-$(basename "$dir" | tr -c 'A-Za-z0-9\n' '-')"
pdfconf="/etc/cups/cups-pdf-$instance.conf"

stop() {
  if [ -f "$root/cupsd.pid" ]; then
    pid="$(cat "$root/cupsd.pid")"
    if kill "$pid" 2>/dev/null; then
      for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      kill -9 "$pid" 2>/dev/null || true
    fi
    rm -f "$root/cupsd.pid"
  fi
  rm -f "$pdfconf"
}

if [ "$command" = stop ]; then
  stop
  exit 0
fi
[ "$command" = start ] || { echo "usage: $0 start DIR PORT | stop DIR" >&2; exit 2; }
port="${3:?port}"
empty="${4:-}"

# The filters run as lp: every folder on the way must be enterable.
mkdir -p "$root"/{ppd,ssl,state,cache,spool,tmp,log} "$dir/out/pdf" "$dir/out/cups-pdf-spool"
chmod 755 "$dir" "$root" "$dir/out"
chmod 1777 "$dir/out/pdf" "$dir/out/cups-pdf-spool" "$root/tmp"
socket="$root/cups.sock"

cat > "$root/cupsd.conf" <<CONF
LogLevel warn
MaxLogSize 0
Listen $socket
Listen 127.0.0.1:$port
Browsing No
BrowseLocalProtocols none
DefaultAuthType None
WebInterface No
JobRetryLimit 0
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF

cat > "$root/cups-files.conf" <<CONF
ServerRoot $root
StateDir $root/state
CacheDir $root/cache
RequestRoot $root/spool
TempDir $root/tmp
AccessLog $root/log/access_log
ErrorLog $root/log/error_log
PageLog $root/log/page_log
Printcap $root/printcap
FileDevice Yes
User lp
Group lp
SystemGroup root
CONF

cat > "$pdfconf" <<CONF
Out $dir/out/pdf
AnonDirName $dir/out/pdf
Spool $dir/out/cups-pdf-spool
Label 1
UserUMask 0000
CONF

export CUPS_SERVER="$socket" CUPS_SERVERROOT="$root"
cupsd -f -c "$root/cupsd.conf" -s "$root/cups-files.conf" </dev/null >"$root/log/cupsd.out" 2>&1 &
echo $! > "$root/cupsd.pid"

ready=0
for _ in $(seq 1 100); do
  if lpstat -r 2>/dev/null | grep -q "scheduler is running"; then ready=1; break; fi
  sleep 0.1
done
if [ "$ready" -ne 1 ]; then
  echo "cupsd did not start; see $root/log" >&2
  cat "$root/log/cupsd.out" "$root/log/error_log" >&2 2>/dev/null || true
  stop
  exit 1
fi

if [ "$empty" = empty ]; then
  echo "CUPS_SERVER=$socket"
  echo "CUPS_SERVERROOT=$root"
  echo "CUPSD_PID=$(cat "$root/cupsd.pid")"
  exit 0
fi

ppd="$here/vendara-test.ppd"
# lpadmin warns that PPDs are deprecated; its messages go to the log.
exec 3>&2 2>>"$root/log/lpadmin.log"
trap 'echo "start-cupsd.sh: adding the queues failed:" >&3; cat "$root/log/lpadmin.log" >&3; stop' ERR
lpadmin -p vendara-slots -E -v "file:$dir/out/slots.ps" -P "$ppd" -o printer-error-policy=abort-job \
  -D "Slots test printer" -L "Test bench"
lpadmin -p vendara-pdf -E -v "cups-pdf:/$instance" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
  -o pdftops-renderer-default=pdftocairo -o printer-error-policy=abort-job
lpadmin -p vendara-stopped -E -v "file:/dev/null" -P "$ppd"
cupsdisable vendara-stopped
lpadmin -p vendara-rejecting -E -v "file:/dev/null" -P "$ppd"
cupsreject vendara-rejecting
lpadmin -d vendara-slots
trap - ERR
exec 2>&3 3>&-

echo "CUPS_SERVER=$socket"
echo "CUPS_SERVERROOT=$root"
echo "CUPSD_PID=$(cat "$root/cupsd.pid")"
