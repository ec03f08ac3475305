#!/usr/bin/env bash
# VendaroExplorer.exe started on a screen of 256 colours: its message box "Vendaro Explorer" on
# that screen, no main window, and exit code -1 once the box is answered.
# Usage: eight_bit_display.sh <bin folder> <32|64>; skipped (77) without an 8-bit screen.
set -uo pipefail
bin=$1
export QVZ_WINE_ARCH=$2
here=$(cd "$(dirname "$0")/../.." && pwd)
# A prefix of its own: the first program of a prefix puts the prefix's desktop on its display,
# and every window test of the shared prefix would then run on the 256-colour screen.
prefix=$(cd "$bin/.." && pwd)/eightbit-prefix$QVZ_WINE_ARCH
if [ "$QVZ_WINE_ARCH" = 64 ]; then export QVZ_WINEPREFIX64=$prefix; else export QVZ_WINEPREFIX=$prefix; fi
source "$here/scripts/lib/wine-env.sh"
ensure_display
ensure_prefix
[ -n "${QVZ_8BIT_DISPLAY:-}" ] || { echo "the X server has no 8-bit screen (scripts/lib/display.sh starts one)"; exit 77; }
dir=$(mktemp -d /tmp/qvz-8bit.XXXXXX)
trap 'rm -rf "$dir"; qvz_wineserver -k 2>/dev/null' EXIT
cp "$bin/VendaroExplorer.exe" "$bin"/*.dll "$dir"/
( cd "$dir" && DISPLAY=$QVZ_8BIT_DISPLAY "$WINELOADER" VendaroExplorer.exe </dev/null >/dev/null 2>&1; echo $? >"$dir/exit" ) &
windows() { xwininfo -display "$QVZ_8BIT_DISPLAY" -root -tree 2>/dev/null; }
for _ in $(seq 1 300); do windows | grep -q '"Vendaro Explorer"' && break; sleep 0.1; done
windows | grep -q '"Vendaro Explorer"' || { echo "FAIL: no message box on $QVZ_8BIT_DISPLAY"; exit 1; }
if windows | grep -q 'Vendaro エクスプローラ'; then echo "FAIL: the main window opened"; exit 1; fi
# The journey driver presses OK of the message box that is up.
echo "answer 1" | (cd "$bin" && "$WINELOADER" qvzjourney.exe drive) >/dev/null 2>&1
wait
code=$(cat "$dir/exit" 2>/dev/null)
# Wine's loader hands on the low byte of the exit code: -1 shows as 255.
[ "$code" = 255 ] || { echo "FAIL: exit code $code, not -1"; exit 1; }
echo "message box on $QVZ_8BIT_DISPLAY, no main window, exit code -1"
