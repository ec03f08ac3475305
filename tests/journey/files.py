"""How a board begins and is kept: a plain start shows the start menu; ひな型から作成 runs the
template sheet and makes an untitled board from the A3(横) sample with its objects locked;
saving it asks for a name and then for the property information; File > 開く shows the
open dialog with the saved board's preview and opens it under its own name; the recent-file
list then holds the real path."""
import os
import shutil
import time

ID_FILE_SAVE, ID_FILE_OPEN = 0xE103, 0xE101
IDOK = 1


def expect_title(j, part, seconds=10):
    end = time.time() + seconds
    title = j.send("text title")
    while part not in title and time.time() < end:
        time.sleep(0.25)
        title = j.send("text title")
    assert part in title, "title %r lacks %r" % (title, part)


def run(j):
    samples = os.path.join(j.bindir, "ひな型", "サンプル", "横")
    os.makedirs(samples, exist_ok=True)
    j.tool("maketemplate", j.winpath(os.path.join(samples, "見本.vqd")))
    boards = os.path.join(j.outdir, "保存先")
    shutil.rmtree(boards, ignore_errors=True)
    os.makedirs(boards)
    with open(os.path.join(j.bindir, "qvz.ini"), "w", encoding="cp932") as f:
        f.write("[Window]\nStatus=5\nleft=0\ntop=0\nright=1000\nbottom=740\n")
        f.write("[Directory]\nOpen=%s\\\n" % j.winpath(boards))
    j.start()
    assert j.send("startmenu -1 -1") == "ok", "no start menu"
    j.shot("startmenu")

    # ひな型から作成: the sheet on the sample page, OK with the A3(横) sample.
    assert j.send("startmenu 239 137") == "ok"
    time.sleep(2)
    j.shot("sheet")
    assert j.send("answer %d" % IDOK) == "ok"
    j.wait("Zenbora")
    j.send("idle")
    expect_title(j, "無題")
    j.shot("from-template")
    dump_board = os.path.join(j.outdir, "plan.vqd")
    if os.path.exists(dump_board):
        os.remove(dump_board)

    # Save: the name, then the property information.
    j.command(ID_FILE_SAVE)
    assert j.send("savedialog * %s" % j.winpath(dump_board)) == "ok"
    time.sleep(2)
    j.shot("property-info")
    assert j.send("answer %d" % IDOK) == "ok"
    j.send("idle")
    expect_title(j, "plan")
    assert os.path.exists(dump_board), "not saved"
    objects = j.tool("dump", j.winpath(dump_board))
    assert "object" in objects, objects

    # Open it again through the open dialog, from the board folder.
    shutil.copy(dump_board, os.path.join(boards, "plan.vqd"))
    j.command(ID_FILE_OPEN)
    time.sleep(3)
    j.shot("open-dialog")
    # It opens in the folder of the last save, the board folder first among its cells: OK
    # on a folder cell enters the folder, OK on the board there opens it.
    assert j.send("answer %d" % IDOK) == "ok"
    time.sleep(2)
    j.shot("open-dialog-folder")
    assert j.send("answer %d" % IDOK) == "ok"
    j.send("idle")
    expect_title(j, "plan")
    j.shot("reopened")
    j.close()
    # The recent-file list names the chosen file, never a temporary copy.
    with open(os.path.join(j.bindir, "qvz.ini"), encoding="cp932", errors="replace") as f:
        ini = f.read()
    assert "qvzopen" not in ini.lower() and ".tmp" not in ini.lower(), ini
    assert "保存先\\plan.vqd" in ini, ini
