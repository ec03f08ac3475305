"""Pictures of the reusable controls: the font combo box's type icons (bitmap 129)."""
import os

from PIL import Image, ImageDraw

import artlib

MAGENTA = (255, 0, 255)


def font_types(outdir):
    """Two 15 x 15 icons on magenta: 0 a printer-only font, 1 a TrueType font."""
    image = Image.new("RGB", (30, 15), MAGENTA)
    d = ImageDraw.Draw(image)
    # A printer: paper on top, the body, the output tray.
    d.rectangle((4, 1, 10, 5), fill=(255, 255, 255), outline=(0, 0, 0))
    d.rectangle((1, 5, 13, 11), fill=(192, 192, 192), outline=(0, 0, 0))
    d.line((3, 8, 5, 8), fill=(0, 128, 0))
    d.rectangle((3, 11, 11, 13), fill=(255, 255, 255), outline=(0, 0, 0))
    # Two overlapping T's, grey behind black, as TrueType faces are marked.
    ox = 15
    d.rectangle((ox + 1, 2, ox + 8, 3), fill=(128, 128, 128))
    d.rectangle((ox + 4, 2, ox + 5, 10), fill=(128, 128, 128))
    d.rectangle((ox + 5, 5, ox + 13, 6), fill=(0, 0, 0))
    d.rectangle((ox + 8, 5, ox + 9, 13), fill=(0, 0, 0))
    artlib.save_bmp(image, os.path.join(outdir, "font_types.bmp"))


def draw(outdir):
    font_types(outdir)
