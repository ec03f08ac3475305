"""The pictures journey: open a board of two photographs, a pattern fill and two texture fills
written by our own writer, and check in the window's pixels that a photograph is shown at its
size, that the pattern keeps one tile per 16 screen pixels and that a texture tile keeps its
physical size; turn the second photograph 30 degrees by dragging a corner marker in rotate
mode, check that it fills its turned outline, save, open the saved board again and find it
turned."""
import math
import os

from PIL import Image

ID_FILE_SAVE = 0xE103
ROTATE_MODE = 1021


def run_starts(xs):
    """The first x of each run of consecutive values."""
    return [x for i, x in enumerate(xs) if i == 0 or xs[i - 1] != x - 1]


def check(j, png, turned):
    img = Image.open(png).convert("RGB")
    view = j.rect("view")

    # The photograph: 2032 x 1524 units, so 4 : 3 on the screen.
    x0, y0, x1, y1 = j.locate(0xFF00FF) or (0, 0, 0, 0)
    assert x1 > x0 and y1 > y0, "the photograph is not on the screen"
    ratio = (x1 - x0 + 1) / (y1 - y0 + 1)
    assert abs(ratio - 4 / 3) < 0.05, "photograph %s" % ((x0, y0, x1, y1),)
    ppu = (x1 - x0 + 1) / 2032.0

    # The second photograph, 812 x 609 units, fills its box upright; turned 30 degrees it
    # stands in 1007 x 933 and fills about half of that.
    c = j.locate(0x00FFFF)
    assert c, "the second photograph is not on the screen"
    box = (view[0] + c[0], view[1] + c[1], view[0] + c[2] + 1, view[1] + c[3] + 1)
    crop = img.crop(box)
    cyan = sum(1 for p in crop.getdata() if p == (0, 255, 255))
    share = cyan / float(crop.size[0] * crop.size[1])
    ratio, low, high = (1007 / 933.0, 0.45, 0.6) if turned else (812 / 609.0, 0.97, 1.01)
    assert abs((c[2] - c[0]) / float(c[3] - c[1]) - ratio) < 0.06, "second photograph's box %s" % (c,)
    assert low < share < high, "second photograph covers %.2f of its box" % share

    # The pattern's green grid lines stand 16 screen pixels apart at any zoom (a tile is a
    # whole number of board units, so now and then one stands a pixel nearer).
    g = j.locate(0x00A000)
    assert g, "the pattern is not on the screen"
    y = view[1] + g[1] + 8
    xs = [x for x in range(view[0] + g[0], view[0] + g[2] + 1) if img.getpixel((x, y)) == (0, 160, 0)]
    gaps = sorted(b - a for a, b in zip(xs, xs[1:]))
    assert len(gaps) > 4 and gaps[len(gaps) // 2] == 16 and 15 <= gaps[0] and gaps[-1] <= 17, \
        "pattern columns %s" % xs

    # The texture of its own: a 40-pixel tile is 40/96 inch (105.8 units) on the board, so
    # its orange lines stand 105.8 units apart in the view's scale.
    t = j.locate(0xFF8000)
    assert t, "the texture is not on the screen"
    y = view[1] + t[1] + 3
    starts = run_starts([x for x in range(view[0] + t[0], view[0] + t[2] + 1) if img.getpixel((x, y)) == (255, 128, 0)])
    periods = [b - a for a, b in zip(starts, starts[1:])]
    want = 40 * 254.0 / 96 * ppu
    assert len(periods) >= 2 and all(abs(p - want) <= 1.5 for p in periods), \
        "texture tiles %s, want %.1f" % (periods, want)
    return (x1 - x0 + 1, y1 - y0 + 1), share, gaps[len(gaps) // 2], periods, want


def turn(j):
    """Selects the upright cyan photograph, enters rotate mode and drags its top-left marker
    37 degrees clockwise about its centre: the angle steps down to 30."""
    c = j.locate(0x00FFFF)
    cx, cy = (c[0] + c[2]) / 2.0, (c[1] + c[3]) / 2.0
    corner = (c[0], c[1])
    j.click("view", round(cx), round(cy))
    j.command(ROTATE_MODE)
    dx, dy = corner[0] - cx, corner[1] - cy
    # Positive angles turn clockwise on the screen, whose y runs down.
    path = [(round(cx + dx * math.cos(a) - dy * math.sin(a)), round(cy + dx * math.sin(a) + dy * math.cos(a)))
            for a in (math.radians(d) for d in (10, 20, 30, 37))]
    j.mouse("view", "down", *corner, 1)
    for p in path:
        j.mouse("view", "move", *p, 1)
    j.shot("turning")
    # The tool's caption tells the angle the way the program counts it: 30 clockwise is 330.
    caption = j.send("status 4")
    assert "回転: 330度" in caption, caption
    j.mouse("view", "up", *path[-1], 0)
    # A click on empty paper clears the selection, so that no marker covers the picture.
    v = j.rect("view")
    j.click("view", v[2] - v[0] - 20, v[3] - v[1] - 20)
    j.send("idle")


def run(j):
    board = os.path.join(j.outdir, "board.vqd")
    if os.path.exists(board):
        os.remove(board)
    j.tool("makepictures", j.winpath(board))
    before = j.tool("dump", j.winpath(board))
    pictures = [l for l in before.splitlines() if l.startswith("object 103 ")]
    assert len(pictures) == 2 and all(" rotation 0 " in l for l in pictures), before
    assert "fill 200000" in before and "fill 400000" in before, before
    # A normal window of a known size that holds the whole page, whatever the last run left
    # in "qvz.ini".
    with open(os.path.join(j.bindir, "qvz.ini"), "w", encoding="cp932") as f:
        f.write("[Window]\nStatus=5\nleft=0\ntop=0\nright=1280\nbottom=1024\n")
    j.start(j.winpath(board))
    j.wait("board")
    j.send("idle")
    check(j, j.shot("opened"), False)

    # The user turns the second photograph by 30 degrees.
    turn(j)
    photo, share, pattern, texture, want = check(j, j.shot("turned"), True)

    # Saved by the program, the board keeps its pictures and fills, the second one turned.
    j.command(ID_FILE_SAVE)
    j.send("idle")
    j.close_window()
    j.program.wait(30)
    after = j.tool("dump", j.winpath(board))
    want_after = before.replace(pictures[1], pictures[1].replace(" rotation 0 ", " rotation 30 "))
    assert after == want_after, after

    # Opened again, it shows the same.
    j.start(j.winpath(board))
    j.wait("board")
    j.send("idle")
    check(j, j.shot("reopened"), True)
    j.close()
    print(after, end="")
    print("photograph on screen %d x %d px, turned one fills %.2f of its box, pattern period %d px, "
          "texture periods %s px (%.1f wanted)" % (photo[0], photo[1], share, pattern, texture, want))
