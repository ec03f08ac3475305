"""The texture wizard's pictures: its icon, the view's zoom and revert buttons, the size
grip, the black-fill tools' cursors and icons, and the pages' pictures."""
import os

from PIL import Image, ImageDraw

import artlib

INK = (32, 32, 48, 255)
BLUE = (40, 96, 200, 255)
GLASS = (200, 228, 255, 255)
WHITE = (255, 255, 255, 255)


def _canvas(size):
    return Image.new("RGBA", (size, size), (0, 0, 0, 0))


def _wizard_icon(size):
    """A framed picture (sky over a hill) with a wand across its corner."""
    s = size / 32.0
    im = _canvas(size)
    d = ImageDraw.Draw(im)
    d.rectangle([2 * s, 4 * s, 26 * s, 24 * s], fill=(120, 80, 40, 255))
    d.rectangle([4 * s, 6 * s, 24 * s, 22 * s], fill=(150, 200, 250, 255))
    d.polygon([(4 * s, 22 * s), (12 * s, 13 * s), (18 * s, 18 * s), (24 * s, 12 * s), (24 * s, 22 * s)],
              fill=(60, 150, 70, 255))
    d.line([(14 * s, 30 * s), (29 * s, 15 * s)], fill=INK, width=max(1, int(3 * s)))
    d.polygon([(29 * s, 10 * s), (31 * s, 15 * s), (26 * s, 13 * s)], fill=(250, 210, 40, 255))
    return im


def _magnifier(sign):
    im = _canvas(16)
    d = ImageDraw.Draw(im)
    d.ellipse([1, 1, 10, 10], fill=GLASS, outline=INK)
    d.line([(9, 9), (14, 14)], fill=INK, width=2)
    d.line([(3, 5), (8, 5)], fill=INK)
    d.line([(3, 6), (8, 6)], fill=INK)
    if sign == "+":
        d.line([(5, 3), (5, 8)], fill=INK)
        d.line([(6, 3), (6, 8)], fill=INK)
    return im


def _fit():
    im = _canvas(16)
    d = ImageDraw.Draw(im)
    d.rectangle([1, 1, 14, 14], outline=INK)
    for (x0, y0, x1, y1) in [(3, 3, 6, 6), (12, 3, 9, 6), (3, 12, 6, 9), (12, 12, 9, 9)]:
        d.line([(x0, y0), (x1, y1)], fill=BLUE)
        d.line([(x0, y0), (x0 + (1 if x1 > x0 else -1) * 2, y0)], fill=BLUE)
        d.line([(x0, y0), (x0, y0 + (1 if y1 > y0 else -1) * 2)], fill=BLUE)
    return im


def _revert():
    im = _canvas(16)
    d = ImageDraw.Draw(im)
    d.arc([3, 3, 14, 14], start=180, end=90, fill=BLUE, width=2)
    d.polygon([(0, 8), (6, 8), (3, 12)], fill=BLUE)
    return im


def _size_grip(path):
    im = Image.new("RGB", (12, 12), (192, 192, 192))
    d = ImageDraw.Draw(im)
    for k in (0, 4, 8):
        d.line([(11, k), (k, 11)], fill=(255, 255, 255))
        d.line([(11, k + 1), (k + 1, 11)], fill=(128, 128, 128))
        d.line([(11, k + 2), (k + 2, 11)], fill=(128, 128, 128))
    artlib.save_bmp(im, path)


def _outlined(draw_shape):
    """A 32 x 32 cursor: the shape in black with a white rim, so it shows on any picture."""
    rim = _canvas(32)
    draw_shape(ImageDraw.Draw(rim), WHITE, 3)
    ink = _canvas(32)
    draw_shape(ImageDraw.Draw(ink), (0, 0, 0, 255), 1)
    rim.alpha_composite(ink)
    return rim


def _brush_cursor(pixels, erase):
    def shape(d, colour, width):
        half = max(pixels // 2, 1)
        box = [16 - half, 16 - half, 16 + half, 16 + half]
        if erase:
            d.rectangle(box, outline=colour, width=width)
        else:
            d.ellipse(box, outline=colour, width=width)
        d.line([(16, 16 - half - 5), (16, 16 - half - 2)], fill=colour, width=width)
        d.line([(16, 16 + half + 2), (16, 16 + half + 5)], fill=colour, width=width)
        d.line([(16 - half - 5, 16), (16 - half - 2, 16)], fill=colour, width=width)
        d.line([(16 + half + 2, 16), (16 + half + 5, 16)], fill=colour, width=width)
    return _outlined(shape)


def _polygon_cursor():
    def shape(d, colour, width):
        d.line([(16, 6), (16, 26)], fill=colour, width=width)
        d.line([(6, 16), (26, 16)], fill=colour, width=width)
        d.line([(20, 4), (30, 8), (27, 14), (20, 4)], fill=colour, width=width)
    return _outlined(shape)


def _fill_cursor():
    def shape(d, colour, width):
        d.polygon([(10, 8), (22, 14), (16, 26), (4, 20)], outline=colour, width=width)
        d.line([(22, 14), (27, 22), (27, 26)], fill=colour, width=width)
        d.point([(3, 3)], fill=colour)
        d.line([(0, 3), (6, 3)], fill=colour, width=width)
        d.line([(3, 0), (3, 6)], fill=colour, width=width)
    return _outlined(shape)


def _rgb(size, back=(236, 233, 216)):
    im = Image.new("RGB", size, back)
    return im, ImageDraw.Draw(im)


def _photo(d, box):
    """A small landscape photograph: sky, sun and a green hill."""
    x0, y0, x1, y1 = box
    d.rectangle(box, fill=(150, 200, 250), outline=(60, 60, 60))
    d.ellipse([x1 - 10, y0 + 3, x1 - 4, y0 + 9], fill=(250, 210, 40))
    d.polygon([(x0 + 1, y1 - 1), (x0 + (x1 - x0) // 3, y0 + (y1 - y0) // 2), (x1 - 1, y1 - 1)], fill=(60, 150, 70))


def _input_picture(path):
    """The input page's picture: a camera, a photograph and a scanner."""
    im, d = _rgb((72, 112))
    d.rectangle([8, 8, 64, 40], fill=(70, 70, 80))
    d.ellipse([26, 14, 46, 34], fill=(30, 30, 40), outline=(200, 200, 210))
    d.rectangle([12, 4, 24, 8], fill=(70, 70, 80))
    _photo(d, (14, 48, 58, 76))
    d.rectangle([6, 86, 66, 104], fill=(210, 210, 215), outline=(80, 80, 90))
    d.line([(10, 92), (62, 92)], fill=(40, 120, 220), width=2)
    artlib.save_bmp(im, path)


def _turn(path, left):
    """A picture with an arrow a quarter turn round it."""
    im, d = _rgb((32, 32))
    _photo(d, (9, 11, 23, 23))
    d.arc([3, 3, 29, 29], start=200, end=340, fill=(200, 40, 40), width=2)
    if left:
        d.polygon([(2, 10), (9, 11), (4, 16)], fill=(200, 40, 40))
    else:
        d.polygon([(30, 10), (23, 11), (28, 16)], fill=(200, 40, 40))
    artlib.save_bmp(im, path)


def _range(path, part):
    im, d = _rgb((32, 32))
    _photo(d, (2, 4, 29, 27))
    if part:
        d.rectangle([9, 9, 22, 21], outline=(200, 40, 40))
    else:
        d.rectangle([1, 3, 30, 28], outline=(200, 40, 40))
    artlib.save_bmp(im, path)


def _size_picture(path):
    im, d = _rgb((32, 32))
    _photo(d, (2, 8, 18, 20))
    d.rectangle([2, 8, 29, 28], outline=(200, 40, 40))
    d.line([(20, 24), (28, 28)], fill=INK[:3])
    artlib.save_bmp(im, path)


def _file_icon(size):
    s = size / 32.0
    im = _canvas(size)
    d = ImageDraw.Draw(im)
    d.polygon([(6 * s, 2 * s), (20 * s, 2 * s), (26 * s, 8 * s), (26 * s, 30 * s), (6 * s, 30 * s)],
              fill=WHITE, outline=INK)
    d.rectangle([9 * s, 12 * s, 23 * s, 24 * s], fill=(150, 200, 250, 255))
    d.polygon([(9 * s, 24 * s), (14 * s, 17 * s), (23 * s, 24 * s)], fill=(60, 150, 70, 255))
    return im


def _scanner_icon(size):
    s = size / 32.0
    im = _canvas(size)
    d = ImageDraw.Draw(im)
    d.rectangle([2 * s, 14 * s, 30 * s, 26 * s], fill=(210, 210, 215, 255), outline=INK)
    d.polygon([(4 * s, 14 * s), (8 * s, 4 * s), (28 * s, 4 * s), (28 * s, 14 * s)], fill=(170, 170, 180, 255),
              outline=INK)
    d.line([(5 * s, 20 * s), (27 * s, 20 * s)], fill=BLUE, width=max(1, int(2 * s)))
    return im


def _tool_icon(kind):
    im = _canvas(16)
    d = ImageDraw.Draw(im)
    if kind == "brush":
        d.line([(3, 13), (12, 4)], fill=(120, 80, 40, 255), width=2)
        d.ellipse([1, 11, 5, 15], fill=(0, 0, 0, 255))
    elif kind == "eraser":
        d.polygon([(2, 11), (9, 4), (14, 9), (7, 15)], fill=(240, 160, 170, 255), outline=INK)
    elif kind == "polygon":
        d.polygon([(2, 4), (13, 2), (14, 13), (5, 14)], fill=(0, 0, 0, 255), outline=INK)
        d.polygon([(5, 6), (10, 5), (11, 10), (6, 11)], fill=WHITE)
    elif kind == "fill":
        d.polygon([(5, 3), (12, 7), (8, 14), (1, 10)], fill=(0, 0, 0, 255), outline=INK)
        d.line([(12, 7), (14, 12)], fill=INK)
    else:
        r = {"small": 1, "middle": 3, "large": 6}[kind]
        d.ellipse([8 - r, 8 - r, 8 + r, 8 + r], fill=(0, 0, 0, 255))
    return im


def draw(outdir):
    def out(name):
        return os.path.join(outdir, name)

    artlib.save_ico([_wizard_icon(32), _wizard_icon(16)], out("wizard.ico"))
    artlib.save_ico([_magnifier("+")], out("zoomin.ico"))
    artlib.save_ico([_magnifier("-")], out("zoomout.ico"))
    artlib.save_ico([_fit()], out("fit.ico"))
    artlib.save_ico([_revert()], out("revert.ico"))
    _size_grip(out("sizegrip.bmp"))
    for name, pixels in (("brush1", 1), ("brush5", 5), ("brush15", 15)):
        artlib.save_cur(_brush_cursor(pixels, False), (16, 16), out(name + ".cur"))
    for name, pixels in (("eraser1", 1), ("eraser5", 5), ("eraser15", 15)):
        artlib.save_cur(_brush_cursor(pixels, True), (16, 16), out(name + ".cur"))
    artlib.save_cur(_polygon_cursor(), (16, 16), out("polygon.cur"))
    artlib.save_cur(_fill_cursor(), (3, 3), out("fill.cur"))
    _input_picture(out("input.bmp"))
    _turn(out("turnleft.bmp"), True)
    _turn(out("turnright.bmp"), False)
    _range(out("rangeall.bmp"), False)
    _range(out("rangepart.bmp"), True)
    _size_picture(out("size.bmp"))
    artlib.save_ico([_file_icon(32), _file_icon(16)], out("file.ico"))
    artlib.save_ico([_scanner_icon(32), _scanner_icon(16)], out("scanner.ico"))
    for name in ("brush", "eraser", "polygon", "fill", "small", "middle", "large"):
        artlib.save_ico([_tool_icon(name)], out("tool" + name + ".ico"))
