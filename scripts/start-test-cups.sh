#!/bin/bash
# Starts a headless CUPS scheduler with a cups-pdf queue "Receipt" (the default
# printer) and a raw queue "RawReceipt" (no driver, like a thermal receipt
# printer on the network; the raw test points it at a listener of its own) for
# the print tests. Must run as root. Prints the pid of the cupsd it started on
# stdout and nothing else; everything else goes to stderr. The caller
# stops that pid when it is done. Prints nothing when a scheduler was already
# running (its queue is set up all the same).
set -euo pipefail
exec 3>&1 1>&2

scheduler_running() {
    lpstat -r 2>/dev/null | grep -q "is running"
}

wait_for_scheduler() {
    for _ in $(seq 1 100); do
        scheduler_running && return 0
        sleep 0.1
    done
    return 1
}

if [ "$(id -u)" != "0" ]; then
    echo "start-test-cups: must run as root" >&2
    exit 1
fi
if [ ! -x /usr/sbin/cupsd ] || [ ! -e /usr/lib/cups/backend/cups-pdf ]; then
    echo "start-test-cups: cups or printer-driver-cups-pdf is not installed" >&2
    exit 1
fi

# cups-pdf writes each job below /tmp/cups-pdf/<user>.
conf=/etc/cups/cups-pdf.conf
if grep -q '^Out ' "$conf"; then
    sed -i 's|^Out .*|Out /tmp/cups-pdf/${USER}|' "$conf"
else
    echo 'Out /tmp/cups-pdf/${USER}' >>"$conf"
fi

pid=""
# A queue that cannot be set up must not leave the scheduler behind.
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null' ERR
if ! scheduler_running; then
    mkdir -p /run/cups
    /usr/sbin/cupsd -f </dev/null >/dev/null 2>&1 3>&- &
    pid=$!
    if ! wait_for_scheduler; then
        echo "start-test-cups: cupsd did not come up" >&2
        kill "$pid" 2>/dev/null || true
        exit 1
    fi
fi

lpadmin -p Receipt -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
lpadmin -d Receipt
# No model: CUPS makes it a raw queue ("Local Raw Printer"), as the README
# tells shops to set up their thermal printers. Its device is a socket, not a
# file: CUPS writes a file device only through a filter, and a raw queue has
# none, so a raw job to a file: device vanishes.
lpadmin -p RawReceipt -E -v socket://127.0.0.1:9100
trap - ERR
echo "start-test-cups: queue Receipt ready${pid:+ (cupsd $pid)}" >&2

[ -n "$pid" ] && echo "$pid" >&3
exit 0
