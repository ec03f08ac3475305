"""The text dialogs' list texts (dialog-initialisation data of templates 235, 242 and 780)."""
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
    with open(os.path.join(outdir, "dlginit_235.bin"), "wb") as f:
        f.write(dlginit([(1107, SPACINGS), (707, SPACINGS), (702, UNDERLINES)]))
    for template in (242, 780):
        with open(os.path.join(outdir, "dlginit_%d.bin" % template), "wb") as f:
            f.write(dlginit([(1107, SPACINGS), (707, SPACINGS)]))
