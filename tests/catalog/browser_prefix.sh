#!/usr/bin/env bash
# Runs a browser test program in the browser tests' own Wine prefix (one per architecture,
# beside the build): no z: (nothing may walk the host), d: a CD-ROM drive on C:\vendaro_d
# (which the tests fill with a generated catalogue), pictures under C:\pictures with known
# dates, plain folders as Desktop and My Documents, a: a floppy drive on C:\vendaro_a (never
# probed for a catalogue). The build folder is t:, the sources s:.
# Usage: browser_prefix.sh <build folder> <program in its bin> [arguments...]
set -euo pipefail
build=$(cd "$1" && pwd)
program=$2
shift 2
# The architecture from the program's PE header (machine 0x8664 is x86-64).
pe=$(od -An -tu4 -j60 -N4 "$build/bin/$program" | tr -d ' ')
machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$build/bin/$program" | tr -d ' ')
export QVZ_WINE_ARCH=32
[ "$machine" = 8664 ] && QVZ_WINE_ARCH=64
src=$(cd "$(dirname "$0")/../.." && pwd)
prefix=$build/vendaro-prefix$QVZ_WINE_ARCH
if [ "$QVZ_WINE_ARCH" = 64 ]; then export QVZ_WINEPREFIX64=$prefix; else export QVZ_WINEPREFIX=$prefix; fi
source "$src/scripts/lib/wine-env.sh"
ensure_display
ensure_prefix

# Bump when the drives or folders below change.
layout=2
(
  flock 9
  stamp=$WINEPREFIX/.qvz-browser
  dos=$WINEPREFIX/dosdevices
  c=$WINEPREFIX/drive_c
  link() { [ "$(readlink "$dos/$1" 2>/dev/null)" = "$2" ] || { rm -f "$dos/$1"; ln -s "$2" "$dos/$1"; }; }
  # d: starts empty: a test that was stopped may have left its catalogue there.
  rm -rf "$c/vendaro_d" "$c/vendaro_a"
  mkdir -p "$c/vendaro_d" "$c/vendaro_a" "$c/pictures"
  link d: ../drive_c/vendaro_d
  link a: ../drive_c/vendaro_a
  link t: "$build"
  link s: "$src"
  rm -f "$dos/z:"
  # Pictures whose dates the image searches know.
  printf 'BM' >"$c/pictures/OLD.BMP"
  touch -d '2001-02-03 04:05:06' "$c/pictures/OLD.BMP"
  printf 'x' >"$c/pictures/NEW.JPG"
  touch -d '2020-06-07 08:09:10' "$c/pictures/NEW.JPG"
  if [ "$(cat "$stamp" 2>/dev/null)" != "$layout" ]; then
    # Desktop and My Documents as plain folders, never links into the host's home.
    for user in "$c/users"/*; do
      for f in Desktop Documents "My Documents"; do
        [ -L "$user/$f" ] && rm -f "$user/$f" && mkdir -p "$user/$f"
      done
    done
    qvz_wine reg add 'HKLM\Software\Wine\Drives' /v d: /d cdrom /f >/dev/null 2>&1
    qvz_wine reg add 'HKLM\Software\Wine\Drives' /v a: /d floppy /f >/dev/null 2>&1
    # Only this prefix's server: the mount manager reads the drive types when it starts.
    qvz_wineserver -k || true
    qvz_wineserver -w || true
    echo "$layout" >"$stamp"
  fi
) 9>"$prefix.browser.lock"

# Only the runs of this prefix take turns on the display: a run the time limit ended may have
# left its programs behind here, holding the next run's windows and files.
qvz_wineserver -k 2>/dev/null || true
cd "$build/bin"
export QVZ_SOURCE_DIR=S: QVZ_BIN_DIR='T:\bin'
exec "$src/scripts/lib/wine-run" "T:\\bin\\$program" "$@"
