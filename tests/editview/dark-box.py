# Finds the dark pixels of a P5 page at 0.1 mm per pixel and checks that they form the box
# at (x, y) of size w x h, each edge within 10 pixels (1 mm).
import sys
data = open(sys.argv[1], 'rb').read()
want = [int(v) for v in sys.argv[2:6]]
fields, pos = [], 0
while len(fields) < 4:
    while data[pos:pos + 1].isspace():
        pos += 1
    start = pos
    while not data[pos:pos + 1].isspace():
        pos += 1
    fields.append(data[start:pos])
pos += 1
w, h = int(fields[1]), int(fields[2])
pix = data[pos:pos + w * h]
xs, ys = [], []
for y in range(h):
    row = pix[y * w:(y + 1) * w]
    if min(row) >= 128:
        continue
    for x, v in enumerate(row):
        if v < 128:
            xs.append(x)
            ys.append(y)
if not xs:
    print("no dark pixels")
    sys.exit(1)
got = [min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1]
print("dark box at %d,%d size %dx%d (0.1 mm)" % tuple(got))
sys.exit(0 if all(abs(g - e) <= 10 for g, e in zip(got, want)) else 1)
