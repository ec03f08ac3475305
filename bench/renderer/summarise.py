#!/usr/bin/python3
# Medians with min-max of results.tsv (run_bench.sh) and the speed ratios against Mesa, as Markdown.
import sys
from collections import defaultdict
from statistics import median

runs = defaultdict(list)
order = []
with open(sys.argv[1]) as f:
    next(f)
    for line in f:
        p = line.rstrip("\n").split("\t")
        if len(p) < 6 or not p[3]:
            continue
        key = (int(p[0]), int(p[1]), p[2])
        if key not in runs:
            order.append(key)
        runs[key].append((float(p[3]), float(p[4]), float(p[5]), float(p[6]) if len(p) > 6 and p[6] else 0.0))

def med(key, i=0):
    return median(r[i] for r in runs[key]) if key in runs else None

print("| triangles | textured | measured | median s | min - max s | triangles/s | CPU s (median) | peak MB | load (1 min) |")
print("|---:|---:|---|---:|---:|---:|---:|---:|---:|")
for key in order:
    secs = [r[0] for r in runs[key]]
    loads = [r[3] for r in runs[key]]
    m = median(secs)
    print("| %d | %d | %s | %.3f | %.3f - %.3f | %.0f k | %.3f | %.0f | %.1f - %.1f |" % (
        key[0], key[1], key[2], m, min(secs), max(secs), key[0] / m / 1000 if m else 0, med(key, 2), med(key, 1),
        min(loads), max(loads)))
print()
pairs = [("ours pass", "llvmpipe 1 draw"), ("ours call", "llvmpipe 1 draw"), ("ours call", "llvmpipe 1 read+draw"),
         ("win64 pass", "llvmpipe 1 draw"), ("win64 dll call", "llvmpipe 1 draw"), ("ours pass", "softpipe draw"),
         ("ours call", "softpipe draw"), ("ours pass", "llvmpipe all draw"), ("ours call", "llvmpipe all draw")]
for title, col in (("wall clock", 0), ("CPU time (one thread on both sides; not for llvmpipe all threads)", 2)):
    print("Speed ratios by %s: peer's median / ours; above 1.0 ours is faster." % title)
    print()
    print("| triangles | textured | " + " | ".join("%s : %s" % p for p in pairs) + " |")
    print("|---:|---:|" + "---:|" * len(pairs))
    for n, t in sorted({(k[0], k[1]) for k in order}):
        cells = []
        for a, b in pairs:
            x, y = med((n, t, a), col), med((n, t, b), col)
            cells.append("%.2f" % (y / x) if x and y else "-")
        print("| %d | %d | %s |" % (n, t, " | ".join(cells)))
    print()
