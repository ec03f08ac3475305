#!/usr/bin/env bash
# Launch of QVZ.exe to its visible main window, from a program folder with the shipped content
# (the maker's folders, texture and pattern libraries, shapes) and from one with the program
# and its libraries alone. Under 64-bit Wine (this machine runs no 32-bit code).
# Usage: bench/startup/run_bench.sh [repeats]     (default: 5)
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
repeats=${1:-5}
export QVZ_DEPS_DIR=${QVZ_DEPS_DIR:-/work/main/build/deps} QVZ_JOBS=${QVZ_JOBS:-2}
cd "$here"
cmake -S . -B build/win64 -DQVZ_BENCH=ON > /dev/null
cmake --build build/win64 --target startup_bench -j "$QVZ_JOBS" > /dev/null
bin=$here/build/win64/bin
out=$here/build/bench-startup
rm -rf "$out" && mkdir -p "$out/shipped" "$out/bare"
for prog in "$out/shipped" "$out/bare"; do
  cp "$bin"/QVZ.exe "$bin"/*.dll "$prog"/
  printf '[Window]\r\nStatus=5\r\nleft=0\r\ntop=0\r\nright=1000\r\nbottom=740\r\n' > "$prog/qvz.ini"
done
for d in ひな型 サンプル お気に入り 図形 シンボル 間取り図 パース図 テクスチャ パターン 自動保存 shapes; do
  [ -d "$bin/$d" ] && cp -r "$bin/$d" "$out/shipped/"
done
export QVZ_WINE_ARCH=64
for kind in shipped bare; do
  winprog="Z:$(echo "$out/$kind" | tr / '\\')"
  for ((r = 0; r < repeats; r++)); do
    echo "$kind $("$here/scripts/lib/wine-run" "$bin/startup_bench.exe" "$winprog")"
  done
done
