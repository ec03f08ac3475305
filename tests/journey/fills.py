"""The fills' journey: on a new board draw a rectangle and fill it through the rectangle bar's
fill button with the red cell, the gradient "中心", the shipped texture "木目" and a blue on
yellow pattern; walk back with Edit > Undo and forward with Edit > Redo; save, reopen and read
the fill records back. Then the paper dialog's picture page: a BMP of our own tiles the page
background, a damaged one gives the message and leaves the background as it was."""
import os
import time

ID_FILE_SAVE, ID_EDIT_UNDO, ID_EDIT_REDO = 0xE103, 0xE12B, 0xE12C
ID_TOOL_SELECT, ID_TOOL_RECT, ID_PAPER = 32847, 32849, 32922
RECT_BAR, FILL_BUTTON = 1170, 732
IDOK = 1
PATTERN_FORE, PATTERN_BACK = 712, 1077
PAPER_BACKGROUND, BROWSE = 746, 111
RED, BLUE, YELLOW = 0xFF0000, 0x0000FF, 0xFFFF00


def write_bmp(path, size, damaged=False):
    """A 24-bit picture of two colours in diagonal bands; damaged: cut short after its header."""
    from PIL import Image
    img = Image.new("RGB", (size, size))
    img.putdata([(250, 160, 40) if ((x + y) // 8) % 2 else (40, 80, 160) for y in range(size) for x in range(size)])
    img.save(path, "BMP")
    if damaged:
        with open(path, "rb") as f:
            head = f.read(60)
        with open(path, "wb") as f:
            f.write(head)


def expect(got, wanted, what):
    assert got == wanted, "%s: %s, not %s" % (what, got, wanted)


def run(j):
    board = os.path.join(j.outdir, "filled.vqd")
    if os.path.exists(board):
        os.remove(board)
    with open(os.path.join(j.bindir, "qvz.ini"), "w", encoding="cp932") as f:
        f.write("[Window]\nStatus=5\nleft=0\ntop=0\nright=1000\nbottom=760\n")
    # The tools' defaults live in the program folder's "objects": start from the factory
    # defaults and put the file back afterwards.
    objects = os.path.join(j.bindir, "objects")
    kept = objects + ".journey"
    if os.path.exists(objects):
        os.replace(objects, kept)
    try:
        journey(j, board)
    finally:
        if os.path.exists(objects):
            os.remove(objects)
        if os.path.exists(kept):
            os.replace(kept, objects)


def journey(j, board):
    j.start_blank()
    l, t, r, b = j.rect("view")
    w, h = r - l, b - t
    a, z = (round(w * 0.2), round(h * 0.25)), (round(w * 0.5), round(h * 0.6))
    j.command(ID_TOOL_RECT)
    j.drag("view", a, z)
    j.command(ID_TOOL_SELECT)
    j.click("view", a[0], (a[1] + z[1]) // 2)
    j.send("idle")
    expect(j.send("present bar%d.%d" % (RECT_BAR, FILL_BUTTON)), "yes", "the rectangle bar's fill button")
    button = "bar%d.%d" % (RECT_BAR, FILL_BUTTON)

    def open_popup():
        j.mouse(button, "down", 10, 8, 1)
        return j.send("fill page")

    # Colour: the red cell (row 2, column 0).
    expect(open_popup(), "0", "a new rectangle's fill opens on the colour tab")
    j.shot("popup-color")
    j.send("fill color %06x" % RED)
    j.send("fill button %d" % IDOK)
    j.send("idle")
    assert j.locate(RED), "the rectangle is not red"
    j.shot("filled-red")

    # Gradient "中心" (kind 6).
    open_popup()
    j.send("fill tab 1")
    expect(j.send("fill page"), "1", "gradient tab")
    j.send("fill kind 6")
    j.shot("popup-gradient")
    j.send("fill button %d" % IDOK)
    j.send("idle")
    assert not j.locate(RED), "still red after the gradient"

    # Texture "木目": the first entry of the shipped library.
    expect(open_popup(), "1", "a gradient opens on its own tab")
    j.send("fill tab 2")
    j.send("fill sample 0")
    j.shot("popup-texture")
    j.send("fill button %d" % IDOK)
    j.send("idle")

    # Pattern: blue on yellow, the first pattern (斜線).
    expect(open_popup(), "2", "a texture opens on its own tab")
    j.send("fill tab 3")
    j.send("fill sample 0")
    j.send("fill picker %d %06x" % (PATTERN_FORE, BLUE))
    j.shot("popup-pattern-fore")
    j.send("fill picker %d %06x" % (PATTERN_BACK, YELLOW))
    time.sleep(2)
    j.shot("popup-pattern")
    j.send("fill button %d" % IDOK)
    j.send("idle")
    assert j.locate(BLUE) and j.locate(YELLOW), "no blue on yellow pattern in the view"
    j.shot("filled-pattern")

    # Undo walks back through the four fills, Redo forward again.
    for _ in range(3):
        j.command(ID_EDIT_UNDO)
        j.send("idle")
    assert j.locate(RED) and not j.locate(YELLOW), "three undo steps do not give the red back"
    j.command(ID_EDIT_UNDO)
    j.send("idle")
    assert not j.locate(RED), "the fourth undo step leaves the red"
    for _ in range(4):
        j.command(ID_EDIT_REDO)
        j.send("idle")
    assert j.locate(BLUE) and j.locate(YELLOW), "redo does not bring the pattern back"

    j.command(ID_FILE_SAVE)
    j.send("savedialog * %s" % j.winpath(board))
    time.sleep(2)
    j.send("answer 1")
    j.send("idle")
    assert os.path.exists(board), "not saved"
    saved = j.tool("fills", j.winpath(board))
    expect([l for l in saved.splitlines() if l.startswith("object")], ["object pattern 0 fore 0000ff back ffff00"],
           "the saved fill")

    # The paper dialog's picture page.
    good, bad = os.path.join(j.outdir, "tile.bmp"), os.path.join(j.outdir, "damaged.bmp")
    write_bmp(good, 32)
    write_bmp(bad, 32, damaged=True)
    paper(j, good, bad)
    j.command(ID_FILE_SAVE)
    j.send("idle")
    j.close_window()
    j.program.wait(30)

    j.start(j.winpath(board))
    j.wait("filled")
    j.send("idle")
    j.shot("reopened")
    j.close()
    dump = j.tool("fills", j.winpath(board))
    print(dump, end="")
    lines = dump.splitlines()
    expect(lines[1:], ["object pattern 0 fore 0000ff back ffff00"], "reopened fill")
    # The page background keeps its picture in the board.
    assert lines[0].startswith("page texture -1 [") and lines[0].endswith(" image 1"), lines[0]


def paper(j, good, bad):
    title = "用紙の設定"
    tile = 0xFAA028  # the picture's orange band

    def browse(path):
        j.command(ID_PAPER)
        j.send("fill open %s %d" % (title, PAPER_BACKGROUND))
        j.send("fill tab 4")
        expect(j.send("fill page"), "4", "the picture tab")
        j.send("fill control %d" % BROWSE)
        # The picture dialog with thumbnails, over the paper dialog.
        j.send("savedialog 画像ファイルを開く %s" % j.winpath(path))

    # A good picture: the page background is tiled with it.
    browse(good)
    j.shot("popup-file")
    j.send("fill button %d" % IDOK)
    j.send("dlg %s %d click" % (title, IDOK))
    j.send("idle")
    x0, y0, x1, y1 = j.locate(tile) or (0, 0, -1, -1)
    assert x1 - x0 > 200 and y1 - y0 > 200, "the page background is not tiled with the picture"
    j.shot("page-tiled")

    # A damaged one: the message, and the background stays as it was.
    browse(bad)
    expect(j.send("dlg QVZ 65535 text"), "[画像データの読み込みに失敗しました。]", "the message")
    j.shot("damaged-message")
    j.send("answer %d" % IDOK)
    j.send("fill button %d" % IDOK)
    j.send("dlg %s %d click" % (title, IDOK))
    j.send("idle")
    assert j.locate(tile), "the background changed after a damaged picture"
