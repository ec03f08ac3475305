#!/usr/bin/env python3
"""Decodes a 24-bit BMP with the standard library alone and checks its size and pixels.

Usage: check_bmp.py FILE WIDTH HEIGHT [X,Y=R,G,B ...]  (Y counted from the top)
"""
import struct
import sys


def main():
    path, width, height = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    data = open(path, "rb").read()
    assert data[:2] == b"BM", "signature"
    size, _, _, off = struct.unpack_from("<IHHI", data, 2)
    hsize, w, h, planes, bits, comp = struct.unpack_from("<IiiHHI", data, 14)
    assert size == len(data), "bfSize %d, file %d" % (size, len(data))
    assert (w, h, planes, bits, comp) == (width, height, 1, 24, 0), (w, h, planes, bits, comp)
    stride = (3 * w + 3) & ~3
    assert off + stride * h == len(data), "pixel array size"
    for arg in sys.argv[4:]:
        pos, rgb = arg.split("=")
        x, y = map(int, pos.split(","))
        want = tuple(map(int, rgb.split(",")))
        at = off + (h - 1 - y) * stride + 3 * x
        b, g, r = data[at:at + 3]
        assert (r, g, b) == want, "pixel %d,%d is %s, expected %s" % (x, y, (r, g, b), want)
    print("ok", path)


if __name__ == "__main__":
    main()
