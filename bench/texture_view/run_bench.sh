#!/usr/bin/env bash
# Builds the editing-view benchmark in the 64-bit Windows tree and runs it under Wine at
# 1, 4 and 12 megapixels, with Pillow's one-thread bilinear rotation beside it.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
cd "$here"
root=${QVZ_BUILD_ROOT:-build}
cmake -S . -B "$root/win64" -DQVZ_BENCH=ON >/dev/null
cmake --build "$root/win64" --target texture_view_bench -j "${QVZ_JOBS:-3}" >/dev/null
scripts/lib/wine-run "$root/win64/bin/texture_view_bench.exe" 1 4 12 2>/dev/null | tr -d '\r'
/usr/bin/python3 - <<'PY'
import time
from PIL import Image
for mp in (1, 4, 12):
    w = int((mp * 1e6 * 4 / 3) ** 0.5 + 0.5); h = w * 3 // 4
    im = Image.linear_gradient("L").resize((w, h)).convert("RGB")
    times = []
    for _ in range(3):
        t0 = time.perf_counter()
        im.rotate(30, Image.BILINEAR, expand=True)
        times.append(time.perf_counter() - t0)
    print(f"pillow-rotate-30 {mp:.1f} MP {min(times) * 1000:.1f} ms")
PY
