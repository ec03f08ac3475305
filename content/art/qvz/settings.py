"""Pictures of the settings dialogs: the sheet beside the paper settings (bitmap 444)."""
import os

from PIL import Image, ImageDraw

import artlib

FACE = (192, 192, 192)


def paper_setup(outdir):
    """48 x 56: a sheet with a dog-eared corner lying on a coloured surround."""
    image = Image.new("RGB", (48, 56), FACE)
    d = ImageDraw.Draw(image)
    d.rectangle((2, 2, 45, 53), fill=(96, 128, 176))
    d.polygon([(9, 7), (32, 7), (39, 14), (39, 48), (9, 48)], fill=(255, 255, 255), outline=(0, 0, 0))
    d.polygon([(32, 7), (32, 14), (39, 14)], fill=(208, 208, 208), outline=(0, 0, 0))
    # Ruled lines of a layout on the sheet.
    for y in range(20, 44, 5):
        d.line((13, y, 35, y), fill=(160, 160, 160))
    d.rectangle((13, 11, 26, 16), fill=(224, 96, 64))
    artlib.save_bmp(image, os.path.join(outdir, "paper_setup.bmp"))


def draw(outdir):
    paper_setup(outdir)
