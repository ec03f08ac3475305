"""Text on a new board: a text frame typed in Japanese with the text tool, a title made in the
title dialog (shape 7, vertical), a balloon made in the text detail dialog at 15 mm; save,
reopen, and read the texts back. Backspace takes a polygon back vertex by vertex."""
import os
import time

ID_FILE_SAVE = 0xE103
TEXT, TITLE, BALLOON, POLYGON = 32863, 32864, 32904, 32878
VK_BACK = 8
SELECT = 32847


def run(j):
    board = os.path.join(j.outdir, "texts.vqd")
    if os.path.exists(board):
        os.remove(board)
    with open(os.path.join(j.bindir, "qvz.ini"), "w", encoding="cp932") as f:
        f.write("[Window]\nStatus=5\nleft=0\ntop=0\nright=1000\nbottom=760\n")
    j.start()
    # The start menu: 白紙から作成.
    assert j.send("startmenu 239 209") == "ok"
    j.wait("Zenbora")
    j.send("idle")
    l, t, r, b = (int(v) for v in j.send("rect view").split())
    w, h = r - l, b - t

    def at(fx, fy):
        return (round(w * fx), round(h * fy))

    # A text frame typed into at once, committed by a click on the page.
    j.command(TEXT)
    j.drag("view", at(0.10, 0.15), at(0.45, 0.30))
    j.send("type 物件概要")
    j.shot("editor")
    # The next command ends the typing first: the text is kept.
    # A title: its text, shape 7 picked in the grid, then vertical writing.
    j.command(TITLE)
    j.drag("view", at(0.55, 0.15), at(0.90, 0.30))
    j.send("dlg * 710 set モデルハウス")
    # Shape 7: the third cell of the second row of four.
    j.send("dlg * 101 pick 625 500")
    j.shot("title_horizontal")
    j.send("dlg * 738 click")
    j.shot("title_vertical")
    j.send("dlg * 1 click")
    # A balloon with its text at 15 mm.
    j.command(BALLOON)
    j.drag("view", at(0.15, 0.50), at(0.45, 0.70))
    j.send("dlg * 710 set 吹き出し")
    j.send("dlg * 1065 set 15mm")
    j.shot("detail")
    j.send("dlg * 1 click")
    j.send("idle")
    # A polygon of three clicks taken back vertex by vertex with Backspace leaves nothing.
    j.command(POLYGON)
    for p in (at(0.60, 0.60), at(0.80, 0.60), at(0.70, 0.80)):
        j.click("view", *p)
    for _ in range(3):
        j.send("key view down %d" % VK_BACK)
        j.send("key view up %d" % VK_BACK)
    j.send("idle")
    j.shot("drawn")
    # Each object's bar: back to the select tool, then a click selects it.
    j.command(SELECT)
    for name, p in (("textbar", at(0.12, 0.18)), ("titlebar", at(0.60, 0.22)), ("balloonbar", at(0.30, 0.60))):
        j.click("view", *p)
        j.send("idle")
        j.shot(name)
    j.click("view", *at(0.95, 0.95))
    j.command(ID_FILE_SAVE)
    assert j.send("savedialog * %s" % j.winpath(board)) == "ok"
    # A first save asks for the property information.
    time.sleep(2)
    assert j.send("answer 1") == "ok"
    j.send("idle")
    end = time.time() + 20
    while not os.path.exists(board) and time.time() < end:
        time.sleep(0.25)
    assert os.path.exists(board), "not saved"
    j.close_window()
    j.program.wait(30)

    j.start(j.winpath(board))
    j.wait("texts")
    j.send("idle")
    j.shot("reopened")
    j.close()
    dump = j.tool("dump", j.winpath(board))
    print(dump, end="")
    lines = dump.splitlines()
    texts = [l for l in lines if l.startswith("text ")]
    titles = [l for l in lines if l.startswith("title ")]
    balloons = [l for l in lines if l.startswith("balloontext ")]
    assert len(texts) == 1 and texts[0].endswith("[物件概要]"), texts
    assert len(titles) == 1 and titles[0].startswith("title shape 7 horizontal 0") and \
        titles[0].endswith("[モデルハウス]"), titles
    assert not [l for l in lines if l.startswith("object 5 ")], "a polygon stayed after Backspace"
    assert len(balloons) == 1 and balloons[0] == "balloontext size 150 [吹き出し]", balloons
