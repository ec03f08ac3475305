"""The property bars' journey: with nothing selected the select bar shows the paper; each tool
and selection kind shows its bar; a rectangle selected gets a 2 mm red line from its bar (one
undo step each), and the next rectangle drawn looks like it; angles, line ends and a corner
are set on their bars; save and read the file back."""
import os

ID_FILE_SAVE = 0xE103
ID_TOOL_SELECT, ID_TOOL_LINE, ID_TOOL_RECT = 32847, 32848, 32849
ID_TOOL_ROUNDRECT, ID_TOOL_ELLIPSE, ID_TOOL_PIE, ID_TOOL_CHORD, ID_TOOL_ARC = 32851, 32852, 32853, 32854, 32855
ID_TOOL_POLYGON = 32878
MK_LBUTTON, MK_SHIFT = 1, 4


def barid(j):
    return j.send("barid")


def run(j):
    board = os.path.join(j.outdir, "board.vqd")
    if os.path.exists(board):
        os.remove(board)
    j.tool("make", j.winpath(board))
    with open(os.path.join(j.bindir, "qvz.ini"), "w", encoding="cp932") as f:
        f.write("[Window]\nStatus=5\nleft=0\ntop=0\nright=1000\nbottom=760\n")
    j.start(j.winpath(board))
    j.wait("board")
    j.send("idle")

    # The blue rectangle (1000 units wide) gives the view's scale and origin.
    x0, y0, x1, y1 = j.locate(0x0000FF) or (0, 0, 0, 0)
    assert x1 > x0, "the rectangle is not on the screen"
    ppu = (x1 - x0 + 1) / 1000.0
    ox, oy = x0 - 1000 * ppu, y0 - 1000 * ppu

    def px(x, y):
        return (round(ox + x * ppu), round(oy + y * ppu))

    # The bar shows from the first click on the view. Nothing selected: the select bar with
    # the paper size.
    j.click("view", *px(500, 500))
    j.send("idle")
    assert barid(j) == "11700", barid(j)
    info = j.send("text pbar.1176")
    assert info.startswith("[用紙サイズ："), info
    j.shot("select-bar")

    # Each creation tool shows the template of its table row.
    for cmd, bar, name in ((ID_TOOL_LINE, "771", "line-bar"), (ID_TOOL_POLYGON, "1171", "polygon-bar"),
                           (ID_TOOL_ROUNDRECT, "664", "roundrect-bar"), (ID_TOOL_ELLIPSE, "675", "ellipse-bar"),
                           (ID_TOOL_PIE, "1175", "pie-bar"), (ID_TOOL_CHORD, "251", "chord-bar"),
                           (ID_TOOL_ARC, "253", "arc-bar"), (ID_TOOL_RECT, "1170", "rect-bar")):
        j.command(cmd)
        j.send("idle")
        assert barid(j) == bar, "%s: %s" % (name, barid(j))
        j.shot(name)

    j.command(ID_TOOL_SELECT)
    j.send("idle")

    # Select it: the rectangle bar; "2mm" from the width box, red from the colour grid.
    j.click("view", *px(1500, 1000))
    j.send("idle")
    assert barid(j) == "1170", barid(j)
    j.send("combo pbar.1063 5")
    assert j.send("text pbar.1063") == "[2mm]", j.send("text pbar.1063")
    j.click("pbar.1081", 20, 6)
    j.send("idle")
    j.shot("color-popup")
    cell = j.send("locatein cpopup ff0000")
    assert cell != "none", "no red in the colour grid"
    cx0, cy0, cx1, cy1 = [int(v) for v in cell.split()]
    # The grid takes the cell under the pointer when the button comes up.
    cx, cy = (cx0 + cx1) // 2, (cy0 + cy1) // 2
    j.send("cursor cpopup %d %d" % (cx, cy))
    j.mouse("cpopup", "move", cx, cy)
    j.click("cpopup", cx, cy)
    j.send("idle")
    j.shot("rect-edited")

    # The next rectangle drawn takes the bar's last values.
    j.command(ID_TOOL_RECT)
    j.send("idle")
    j.drag("view", px(2600, 1000), px(3400, 1500), MK_LBUTTON)
    j.send("idle")
    j.shot("rect-drawn")
    j.command(ID_FILE_SAVE)
    j.send("idle")
    j.close()

    after = j.tool("dump", j.winpath(board))
    lines = after.splitlines()
    rects = [i for i, l in enumerate(lines) if l.startswith("object 3 ")]
    assert len(rects) >= 2, after
    for i in (rects[0], rects[-1]):
        assert lines[i + 1].startswith("line width 20 color 0000ff"), lines[i] + " / " + lines[i + 1]
