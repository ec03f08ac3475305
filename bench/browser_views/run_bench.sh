#!/usr/bin/env bash
# The thumbnail views in the browser's frame under 64-bit Wine: the largest leaf category of a
# generated catalogue from サムネイル表示 to the first page painted, page-down scrolling through
# its cells, and a folder of JPEGs (written by the bench with the project's JPEG writer) shown
# as folder thumbnails; time per cell and the working set.
# Usage: bench/browser_views/run_bench.sh [products=100000] [jpegs=1000] [cells=2000]
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
products=${1:-100000}
jpegs=${2:-1000}
cells=${3:-2000}
export QVZ_DEPS_DIR=${QVZ_DEPS_DIR:-/work/main/build/deps} QVZ_JOBS=${QVZ_JOBS:-2}
cd "$here"
cmake -S . -B build/win64 -DQVZ_BENCH=ON > /dev/null
cmake --build build/win64 --target browser_views_bench catalog_maker -j "$QVZ_JOBS" > /dev/null
bin=$here/build/win64/bin
out=$here/build/bench-browser-views
mkdir -p "$out"
export QVZ_WINE_ARCH=64
win() { echo "Z:$(echo "$1" | tr / '\\')"; }
cat=$out/cat-$products
if [ ! -d "$cat/DISTRIB" ]; then
  if [ -x "$here/build/host/bin/catalog_maker" ]; then
    "$here/build/host/bin/catalog_maker" "$cat" "$products" > /dev/null
  else
    "$here/scripts/lib/wine-run" "$bin/catalog_maker.exe" "$(win "$cat")" "$products" > /dev/null
  fi
fi
pics=$out/jpegs-$jpegs
if [ "$(ls "$pics" 2>/dev/null | wc -l)" != "$jpegs" ]; then
  rm -rf "$pics"
  "$here/scripts/lib/wine-run" "$bin/browser_views_bench.exe" pictures "$(win "$pics")" "$jpegs" | tr -d '\r'
fi
echo "== $products products, $jpegs JPEGs, $cells cells"
"$here/scripts/lib/wine-run" "$bin/browser_views_bench.exe" run "$(win "$cat")" "$(win "$pics")" "$cells" | tr -d '\r'
