#!/usr/bin/env bash
# Runs the board writer under Wine at build time: run-boards.sh <qvzboards.exe> <program folder> <stamp>.
# A 32-bit writer on a machine that cannot run 32-bit code leaves the folder as it is, says so
# and makes no stamp, so a later build on a machine that can tries again.
set -euo pipefail
exe=$1 folder=$2 stamp=$3
here=$(cd "$(dirname "$0")/../.." && pwd)
pe=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$exe" | tr -d ' ')
if [ "$machine" != 8664 ] && ! { [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; }; then
  echo "qvzboards: this machine cannot run 32-bit programs; the sample templates and boards are not written" >&2
  exit 0
fi
# Wine's services started here get a file, not the build tool's pipe.
QVZ_WINE_RUN_CAPTURE=1 "$here/scripts/lib/wine-run" "$exe" "$folder"
touch "$stamp"
