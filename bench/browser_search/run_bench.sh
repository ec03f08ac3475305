#!/usr/bin/env bash
# The quick search in the browser's frame (Enter in the search box to the list shown with
# "検索結果 : N件"), the core's search alone, every leaf category filled, and the memory after
# each of 50 identical quick searches, over generated catalogues. Under 64-bit Wine.
# Usage: bench/browser_search/run_bench.sh [searches] [sizes...]     (default: 50 10000 100000;
# at 100 000 products each search keeps 23 731 result nodes and lasts about 17 s)
# The journey's figures (the program itself, polled): scripts/journey vendaro.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
searches=${1:-50}
shift || true
sizes=${*:-10000 100000}
export QVZ_DEPS_DIR=${QVZ_DEPS_DIR:-/work/main/build/deps} QVZ_JOBS=${QVZ_JOBS:-2}
cd "$here"
scripts/build host --target catalog_maker > /dev/null
cmake -S . -B build/win64 -DQVZ_BENCH=ON > /dev/null
cmake --build build/win64 --target browser_search_bench -j "$QVZ_JOBS" > /dev/null
bin=$here/build/win64/bin
out=$here/build/bench-browser-search
mkdir -p "$out"
export QVZ_WINE_ARCH=64
for n in $sizes; do
  [ -d "$out/cat-$n/DISTRIB" ] || "$here/build/host/bin/catalog_maker" "$out/cat-$n" "$n" > /dev/null
  echo "== $n products"
  "$here/scripts/lib/wine-run" "$bin/browser_search_bench.exe" "Z:$(echo "$out/cat-$n" | tr / '\\')" "$searches"
done
