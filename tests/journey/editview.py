"""The editing view's journey: open a board written by our own writer, move a rectangle
20 mm, Ctrl-copy it, resize the copy by a corner, pull a guide out of the ruler, save, and
read the file back to check each change."""
import os

MK_LBUTTON, MK_SHIFT, MK_CONTROL = 1, 4, 8
ID_FILE_SAVE = 0xE103


def run(j):
    board = os.path.join(j.outdir, "board.vqd")
    if os.path.exists(board):
        os.remove(board)
    j.tool("make", j.winpath(board))
    before = j.tool("dump", j.winpath(board))
    assert "object 3 1000 1000 2000 1600" in before, before
    # The journey measures the view in a normal window of a known size, whatever the last run
    # left in "qvz.ini".
    with open(os.path.join(j.bindir, "qvz.ini"), "w", encoding="cp932") as f:
        f.write("[Window]\nStatus=5\nleft=0\ntop=0\nright=1000\nbottom=760\n")
    j.start(j.winpath(board))
    j.wait("board")
    j.send("idle")
    # The select tool's bar takes the right side of the window at the first click in the view
    # and the view, fitted to the page, shrinks with it: a click on an empty corner first, and
    # the view is measured once its size holds.
    view = j.rect("view")
    j.click("view", view[2] - view[0] - 12, view[3] - view[1] - 12)
    for _ in range(20):
        j.send("idle")
        now = j.rect("view")
        if now == view:
            break
        view = now
    j.shot("opened")

    # The blue rectangle is 1000 units wide: it gives the view's scale and origin.
    ppu, ox, oy = j.board_scale()

    def px(x, y):
        return (round(ox + x * ppu), round(oy + y * ppu))

    # Select it, then move it 20 mm to the right.
    j.click("view", *px(1500, 1300))
    j.drag("view", px(1500, 1300), px(1700, 1300))
    # Copy it with Ctrl 90 mm down.
    j.drag("view", px(1700, 1300), px(1700, 2200), MK_CONTROL)
    # The copy stays selected: pull its bottom-right corner out along its diagonal (a
    # corner keeps the rectangle's proportions).
    j.drag("view", px(2200, 2500), px(2300, 2560))
    # A guide pulled out of the top ruler to 300 mm.
    view = j.rect("view")
    ruler = j.rect("hruler")
    gx = view[0] + px(3000, 0)[0] - ruler[0]
    j.drag("hruler", (view[0] + px(2500, 0)[0] - ruler[0], 14), (gx, 14))
    j.shot("edited")
    j.command(ID_FILE_SAVE)
    j.send("idle")
    j.close()

    after = j.tool("dump", j.winpath(board))
    rects = [l.split() for l in after.splitlines() if l.startswith("object 3 ")]
    assert len(rects) == 2, after
    moved = [int(v) for v in rects[0][2:6]]
    copy = [int(v) for v in rects[1][2:6]]
    tol = 2 / ppu + 1
    assert abs(moved[0] - 1200) <= tol and abs(moved[1] - 1000) <= tol, "moved: %s" % moved
    assert abs(copy[0] - 1200) <= tol and abs(copy[1] - 1900) <= tol, "copy: %s" % copy
    assert abs(copy[2] - 2300) <= 3 * tol and abs(copy[3] - 2560) <= 3 * tol, "resized: %s" % copy
    guides = [l.split() for l in after.splitlines() if l.startswith("guide GuideH")]
    assert len(guides) == 1 and abs(int(guides[0][2]) - 3000) <= 10, after
    assert "object 5 " in after, "the polyline is gone: " + after
    print(after, end="")
