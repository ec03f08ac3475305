#!/usr/bin/env bash
# Builds and runs the vector shapes benchmark in the 64-bit tree (the 32-bit one where this
# machine runs 32-bit code), with the benchmarks switched on. Prints Markdown table rows.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
source "$here/scripts/lib/wine-env.sh"
if can_run_win32; then tree=win; else tree=win64; fi
"$here/scripts/build" $tree >/dev/null
cmake -DQVZ_BENCH=ON "$here/build/$tree" >/dev/null
"$here/scripts/build" $tree --target vector_shapes_bench >/dev/null
# The tree goes back to building without the benchmarks.
cmake -DQVZ_BENCH=OFF "$here/build/$tree" >/dev/null
cd "$here/build/$tree/bin"
"$here/scripts/lib/wine-run" ./vector_shapes_bench.exe
