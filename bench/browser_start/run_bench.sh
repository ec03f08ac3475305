#!/usr/bin/env bash
# Start of VendaroExplorer.exe to the end of its initial load, with a generated catalogue
# registered in CONFIG.DAT: the first start reads the catalogue from its files (cold), the
# next ones restore it from HISTORY.DAT. Under 64-bit Wine (this machine runs no 32-bit code).
# Usage: bench/browser_start/run_bench.sh [repeats] [sizes...]     (default: 3 10000 100000)
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
repeats=${1:-3}
shift || true
sizes=${*:-10000 100000}
export QVZ_DEPS_DIR=${QVZ_DEPS_DIR:-/work/main/build/deps} QVZ_JOBS=${QVZ_JOBS:-2}
cd "$here"
scripts/build host --target catalog_maker > /dev/null
cmake -S . -B build/win64 -DQVZ_BENCH=ON > /dev/null
cmake --build build/win64 --target browser_start_bench -j "$QVZ_JOBS" > /dev/null
bin=$here/build/win64/bin
out=$here/build/bench-browser-start
mkdir -p "$out"
export QVZ_WINE_ARCH=64
for n in $sizes; do
  prog=$out/prog-$n
  rm -rf "$prog" && mkdir -p "$prog"
  cp "$bin"/VendaroExplorer.exe "$bin"/*.dll "$prog"/
  [ -d "$out/cat-$n/DISTRIB" ] || "$bin/../../host/bin/catalog_maker" "$out/cat-$n" "$n" > /dev/null
  dir="Z:$(echo "$out/cat-$n/" | tr / '\\')"
  python3 - "$prog/CONFIG.DAT" "$dir" <<'PY'
import struct, sys
d = sys.argv[2].encode('cp932') + b'\0'
open(sys.argv[1], 'wb').write(b'CNF' + struct.pack('<6i', 0, 0, 420, 900, 200, 2) + struct.pack('<3i', 0, 0, 0)
                              + struct.pack('<ii', 1, len(d)) + d)
PY
  winprog="Z:$(echo "$prog" | tr / '\\')"
  echo "products=$n cold $("$here/scripts/lib/wine-run" "$bin/browser_start_bench.exe" "$winprog")"
  for ((r = 0; r < repeats; r++)); do
    echo "products=$n cache $("$here/scripts/lib/wine-run" "$bin/browser_start_bench.exe" "$winprog")"
  done
done
