"""The text objects' journey: open a board of texts, a leader text, titles and a balloon
written by our own writer, drag the leader text's bottom handle down 4 mm (the leader's
end follows by 2 mm) and its leader's first point 10 mm up and left, pull the balloon's
corner out (its tip stays) and then, in the vertex mode, its tip 15 mm to the left; save,
and read the file back to find the changes."""
import os

ID_FILE_SAVE = 0xE103
VERTEX_EDIT = 32859


def run(j):
    board = os.path.join(j.outdir, "textboard.vqd")
    if os.path.exists(board):
        os.remove(board)
    j.tool("maketext", j.winpath(board))
    before = j.tool("dump", j.winpath(board))
    assert "leadertext end 2800 1200 frame 2800 1150 3600 1250 start 2400 800" in before, before
    assert "balloon body 1000 2000 1800 2400" in before, before
    with open(os.path.join(j.bindir, "qvz.ini"), "w", encoding="cp932") as f:
        f.write("[Window]\nStatus=5\nleft=0\ntop=0\nright=1000\nbottom=760\n")
    j.start(j.winpath(board))
    j.wait("textboard")
    j.send("idle")
    j.shot("opened")

    ppu, ox, oy = j.board_scale()

    def px(x, y):
        return (round(ox + x * ppu), round(oy + y * ppu))

    # Select the leader text by its frame, then pull the frame's bottom handle down 4 mm.
    j.click("view", *px(3200, 1200))
    j.send("idle")
    j.shot("leadertext-selected")
    j.drag("view", px(3200, 1250), px(3200, 1290))
    j.send("idle")
    # The leader's first point, a vertex marker of the leader text itself.
    j.drag("view", px(2400, 800), px(2300, 700))
    j.send("idle")
    # Select the balloon inside its body and pull its bottom-right corner out.
    j.click("view", *px(1200, 2100))
    j.send("idle")
    j.drag("view", px(1800, 2400), px(1900, 2450))
    j.send("idle")
    # In the vertex mode the balloon shows its tail's markers: the tip goes 15 mm left.
    tip0 = [int(v) for v in [l.split() for l in before.splitlines() if l.startswith("balloon ")][0][7:9]]
    j.command(VERTEX_EDIT)
    j.send("idle")
    j.drag("view", px(*tip0), px(tip0[0] - 150, tip0[1]))
    j.send("idle")
    j.shot("edited")
    j.command(ID_FILE_SAVE)
    j.send("idle")
    j.close()

    after = j.tool("dump", j.winpath(board))
    tol = 2 / ppu + 1
    lt = [l.split() for l in after.splitlines() if l.startswith("leadertext")]
    assert len(lt) == 1, after
    end_y = int(lt[0][3])
    frame = [int(v) for v in lt[0][5:9]]
    assert abs(frame[3] - 1290) <= tol, "frame: %s" % frame
    assert abs(end_y - 1220) <= tol, "leader end: %s" % lt[0]
    assert abs((frame[1] + frame[3]) // 2 - end_y) <= 1, "the end is not at the frame's middle: %s" % lt[0]
    start = [int(v) for v in lt[0][10:12]]
    assert abs(start[0] - 2300) <= tol and abs(start[1] - 700) <= tol, "leader start: %s" % lt[0]
    bl = [l.split() for l in after.splitlines() if l.startswith("balloon ")]
    assert len(bl) == 1, after
    body = [int(v) for v in bl[0][2:6]]
    tip = [int(v) for v in bl[0][7:9]]
    assert abs(body[2] - 1900) <= 3 * tol and abs(body[3] - 2450) <= 3 * tol, "body: %s" % body
    assert body[0] == 1000 and body[1] == 2000, "body: %s" % body
    # The corner drag left the tip where it was; the tip drag moved it.
    assert abs(tip[0] - (tip0[0] - 150)) <= tol and abs(tip[1] - tip0[1]) <= tol, "tip: %s" % tip
    print(after, end="")
