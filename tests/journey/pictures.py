"""The pictures journey: open a board of a photograph, a pattern fill and a texture fill
written by our own writer, and check in the window's pixels that the photograph is shown at
its size and that the pattern keeps one tile per 16 screen pixels."""
import os

from PIL import Image


def run(j):
    board = os.path.join(j.outdir, "board.vqd")
    if os.path.exists(board):
        os.remove(board)
    j.tool("makepictures", j.winpath(board))
    before = j.tool("dump", j.winpath(board))
    assert "object 103 " in before, before
    j.start(j.winpath(board))
    j.wait("board")
    j.send("idle")
    png = j.shot("opened")

    # The photograph: 2032 x 1524 units, so 4 : 3 on the screen.
    x0, y0, x1, y1 = j.locate(0xFF00FF) or (0, 0, 0, 0)
    assert x1 > x0 and y1 > y0, "the photograph is not on the screen"
    ratio = (x1 - x0 + 1) / (y1 - y0 + 1)
    assert abs(ratio - 4 / 3) < 0.05, "photograph %s" % ((x0, y0, x1, y1),)

    # The pattern's green grid lines stand 16 screen pixels apart at any zoom.
    view = j.rect("view")
    g = j.locate(0x00A000)
    assert g, "the pattern is not on the screen"
    img = Image.open(png).convert("RGB")
    y = view[1] + g[1] + 8
    xs = [x for x in range(view[0] + g[0], view[0] + g[2] + 1) if img.getpixel((x, y)) == (0, 160, 0)]
    gaps = sorted(set(b - a for a, b in zip(xs, xs[1:])))
    assert gaps and gaps[0] == 16, "pattern columns %s" % xs[:8]
    j.close()
    print(before, end="")
    print("photograph on screen %d x %d px, pattern period %d px" % (x1 - x0 + 1, y1 - y0 + 1, gaps[0]))
