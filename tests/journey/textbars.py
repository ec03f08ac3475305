"""Text on a new board: a text frame typed in Japanese with the text tool, "物件概要" committed
and "駅徒歩５分" still in the input method's composition when a click on the page ends the
typing (both land in the frame, as one undo step); the frame restyled on the text bar (a 明朝
face, 20 mm, bold, centred, vertical); a title made in the title dialog (shape 7, vertical)
and then made bold without its shadow on the title bar; a balloon made in the text detail
dialog and set to 15 mm by its bar's "文字の詳細設定..."; a leader-line text with an arrow on
its "引出線" tab and a yellow fill on its "文字枠" tab, which the editor then shows; save; the
text frame retyped after a double click and saved with Ctrl+S; reopen, and read everything
back. Backspace takes a polygon back vertex by vertex.

Xvfb has no input method: the driver's "compose" sets the composition on the editor's own
input context through the system's input method calls, as an input method does."""
import os
import time

from journey import set_aside

ID_FILE_SAVE, UNDO, REDO = 0xE103, 0xE12B, 0xE12C
TEXT, TITLE, BALLOON, POLYGON, LEADER = 32863, 32864, 32904, 32878, 32900
VK_BACK, VK_S = 8, 0x53
MK_LBUTTON = 1
SELECT = 32847


def until(j, line, want, seconds=5):
    """The driver's answer to line once it is want, or the last answer after seconds (the
    tool bar shows a command's state when the program has gone idle)."""
    end = time.time() + seconds
    while True:
        got = j.send(line)
        if got == want or time.time() > end:
            return got
        time.sleep(0.2)


def texts(j, board):
    return [l for l in j.tool("texts", j.winpath(board)).splitlines()]


def run(j):
    # The tools' defaults live in the program folder's "objects", which this journey changes:
    # it starts from the factory defaults and puts the file back afterwards.
    with set_aside(os.path.join(j.bindir, "objects")):
        try:
            journey(j)
        finally:
            # Closed before the file is put back: the program writes its defaults at close.
            j.close()


def journey(j):
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

    # A text frame typed into at once: one text committed, one still being converted.
    j.command(TEXT)
    j.drag("view", at(0.10, 0.15), at(0.45, 0.30))
    j.send("type 物件概要")
    assert j.send("compose 駅徒歩５分") == "ok", "the editor's input context holds no composition"
    # The edit control paints once the program is idle.
    time.sleep(0.5)
    j.shot("editor")
    # A click on the page ends the typing: one undo step takes the frame away, redo brings it.
    j.click("view", *at(0.05, 0.45))
    j.send("idle")
    assert j.send("visible editor") == "no", "the editor stayed"
    assert until(j, "tbenabled %d" % UNDO, "yes") == "yes", "nothing to undo"
    j.command(UNDO)
    assert until(j, "tbenabled %d" % UNDO, "no") == "no", "the typing took more than one undo step"
    j.shot("undone")
    j.command(REDO)
    assert until(j, "tbenabled %d" % UNDO, "yes") == "yes", "redo brought nothing back"
    j.send("idle")

    # The text bar on it: a 明朝 face from the list, 20 mm, bold, centred, vertical.
    j.click("view", *at(0.12, 0.18))
    j.send("idle")
    assert j.send("barid") == "242", j.send("barid")
    # A face for horizontal writing: not one of the "@" faces.
    face = j.send("comboindex pbar.1064 ＭＳ 明朝")
    assert face != "none", "no ＭＳ 明朝 in the list"
    j.send("combo pbar.1064 %s" % face)
    j.send("combo pbar.1065 10")
    assert j.send("text pbar.1065") == "[20mm]", j.send("text pbar.1065")
    for button in (787, 504, 698):
        j.click("pbar.%d" % button, 5, 5)
        j.send("idle")
    j.shot("textbar")

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
    # A balloon with its text, made in the text detail dialog.
    j.command(BALLOON)
    j.drag("view", at(0.15, 0.50), at(0.45, 0.70))
    j.send("dlg * 710 set 吹き出し")
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
    # "引出線": the second tab; a start arrow (the fifth entry, the small arrowhead, kind 3).
    j.click("pbar.33002", 75, 10)
    j.send("idle")
    j.send("combo pbar.1093 4")
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

    j.command(SELECT)
    # The balloon's bar: "文字の詳細設定..." sets its text to 15 mm.
    j.click("view", *at(0.30, 0.60))
    j.send("idle")
    j.shot("balloonbar")
    assert j.send("barid") in ("275", "281"), j.send("barid")
    j.click("pbar.741", 5, 5)
    j.send("dlg 文字の詳細設定 1065 set 15mm")
    j.shot("balloon-detail")
    j.send("dlg 文字の詳細設定 1 click")
    j.send("idle")
    # The title bar: bold on, the shadow off.
    j.click("view", *at(0.60, 0.22))
    j.send("idle")
    assert j.send("barid") == "289", j.send("barid")
    j.shot("titlebar")
    for button in (787, 1136):
        j.click("pbar.%d" % button, 5, 5)
        j.send("idle")
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
    time.sleep(1)
    saved = texts(j, board)
    print("\n".join(saved))
    frame = [x for x in saved if x.startswith("text ")]
    assert len(frame) == 1 and frame[0].endswith("[物件概要駅徒歩５分]"), frame
    assert "明朝" in frame[0] and " size 200 style 3 align 2 direction 1 " in frame[0], frame
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

    # Reopened, the frame shows its face and size on the text bar again.
    j.start(j.winpath(board))
    j.wait("texts")
    j.send("idle")
    j.shot("reopened")
    j.click("view", *at(0.12, 0.18))
    j.send("idle")
    assert j.send("barid") == "242", j.send("barid")
    assert "明朝" in j.send("text pbar.1064") and j.send("text pbar.1065") == "[20mm]", \
        (j.send("text pbar.1064"), j.send("text pbar.1065"))
    j.close()
    dump = j.tool("dump", j.winpath(board))
    print(dump, end="")
    lines = dump.splitlines()
    styles = texts(j, board)
    print("\n".join(styles))
    frame = [l for l in styles if l.startswith("text ")]
    assert len(frame) == 1 and frame[0].endswith("[物件概要２]"), frame
    assert "明朝" in frame[0] and " size 200 style 3 align 2 direction 1 " in frame[0], frame
    titles = [l for l in styles if l.startswith("title ")]
    assert len(titles) == 1 and " style 3 shadow 0 shape 7 horizontal 0 " in titles[0] and \
        titles[0].endswith("[モデルハウス]"), titles
    leaders = [l for l in lines if l.startswith("leaderstyle ")]
    assert len(leaders) == 1 and leaders[0].startswith("leaderstyle arrow 3 ") and \
        " fill ffff00 " in leaders[0] and leaders[0].endswith("[引出線の文字]"), leaders
    assert not [l for l in lines if l.startswith("object 5 ")], "a polygon stayed after Backspace"
    balloons = [l for l in lines if l.startswith("balloontext ")]
    assert len(balloons) == 1 and balloons[0] == "balloontext size 150 [吹き出し]", balloons
