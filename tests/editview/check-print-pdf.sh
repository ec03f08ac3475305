#!/usr/bin/env bash
# Checks what the view's print test sent to the PDF queue: two A3 landscape pages, and on the
# second the 10 mm black square 15 mm from the paper's left edge and 13 mm from its top
# (the square at 10 mm plus the print offset of 5 mm and 3 mm), within 1 mm.
set -euo pipefail
dir=${QVZ_PRINT_DIR:-/tmp/qvz-print}
pdf=$(ls -t "$dir"/*editview-print*.pdf 2>/dev/null | head -n 1 || true)
if [ -z "$pdf" ]; then
  echo "no printed board in $dir (is the print queue up? scripts/lib/print-queue.sh)"
  exit 77
fi
command -v pdfinfo >/dev/null && command -v pdftoppm >/dev/null || { echo "poppler-utils missing"; exit 1; }
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
echo "pages: $pages"
[ "$pages" = 2 ] || { echo "not 2 pages"; exit 1; }
for p in 1 2; do
  read -r w h < <(pdfinfo -f $p -l $p "$pdf" | sed -n "s/^Page *$p size: *\([0-9.]*\) x \([0-9.]*\) pts.*/\1 \2/p")
  rot=$(pdfinfo -f $p -l $p "$pdf" | sed -n "s/^Page *$p rot: *\([0-9]*\).*/\1/p")
  # A page turned by 90 degrees shows landscape.
  if [ "${rot:-0}" = 90 ] || [ "${rot:-0}" = 270 ]; then read -r w h <<<"$h $w"; fi
  echo "page $p: $w x $h pt as shown"
  awk -v w="$w" -v h="$h" 'BEGIN { exit !((w - 1190.55)^2 < 9 && (h - 841.89)^2 < 9) }' || { echo "page $p is not A3 landscape"; exit 1; }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# At 254 dpi one pixel is 0.1 mm.
pdftoppm -r 254 -gray -f 2 -l 2 -singlefile "$pdf" "$tmp/page"
python3 "$(dirname "$0")/dark-box.py" "$tmp/page.pgm" 150 130 100 100
