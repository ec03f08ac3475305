"""Pictures of the main frame: tool-bar buttons (normal and disabled), tool-bar image wells,
the palettes' strips, the page-list button, the program icon and the splitter cursor.

Backgrounds are 192-grey, the colour the bars turn into the button face."""
import os

from PIL import Image, ImageDraw

import artlib
from . import cursors

FACE = (192, 192, 192)
DIS = (128, 128, 128)


def glyph(d, kind, box, col):
    """One pictogram in box (x0, y0, x1, y1) in colour col."""
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    cx, cy = (x0 + x1) // 2, (y0 + y1) // 2
    if kind == "rect":
        d.rectangle((x0 + w // 6, y0 + h // 4, x1 - w // 6, y1 - h // 4), outline=col, width=2)
    elif kind == "roundrect":
        d.rounded_rectangle((x0 + w // 6, y0 + h // 4, x1 - w // 6, y1 - h // 4), radius=max(2, w // 6), outline=col, width=2)
    elif kind == "ellipse":
        d.ellipse((x0 + w // 6, y0 + h // 4, x1 - w // 6, y1 - h // 4), outline=col, width=2)
    elif kind == "pie":
        d.pieslice((x0 + 2, y0 + 2, x1 - 2, y1 - 2), 200, 340, outline=col, width=2)
    elif kind == "chord":
        d.chord((x0 + 2, y0 + 2, x1 - 2, y1 - 2), 200, 340, outline=col, width=2)
    elif kind == "arc":
        d.arc((x0 + 2, y0 + 2, x1 - 2, y1 - 2), 200, 340, fill=col, width=2)
    elif kind == "line":
        d.line((x0 + 2, y1 - 3, x1 - 3, y0 + 2), fill=col, width=2)
    elif kind == "polyline":
        d.line((x0 + 2, y1 - 3, cx - 2, y0 + 3, cx + 3, y1 - 4, x1 - 3, y0 + 2), fill=col, width=2)
    elif kind == "polygon":
        d.polygon((cx, y0 + 2, x1 - 2, cy, cx + 2, y1 - 2, x0 + 3, y1 - 5), outline=col)
    elif kind == "arrow":
        d.polygon((x0 + w // 3, y0 + 2, x0 + w // 3, y1 - 4, cx, cy + 2, x1 - 4, cy + 2), fill=col)
    elif kind == "page":
        d.rectangle((x0 + w // 4, y0 + 2, x1 - w // 4, y1 - 2), fill=(255, 255, 255) if col != DIS else FACE, outline=col)
    elif kind == "plus" or kind == "minus":
        d.ellipse((x0 + 2, y0 + 2, x1 - 5, y1 - 5), outline=col, width=2)
        d.line((x0 + 5, cy - 1, x1 - 8, cy - 1), fill=col, width=2)
        if kind == "plus":
            d.line((cx - 1, y0 + 5, cx - 1, y1 - 8), fill=col, width=2)
        d.line((x1 - 5, y1 - 5, x1 - 1, y1 - 1), fill=col, width=2)
    elif kind == "grid":
        for i in range(x0 + 2, x1, max(3, w // 4)):
            d.line((i, y0 + 1, i, y1 - 2), fill=col)
        for j in range(y0 + 2, y1, max(3, h // 4)):
            d.line((x0 + 1, j, x1 - 2, j), fill=col)
    elif kind == "front" or kind == "back":
        a, b = ((x0 + 2, y0 + 2), (cx, cy)) if kind == "back" else ((cx, cy), (x0 + 2, y0 + 2))
        d.rectangle((a[0], a[1], a[0] + w // 2, a[1] + h // 2), fill=FACE, outline=col)
        d.rectangle((b[0], b[1], b[0] + w // 2, b[1] + h // 2), fill=col, outline=col)
    elif kind in ("undo", "redo"):
        d.arc((x0 + 3, y0 + 4, x1 - 3, y1 - 2), 180, 360 if kind == "undo" else 360, fill=col, width=2)
        tip = (x0 + 3, cy) if kind == "undo" else (x1 - 3, cy)
        d.polygon((tip[0] - 3, tip[1] - 1, tip[0] + 3, tip[1] - 1, tip[0], tip[1] + 4), fill=col)
    else:
        # A letter or word standing for the command.
        size = max(8, h - 4 if len(kind) == 1 else h // 2)
        font = artlib.gothic(size)
        tw = d.textlength(kind, font=font)
        d.text((cx - tw / 2, cy - size / 2 - 1), kind, fill=col, font=font)


def button(kind, size, col):
    image = Image.new("RGB", size, FACE)
    glyph(ImageDraw.Draw(image), kind, (0, 0, size[0], size[1]), col)
    return image


# Standard bar (16 x 16): normal and disabled bitmap ids.
STANDARD = [
    (1349, 421, "page", (0, 0, 160)), (352, 392, "開", (160, 96, 0)), (353, 401, "保", (0, 0, 160)),
    (354, 393, "印", (0, 0, 0)), (355, 394, "P", (0, 96, 0)), (356, 399, "全", (0, 0, 160)),
    (357, 395, "plus", (0, 0, 0)), (358, 396, "minus", (0, 0, 0)), (363, 398, "front", (0, 0, 160)),
    (364, 400, "back", (0, 0, 160)), (359, 391, "grid", (0, 0, 160)),
]

# Main tool bar (32 x 32).
MAIN = [
    (333, 414, "arrow", (0, 0, 0)), (334, 411, "undo", (0, 0, 160)), (336, 407, "redo", (0, 0, 160)),
    (338, 409, "画", (0, 128, 0)), (340, 406, "V", (160, 0, 0)), (343, 404, "ス", (0, 0, 160)),
    (1389, 1390, "間", (128, 64, 0)), (1391, 1392, "パ", (128, 0, 128)), (344, 403, "シ", (0, 96, 96)),
    (345, 412, "図", (0, 0, 160)), (346, 402, "☆", (200, 120, 0)), (348, 405, "T", (160, 0, 0)),
    (347, 417, "A", (0, 0, 0)), (349, 408, "引", (0, 0, 0)), (350, 416, "line", (0, 0, 0)),
    (351, 413, "polyline", (0, 0, 0)), (1355, 415, "polygon", (0, 0, 0)),
    (422, 423, "rect", (0, 0, 160)), (424, 425, "roundrect", (0, 0, 160)), (426, 427, "ellipse", (0, 0, 160)),
    (431, 432, "pie", (160, 0, 0)), (433, 434, "chord", (160, 0, 0)), (388, 430, "arc", (160, 0, 0)),
]


def well(kinds, size, path):
    """A tool-bar image well: the pictures side by side."""
    w, h = size
    image = Image.new("RGB", (w * max(1, len(kinds)), h), FACE)
    d = ImageDraw.Draw(image)
    for i, (kind, col) in enumerate(kinds):
        glyph(d, kind, (i * w, 0, i * w + w, h), col)
    artlib.save_bmp(image, path)


def snap_button(on):
    """Button 1181: the words of grid snapping, 94 x 22, framed when on."""
    image = Image.new("RGB", (94, 22), FACE)
    d = ImageDraw.Draw(image)
    font = artlib.gothic(12)
    d.text((6, 4), "グリッドに吸着", fill=(0, 0, 0), font=font)
    if on:
        d.rectangle((0, 0, 93, 21), outline=(0, 0, 160))
    return image


def page_list_button(pressed):
    image = Image.new("RGB", (20, 15), FACE)
    d = ImageDraw.Draw(image)
    off = 1 if pressed else 0
    for i in range(3):
        d.rectangle((3 + 5 * i + off, 4 + off, 6 + 5 * i + off, 10 + off), fill=(255, 255, 255), outline=(0, 0, 0))
    d.rectangle((0, 0, 19, 14), outline=(128, 128, 128) if not pressed else (0, 0, 0))
    return image


def icon():
    image = Image.new("RGBA", (32, 32), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)
    d.rectangle((4, 2, 27, 29), fill=(255, 255, 255, 255), outline=(0, 0, 128, 255))
    d.rectangle((8, 7, 19, 15), fill=(0, 0, 255, 255))
    d.ellipse((13, 15, 24, 25), fill=(255, 0, 0, 255))
    return image


def splitter_cursor(path):
    grid = Image.new("L", (32, 32), cursors.CLEAR)
    d = ImageDraw.Draw(grid)
    d.rectangle((14, 4, 17, 27), fill=cursors.BLACK)
    d.polygon((13, 16, 7, 10, 7, 22), fill=cursors.BLACK)
    d.polygon((18, 16, 24, 10, 24, 22), fill=cursors.BLACK)
    cursors.write_cur(grid, (16, 16), path)


def draw(outdir):
    save = lambda image, name: artlib.save_bmp(image, os.path.join(outdir, name))
    for normal, disabled, kind, col in STANDARD:
        save(button(kind, (16, 16), col), "button_%d.bmp" % normal)
        save(button(kind, (16, 16), DIS), "button_%d.bmp" % disabled)
    for normal, disabled, kind, col in MAIN:
        save(button(kind, (32, 32), col), "button_%d.bmp" % normal)
        save(button(kind, (32, 32), DIS), "button_%d.bmp" % disabled)
    save(snap_button(False), "button_435.bmp")
    save(snap_button(True), "button_436.bmp")
    std = {k: (kind, col) for k, _, kind, col in STANDARD}
    well([std[i] for i in (1349, 352, 353, 354, 355, 356, 357, 358)] + [("", FACE)] +
         [std[i] for i in (363, 364, 359)] + [("吸", (0, 0, 0))], (16, 16), os.path.join(outdir, "bar_98.bmp"))
    well([(kind, col) for _, _, kind, col in MAIN[:19]], (32, 32), os.path.join(outdir, "bar_471.bmp"))
    well([("arrow", (0, 0, 0)), ("×", (160, 0, 0))], (16, 16), os.path.join(outdir, "bar_263.bmp"))
    well([("rect", (0, 0, 160)), ("roundrect", (0, 0, 160)), ("ellipse", (0, 0, 160))], (16, 16),
         os.path.join(outdir, "bar_326.bmp"))
    well([("pie", (160, 0, 0)), ("chord", (160, 0, 0)), ("arc", (160, 0, 0))], (16, 16),
         os.path.join(outdir, "bar_1057.bmp"))
    well([("rect", (0, 0, 0)), ("roundrect", (0, 0, 0)), ("ellipse", (0, 0, 0))], (16, 16),
         os.path.join(outdir, "strip_1055.bmp"))
    well([(c, (0, 0, 0)) for c in ("左", "中", "右", "上", "央", "下")], (16, 16), os.path.join(outdir, "bar_1040.bmp"))
    well([("rect", (0, 96, 0)), ("roundrect", (0, 96, 0)), ("ellipse", (0, 96, 0))], (16, 16),
         os.path.join(outdir, "bar_276.bmp"))
    save(page_list_button(False), "pagelist_button.bmp")
    save(page_list_button(True), "pagelist_button_pressed.bmp")
    artlib.save_ico([icon()], os.path.join(outdir, "qvz.ico"))
    splitter_cursor(os.path.join(outdir, "cursor_104.cur"))
