"""Text on a new board: a text frame typed in Japanese with the text tool, a title made in the
title dialog (shape 7, vertical) and then made bold without its shadow on the title bar, a
balloon made in the text detail dialog at 15 mm, a leader-line text with an arrow on its
"引出線" tab and a yellow fill on its "文字枠" tab, which the editor then shows; save; the
text frame retyped after a double click and saved with Ctrl+S; reopen, and read the texts
back. Backspace takes a polygon back vertex by vertex."""
import os
import time

ID_FILE_SAVE = 0xE103
TEXT, TITLE, BALLOON, POLYGON, LEADER = 32863, 32864, 32904, 32878, 32900
VK_BACK, VK_S = 8, 0x53
MK_LBUTTON = 1
SELECT = 32847


def run(j):
    board = os.path.join(j.outdir, "texts.vqd")
    if os.path.exists(board):
        os.remove(board)
    with open(os.path.join(j.bindir, "qvz.ini"), "w", encoding="cp932") as f:
        f.write("[Window]\nStatus=5\nleft=0\ntop=0\nright=1000\nbottom=760\n")
    j.start_blank()
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
    # A leader-line text: its tip, a bend, a right click ends the leader; then its text.
    j.command(LEADER)
    j.click("view", *at(0.55, 0.90))
    j.click("view", *at(0.70, 0.80))
    j.mouse("view", "rdown", *at(0.70, 0.80), 2)
    j.mouse("view", "rup", *at(0.70, 0.80), 0)
    j.send("idle")
    j.send("type 引出線の文字")
    j.shot("leader-editor")
    j.command(SELECT)
    j.click("view", *at(0.95, 0.95))
    j.send("idle")
    # Select it by its text frame: the line-text bar, "文字枠" first.
    j.click("view", *at(0.72, 0.81))
    j.send("idle")
    assert j.send("barid") == "780", j.send("barid")
    j.shot("leaderbar")
    # "引出線": the second tab; a start arrow.
    j.click("pbar.33002", 75, 10)
    j.send("idle")
    j.send("combo pbar.1093 1")
    j.shot("leaderbar-leader-tab")
    # "文字枠": a yellow fill behind the text.
    j.click("pbar.33002", 20, 10)
    j.send("idle")
    j.mouse("pbar.732", "down", 10, 8, MK_LBUTTON)
    j.send("fill tab 0")
    j.send("fill color ffff00")
    j.send("fill button 1")
    j.send("idle")
    j.shot("leaderbar-frame-yellow")
    # The editor on it shows the yellow.
    j.mouse("view", "dbl", *at(0.72, 0.81), MK_LBUTTON)
    j.mouse("view", "up", *at(0.72, 0.81), 0)
    j.send("idle")
    assert j.send("present editor") == "yes", "no editor"
    assert j.send("visible editor") == "yes", "the editor is not shown"
    j.shot("leader-editor-yellow")
    assert j.send("locatein editor ffff00") != "none", "the editor is not yellow"
    j.click("view", *at(0.95, 0.95))
    j.send("idle")

    # Each object's bar: back to the select tool, then a click selects it.
    j.command(SELECT)
    for name, p in (("textbar", at(0.12, 0.18)), ("titlebar", at(0.60, 0.22)), ("balloonbar", at(0.30, 0.60))):
        j.click("view", *p)
        j.send("idle")
        j.shot(name)
    # The title bar: bold on, the shadow off.
    j.click("view", *at(0.60, 0.22))
    j.send("idle")
    assert j.send("barid") == "289", j.send("barid")
    j.click("pbar.787", 5, 5)
    j.send("idle")
    j.click("pbar.1136", 5, 5)
    j.send("idle")
    j.shot("titlebar-bold-no-shadow")
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
    # A double click on the text frame, a new text, Ctrl+S: the file holds it.
    j.mouse("view", "dbl", *at(0.12, 0.18), MK_LBUTTON)
    j.mouse("view", "up", *at(0.12, 0.18), 0)
    j.send("idle")
    j.send("retype 物件概要２")
    j.shot("retyped")
    j.send("ctrlkey editor %d" % VK_S)
    j.send("idle")
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
    assert len(texts) == 1 and texts[0].endswith("[物件概要２]"), texts
    assert len(titles) == 1 and titles[0].startswith("title shape 7 horizontal 0") and \
        " shadow 0 " in titles[0] and " style 1 " not in titles[0] and titles[0].endswith("[モデルハウス]"), titles
    leaders = [l for l in lines if l.startswith("leaderstyle ")]
    assert len(leaders) == 1 and not leaders[0].startswith("leaderstyle arrow 0 ") and \
        " fill ffff00 " in leaders[0] and leaders[0].endswith("[引出線の文字]"), leaders
    assert not [l for l in lines if l.startswith("object 5 ")], "a polygon stayed after Backspace"
    assert len(balloons) == 1 and balloons[0] == "balloontext size 150 [吹き出し]", balloons
