#!/usr/bin/env bash
# Builds and runs the renderer benchmark: natively (optimised, no sanitizers), under Wine through
# depthra.dll of the Windows build, and Mesa's softpipe and single-threaded llvmpipe as peers.
# Usage: bench/renderer/run_bench.sh [max triangles]   (the Windows build must be there)
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
root=${QVZ_BUILD_ROOT:-build}
max=${1:-1000000}
out=$here/$root/bench-renderer
mkdir -p "$out"
core=$(sed -n '/add_library(depthra_core/,/)/p' "$here/renderer/CMakeLists.txt" | grep -o '[A-Za-z]*\.cpp' | sed "s|^|$here/renderer/|")
flags=(-std=c++20 -O2 -DNDEBUG -I"$here/renderer" -I"$here/tests/renderer")
g++ "${flags[@]}" $core "$here/tests/renderer/SceneGenerator.cpp" "$here/bench/renderer/RendererBench.cpp" \
  -o "$out/renderer_bench" -lpthread
g++ "${flags[@]}" "$here/tests/renderer/SceneGenerator.cpp" "$here/bench/renderer/MesaPeer.cpp" \
  -o "$out/mesa_peer" -lOSMesa
i686-w64-mingw32-g++-posix "${flags[@]}" -msse2 -mfpmath=sse -D_MBCS \
  "$here/tests/renderer/SceneGenerator.cpp" "$here/bench/renderer/RendererBench.cpp" \
  -o "$here/$root/win/bin/renderer_bench.exe"
cd "$out"
echo "== native"; ./renderer_bench "$max"
echo "== wine"; (cd "$here/$root/win/bin" && "$here/scripts/lib/wine-run" ./renderer_bench.exe "$max")
echo "== softpipe"; GALLIUM_DRIVER=softpipe ./mesa_peer "$max"
echo "== llvmpipe, one thread"; GALLIUM_DRIVER=llvmpipe LP_NUM_THREADS=0 ./mesa_peer "$max"
