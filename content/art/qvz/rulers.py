"""Guide markers of the rulers: the arrow (grey, and red when selected) on black, and its
mask black on white, blitted with SRCAND then SRCINVERT."""
import os

from PIL import Image, ImageDraw

from artlib import save_bmp


def _arrow(size, down):
    w, h = size
    if down:
        return [(0, 0), (w - 1, 0), (w - 1, h // 2), ((w - 1) // 2, h - 1), (0, h // 2)]
    return [(0, 0), (w // 2, 0), (w - 1, (h - 1) // 2), (w // 2, h - 1), (0, h - 1)]


def _marker(size, down, colour, path):
    img = Image.new("RGB", size, (0, 0, 0))
    ImageDraw.Draw(img).polygon(_arrow(size, down), fill=colour)
    save_bmp(img, path)


def _mask(size, down, path):
    img = Image.new("RGB", size, (255, 255, 255))
    ImageDraw.Draw(img).polygon(_arrow(size, down), fill=(0, 0, 0))
    save_bmp(img, path)


def draw(outdir):
    horz, vert = (9, 11), (12, 9)
    _marker(horz, True, (128, 128, 128), os.path.join(outdir, "ruler_marker_h.bmp"))
    _marker(vert, False, (128, 128, 128), os.path.join(outdir, "ruler_marker_v.bmp"))
    _marker(horz, True, (255, 0, 0), os.path.join(outdir, "ruler_marker_h_sel.bmp"))
    _marker(vert, False, (255, 0, 0), os.path.join(outdir, "ruler_marker_v_sel.bmp"))
    _mask(horz, True, os.path.join(outdir, "ruler_mask_h.bmp"))
    _mask(vert, False, os.path.join(outdir, "ruler_mask_v.bmp"))
