"""Writers and drawing helpers that every program's pictures share."""
import os

from PIL import Image, ImageFont

FONT_DIR = "/usr/share/fonts/opentype/ipafont-gothic"


def gothic(size):
    """The IPA Gothic face at a pixel size (the stand-in for the Japanese UI faces)."""
    return ImageFont.truetype(os.path.join(FONT_DIR, "ipag.ttf"), size)


def save_bmp(image, path):
    """A plain BMP (BITMAPINFOHEADER, bottom-up): 24-bit for RGB, 8/4/1-bit for P and 1 images."""
    if image.mode not in ("RGB", "P", "1"):
        image = image.convert("RGB")
    image.save(path, format="BMP")
