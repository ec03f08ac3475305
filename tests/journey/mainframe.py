"""The main frame's journey on a 1024 x 768 screen: QVZ.exe starts maximised from "qvz.ini",
pages are added and deleted through the menu commands and the message box, the page list
comes through its button and goes on WM_CLOSE, the zoom box is used, the ellipse is chosen
from the rectangle family's drop-down, the visible page is exported with Ctrl+I as BMP and JPEG, a picture
message from another process is ignored, and closing writes the window's state back."""
import os
import struct
import time

ID_INSERT_BLANKPAGE, ID_PAGE_DELETE, ID_SAVE_IMAGE, ID_TOOL_SELECT = 1187, 1217, 32980, 32847
IDYES = 6
SC_RESTORE, SC_MAXIMIZE = 0xF120, 0xF030
QVZM_INSERTIMAGEFILE = 0x400 + 6
MAGENTA = 0xFF00FF  # guides
# The screen the journey runs on.
DESKTOP = "1024x768"


def bmp_size_and_pixels(path):
    with open(path, "rb") as f:
        data = f.read()
    assert data[:2] == b"BM", "not a BMP: %s" % path
    offset, = struct.unpack_from("<I", data, 10)
    width, height, planes, bits = struct.unpack_from("<iiHH", data, 18)
    assert bits == 24, "BMP of %d bits" % bits
    stride = (width * 3 + 3) & ~3
    pixels = set()
    for y in range(abs(height)):
        row = data[offset + y * stride: offset + y * stride + width * 3]
        for x in range(0, len(row), 3):
            pixels.add(row[x:x + 3])
    return width, abs(height), pixels


def read_ini(path):
    values, section = {}, ""
    with open(path, encoding="cp932", errors="replace") as f:
        for line in f:
            line = line.strip()
            if line.startswith("["):
                section = line[1:-1]
            elif "=" in line:
                k, v = line.split("=", 1)
                values[section + "/" + k] = v
    return values


def expect(j, request, wanted, seconds=0):
    """The driver's answer to request is wanted, at once or, for what the status timer
    fills in, within seconds."""
    end = time.time() + seconds
    got = j.send(request)
    while got != wanted and time.time() < end:
        time.sleep(0.25)
        got = j.send(request)
    assert got == wanted, "%s: %s, not %s" % (request, got, wanted)


def export(j, path):
    """Ctrl+I in the view, then the file name typed into the save dialog."""
    j.send("ctrlkey view %d" % ord("I"))
    j.send("savedialog イメージ保存 %s" % j.winpath(path))


def run(j):
    ini = os.path.join(j.bindir, "qvz.ini")
    # Maximised at the last exit; no grid, so that a blank page exports as white paper.
    with open(ini, "w", encoding="cp932") as f:
        f.write("[Window]\nStatus=3\nleft=50\ntop=50\nright=750\nbottom=550\n[Grid]\nbVisible=0\nInterval=10\n")
    for name in ("a.png.BMP", "x.JPG"):
        if os.path.exists(os.path.join(j.outdir, name)):
            os.remove(os.path.join(j.outdir, name))
    j.start_blank()
    show, *maximised = (int(v) for v in j.send("placement").split())
    assert show == 3, "not maximised: %d" % show
    # Restored, it stands a tenth of the screen in from every side.
    j.send("syscommand %d" % SC_RESTORE)
    show, *normal = (int(v) for v in j.send("placement").split())
    assert show == 1 and normal == [102, 76, 922, 692], (show, normal)
    j.send("syscommand %d" % SC_MAXIMIZE)
    assert j.send("placement") == "3 %d %d %d %d" % tuple(maximised), j.send("placement")
    # The status timer fills the page pane within a second.
    expect(j, "status 1", "[ページ： 1/1 ]", 5)

    j.command(ID_INSERT_BLANKPAGE)
    j.command(ID_INSERT_BLANKPAGE)
    expect(j, "status 1", "[ページ： 3/3 ]", 5)
    # The strip starts with the page before the current one.
    expect(j, "text tabs", "[2ページ|3ページ]")
    j.shot("three-pages")

    # Delete the current (third) page: the second becomes current.
    j.command(ID_PAGE_DELETE)
    j.send("answer %d" % IDYES)
    expect(j, "status 1", "[ページ： 2/2 ]", 5)
    tool = j.send("status 4")
    assert tool != "[]", "no tool in the status bar"

    # The page-list button; the page list has no tool pane. Closing the window only brings
    # the editing view back.
    j.click("pagelist", 5, 5)
    expect(j, "status 4", "[]", 5)
    expect(j, "status 1", "[ページ： 2/2 ]")
    j.shot("page-list")
    j.close_window()
    j.send("idle")
    assert j.program.poll() is None, "the program ended"
    expect(j, "text tabs", "[1ページ|2ページ]")
    expect(j, "status 4", tool, 5)

    # The zoom box: fit at start, then 100%.
    expect(j, "text zoom", "[全体表示]")
    j.send("zoom 3")
    expect(j, "text zoom", "[100%]")

    # Button 86 shows the rectangle; its drop-down part opens the three variants under it,
    # and the third (the ellipse) makes the ellipse the tool: the button shows its picture
    # and tip.
    expect(j, "tip bar233.86", "[四角]")
    matched, total = (int(v) for v in j.send("matchbitmap bar233.86 422 3 3").split())
    assert total > 0 and matched >= total * 0.95, "bitmap 422 on the button: %d of %d" % (matched, total)
    x0, y0, x1, y1 = j.rect("bar233.86")
    j.send("cursor bar233.86 %d %d" % (x1 - x0 - 4, (y1 - y0) // 2))
    j.mouse("bar233.86", "down", x1 - x0 - 4, (y1 - y0) // 2, 1)
    px0, py0, px1, py1 = j.rect("popup")
    assert abs(px0 - x0) <= 4 and 0 <= py0 - y1 <= 8, "the drop-down is not under the button: %s" % ((px0, py0),)
    pitch = (py1 - py0 - 2) // 3
    row = 2 + 2 * pitch + pitch // 2
    j.send("cursor popup 10 %d" % row)
    j.mouse("popup", "move", 10, row)
    j.shot("drop-down")
    j.mouse("popup", "up", 10, row)
    expect(j, "present popup", "no")
    expect(j, "tip bar233.86", "[円]", 3)
    matched, total = (int(v) for v in j.send("matchbitmap bar233.86 426 3 3").split())
    assert total > 0 and matched >= total * 0.95, "bitmap 426 on the button: %d of %d" % (matched, total)
    # Back to the select tool for the guide.
    j.command(ID_TOOL_SELECT)

    # A guide dragged out of the ruler onto the page.
    view = j.rect("view")
    ruler = j.rect("hruler")
    x = (view[0] + view[2]) // 2 - ruler[0]
    j.drag("hruler", (x, 10), (x + 30, 12))
    guide = j.locate(MAGENTA)
    assert guide, "no guide on the screen"
    paper = j.locate(0xFFFFFF)
    j.shot("window")

    # Ctrl+I: a name ending in png is written as BMP with ".BMP" appended: the visible part
    # of the page, plain paper without the guide, which is back on the screen afterwards.
    a = os.path.join(j.outdir, "a.png")
    export(j, a)
    bmp = a + ".BMP"
    assert os.path.exists(bmp), "no %s" % bmp
    w, h, pixels = bmp_size_and_pixels(bmp)
    assert pixels == {b"\xff\xff\xff"}, "the export is not plain paper: %d colours" % len(pixels)
    print("exported BMP %d x %d, paper on the screen %s" % (w, h, paper))
    x0, y0, x1, y1 = paper
    assert abs((x1 - x0 + 1) - w) <= 2 and abs((y1 - y0 + 1) - h) <= 2, \
        "export %dx%d, visible paper %dx%d" % (w, h, x1 - x0 + 1, y1 - y0 + 1)
    assert j.locate(MAGENTA) == guide, "the guide is not back on the screen"

    jpg = os.path.join(j.outdir, "x.JPG")
    export(j, jpg)
    with open(jpg, "rb") as f:
        assert f.read(2) == b"\xff\xd8", "not a JPEG"

    # Another process's picture message with a made-up block: nothing happens.
    j.send("message %d 0 12345678" % QVZM_INSERTIMAGEFILE)
    assert j.program.poll() is None, "the program ended"
    assert j.locate(0xFFFFFF) == paper and j.locate(MAGENTA) == guide, "the page changed"
    j.shot("exported")
    j.close()

    values = read_ini(ini)
    print({k: v for k, v in values.items() if k.split("/")[0] in ("Window", "Grid", "Print")})
    checked = {"Window/Status": "3", "Window/Zoom": "100", "Window/bShowRuler": "1", "Window/bShowGuide": "1",
               "Grid/Interval": "10", "Grid/bVisible": "0", "Grid/bFitGrid": "0", "Print/DrawArea": "0"}
    for side, value in zip(("left", "top", "right", "bottom"), maximised):
        checked["Window/" + side] = str(value)
    for key, value in checked.items():
        assert values.get(key) == value, "%s=%s, not %s" % (key, values.get(key), value)
