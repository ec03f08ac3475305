"""The library shapes' journey: open a board of the program folder's plan symbols and two
floor plans (2LDK at 1:100, 1K at 1:50) written by our own writer, drag the 1:100 plan's
corner in to about 96 % of its width (the proportions stay, the tip reads 縮尺 1：100) and the
1:50 plan's to 91 % (it snaps to 1:60), save, and read the file back."""
import os

ID_FILE_SAVE = 0xE103
SITE_2LDK = 0xC0E0B0  # the plans' site colours (rrggbb)
SITE_1K = 0xB0D8C8


def run(j):
    board = os.path.join(j.outdir, "board.vqd")
    if os.path.exists(board):
        os.remove(board)
    j.tool("makeshapes", j.winpath(board))
    before = j.tool("dump", j.winpath(board))
    assert "plan scale 100 width 100000 children 1" in before, before
    assert "plan scale 50 width 60000 children 1" in before, before
    assert before.count("object 200003 ") == 8, before
    assert "symbol mirror 2 " in before and "rotation 30" in before, before
    with open(os.path.join(j.bindir, "qvz.ini"), "w", encoding="cp932") as f:
        f.write("[Window]\nStatus=5\nleft=0\ntop=0\nright=1000\nbottom=760\n")
    j.start(j.winpath(board))
    j.wait("board")
    j.send("idle")
    j.shot("opened")

    # The 2LDK plan's site fills its whole frame: 1000 x 800 units at 1:100.
    x0, y0, x1, y1 = j.locate(SITE_2LDK) or (0, 0, 0, 0)
    assert x1 > x0, "the floor plan is not on the screen"
    ppu = (x1 - x0 + 1) / 1000.0
    assert abs((y1 - y0 + 1) / ppu - 800) < 8, "plan %s" % ((x0, y0, x1, y1),)

    # Select it, then pull its bottom-right corner in to 96 % of its width.
    j.click("view", (x0 + x1) // 2, y0 + 3)
    j.send("idle")
    start = (x1, y1)
    end = (round(x0 + 960 * ppu), round(y0 + 768 * ppu))
    j.mouse("view", "down", start[0], start[1], 1)
    for i in range(1, 7):
        j.mouse("view", "move", start[0] + (end[0] - start[0]) * i // 6, start[1] + (end[1] - start[1]) * i // 6, 1)
    j.send("idle")
    tip = j.send("text tip")
    j.shot("resizing")
    j.mouse("view", "up", end[0], end[1], 0)
    j.send("idle")
    assert tip == "[縮尺 1：100]", "tip: %s" % tip

    # The 1:50 plan pulled in to 91 % of its width snaps to the size of 1:60, the nearer step.
    k0, l0, k1, l1 = j.locate(SITE_1K) or (0, 0, 0, 0)
    assert k1 > k0, "the 1:50 plan is not on the screen"
    j.click("view", (k0 + k1) // 2, l0 + 3)
    j.send("idle")
    w1 = (k1 - k0 + 1) / ppu
    assert abs(w1 - 1200) < 10, "1:50 plan %d wide" % w1
    start = (k1, l1)
    end = (round(k0 + 0.91 * 1200 * ppu), round(l0 + 0.91 * 1000 * ppu))
    j.mouse("view", "down", start[0], start[1], 1)
    for i in range(1, 7):
        j.mouse("view", "move", start[0] + (end[0] - start[0]) * i // 6, start[1] + (end[1] - start[1]) * i // 6, 1)
    j.send("idle")
    tip2 = j.send("text tip")
    j.mouse("view", "up", end[0], end[1], 0)
    j.send("idle")
    assert tip2 == "[縮尺 1：60]", "tip: %s" % tip2
    j.shot("resized")
    j.command(ID_FILE_SAVE)
    j.send("idle")
    j.close()

    after = j.tool("dump", j.winpath(board))
    plans = [l.split() for l in after.splitlines() if l.startswith("object 400043 ")]
    scales = [l for l in after.splitlines() if l.startswith("plan scale")]
    assert len(plans) == 2 and len(scales) == 2, after
    w = int(plans[0][4]) - int(plans[0][2])
    h = int(plans[0][5]) - int(plans[0][3])
    # Snapped back to the size of 1:100, proportions kept.
    assert abs(w - 1000) <= 2 and abs(h - 800) <= 2, "resized plan %d x %d" % (w, h)
    assert scales[0].startswith("plan scale 100 "), after
    assert scales[1].startswith("plan scale 60 "), after
    w2 = int(plans[1][4]) - int(plans[1][2])
    h2 = int(plans[1][5]) - int(plans[1][3])
    assert abs(w2 - 1000) <= 2 and abs(h2 - 833) <= 2, "1:60 plan %d x %d" % (w2, h2)
    assert after.count("object 200003 ") == 8, after
    print(after, end="")
    print("tips while dragging: %s, %s" % (tip, tip2))
