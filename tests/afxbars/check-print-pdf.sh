#!/usr/bin/env bash
# Checks the page the print test sent to the PDF queue: A4 paper, and the 10 mm black
# square 30 mm from the paper's left edge and 40 mm from its top, within 1 mm.
set -euo pipefail
dir=${QVZ_PRINT_DIR:-/tmp/qvz-print}
pdf=$(ls -t "$dir"/*afxbars-print*.pdf 2>/dev/null | head -n 1 || true)
if [ -z "$pdf" ]; then
  echo "no printed page in $dir (is the print queue up? scripts/lib/print-queue.sh)"
  exit 77
fi
command -v pdfinfo >/dev/null && command -v pdftoppm >/dev/null || { echo "poppler-utils missing"; exit 1; }

read -r w h < <(pdfinfo "$pdf" | sed -n 's/^Page size: *\([0-9.]*\) x \([0-9.]*\) pts.*/\1 \2/p')
echo "page size: $w x $h pt"
awk -v w="$w" -v h="$h" 'BEGIN { exit !((w - 595.28)^2 < 4 && (h - 841.89)^2 < 4) }' || { echo "not A4"; exit 1; }

# At 254 dpi one pixel is 0.1 mm.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
pdftoppm -r 254 -gray -singlefile "$pdf" "$tmp/page"
python3 - "$tmp/page.pgm" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
# P5 header: magic, width, height, maxval, each after white space
fields, pos = [], 0
while len(fields) < 4:
    while data[pos:pos+1].isspace(): pos += 1
    start = pos
    while not data[pos:pos+1].isspace(): pos += 1
    fields.append(data[start:pos])
pos += 1
w, h = int(fields[1]), int(fields[2])
pix = data[pos:pos + w * h]
xs, ys = [], []
for y in range(h):
    row = pix[y * w:(y + 1) * w]
    for x, v in enumerate(row):
        if v < 128:
            xs.append(x); ys.append(y)
if not xs:
    print("no mark on the page"); sys.exit(1)
box = (min(xs), min(ys), max(xs) + 1, max(ys) + 1)
print("mark at", box, "(0.1 mm)")
want = (300, 400, 401, 501)
if any(abs(a - b) > 10 for a, b in zip(box, want)):
    print("mark is not where it belongs:", want); sys.exit(1)
PY
