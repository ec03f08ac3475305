"""The start menu: a 480 x 415 background and five buttons in three states (off, hot,
pressed), all 8-bit BMP files for the "DIB" resources."""
import os

from PIL import Image, ImageDraw

import artlib

# name stem, label, rectangle (left, top, right, bottom) on the background
BUTTONS = [
    ("ID_FROMTEMP", "_OFF", "_ON", "_DOWN", "ひな型から作成", (44, 107, 434, 167)),
    ("ID_FROMNEW", "OFF", "ON", "DOWN", "白紙から作成", (44, 179, 434, 239)),
    ("ID_OPENFILE", "OFF", "ON", "DOWN", "ファイルを開く", (44, 263, 434, 303)),
    ("ID_OPENSAMPLE", "OFF", "ON", "DOWN", "サンプルを開く", (44, 315, 434, 355)),
    ("ID_END", "OFF", "ON", "DOWN", "終了", (387, 378, 467, 402)),
]

NAVY = (28, 52, 112)
PAPER = (244, 240, 228)


def _save8(image, path):
    artlib.save_bmp(image.convert("P", palette=Image.ADAPTIVE, colors=64), path)


def background():
    im = Image.new("RGB", (480, 415), PAPER)
    d = ImageDraw.Draw(im)
    for y in range(0, 90):
        c = tuple(int(a + (b - a) * y / 90) for a, b in zip(NAVY, (70, 110, 180)))
        d.line((0, y, 479, y), fill=c)
    d.text((40, 22), "Zenbora", font=artlib.gothic(34), fill=(255, 255, 255))
    d.text((44, 64), "作業を選んでください", font=artlib.gothic(14), fill=(220, 230, 255))
    d.rectangle((0, 0, 479, 414), outline=NAVY, width=2)
    d.line((30, 250, 450, 250), fill=(180, 170, 150), width=1)
    return im


def button(label, size, state):
    w, h = size
    face = {"off": (232, 228, 214), "on": (255, 246, 200), "down": (200, 190, 160)}[state]
    im = Image.new("RGB", (w, h), face)
    d = ImageDraw.Draw(im)
    d.rectangle((0, 0, w - 1, h - 1), outline=NAVY, width=2)
    if state == "down":
        d.line((2, 2, w - 3, 2), fill=(120, 110, 90), width=2)
    font = artlib.gothic(18 if h >= 40 else 13)
    box = d.textbbox((0, 0), label, font=font)
    tw, th = box[2] - box[0], box[3] - box[1]
    off = 1 if state == "down" else 0
    d.text(((w - tw) // 2 + off, (h - th) // 2 - box[1] + off), label, font=font, fill=NAVY)
    return im


def draw(outdir):
    _save8(background(), os.path.join(outdir, "startmenu_bkg.bmp"))
    for stem, off, on, down, label, (l, t, r, b) in BUTTONS:
        for suffix, state in ((off, "off"), (on, "on"), (down, "down")):
            _save8(button(label, (r - l, b - t), state), os.path.join(outdir, "startmenu_%s%s.bmp" % (stem, suffix)))
