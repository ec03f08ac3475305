#!/usr/bin/python3
# Coverage of two pictures of the same scene on a white background: pixels drawn by each, by both,
# their overlap (intersection over union) and the mean colour difference where both drew.
import sys
from PIL import Image

a = Image.open(sys.argv[1]).convert("RGB")
b = Image.open(sys.argv[2]).convert("RGB")
pa, pb = a.load(), b.load()
w, h = a.size
white = (255, 255, 255)
na = nb = both = 0
diff = 0
for y in range(h):
    for x in range(w):
        ca, cb = pa[x, y], pb[x, y]
        da, db = ca != white, cb != white
        na += da
        nb += db
        if da and db:
            both += 1
            diff += sum(abs(ca[i] - cb[i]) for i in range(3)) / 3
union = na + nb - both
print("ours %d\tpeer %d\tboth %d\toverlap %.4f\tmean difference %.1f" %
      (na, nb, both, both / union if union else 1.0, diff / both if both else 0.0))
