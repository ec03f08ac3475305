#!/usr/bin/env bash
# Starts a CUPS server with a PDF printer for the printing tests, and makes it the default.
# Safe to run again: a running server and an existing queue are kept. The PDF files land in
# $QVZ_PRINT_DIR (default /tmp/qvz-print). Prints the queue's name.
set -euo pipefail

queue=${QVZ_PRINT_QUEUE:-QVZ_PDF}
outdir=${QVZ_PRINT_DIR:-/tmp/qvz-print}

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

if ! command -v cupsd >/dev/null || [ ! -x /usr/lib/cups/backend/cups-pdf ]; then
  echo "print-queue: cups and printer-driver-cups-pdf are missing (scripts/setup installs them)" >&2
  exit 1
fi

mkdir -p "$outdir"
chmod 1777 "$outdir"

# The PDF backend's settings for this queue (named by the device URI's path): every job,
# whoever sends it, into one folder.
conf=/etc/cups/cups-pdf-$queue.conf
want="Out $outdir
AnonDirName $outdir
AnonUMask 0000
UserUMask 0000
Label 1
TitlePref 0"
if [ ! -f "$conf" ] || [ "$(cat "$conf")" != "$want" ]; then
  printf '%s\n' "$want" | as_root tee "$conf" >/dev/null
fi

if ! LC_ALL=C lpstat -r 2>/dev/null | grep 'is running' >/dev/null; then
  as_root mkdir -p /run/cups
  as_root cupsd
  for _ in $(seq 1 100); do
    LC_ALL=C lpstat -r 2>/dev/null | grep 'is running' >/dev/null && break
    sleep 0.1
  done
  LC_ALL=C lpstat -r 2>/dev/null | grep 'is running' >/dev/null || { echo "print-queue: cupsd did not start" >&2; exit 1; }
fi

uri="cups-pdf:/$queue"
if ! LC_ALL=C lpstat -v "$queue" 2>/dev/null | grep "$uri\$" >/dev/null; then
  ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  [ -f "$ppd" ] || ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd
  as_root lpadmin -p "$queue" -E -v "$uri" -P "$ppd" -o printer-error-policy=abort-job 2>/dev/null
fi
as_root cupsenable "$queue" >/dev/null 2>&1 || true
as_root cupsaccept "$queue" >/dev/null 2>&1 || true
[ "$(LC_ALL=C lpstat -d 2>/dev/null | sed -n 's/.*: //p')" = "$queue" ] || as_root lpadmin -d "$queue"
echo "$queue"
