"""The OLE journey: the test server (tests/ole) registered in the prefix, 57856 on a board,
テスト図形 picked in the insert-object dialog; the server opens, is given its extent and a
colour and closed; the object stands 254 x 127 at the client centre, selected. Saved, read
back and reopened; a double click opens the server with the saved colour. Last, a program
creates a board through automation, is refused unknown names, and QVZ.exe ends when it lets go."""
import os
import subprocess

ID_OLE_INSERT_NEW = 57856
ID_FILE_SAVE = 0xE103
JVQ_OBJ_OLE = "a3"
GREEN = 0x00A000
TYPE = "テスト図形"


def wine(j, *args):
    subprocess.run([j.loader, *args], cwd=j.bindir, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=True, timeout=120)


def ole_objects(j, board):
    text = j.tool("dump", j.winpath(board))
    return [[int(v, 16) if i == 0 else int(v) for i, v in enumerate(l.split()[1:6])]
            for l in text.splitlines() if l.startswith("object %s " % JVQ_OBJ_OLE)], text


def end(j):
    """Closes QVZ.exe and waits until it has ended (the driver stays for the next start)."""
    j.close_window()
    j.program.wait(60)


def run(j):
    # The server's class and QVZ's own (written at a normal start when its key exists).
    wine(j, "qvz_test_shape_server.exe", "/RegServer")
    wine(j, "reg", "add", "HKLM\\Software\\Talvik\\Zenbora", "/f")
    board = os.path.join(j.outdir, "board.vqd")
    if os.path.exists(board):
        os.remove(board)
    j.tool("make", j.winpath(board))
    with open(os.path.join(j.bindir, "qvz.ini"), "w", encoding="cp932") as f:
        f.write("[Window]\nStatus=5\nleft=0\ntop=0\nright=1000\nbottom=760\n[Message]\nLockMsgFlag=0\n")

    j.start(j.winpath(board))
    j.wait("board")
    j.send("idle")
    # The blue rectangle (1000, 1000)-(2000, 1600) gives the view's scale and origin.
    ppu, ox, oy = j.board_scale()
    vx0, vy0, vx1, vy1 = j.rect("view")
    centre = ((vx1 - vx0) / 2.0, (vy1 - vy0) / 2.0)
    centre_doc = ((centre[0] - ox) / ppu, (centre[1] - oy) / ppu)

    # 1. Insert object: the dialog lists our server's type; picked, OK.
    j.command(ID_OLE_INSERT_NEW)
    assert j.send("caption") == "[オブジェクトの挿入]"
    entries = j.send("dlg * 1000 text").strip("[]").split("|")
    assert TYPE in entries, entries
    j.send("dlg * 1000 select %d" % entries.index(TYPE))
    j.send("dlg * 1 click")
    # 2. The server opens its window; the test gives it its extent and a colour, and closes it.
    j.send("shapeserver wait")
    assert j.send("shapeserver locate ff0000") != "none", "the server shows no red box"
    j.shot("server")
    j.send("shapeserver extent 2540 1270")
    j.send("shapeserver color %06x" % GREEN)
    closed = j.send("shapeserver close")
    assert closed.startswith("ok"), "the server did not end"
    # About 2 s of it is the server hiding its window: Wine's X11 driver waits that long for
    # a window manager to confirm the window withdrawn, and Xvfb runs none.
    print("server closed, container painted after %s ms" % closed.split()[-1])
    j.send("idle")
    j.shot("inserted")
    handles = j.locate(0x00FF00)
    # The server's picture, green, drawn from the item's cache.
    inserted_box = j.locate(GREEN)
    # 3. The object: 254 x 127 about the client centre, selected (its handles, green, are shown).
    j.command(ID_FILE_SAVE)
    j.send("idle")
    end(j)
    objects, text = ole_objects(j, board)
    assert len(objects) == 1, text
    left, top, right, bottom = objects[0][1:5]
    assert (right - left, bottom - top) == (254, 127), text
    cx, cy = (left + right) / 2.0, (top + bottom) / 2.0
    assert abs(cx - centre_doc[0]) <= 2 / ppu + 1 and abs(cy - centre_doc[1]) <= 2 / ppu + 1, \
        "object at %s, client centre %s" % ((cx, cy), centre_doc)
    # Selected: its handles stand on its corners.
    want = (ox + left * ppu, oy + top * ppu, ox + right * ppu, oy + bottom * ppu)
    assert handles and all(abs(h - w) <= 5 for h, w in zip(handles, want)), "handles %s, object %s" % (handles, want)

    def inside(box, what):
        assert box, "%s: no picture of the object's colour on the screen" % what
        assert all(abs(b - w) <= 3 for b, w in zip(box, want)), "%s: picture %s, object %s" % (what, box, want)
    inside(inserted_box, "inserted")

    # 4. Reopened: the object is drawn where it was; a double click opens the server, green.
    j.start(j.winpath(board))
    j.wait("board")
    j.send("idle")
    j.shot("reopened")
    # With the server stopped, the picture comes from the cache read back from the board.
    inside(j.locate(GREEN), "reopened")
    # The frame paints nothing inside and is hit on its outline: its top edge, between the
    # handles (a handle takes the click for itself).
    at = (round(ox + (left + (right - left) / 4.0) * ppu), round(oy + top * ppu))
    j.mouse("view", "down", at[0], at[1], 1)
    j.mouse("view", "up", at[0], at[1], 0)
    j.mouse("view", "dbl", at[0], at[1], 1)
    j.mouse("view", "up", at[0], at[1], 0)
    j.send("shapeserver wait")
    j.shot("reopened-server")
    assert j.send("shapeserver locate %06x" % GREEN) != "none", "the server does not show the saved colour"
    assert j.send("shapeserver locate ff0000") == "none", "the server shows its first colour"
    assert j.send("shapeserver close").startswith("ok"), "the server did not end"
    j.send("idle")
    j.shot("reopened-closed")
    inside(j.locate(GREEN), "reopened, server closed")
    # The server gave the cache its picture anew: the board counts as changed, and is saved.
    j.command(ID_FILE_SAVE)
    j.send("idle")
    end(j)

    # 5. Automation: a program creates QVZ's board, is refused names, and QVZ.exe ends when
    # the program lets go.
    report = j.tool("automation")
    print(report, end="")
    lines = report.splitlines()
    assert "created" in lines and "servers 1" in lines, report
    for name in ("Visible", "Application", "Close"):
        assert "name %s refused" % name in lines, report
    assert "invoke 1 refused" in lines, report
    assert lines[-1] == "released, server ended", report
