"""Test pictures of the reusable controls: tool-bar buttons, an image-menu strip, picture
buttons and DIB resources."""
import os

from PIL import Image, ImageDraw

import artlib

MAGENTA = (255, 0, 255)
GREY192 = (192, 192, 192)


def square(path, size, corner, inner, box):
    """A picture of one colour with a filled box; corner is the top-right (transparent) one."""
    image = Image.new("RGB", size, corner)
    ImageDraw.Draw(image).rectangle(box, fill=inner)
    artlib.save_bmp(image, path)


def draw(outdir):
    def out(name):
        return os.path.join(outdir, name)

    # Tool-bar buttons: 16 x 16, magenta around a 8 x 8 square at (4, 4).
    square(out("tb_normal.bmp"), (16, 16), MAGENTA, (0, 0, 255), (4, 4, 11, 11))
    square(out("tb_hot.bmp"), (16, 16), MAGENTA, (255, 0, 0), (4, 4, 11, 11))
    square(out("tb_disabled.bmp"), (16, 16), MAGENTA, (128, 128, 128), (4, 4, 11, 11))
    # The platform tool bar's own image well (never shown by the bitmap tool bar).
    artlib.save_bmp(Image.new("RGB", (16 * 6, 15), GREY192), out("tb_well.bmp"))

    # Image menu: three 100 x 20 pictures on 192-grey: a rectangle, a rounded one, a circle.
    strip = Image.new("RGB", (300, 20), GREY192)
    d = ImageDraw.Draw(strip)
    d.rectangle((10, 3, 89, 16), fill=(0, 0, 160))
    d.rounded_rectangle((110, 3, 189, 16), radius=6, fill=(0, 128, 0))
    d.ellipse((240, 1, 258, 18), fill=(160, 0, 0))
    artlib.save_bmp(strip, out("menu_strip.bmp"))

    # Picture push button: normal, hot, pressed as complete BMP files ("DIB" resources).
    for name, colour in (("pb_normal", (0, 160, 0)), ("pb_hot", (255, 200, 0)), ("pb_pressed", (200, 0, 0))):
        artlib.save_bmp(Image.new("RGB", (24, 24), colour), out(name + ".bmp"))

    # A 7 x 5 picture (rows padded) whose pixels all differ, read back by the loader test.
    probe = Image.new("RGB", (7, 5))
    probe.putdata([(x * 36, y * 60, (x * 7 + y * 13) % 256) for y in range(5) for x in range(7)])
    artlib.save_bmp(probe, out("probe.bmp"))
    # An empty resource, and one that is not a picture at all.
    open(out("empty.bin"), "wb").close()
    with open(out("not_a_bmp.bin"), "wb") as f:
        f.write(b"QVZ is no bitmap")
