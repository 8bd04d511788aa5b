#!/bin/bash
# A real print queue: a cupsd of its own (Debian's cups) with a cups-pdf queue made the default.
# The report printed through it (2 A4 pages, titled by pupil, class and design), a queue that
# refuses jobs, and the server stopped between the dialog and « Imprimer »; then the printing
# tests of the suite run with that queue on the machine: they send it no job.
# Exit 77 (skipped) with the reason where cupsd cannot run.
#   print_queue.sh QT-TESTS-EXECUTABLE SOURCE-DIR
set -uo pipefail
tests=$(realpath "$1")
cd "$2"
for tool in cupsd lpadmin lpstat cupsreject pdfinfo; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
[ -x /usr/lib/cups/backend/cups-pdf ] || { echo "SKIPPED: printer-driver-cups-pdf is not installed"; exit 77; }
[ "$(id -u)" -eq 0 ] || { echo "SKIPPED: cups-pdf runs only under a root cupsd"; exit 77; }
[ -w /etc/cups ] || { echo "SKIPPED: /etc/cups is not writable (cups-pdf reads its settings there)"; exit 77; }
work=$(mktemp -d /tmp/ventakar-cups.XXXXXX)
chmod 755 "$work"
conf=/etc/cups/cups-pdf-ventakartest$$.conf
pid=
stop() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; wait 2>/dev/null; }
trap 'stop; rm -rf "$work" "$conf"' EXIT
mkdir -p "$work"/{etc/ppd,spool/tmp,cache,state,log,out}
chmod -R 755 "$work"
socket="$work/cups.sock"
cat >"$work/etc/cupsd.conf" <<CONF
Listen $socket
LogLevel warn
WebInterface No
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat >"$work/etc/cups-files.conf" <<CONF
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
CONF
printf 'Out %s\nAnonDirName %s\nLabel 0\nGrp root\n' "$work/out" "$work/out" >"$conf"
start() {
  cupsd -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" & pid=$!
  for _ in $(seq 50); do [ -S "$socket" ] && lpstat -h "$socket" -r >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}
start || { echo "SKIPPED: cupsd did not start"; cat "$work/log/error_log" 2>/dev/null; exit 77; }
queue=$(basename "$conf" .conf); queue=${queue#cups-pdf-}
lpadmin -h "$socket" -p salle12 -E -v "cups-pdf:/$queue" -P /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd 2>/dev/null &&
  lpadmin -h "$socket" -d salle12 || { echo "SKIPPED: the cups-pdf queue cannot be made"; exit 77; }
jobs() { lpstat -h "$socket" -W all -o 2>/dev/null | wc -l; }

fail=0
run_case() {
  VENTAKAR_TEST_QUEUE_CASE=$1 VENTAKAR_TEST_CUPS_SERVER=$socket VENTAKAR_TEST_CUPSD_PID=$pid \
    QT_QPA_PLATFORM=offscreen "$tests" --gtest_filter=PrintQueue.* >"$work/$1.txt" 2>&1
  local status=$?
  grep '^message:' "$work/$1.txt"
  [ $status -eq 0 ] || { echo "FAULT: case $1"; grep -A6 Failure "$work/$1.txt"; fail=1; }
}

echo "== accepted"
run_case accepted
# The file shows as soon as cups-pdf starts it: wait until the queue has finished the job.
for _ in $(seq 300); do
  [ -z "$(lpstat -h "$socket" -W not-completed -o 2>/dev/null)" ] && ls "$work"/out/*.pdf >/dev/null 2>&1 &&
    pdfinfo "$(ls "$work"/out/*.pdf | head -1)" >/dev/null 2>&1 && break
  sleep 0.1
done
printed=$(ls "$work"/out/*.pdf 2>/dev/null | head -1)
if [ -z "$printed" ]; then
  echo "FAULT: nothing came out of the queue"; fail=1
else
  echo "printed: $(basename "$printed")"
  pdfinfo "$printed" | grep -qE '^Pages:\s+2$' || { echo "FAULT: not 2 pages"; fail=1; }
  case $(basename "$printed") in Tom_Durand*5e_B*voiture*) ;; *) echo "FAULT: the job is not titled by the pupil, class and design"; fail=1;; esac
fi

echo "== rejecting"
cupsreject -h "$socket" salle12
run_case rejecting
cupsaccept -h "$socket" salle12

echo "== server stopped between the dialog and Imprimer"
run_case stopped
wait "$pid" 2>/dev/null
start || { echo "FAULT: cupsd did not start again"; exit 1; }

echo "== the suite's printing tests with this queue as the machine's default"
before=$(jobs)
CUPS_SERVER=$socket QT_QPA_PLATFORM=offscreen "$tests" \
  --gtest_filter='Printing.*:PrintFailure.*:PrintedPositions.*' >"$work/suite.txt" 2>&1 ||
  { echo "FAULT: the printing tests failed with a queue on the machine"; tail -20 "$work/suite.txt"; fail=1; }
after=$(jobs)
echo "jobs in the queue: $before before, $after after"
[ "$after" -eq "$before" ] || { echo "FAULT: the tests sent $((after - before)) job(s) to the queue"; fail=1; }
exit $fail
