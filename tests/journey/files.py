"""How a board begins and is kept. A plain start shows the start menu; cancelling the template
sheet, the sample prompt and the paper dialog each return to it. ひな型から作成 makes an
untitled board from a shipped sample template; saving it asks for a name and then for the
property information; File > 開く shows the open dialog and opens the board under its own
name. The picture button 各種画像ファイル opens the picture dialog with thumbnails, and a
double-clicked thumbnail lands on the page. 作業メニュー on the changed board asks with its
own dialog: Cancel stays, 破棄する shows the menu, whose ファイルを開く opens the board again;
終了 ends the program, and the recent-file list holds the real path."""
import os
import shutil
import time

from PIL import Image

ID_FILE_SAVE, ID_FILE_OPEN = 0xE103, 0xE101
ID_INSERT_PICTURE, ID_WORK_MENU = 32865, 32974
IDOK, IDCANCEL, DISCARD = 1, 2, 7
# Start-menu buttons (client pixels inside each one's rectangle).
FROM_TEMPLATE, BLANK, OPEN, SAMPLE, END = (239, 137), (239, 209), (239, 283), (239, 335), (420, 390)
PICTURE_TITLE = "画像ファイルを開く"
PICTURE_COLOUR = (200, 40, 160)


def expect_title(j, part, seconds=10):
    end = time.time() + seconds
    title = j.send("text title")
    while part not in title and time.time() < end:
        time.sleep(0.25)
        title = j.send("text title")
    assert part in title, "title %r lacks %r" % (title, part)


def press(j, button):
    assert j.send("startmenu %d %d" % button) == "ok"


def back_at_menu(j, what):
    assert j.send("startmenu -1 -1") == "ok", "cancelling %s did not return to the start menu" % what


def run(j):
    templates = os.path.join(j.bindir, "ひな型", "サンプル", "横")
    shipped = sorted(f for f in os.listdir(templates) if f.lower().endswith(".vqd"))
    assert len(shipped) == 6, shipped
    boards = os.path.join(j.outdir, "保存先")
    # After the board folder among the open dialog's folder cells.
    pictures = os.path.join(j.outdir, "保存先の絵")
    for folder in (boards, pictures):
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
    # Eight pictures, the first in the colour looked for on the page.
    for i in range(8):
        colour = PICTURE_COLOUR if i == 0 else (40 * i, 200 - 20 * i, 90)
        Image.new("RGB", (160 + 20 * i, 120), colour).save(os.path.join(pictures, "絵%02d.bmp" % (i + 1)))
    with open(os.path.join(j.bindir, "qvz.ini"), "w", encoding="cp932") as f:
        f.write("[Window]\nStatus=5\nleft=0\ntop=0\nright=1000\nbottom=740\n")
        f.write("[Directory]\nOpen=%s\\\nInsertImage=%s\n" % (j.winpath(boards), j.winpath(pictures)))
    j.start()
    back_at_menu(j, "nothing")
    time.sleep(1)  # painted
    j.shot("startmenu")

    # Each prompt cancelled goes back to the menu: the sheet, the sample boards, the paper.
    press(j, FROM_TEMPLATE)
    time.sleep(2)
    j.shot("sheet")
    assert j.send("answer %d" % IDCANCEL) == "ok"
    back_at_menu(j, "the template sheet")
    press(j, SAMPLE)
    time.sleep(8)  # the folder tree opens down to the program folder first
    j.shot("sample-dialog")
    assert j.send("answer %d" % IDCANCEL) == "ok"
    back_at_menu(j, "the sample prompt")
    press(j, BLANK)
    j.send("dlg 用紙の設定 1145 sel")
    j.shot("paper")
    j.send("dlg 用紙の設定 %d click" % IDCANCEL)
    back_at_menu(j, "the paper dialog")

    # ひな型から作成: the sheet on the sample page, OK with its first template.
    press(j, FROM_TEMPLATE)
    time.sleep(2)
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

    # 各種画像ファイル: the picture dialog on the pictures' folder; a double-clicked
    # thumbnail lands on the page.
    assert j.locate(0xC828A0) is None, "the picture's colour is on the page already"
    j.command(ID_INSERT_PICTURE)
    time.sleep(4)
    j.shot("picture-dialog")
    assert j.send("thumbdbl %s 0" % PICTURE_TITLE) == "ok"
    j.send("idle")
    time.sleep(1)
    assert j.locate(0xC828A0) is not None, "the picture did not land on the page"
    j.shot("picture-placed")

    # 作業メニュー on the changed board: its own question; Cancel goes back to work.
    j.command(ID_WORK_MENU)
    text = j.send("dlg Zenbora 804 text")
    assert '"plan' in text, text
    j.shot("work-menu")
    j.send("dlg Zenbora %d click" % IDCANCEL)
    j.send("idle")
    expect_title(j, "plan")
    assert j.locate(0xC828A0) is not None, "Cancel did not keep the board"
    # 破棄する: the menu; ファイルを開く prompts in the board folder and opens the board.
    j.command(ID_WORK_MENU)
    j.send("dlg Zenbora %d click" % DISCARD)
    back_at_menu(j, "nothing")
    press(j, OPEN)
    time.sleep(3)
    assert j.send("answer %d" % IDOK) == "ok"
    j.send("idle")
    expect_title(j, "plan")
    assert j.locate(0xC828A0) is None, "the discarded picture came back"

    # 終了 from the menu ends the program.
    j.command(ID_WORK_MENU)
    back_at_menu(j, "nothing")
    press(j, END)
    try:
        j.program.wait(30)
    except Exception:
        raise AssertionError("終了 did not end the program")
    j.close()
    # The recent-file list names the chosen file, never a temporary copy.
    with open(os.path.join(j.bindir, "qvz.ini"), encoding="cp932", errors="replace") as f:
        ini = f.read()
    assert "qvzopen" not in ini.lower() and ".tmp" not in ini.lower(), ini
    assert "保存先\\plan.vqd" in ini, ini
