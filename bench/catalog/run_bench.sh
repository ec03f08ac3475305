#!/usr/bin/env bash
# Builds and runs the catalogue benchmark natively (-O2, no sanitizers) beside SQLite
# (Debian's libsqlite3-dev). Each phase runs in fresh processes, repeated; medians printed.
# Usage: bench/catalog/run_bench.sh [repeats] [sizes...]     (default: 9 10000 100000)
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
root=${QVZ_BUILD_ROOT:-build}
repeats=${1:-9}
shift || true
sizes=${*:-10000 100000}
out=$here/$root/bench-catalog
mkdir -p "$out/data"
cmake -S "$here/bench/catalog" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$out" > /dev/null
bin=$out/catalog_bench
log=$out/results.txt
: > "$log"
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs), load $(cut -d' ' -f1-3 /proc/loadavg)" | tee -a "$log"
echo "sqlite: $(sqlite3 --version 2>/dev/null | cut -d' ' -f1 || echo '?')" | tee -a "$log"
for n in $sizes; do
  "$bin" gen "$n" "$out/data" | sed "s/^/gen $n: /" | tee -a "$log"
  for phase in parse load restore import open; do
    for ((r = 0; r < repeats; r++)); do
      echo "phase $n $phase $("$bin" "$phase" "$n" "$out/data")" >> "$log"
    done
  done
  for ((r = 0; r < 3; r++)); do
    "$bin" search "$n" "$out/data" 5 | sed "s/^/search $n $r /" >> "$log"
  done
done
echo "load at the end: $(cut -d' ' -f1-3 /proc/loadavg)" | tee -a "$log"
python3 - "$log" <<'PY'
import sys, statistics as st, collections
phases = collections.defaultdict(lambda: collections.defaultdict(list))
times = collections.defaultdict(lambda: collections.defaultdict(list))
checks = {}
peak = collections.defaultdict(list)
sqlmem = collections.defaultdict(list)
for line in open(sys.argv[1]):
    w = line.split()
    if line.startswith('phase '):
        n, ph = w[1], w[2]
        for kv in w[3:]:
            k, v = kv.split('=')
            phases[n][ph + ' ' + k].append(float(v))
    elif line.startswith('search '):
        n = w[1]
        rest = line.split(' ', 3)[3].rstrip('\n')
        f = rest.split('|')
        if f[0] == 'time':
            times[n][f[1]].append([float(x) for x in f[2:5]])
        elif f[0] == 'check':
            checks[(n, f[1])] = (f[2], f[3], f[4])
        elif rest.startswith('peak_kb='):
            peak[n].append(float(rest.split('=')[1]))
        elif rest.startswith('sqlite_kb='):
            sqlmem[n].append(float(rest.split('=')[1]))
med = lambda v: st.median(v) if v else float('nan')
print('\n## Load, restore, SQLite (median of runs: ms wall / ms CPU; peak RSS of the process MB)\n')
print('| products | ours: table reader alone | ours: cold load | ours: restore from cache | SQLite: import (insert + indexes) | SQLite: open + first query |')
print('|---|---|---|---|---|---|')
for n in phases:
    p = phases[n]
    cell = lambda ph: '%.1f / %.1f ms, %.1f MB' % (med(p[ph + ' ms']), med(p[ph + ' cpu_ms']), med(p[ph + ' peak_kb']) / 1024)
    print('| %s | %s | %s | %s | %s | %s |' % (n, cell('parse'), cell('load'), cell('restore'), cell('import'), cell('open')))
print('\nSQLite\'s own heap high-water (sqlite3_memory_highwater): ' + '; '.join(
    '%s import %.1f MB, open %.2f MB' % (n, med(phases[n]['import sqlite_kb']) / 1024, med(phases[n]['open sqlite_kb']) / 1024)
    for n in phases) + '. The import process holds the loaded catalogue too (%s).' % '; '.join(
    '%s %.1f MB' % (n, med(phases[n]['import loaded_kb']) / 1024) for n in phases))
print('\nRatios (wall medians):')
for n in phases:
    p = phases[n]
    print('- %s: restore / cold load %.2f; cold load / (table reader + SQLite import) %.2f; cold load / SQLite import alone %.2f;'
          ' restore / SQLite open %.0f' % (
        n, med(p['restore ms']) / med(p['load ms']), med(p['load ms']) / (med(p['parse ms']) + med(p['import ms'])),
        med(p['load ms']) / med(p['import ms']), med(p['restore ms']) / med(p['open ms'])))
for n in times:
    print('\n## Searches, %s products (microseconds per query, median; ratio = ours / SQLite)\n' % n)
    print('| query | queries | results each | ours | SQLite | ratio | SQLite, Bloom off | ratio |')
    print('|---|---|---|---|---|---|---|---|')
    for name, runs in times[n].items():
        a = med([r[0] for r in runs]); b = med([r[1] for r in runs]); c = med([r[2] for r in runs])
        q, each, empty = checks[(n, name)]
        print('| %s | %s | %s | %.2f | %.2f | %.2f | %.2f | %.2f |' % (name, q, each, a, b, a / b, c, a / c))
    print('\npeak RSS of the search process (catalogue loaded + SQLite): %.1f MB, of which SQLite\'s heap %.1f MB' % (
        med(peak[n]) / 1024, med(sqlmem[n]) / 1024))
PY
