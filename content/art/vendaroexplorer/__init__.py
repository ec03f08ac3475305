"""The catalogue browser's pictures: its program icon, the sixteen tree and list icons, the
tool bar, the back and reload buttons' icons and their pressed overlay, the question icon and the searching animation."""
import os
import struct

from PIL import Image, ImageDraw

import artlib

INK = (32, 32, 48, 255)
BLUE = (40, 96, 200, 255)
YELLOW = (240, 200, 60, 255)
GREY = (160, 160, 168, 255)
WHITE = (255, 255, 255, 255)
GREEN = (60, 150, 70, 255)
RED = (200, 60, 50, 255)


def _canvas(w, h=None):
    return Image.new("RGBA", (w, h or w), (0, 0, 0, 0))


def _scaled(draw_fn, size):
    im = _canvas(size)
    draw_fn(ImageDraw.Draw(im), size / 16.0)
    return im


def _folder(open_=False, fill=YELLOW):
    def f(d, s):
        d.rectangle([1 * s, 3 * s, 6 * s, 5 * s], fill=fill, outline=INK)
        d.rectangle([1 * s, 5 * s, 14 * s, 13 * s], fill=fill, outline=INK)
        if open_:
            d.polygon([(3 * s, 7 * s), (15 * s, 7 * s), (13 * s, 13 * s), (1 * s, 13 * s)], fill=WHITE, outline=INK)
    return f


def _drive(kind):
    def f(d, s):
        d.rectangle([1 * s, 6 * s, 14 * s, 11 * s], fill=GREY, outline=INK)
        if kind == "cd":
            d.ellipse([3 * s, 1 * s, 13 * s, 11 * s], fill=(220, 220, 240, 255), outline=INK)
            d.ellipse([7 * s, 5 * s, 9 * s, 7 * s], fill=WHITE, outline=INK)
        elif kind == "net":
            d.line([(8 * s, 11 * s), (8 * s, 15 * s)], fill=INK)
            d.line([(3 * s, 15 * s), (13 * s, 15 * s)], fill=INK)
        d.rectangle([11 * s, 8 * s, 12 * s, 9 * s], fill=GREEN)
    return f


def _book(colour):
    def f(d, s):
        d.rectangle([3 * s, 1 * s, 13 * s, 14 * s], fill=colour, outline=INK)
        d.line([(5 * s, 1 * s), (5 * s, 14 * s)], fill=INK)
    return f


def _page(mark):
    def f(d, s):
        d.polygon([(3 * s, 1 * s), (10 * s, 1 * s), (13 * s, 4 * s), (13 * s, 15 * s), (3 * s, 15 * s)],
                  fill=WHITE, outline=INK)
        if mark == "pic":
            d.rectangle([5 * s, 6 * s, 11 * s, 12 * s], fill=(150, 200, 250, 255))
            d.polygon([(5 * s, 12 * s), (8 * s, 8 * s), (11 * s, 12 * s)], fill=GREEN)
        elif mark == "plan":
            d.rectangle([5 * s, 6 * s, 11 * s, 12 * s], outline=BLUE)
            d.line([(8 * s, 6 * s), (8 * s, 12 * s)], fill=BLUE)
        else:
            for y in (6, 8, 10, 12):
                d.line([(5 * s, y * s), (11 * s, y * s)], fill=GREY)
    return f


def _lens(d, s):
    d.ellipse([1 * s, 1 * s, 10 * s, 10 * s], fill=(200, 228, 255, 255), outline=INK)
    d.line([(9 * s, 9 * s), (14 * s, 14 * s)], fill=INK, width=max(1, int(2 * s)))


def _desktop(d, s):
    d.rectangle([1 * s, 2 * s, 14 * s, 11 * s], fill=(60, 120, 180, 255), outline=INK)
    d.rectangle([6 * s, 11 * s, 9 * s, 14 * s], fill=GREY, outline=INK)


def _computer(d, s):
    d.rectangle([2 * s, 1 * s, 13 * s, 10 * s], fill=GREY, outline=INK)
    d.rectangle([4 * s, 3 * s, 11 * s, 8 * s], fill=(60, 120, 180, 255))
    d.rectangle([1 * s, 12 * s, 14 * s, 14 * s], fill=GREY, outline=INK)


# Resource id -> drawing; indices 3, 12, 13, 14 are the folder and the three drive kinds.
ICONS = {
    136: _book(BLUE), 134: _lens, 135: _desktop, 138: _folder(), 137: _folder(True),
    142: _computer, 140: _folder(fill=(200, 170, 230, 255)), 149: _page("pic"), 147: _page("plan"),
    148: _page("text"), 146: _book(RED), 145: _book(GREEN), 155: _drive("fixed"), 156: _drive("cd"),
    154: _drive("net"), 158: _folder(fill=(180, 220, 180, 255)),
}


def _program_icon(size):
    im = _canvas(size)
    d = ImageDraw.Draw(im)
    s = size / 32.0
    d.rectangle([3 * s, 4 * s, 22 * s, 28 * s], fill=BLUE, outline=INK)
    d.rectangle([7 * s, 8 * s, 18 * s, 16 * s], fill=WHITE)
    d.ellipse([15 * s, 14 * s, 27 * s, 26 * s], fill=(200, 228, 255, 255), outline=INK, width=max(1, int(2 * s)))
    d.line([(25 * s, 24 * s), (30 * s, 29 * s)], fill=INK, width=max(1, int(3 * s)))
    return im


def _arrow_button(w, pressed, kind):
    """Back (an arrow left) or reload (a circular arrow), drawn 1 px lower and right when pressed."""
    im = _canvas(w, 16)
    d = ImageDraw.Draw(im)
    o = 1 if pressed else 0
    colour = (20, 70, 170, 255) if pressed else BLUE
    if kind == "back":
        d.polygon([(2 + o, 8 + o), (9 + o, 2 + o), (9 + o, 5 + o), (16 + o, 5 + o), (16 + o, 11 + o),
                   (9 + o, 11 + o), (9 + o, 14 + o)], fill=colour, outline=INK)
    else:
        d.arc([2 + o, 2 + o, 14 + o, 14 + o], start=30, end=330, fill=colour, width=3)
        d.polygon([(11 + o, 1 + o), (16 + o, 4 + o), (11 + o, 7 + o)], fill=colour)
    return im


def _toolbar():
    """Eight 16 x 15 buttons: back, forward, reload, thumbnails, details, (search box), search,
    (32816)."""
    w, h = 16, 15
    im = Image.new("RGB", (w * 8, h), (192, 192, 192))
    d = ImageDraw.Draw(im)
    ink, blue = INK[:3], BLUE[:3]
    d.polygon([(1, 7), (7, 2), (7, 12)], fill=blue, outline=ink)
    d.polygon([(w + 14, 7), (w + 8, 2), (w + 8, 12)], fill=blue, outline=ink)
    d.arc([2 * w + 2, 2, 2 * w + 13, 13], start=30, end=330, fill=blue, width=2)
    for i in range(4):
        x, y = 3 * w + 1 + (i % 2) * 7, 1 + (i // 2) * 7
        d.rectangle([x, y, x + 5, y + 5], fill=(150, 200, 250), outline=ink)
    for y in (2, 6, 10):
        d.rectangle([4 * w + 1, y, 4 * w + 3, y + 2], fill=blue)
        d.line([(4 * w + 5, y + 1), (4 * w + 14, y + 1)], fill=ink)
    d.rectangle([5 * w + 1, 4, 5 * w + 14, 10], fill=(255, 255, 255), outline=ink)
    d.ellipse([6 * w + 1, 1, 6 * w + 9, 9], fill=(200, 228, 255), outline=ink)
    d.line([(6 * w + 8, 8), (6 * w + 13, 13)], fill=ink, width=2)
    d.rectangle([7 * w + 3, 3, 7 * w + 12, 12], outline=ink)
    return _paletted(im)


def _paletted(im):
    """The same picture with a colour table, so that the loader can map its greys to the
    system's 3-D colours (it maps only colour-table entries)."""
    colours = sorted(set(im.getdata()))
    assert len(colours) <= 256, "too many colours for a colour table"
    index = {c: i for i, c in enumerate(colours)}
    out = Image.new("P", im.size)
    out.putpalette([v for c in colours for v in c] + [0] * (3 * (256 - len(colours))))
    out.putdata([index[c] for c in im.getdata()])
    return out


def _question(size):
    im = _canvas(size)
    d = ImageDraw.Draw(im)
    d.ellipse([1, 1, size - 2, size - 2], fill=BLUE, outline=INK)
    font = artlib.gothic(int(size * 0.7))
    d.text((size * 0.3, size * 0.1), "?", fill=WHITE, font=font)
    return im


def _avi(path, frames=8, size=32):
    """An uncompressed 8-bit AVI: a lens circling over a page, one frame per 125 ms."""
    palette = [(192, 192, 192), (255, 255, 255), (32, 32, 48), (40, 96, 200), (200, 228, 255)]
    palette += [(0, 0, 0)] * (256 - len(palette))
    images = []
    for n in range(frames):
        im = Image.new("P", (size, size), 0)
        d = ImageDraw.Draw(im)
        d.rectangle([6, 4, 25, 28], fill=1, outline=2)
        for y in (9, 13, 17, 21):
            d.line([(9, y), (22, y)], fill=2)
        import math
        a = 2 * math.pi * n / frames
        cx, cy = 16 + 7 * math.cos(a), 16 + 7 * math.sin(a)
        d.ellipse([cx - 6, cy - 6, cx + 6, cy + 6], fill=4, outline=3)
        d.line([(cx + 4, cy + 4), (cx + 9, cy + 9)], fill=3, width=2)
        images.append(im)
    stride = (size + 3) & ~3
    def frame_bytes(im):
        px = im.load()
        out = bytearray()
        for y in range(size - 1, -1, -1):
            row = bytes(px[x, y] for x in range(size))
            out += row + bytes(stride - size)
        return bytes(out)
    data = [frame_bytes(im) for im in images]
    def chunk(fourcc, payload):
        pad = b"\0" if len(payload) % 2 else b""
        return fourcc + struct.pack("<I", len(payload)) + payload + pad
    def lst(kind, payload):
        return chunk(b"LIST", kind + payload)
    usec = 125000
    avih = struct.pack("<IIIIIIIIII4I", usec, stride * size * 8, 0, 0x10, frames, 0, 1, stride * size,
                       size, size, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", b"DIB ", 0, 0, 0, 0, 1, 8, 0, frames,
                       stride * size, 0xFFFFFFFF, 0, 0, 0, size, size)
    bih = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 8, 0, stride * size, 0, 0, 256, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    hdrl = lst(b"hdrl", chunk(b"avih", avih) + lst(b"strl", chunk(b"strh", strh) + chunk(b"strf", bih + pal)))
    movi_payload = b""
    index = b""
    offset = 4
    for fb in data:
        index += struct.pack("<4sIII", b"00db", 0x10, offset, len(fb))
        c = chunk(b"00db", fb)
        movi_payload += c
        offset += len(c)
    movi = lst(b"movi", movi_payload)
    body = b"AVI " + hdrl + movi + chunk(b"idx1", index)
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(body)) + body)


def draw(outdir):
    def out(name):
        return os.path.join(outdir, name)
    artlib.save_ico([_program_icon(32), _program_icon(16)], out("vendaro.ico"))
    for rid, fn in ICONS.items():
        artlib.save_ico([_scaled(fn, 16), _scaled(fn, 32)], out("icon%d.ico" % rid))
    artlib.save_ico([_arrow_button(40, True, "back")], out("icon171.ico"))
    artlib.save_ico([_arrow_button(40, False, "back")], out("icon173.ico"))
    artlib.save_ico([_arrow_button(56, True, "reload")], out("icon176.ico"))
    artlib.save_ico([_arrow_button(56, False, "reload")], out("icon177.ico"))
    artlib.save_ico([_question(32)], out("icon157.ico"))
    artlib.save_bmp(_toolbar(), out("toolbar128.bmp"))
    # The pressed flat icon button's overlay: one grey over the whole face.
    artlib.save_bmp(Image.new("RGBA", (72, 48), (192, 192, 192, 255)), out("bitmap168.bmp"))
    _avi(out("search165.avi"))
