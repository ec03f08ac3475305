"""The main frame's journey: QVZ.exe starts maximised from "qvz.ini", pages are added and
deleted through the menu commands and the message box, the page list comes and goes, the
visible page is exported as BMP and JPEG, and closing writes the window's state back."""
import os
import struct

ID_INSERT_BLANKPAGE, ID_PAGE_DELETE, ID_VIEW_PAGELIST, ID_SAVE_IMAGE = 1187, 1217, 1188, 32980
IDYES = 6


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


def run(j):
    ini = os.path.join(j.bindir, "qvz.ini")
    # Maximised at the last exit; no grid, so that a blank page exports as white paper.
    with open(ini, "w", encoding="cp932") as f:
        f.write("[Window]\nStatus=3\nleft=50\ntop=50\nright=750\nbottom=550\n[Grid]\nbVisible=0\nInterval=10\n")
    for name in ("a.png.BMP", "x.JPG"):
        if os.path.exists(os.path.join(j.outdir, name)):
            os.remove(os.path.join(j.outdir, name))
    j.start()
    j.wait("Zenbora")
    j.send("idle")
    show, *normal = (int(v) for v in j.send("placement").split())
    assert show == 3, "not maximised: %d" % show
    print("restore rectangle:", normal)
    # The status timer fills the page pane within a second.
    import time
    time.sleep(1.5)
    assert j.send("status 1") == "[ページ： 1/1 ]", j.send("status 1")

    j.command(ID_INSERT_BLANKPAGE)
    j.command(ID_INSERT_BLANKPAGE)
    time.sleep(1.2)
    assert j.send("status 1") == "[ページ： 3/3 ]", j.send("status 1")
    # The strip starts with the page before the current one.
    assert j.send("text tabs") == "[2ページ|3ページ]", j.send("text tabs")
    j.shot("three-pages")

    # Delete the current (third) page: the second becomes current.
    j.command(ID_PAGE_DELETE)
    j.send("answer %d" % IDYES)
    time.sleep(1.2)
    assert j.send("status 1") == "[ページ： 2/2 ]", j.send("status 1")

    # The page list, then closing the window only brings the editing view back.
    j.command(ID_VIEW_PAGELIST)
    time.sleep(1)
    j.shot("page-list")
    j.close_window()
    j.send("idle")
    assert j.program.poll() is None, "the program ended"
    assert j.send("text tabs") == "[1ページ|2ページ]", j.send("text tabs")
    assert j.send("status 1") == "[ページ： 2/2 ]", j.send("status 1")
    assert j.send("text zoom") == "[全体表示]", j.send("text zoom")

    # A guide on the page must stay off the exported picture.
    view = j.rect("view")
    ruler = j.rect("hruler")
    x = (view[0] + view[2]) // 2 - ruler[0]
    j.drag("hruler", (x, 10), (x + 30, 12))
    j.shot("guide")

    # Ctrl+I: a name ending in png is written as BMP with ".BMP" appended.
    a = os.path.join(j.outdir, "a.png")
    j.command(ID_SAVE_IMAGE)
    j.send("savedialog イメージ保存 %s" % j.winpath(a))
    bmp = a + ".BMP"
    assert os.path.exists(bmp), "no %s" % bmp
    w, h, pixels = bmp_size_and_pixels(bmp)
    assert pixels == {b"\xff\xff\xff"}, "the export is not plain paper: %d colours" % len(pixels)
    print("exported BMP %d x %d" % (w, h))
    # The paper's visible part is the white of the view.
    x0, y0, x1, y1 = j.locate(0xFFFFFF) or (0, 0, -1, -1)
    # The page frame on the screen covers the paper's outermost pixels.
    assert abs((x1 - x0 + 1) - w) <= 2 and abs((y1 - y0 + 1) - h) <= 2, \
        "export %dx%d, visible paper %dx%d" % (w, h, x1 - x0 + 1, y1 - y0 + 1)

    jpg = os.path.join(j.outdir, "x.JPG")
    j.command(ID_SAVE_IMAGE)
    j.send("savedialog イメージ保存 %s" % j.winpath(jpg))
    with open(jpg, "rb") as f:
        assert f.read(2) == b"\xff\xd8", "not a JPEG"
    j.shot("exported")
    j.close()

    values = read_ini(ini)
    print({k: v for k, v in values.items() if k.split("/")[0] in ("Window", "Grid")})
    assert values.get("Window/Status") == "3", values.get("Window/Status")
    assert values.get("Grid/Interval") == "10", values.get("Grid/Interval")
    assert values.get("Grid/bVisible") == "0", values.get("Grid/bVisible")
    assert values.get("Window/bShowRuler") == "1"
    assert values.get("Window/bShowGuide") == "1"
