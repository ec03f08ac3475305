"""The pictures journey: open a board of a photograph, a pattern fill and a texture fill
written by our own writer, and check in the window's pixels that the photograph is shown at
its size and that the pattern keeps one tile per 16 screen pixels."""
import os

from PIL import Image

ID_FILE_SAVE = 0xE103


def run(j):
    board = os.path.join(j.outdir, "board.vqd")
    if os.path.exists(board):
        os.remove(board)
    j.tool("makepictures", j.winpath(board))
    before = j.tool("dump", j.winpath(board))
    assert "object 103 " in before and "rotation 30" in before, before
    j.start(j.winpath(board))
    j.wait("board")
    j.send("idle")
    png = j.shot("opened")

    # The photograph: 2032 x 1524 units, so 4 : 3 on the screen.
    x0, y0, x1, y1 = j.locate(0xFF00FF) or (0, 0, 0, 0)
    assert x1 > x0 and y1 > y0, "the photograph is not on the screen"
    ratio = (x1 - x0 + 1) / (y1 - y0 + 1)
    assert abs(ratio - 4 / 3) < 0.05, "photograph %s" % ((x0, y0, x1, y1),)

    # The turned photograph fills its turned outline: about half of its upright box
    # (812 x 609 units turned 30 degrees stand in 1007 x 933).
    c = j.locate(0x00FFFF)
    assert c, "the turned photograph is not on the screen"
    img = Image.open(png).convert("RGB")
    view = j.rect("view")
    box = (view[0] + c[0], view[1] + c[1], view[0] + c[2] + 1, view[1] + c[3] + 1)
    crop = img.crop(box)
    cyan = sum(1 for p in crop.getdata() if p == (0, 255, 255))
    share = cyan / float(crop.size[0] * crop.size[1])
    assert abs((c[2] - c[0]) / float(c[3] - c[1]) - 1007 / 933.0) < 0.06, "turned box %s" % (c,)
    assert 0.45 < share < 0.6, "turned photograph covers %.2f of its box" % share

    # The pattern's green grid lines stand 16 screen pixels apart at any zoom.
    g = j.locate(0x00A000)
    assert g, "the pattern is not on the screen"
    y = view[1] + g[1] + 8
    xs = [x for x in range(view[0] + g[0], view[0] + g[2] + 1) if img.getpixel((x, y)) == (0, 160, 0)]
    gaps = sorted(set(b - a for a, b in zip(xs, xs[1:])))
    assert gaps and gaps[0] == 16, "pattern columns %s" % xs[:8]
    # Saved by the program, the board keeps its picture and fills.
    j.command(ID_FILE_SAVE)
    j.send("idle")
    j.close()
    after = j.tool("dump", j.winpath(board))
    assert after == before, after
    print(before, end="")
    print("photograph on screen %d x %d px, turned one fills %.2f of its box, pattern period %d px"
          % (x1 - x0 + 1, y1 - y0 + 1, share, gaps[0]))
