#!/usr/bin/env bash
# Builds and runs the picture-core benchmark natively (-O2, no sanitizers) on photo-like
# pictures of 1 to 12 megapixels, beside ImageMagick's and pngquant's colour reduction
# (Debian's imagemagick and pngquant, one thread each, as ours). Medians of repeated runs.
# Usage: bench/texture/run_bench.sh [repeats]     (default 5)
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
root=${QVZ_BUILD_ROOT:-build}
repeats=${1:-5}
out=$here/$root/bench-texture
data=$out/data
mkdir -p "$data"
cmake -S "$here/bench/texture" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$out" > /dev/null
bin=$out/texture_bench
log=$out/results.txt
: > "$log"
echo "machine: $(nproc --all) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs), load $(cut -d' ' -f1-3 /proc/loadavg)" | tee -a "$log"
echo "peers: $(convert -version | head -1 | cut -d' ' -f2-4), pngquant $(pngquant --version | cut -d' ' -f1)" | tee -a "$log"
export MAGICK_THREAD_LIMIT=1 OMP_NUM_THREADS=1
# Runs a peer command R times under /usr/bin/time: seconds and peak KB.
peer() {
  local tag=$1; shift
  for ((r = 0; r < repeats; r++)); do
    /usr/bin/time -f "%e %M" -o "$out/time.txt" "$@" > /dev/null 2>&1
    read -r s kb < "$out/time.txt"
    echo "peer $mp $tag ms=$(awk "BEGIN{print $s*1000}") peak_kb=$kb" >> "$log"
  done
}
for size in 1152x864 2048x1536 3000x2000 4000x3000; do
  w=${size%x*} h=${size#*x}
  mp=$size
  p=$data/photo-$size
  "$bin" make "$w" "$h" "$p.bmp" "$p.ppm" | sed "s/^/$size: /" | tee -a "$log"
  convert "$p.ppm" "$p.png"
  convert "$p.ppm" -quality 90 "$p.jpg"
  for ((r = 0; r < repeats; r++)); do
    echo "ours $mp reduce $("$bin" reduce "$p.bmp" "$p-ours8.bmp")" >> "$log"
    echo "ours $mp rotate $("$bin" rotate "$p.bmp" 3000)" >> "$log"
    echo "ours $mp jpeg $("$bin" jpeg "$p.jpg")" >> "$log"
  done
  peer im_io convert "$p.ppm" "$p-io.ppm"
  peer im_plain convert "$p.ppm" +dither -colors 236 -depth 8 "$p-im.ppm"
  peer im_dither convert "$p.ppm" -colors 236 -depth 8 "$p-imd.ppm"
  peer pq_plain pngquant --nofs --force -o "$p-pq.png" 236 "$p.png"
  peer pq_dither pngquant --force -o "$p-pqd.png" 236 "$p.png"
  peer im_rot90 convert "$p.ppm" -rotate 90 "$p-r90.ppm"
  peer im_rot30 convert "$p.ppm" -rotate 30 "$p-r30.ppm"
  convert "$p-pq.png" -depth 8 "$p-pq.ppm"
  convert "$p-pqd.png" -depth 8 "$p-pqd.ppm"
  for t in im imd pq pqd; do
    echo "psnr $mp $t $("$bin" psnr "$p.ppm" "$p-$t.ppm")" >> "$log"
  done
done
echo "load at the end: $(cut -d' ' -f1-3 /proc/loadavg)" | tee -a "$log"
python3 - "$log" <<'PY'
import sys, statistics as st, collections
v = collections.defaultdict(list)
sizes = []
for line in open(sys.argv[1]):
    w = line.split()
    if w and w[0] in ('ours', 'peer', 'psnr'):
        mp, tag = w[1], w[2]
        if mp not in sizes: sizes.append(mp)
        for kv in w[3:]:
            k, x = kv.split('=')
            v[(mp, tag, k)].append(float(x))
m = lambda mp, tag, k: st.median(v[(mp, tag, k)]) if v[(mp, tag, k)] else float('nan')
mpx = lambda s: int(s.split('x')[0]) * int(s.split('x')[1]) / 1e6
print('\n## Colour reduction to 236 colours (median ms; PSNR dB against the original; peak RSS MB)\n')
print('| picture | ours: palette | ours: 8-bit save (palette + mapping + write) | ours: PSNR | ImageMagick +dither | PSNR | ImageMagick, dithered | PSNR | pngquant --nofs | PSNR | pngquant, dithered | PSNR |')
print('|---|---|---|---|---|---|---|---|---|---|---|---|')
for s in sizes:
    print('| %s (%.1f MP) | %.0f | %.0f | %.2f | %.0f | %.2f | %.0f | %.2f | %.0f | %.2f | %.0f | %.2f |' % (
        s, mpx(s), m(s,'reduce','palette_ms'), m(s,'reduce','save8_ms'), m(s,'reduce','psnr'),
        m(s,'im_plain','ms'), m(s,'im','psnr'), m(s,'im_dither','ms'), m(s,'imd','psnr'),
        m(s,'pq_plain','ms'), m(s,'pq','psnr'), m(s,'pq_dither','ms'), m(s,'pqd','psnr')))
print('\nPeers are whole processes (read the file, reduce, write); ImageMagick reading and writing the same PPM without reducing takes:',
      ', '.join('%s %.0f ms' % (s, m(s,'im_io','ms')) for s in sizes), '. Ours reads its BMP in',
      ', '.join('%s %.0f ms' % (s, m(s,'reduce','load_ms')) for s in sizes), '(not in the figures above).')
print('\nOurs with the same palette but mapped by plain Euclidean distance (not timed): ' + '; '.join(
    '%s %.2f dB' % (s, m(s,'reduce','psnr_euclid')) for s in sizes))
print('\nPeak RSS MB: ' + '; '.join('%s ours %.0f, IM %.0f, pngquant %.0f' % (
    s, m(s,'reduce','peak_kb')/1024, m(s,'im_plain','peak_kb')/1024, m(s,'pq_plain','peak_kb')/1024) for s in sizes))
print('\nColours used: ' + '; '.join('%s ours %.0f, IM %.0f, pngquant %.0f' % (
    s, m(s,'reduce','colours'), m(s,'im','colours'), m(s,'pq','colours')) for s in sizes))
print('\nRatios, ours (8-bit save) to the peer, time: ' + '; '.join('%s IM %.2f, pngquant %.2f' % (
    s, m(s,'reduce','save8_ms') / (m(s,'im_plain','ms') - m(s,'im_io','ms')), m(s,'reduce','save8_ms') / m(s,'pq_plain','ms')) for s in sizes)
    + ' (IM with its own reading and writing taken off)')
print('\n## Turns (median ms; peak RSS MB of the process)\n')
print('| picture | ours: quarter turn | ours: 30 degrees | ImageMagick -rotate 90 (whole process) | ImageMagick -rotate 30 (whole process) | ImageMagick read + write | ours peak RSS | ours JPEG read |')
print('|---|---|---|---|---|---|---|---|')
for s in sizes:
    print('| %s | %.1f | %.0f | %.0f | %.0f | %.0f | %.0f | %.0f |' % (s, m(s,'rotate','quarter_ms'), m(s,'rotate','arbitrary_ms'),
        m(s,'im_rot90','ms'), m(s,'im_rot30','ms'), m(s,'im_io','ms'), m(s,'rotate','peak_kb')/1024, m(s,'jpeg','jpeg_ms')))
PY
