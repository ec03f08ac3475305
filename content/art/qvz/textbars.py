"""The text dialogs' and bars' list texts (dialog-initialisation data of templates 235, 242 and
780) and the text bars' button pictures."""
import os
import struct

SPACINGS = ["標準", "広く", "狭く"]
UNDERLINES = ["なし", "直線", "破線", "点線", "破線1", "破線2", "波線", "二重線"]


def dlginit(items):
    """Records of control id, the resource compiler's combo-box add message, length and
    Shift-JIS text with its terminator; a zero id ends them."""
    out = b""
    for control, texts in items:
        for text in texts:
            data = text.encode("cp932") + b"\0"
            out += struct.pack("<HHI", control, 0x0403, len(data)) + data
    return out + struct.pack("<H", 0)


def draw(outdir):
    draw_buttons(outdir)
    with open(os.path.join(outdir, "dlginit_235.bin"), "wb") as f:
        f.write(dlginit([(1107, SPACINGS), (707, SPACINGS), (702, UNDERLINES)]))
    for template in (242, 780):
        with open(os.path.join(outdir, "dlginit_%d.bin" % template), "wb") as f:
            f.write(dlginit([(1107, SPACINGS), (707, SPACINGS)]))


# The text buttons of the text bars: bold, italic, underline and the four alignments, 16 x 16,
# each as a normal and a disabled bitmap (resource ids in the pairs below).
BUTTONS = [("bold", 439, 448), ("italic", 679, 450), ("underline", 1059, 452), ("left", 1061, 454),
           ("centre", 685, 458), ("right", 684, 456), ("justify", 1064, 460)]


def text_button(kind, colour):
    from PIL import Image, ImageDraw
    image = Image.new("RGB", (16, 16), (192, 192, 192))
    d = ImageDraw.Draw(image)
    if kind == "bold":
        d.rectangle((4, 2, 6, 13), fill=colour)
        d.rectangle((4, 2, 10, 3), fill=colour)
        d.rectangle((4, 7, 10, 8), fill=colour)
        d.rectangle((4, 12, 10, 13), fill=colour)
        d.rectangle((10, 3, 12, 7), fill=colour)
        d.rectangle((10, 8, 12, 12), fill=colour)
    elif kind == "italic":
        d.line((7, 2, 12, 2), fill=colour)
        d.line((4, 13, 9, 13), fill=colour)
        d.line((10, 2, 6, 13), fill=colour, width=2)
    elif kind == "underline":
        d.line((5, 2, 5, 10), fill=colour, width=2)
        d.line((11, 2, 11, 10), fill=colour, width=2)
        d.line((5, 10, 11, 10), fill=colour, width=2)
        d.line((3, 13, 13, 13), fill=colour)
    else:
        lengths = [12, 8, 12, 8, 12]
        for i, n in enumerate(lengths):
            y = 3 + i * 2 + (i // 1)
            if kind == "justify":
                x0, x1 = 2, 13
            elif kind == "left":
                x0, x1 = 2, 2 + n - 1
            elif kind == "right":
                x0, x1 = 13 - n + 1, 13
            else:
                x0 = 2 + (12 - n) // 2
                x1 = x0 + n - 1
            d.line((x0, y, x1, y), fill=colour)
    return image


def draw_buttons(outdir):
    import artlib
    for kind, normal, disabled in BUTTONS:
        artlib.save_bmp(text_button(kind, (0, 0, 0)), os.path.join(outdir, "textbutton_%d.bmp" % normal))
        artlib.save_bmp(text_button(kind, (128, 128, 128)), os.path.join(outdir, "textbutton_%d.bmp" % disabled))
