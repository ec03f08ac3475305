#!/usr/bin/env bash
# The renderer against Mesa on the same scenes, every figure from fresh processes.
# Usage: bench/renderer/run_bench.sh [repetitions] [sizes...]   (default 5; 10000 100000 1000000)
# Needs libosmesa6-dev (Mesa's off-screen GL; scripts/setup installs it) and the 64-bit Windows
# build (build/win64) for the figures under Wine. Writes results.tsv and summary.md into $root/bench-renderer.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
root=${QVZ_BUILD_ROOT:-build}
reps=${1:-5}
shift || true
sizes=${*:-10000 100000 1000000}
out=$here/$root/bench-renderer
win=$here/$root/win64/bin
mkdir -p "$out"
core=$(sed -n '/add_library(depthra_core/,/)/p' "$here/renderer/CMakeLists.txt" | grep -o '[A-Za-z]*\.cpp' | sed "s|^|$here/renderer/|")
# The library saves through the framework's replace-through-a-temporary helper.
core="$core $here/platform/afx/core/replace_file.cpp"
# The flags of the Release build of the library.
flags=(-std=c++20 -O3 -DNDEBUG -msse2 -mfpmath=sse -I"$here/renderer" -I"$here/tests/renderer" -I"$here/platform/afx/include")
g++ "${flags[@]}" $core "$here/tests/renderer/SceneGenerator.cpp" "$here/bench/renderer/RendererBench.cpp" \
  -o "$out/renderer_bench" -lpthread
g++ "${flags[@]}" "$here/tests/renderer/SceneGenerator.cpp" "$here/bench/renderer/MesaPeer.cpp" \
  -o "$out/mesa_peer" -lOSMesa
have_wine=0
if [ -f "$win/depthra.dll" ]; then
  x86_64-w64-mingw32-g++-posix "${flags[@]}" -D_MBCS -static $core "$here/tests/renderer/SceneGenerator.cpp" \
    "$here/bench/renderer/RendererBench.cpp" -o "$win/renderer_bench.exe" -lpsapi
  have_wine=1
fi
wine() { (cd "$win" && "$here/scripts/lib/wine-run" ./renderer_bench.exe "$@" 2>/dev/null | tr -d '\r'); }

cd "$out"
results=$out/results.tsv
: >"$out/coverage.txt"
printf 'triangles\ttextured\twhat\tseconds\tpeak MB\tCPU seconds\tload\n' >"$results"
# Each figure with the machine's load average (one minute) as the process started.
record() { # n t what -- command...
  local n=$1 t=$2 what=$3
  shift 4
  local line load
  load=$(cut -d' ' -f1 /proc/loadavg)
  line=$("$@" | head -n 1)
  printf '%s\t%s\t%s\t%s\t%s\n' "$n" "$t" "$what" "$(cut -f1,2,3 <<<"$line")" "$load" >>"$results"
  echo "$n $t $what $line load $load"
}
for n in $sizes; do
  for t in 0 1; do
    ./renderer_bench make "$n" "$t"
    ./mesa_peer make "$n" "$t"
    [ $have_wine = 1 ] && wine make "$n" "$t" >/dev/null
    for i in $(seq "$reps"); do
      record "$n" "$t" "ours pass" -- ./renderer_bench pass "bench_${n}_$t.vqb"
      record "$n" "$t" "ours call" -- ./renderer_bench call "bench_${n}_$t.vqb"
      record "$n" "$t" "ours text call" -- ./renderer_bench call "bench_${n}_$t.txt"
      if [ $have_wine = 1 ]; then
        record "$n" "$t" "win64 pass" -- wine pass "bench_${n}_$t.vqb"
        record "$n" "$t" "win64 dll call" -- wine dll "bench_${n}_$t.vqb"
      fi
      record "$n" "$t" "softpipe draw" -- env GALLIUM_DRIVER=softpipe ./mesa_peer draw "$n" "$t"
      record "$n" "$t" "llvmpipe 1 draw" -- env GALLIUM_DRIVER=llvmpipe LP_NUM_THREADS=0 ./mesa_peer draw "$n" "$t"
      record "$n" "$t" "llvmpipe 1 read+draw" -- env GALLIUM_DRIVER=llvmpipe LP_NUM_THREADS=0 ./mesa_peer call "$n" "$t"
      record "$n" "$t" "llvmpipe all draw" -- env GALLIUM_DRIVER=llvmpipe ./mesa_peer draw "$n" "$t"
    done
    # Both sides draw the same thing: coverage of our picture against llvmpipe's.
    ./renderer_bench call "bench_${n}_$t.vqb" >/dev/null
    GALLIUM_DRIVER=llvmpipe LP_NUM_THREADS=0 ./mesa_peer draw "$n" "$t" >/dev/null
    echo "coverage $n $t $("$here/bench/renderer/compare.py" bench_out.bmp mesa_out.ppm)" | tee -a "$out/coverage.txt"
    rm -f "bench_${n}_$t.vqb" "bench_${n}_$t.txt" "mesa_${n}_$t.bin"
    [ $have_wine = 1 ] && rm -f "$win/bench_${n}_$t.vqb" "$win/bench_${n}_$t.txt"
  done
done
/usr/bin/python3 "$here/bench/renderer/summarise.py" "$results" | tee "$out/summary.md"
