"""The texture wizard's pictures: its icon, the view's zoom and revert buttons, the size
grip, and the black-fill tools' cursors."""
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
