#!/usr/bin/env bash
# Makes the LHA archives of the renderer's tests with Debian's LHA archiver (jlha-utils).
# Usage: make_lha_fixtures.sh OUTDIR
set -euo pipefail
out=$1
work=$out/work
rm -rf "$work"
mkdir -p "$work/sub"
cd "$work"
# Solid 24-bit BMPs: name, width, height, blue, green, red.
bmp() {
  python3 - "$@" <<'PY'
import struct, sys
name, w, h, b, g, r = sys.argv[1], *map(int, sys.argv[2:])
stride = (3 * w + 3) & ~3
row = bytes([b, g, r]) * w + bytes(stride - 3 * w)
with open(name, "wb") as f:
    f.write(b"BM" + struct.pack("<IHHI", 54 + stride * h, 0, 0, 54))
    f.write(struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, 0, 0, 0, 0, 0))
    f.write(row * h)
PY
}
bmp tex.bmp 4 4 40 160 220
bmp back.bmp 100 75 10 20 30
(cd sub && bmp ok.bmp 2 2 1 2 3)
bmp evil.bmp 2 2 9 9 9
lha aq tex.lzh tex.bmp
lha aq back.lzh back.bmp
# A safe entry first, then one that would leave the target folder.
(cd sub && lha aq ../evil.lzh ok.bmp ../evil.bmp)
head -c 40 tex.lzh >broken.lzh
cp tex.bmp back.bmp tex.lzh back.lzh evil.lzh broken.lzh "$out/"
rm -rf "$work"
