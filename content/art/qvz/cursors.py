"""The board designer's tool cursors (monochrome .cur files, 32 x 32)."""
import os
import struct

from PIL import Image, ImageDraw

# Pixel values of the drawing grid.
CLEAR, BLACK, WHITE = 0, 1, 2


def write_cur(grid, hotspot, path):
    """A one-image cursor file: 1-bit XOR image and AND mask, bottom-up rows."""
    w, h = grid.size
    px = grid.load()
    stride = ((w + 31) // 32) * 4

    def rows(bit_of):
        out = b""
        for y in range(h - 1, -1, -1):
            row = bytearray(stride)
            for x in range(w):
                if bit_of(px[x, y]):
                    row[x // 8] |= 0x80 >> (x % 8)
            out += bytes(row)
        return out

    xor = rows(lambda v: v == WHITE)
    mask = rows(lambda v: v == CLEAR)
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + xor + mask
    entry = struct.pack("<BBBBHHII", w, h, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 2, 1) + entry + image)


ARROW = [(0, 0), (0, 15), (4, 11), (7, 17), (9, 16), (6, 10), (11, 10)]


def arrow(d, at=(1, 1)):
    pts = [(x + at[0], y + at[1]) for x, y in ARROW]
    d.polygon(pts, fill=BLACK, outline=WHITE)


def cross(d, c=(8, 8), r=7):
    d.line([(c[0] - r, c[1]), (c[0] + r, c[1])], fill=BLACK, width=1)
    d.line([(c[0], c[1] - r), (c[0], c[1] + r)], fill=BLACK, width=1)


def badge(d, box):
    d.rectangle(box, fill=WHITE, outline=BLACK)


def canvas():
    img = Image.new("P", (32, 32), CLEAR)
    return img, ImageDraw.Draw(img)


def draw_move(d):
    arrow(d)
    for a in ([(20, 14), (17, 18), (23, 18)], [(20, 30), (17, 26), (23, 26)],
              [(12, 22), (16, 19), (16, 25)], [(28, 22), (24, 19), (24, 25)]):
        d.polygon(a, fill=BLACK, outline=WHITE)
    d.line([(20, 16), (20, 28)], fill=BLACK)
    d.line([(14, 22), (26, 22)], fill=BLACK)


def draw_copy(d):
    arrow(d)
    badge(d, (14, 16, 24, 26))
    d.line([(16, 21), (22, 21)], fill=BLACK)
    d.line([(19, 18), (19, 24)], fill=BLACK)


def draw_rotate(d):
    d.arc((4, 4, 26, 26), 200, 500, fill=BLACK, width=2)
    d.polygon([(22, 2), (28, 8), (20, 10)], fill=BLACK, outline=WHITE)


def draw_shape(kind):
    def f(d):
        cross(d)
        box = (14, 14, 29, 26)
        if kind == "rect":
            d.rectangle(box, outline=BLACK)
        elif kind == "line":
            d.line([(14, 27), (29, 14)], fill=BLACK, width=2)
        elif kind == "ellipse":
            d.ellipse(box, outline=BLACK)
        elif kind == "roundrect":
            d.rounded_rectangle(box, radius=4, outline=BLACK)
        elif kind == "sector":
            d.pieslice((12, 12, 30, 30), 180, 270, outline=BLACK)
    return f


def draw_vertex(d):
    arrow(d)
    badge(d, (15, 17, 21, 23))


def draw_zoom(plus):
    def f(d):
        d.ellipse((2, 2, 18, 18), fill=WHITE, outline=BLACK, width=2)
        d.line([(16, 16), (27, 27)], fill=BLACK, width=3)
        d.line([(6, 10), (14, 10)], fill=BLACK, width=2)
        if plus:
            d.line([(10, 6), (10, 14)], fill=BLACK, width=2)
    return f


def draw_vertex_edit(d):
    arrow(d)
    d.line([(14, 26), (22, 16), (29, 24)], fill=BLACK)
    for p in ((14, 26), (22, 16), (29, 24)):
        badge(d, (p[0] - 2, p[1] - 2, p[0] + 2, p[1] + 2))


def draw_favorite(d):
    arrow(d)
    d.polygon([(21, 13), (23, 19), (29, 19), (24, 23), (26, 29), (21, 25), (16, 29), (18, 23), (13, 19), (19, 19)],
              fill=WHITE, outline=BLACK)


def draw_palette_drag(d):
    arrow(d)
    d.rectangle((14, 16, 28, 28), outline=BLACK)
    d.rectangle((15, 17, 27, 27), outline=WHITE)
    d.line([(17, 25), (21, 19), (25, 25)], fill=BLACK)


# Resource id, drawing, hot spot.
CURSORS = [
    (212, draw_move, (1, 1)),
    (213, draw_shape("ellipse"), (8, 8)),
    (215, draw_shape("sector"), (8, 8)),
    (218, draw_shape("roundrect"), (8, 8)),
    (221, draw_vertex, (1, 1)),
    (222, draw_shape("line"), (8, 8)),
    (270, draw_palette_drag, (1, 1)),
    (332, draw_copy, (1, 1)),
    (462, draw_favorite, (1, 1)),
    (1021, draw_rotate, (15, 15)),
    (1027, draw_shape("rect"), (8, 8)),
    (1029, draw_zoom(False), (10, 10)),
    (1031, draw_zoom(True), (10, 10)),
    (1033, draw_vertex_edit, (1, 1)),
]


def draw(outdir):
    for rid, fn, hot in CURSORS:
        img, d = canvas()
        fn(d)
        write_cur(img, hot, os.path.join(outdir, "cursor_%d.cur" % rid))
