"""How a board begins and is kept. A plain start shows the start menu; cancelling the template
sheet, the sample prompt and the paper dialog each return to it. ひな型から作成 makes an
untitled board from a shipped sample template; saving it asks for a name and then for the
property information; File > 開く shows the open dialog and opens the board under its own
name. The picture button 各種画像ファイル opens the picture dialog with thumbnails, and a
double-clicked thumbnail lands on the page. 作業メニュー on the changed board asks with its
own dialog: Cancel stays, 破棄する shows the menu, whose ファイルを開く opens the board again;
サンプルを開く opens a shipped sample board; saving it as a template elsewhere than the
template folder is refused with its message and asked again, and the template "plan" made so
gives a new board whose locked objects the select tool can neither move nor delete; a board
from a template on another paper shows that paper and its page in the select bar at once.
終了 ends the program, and the recent-file list holds the real path. A second run saves the
untitled board automatically: it stays 無題, no file of that name appears, and the auto-save
file handed over in another letter case opens as 無題 again; its picture dialog on a folder of
3,000 pictures pages to the last one, whose double-click lands on the page."""
import os
import shutil
import subprocess
import tempfile
import time

from PIL import Image

ID_FILE_SAVE, ID_FILE_OPEN = 0xE103, 0xE101
ID_INSERT_PICTURE, ID_WORK_MENU = 32865, 32974
ID_SAVE_TEMPLATE, ID_FILE_NEW_TEMPLATE, ID_AUTOSAVE_SETTINGS = 32936, 32975, 32921
IDC_AUTOSAVE_ON = 752
VK_DELETE = 0x2E
IDOK, IDCANCEL, DISCARD = 1, 2, 7
# Start-menu buttons (client pixels inside each one's rectangle).
FROM_TEMPLATE, BLANK, OPEN, SAMPLE, END = (239, 137), (239, 209), (239, 283), (239, 335), (420, 390)
PICTURE_TITLE = "画像ファイルを開く"
PICTURE_COLOUR = (200, 40, 160)
SHEET_TITLE, TEMPLATE_SAVE_TITLE = "ひな型を元に作成", "ひな型として保存"
# The office sample: the first board of サンプル, its meeting table this green.
OFFICE, OFFICE_TABLE = "事務所レイアウトの見本", 0xA0C0A0
MESSAGE_TEXT = 65535
# The folder of many pictures: grey ones, the last in a colour of the thumbnails' palette.
MANY, MANY_LAST = 3000, 0x33CC66
SB_LINEUP, SB_PAGEDOWN = 0, 3
MANY_PICTURES = True
IDNO = 7
# The sample page's paper box and its B5(横).
SHEET_PAPER, B5_LANDSCAPE = 1145, 11
SELECT_BAR, BAR_INFO = "11700", 1176


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

    # Outside the journey's folder, which the open dialog lists: what the second run needs.
    work = tempfile.mkdtemp(prefix="qvz-files-")
    template = os.path.join(j.bindir, "ひな型", "plan.vqd")
    try:
        open_sample(j)
        save_as_template_plan(j, boards, template)
        board_from_plan(j)
        board_on_other_paper(j)
    finally:
        if os.path.exists(template):
            # Kept for the second run.
            shutil.copy(template, os.path.join(work, "plan-template.vqd"))
            os.remove(template)

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
    # The second run, with a driver of its own.
    second = type(j)(j.bindir, j.outdir)
    many = os.path.join(work, "絵")
    try:
        if MANY_PICTURES:
            second.tool("makeimages", second.winpath(many), str(MANY), "%06x" % MANY_LAST)
        auto_save(second, work, boards, pictures, many if MANY_PICTURES else None)
    finally:
        second.close()
        shutil.rmtree(work, ignore_errors=True)


def open_sample(j):
    """サンプルを開く: the open dialog in the program's サンプル folder, OK on its first board."""
    j.command(ID_WORK_MENU)
    back_at_menu(j, "nothing")
    press(j, SAMPLE)
    time.sleep(8)
    assert j.send("answer %d" % IDOK) == "ok"
    j.send("idle")
    expect_title(j, OFFICE)
    time.sleep(1)
    assert j.locate(OFFICE_TABLE) is not None, "the sample's meeting table is not on the page"
    j.shot("sample-board")


def save_as_template_plan(j, boards, template):
    """ひな型として保存 of the sample: a name in another folder is refused with its message and
    the dialog comes again; the name alone saves it in the template folder."""
    elsewhere = os.path.join(boards, "見本.vqd")
    for path in (elsewhere, template):
        if os.path.exists(path):
            os.remove(path)
    j.command(ID_SAVE_TEMPLATE)
    assert j.send("savedialog %s %s" % (TEMPLATE_SAVE_TITLE, j.winpath(elsewhere))) == "ok"
    text = j.send("dlg * %d text" % MESSAGE_TEXT)
    assert text == "[ファイル保存位置が異なります。]", text
    j.shot("template-elsewhere")
    assert j.send("answer %d" % IDOK) == "ok"
    assert not os.path.exists(elsewhere), "saved outside the template folder"
    # Asked again: the template folder this time.
    assert j.send("savedialog %s plan" % TEMPLATE_SAVE_TITLE) == "ok"
    j.send("idle")
    expect_title(j, "plan")
    assert os.path.exists(template), "the template was not saved in ひな型"
    assert not os.path.exists(elsewhere), "saved outside the template folder"
    objects = j.tool("dump", j.winpath(template))
    assert objects.count("object ") >= 10, objects


def board_from_plan(j):
    """ひな型から新規作成 on the user page: plan makes an untitled board with the sample's objects,
    locked: the select tool neither moves nor deletes them."""
    j.command(ID_FILE_NEW_TEMPLATE)
    assert j.send("sheetpage %s 1" % SHEET_TITLE) == "ok"
    name = j.send("pagetext %s 769" % SHEET_TITLE)
    assert name == "[plan.vqd]", name
    j.shot("sheet-user")
    assert j.send("answer %d" % IDOK) == "ok"
    j.send("idle")
    expect_title(j, "無題")
    time.sleep(1)
    table = j.locate(OFFICE_TABLE)
    assert table is not None, "the template's table is not on the page"
    j.shot("from-plan")
    middle = ((table[0] + table[2]) // 2, (table[1] + table[3]) // 2)
    j.drag("view", middle, (middle[0] + 90, middle[1] + 60))
    j.send("idle")
    assert j.locate(OFFICE_TABLE) == table, "a locked object moved: %s -> %s" % (table, j.locate(OFFICE_TABLE))
    j.click("view", *middle)
    j.send("key view down %d" % VK_DELETE)
    j.send("key view up %d" % VK_DELETE)
    j.send("idle")
    time.sleep(1)
    assert j.locate(OFFICE_TABLE) == table, "a locked object was deleted or moved"
    j.shot("locked")


def board_on_other_paper(j):
    """ひな型から新規作成 on the sample page with B5(横), while the select bar shows the last
    board: without a click, the bar names the new board's paper and lists its one page."""
    if j.send("barid") != SELECT_BAR:
        # Outside the paper: nothing selected.
        j.click("view", 4, 4)
        j.send("idle")
    assert j.send("barid") == SELECT_BAR, j.send("barid")
    before = j.send("text pbar.%d" % BAR_INFO)
    assert before.startswith("[用紙サイズ：") and "B5(横)" not in before, before
    j.command(ID_FILE_NEW_TEMPLATE)
    assert j.send("sheetpage %s 0" % SHEET_TITLE) == "ok"
    assert j.send("dlg %s %d select %d" % (SHEET_TITLE, SHEET_PAPER, B5_LANDSCAPE)) == "ok"
    time.sleep(1)
    assert j.send("answer %d" % IDOK) == "ok"
    j.send("idle")
    expect_title(j, "無題")
    time.sleep(1)
    assert j.send("barid") == SELECT_BAR, j.send("barid")
    after = j.send("text pbar.%d" % BAR_INFO)
    assert after.startswith("[用紙サイズ：B5(横)"), "the select bar still says %s on a B5(横) board" % after
    j.shot("from-template-b5")


def named_untitled(folder):
    return [f for f in os.listdir(folder) if f.startswith("無題")]


def auto_save(j, work, boards, pictures, many=None):
    """A second run saves automatically every two seconds to its own auto-save file; its
    picture dialog opens on the folder of many pictures when there is one."""
    folder = os.path.join(work, "自動保存")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    autosaved = os.path.join(folder, "自動保存.vqd")
    with open(os.path.join(j.bindir, "qvz.ini"), "w", encoding="cp932") as f:
        f.write("[Window]\nStatus=5\nleft=0\ntop=0\nright=1000\nbottom=740\n")
        f.write("[Directory]\nOpen=%s\\\nInsertImage=%s\n" % (j.winpath(boards), j.winpath(many or pictures)))
        f.write("[AutoSave]\nInterval=2000\nDefaultPath=%s\n" % j.winpath(autosaved))
    template = os.path.join(j.bindir, "ひな型", "plan.vqd")
    shutil.copy(os.path.join(work, "plan-template.vqd"), template)
    try:
        j.start()
        back_at_menu(j, "nothing")
        press(j, FROM_TEMPLATE)
        assert j.send("sheetpage %s 1" % SHEET_TITLE) == "ok"
        assert j.send("answer %d" % IDOK) == "ok"
        j.wait("Zenbora")
        j.send("idle")
        expect_title(j, "無題")
        time.sleep(1)
        assert j.locate(OFFICE_TABLE) is not None, "the template's table is not on the page"
    finally:
        os.remove(template)
    end = time.time() + 30
    while not os.path.exists(autosaved) and time.time() < end:
        time.sleep(0.5)
    assert os.path.exists(autosaved), "no auto-save file"
    time.sleep(3)
    # Saved without taking the name: still 無題, and no file of that name anywhere.
    expect_title(j, "無題")
    assert "object" in j.tool("dump", j.winpath(autosaved))
    for where in (j.bindir, j.outdir, boards, folder):
        assert not named_untitled(where), "a file named 無題 in %s" % where
    j.shot("auto-saved")

    # Automatic saving switched off, so that the file keeps this board: a blank board in its
    # place; then the auto-save file, named in capitals, handed over by a second start of the
    # program as a double-click in a file window does: 無題 again.
    j.command(ID_AUTOSAVE_SETTINGS)
    j.send("dlg 自動保存の設定 %d check 0" % IDC_AUTOSAVE_ON)
    j.send("dlg 自動保存の設定 %d click" % IDOK)
    j.send("idle")
    time.sleep(3)
    j.command(ID_WORK_MENU)
    back_at_menu(j, "nothing")
    press(j, BLANK)
    j.send("dlg 用紙の設定 %d click" % IDOK)
    j.send("idle")
    time.sleep(1)
    assert j.locate(OFFICE_TABLE) is None, "the blank board shows the table"
    time.sleep(3)
    assert j.tool("dump", j.winpath(autosaved)).count("object ") >= 10, "saved automatically after it was switched off"
    other_case = j.winpath(autosaved).upper()
    assert other_case != j.winpath(autosaved)
    with open(os.devnull, "wb") as null:
        subprocess.run([j.loader, "QVZ.exe", other_case], cwd=j.bindir, stdin=subprocess.DEVNULL, stdout=null,
                       stderr=null, timeout=60)
    # The blank board took another paper: its save question first.
    assert j.send("answer %d" % IDNO) == "ok"
    end = time.time() + 20
    while j.locate(OFFICE_TABLE) is None and time.time() < end:
        time.sleep(0.5)
    if j.locate(OFFICE_TABLE) is None:
        j.shot("auto-save-not-reopened")
        raise AssertionError("the auto-save file did not open")
    expect_title(j, "無題")
    j.shot("auto-save-reopened")
    # Saving it asks for a name: it is never written as a file named 無題.
    j.command(ID_FILE_SAVE)
    caption = j.send("caption")
    j.shot("auto-save-save-prompt")
    assert j.send("answer %d" % IDCANCEL) == "ok"
    j.send("idle")
    expect_title(j, "無題")
    for where in (j.bindir, j.outdir, boards, folder):
        assert not named_untitled(where), "a file named 無題 in %s after %s" % (where, caption)
    if many is not None:
        many_pictures(j, many)
    j.close()
    with open(os.path.join(j.bindir, "qvz.ini"), encoding="cp932", errors="replace") as f:
        ini = f.read()
    recent = ini[ini.find("[Recent File List]"):] if "[Recent File List]" in ini else ""
    assert "自動保存" not in recent and "無題" not in recent, ini


def many_pictures(j, folder):
    """The picture dialog on a folder of 3,000 pictures: filled, scrolled page by page to the
    last one, whose double-click puts it on the page."""
    assert j.locate(MANY_LAST) is None, "the last picture's colour is on the page already"
    j.command(ID_INSERT_PICTURE)
    end = time.time() + 300
    state = j.send("thumbscroll %s 0 0" % PICTURE_TITLE)
    while int(state.split()[1]) < MANY - 1 and time.time() < end:
        time.sleep(2)
        state = j.send("thumbscroll %s 0 0" % PICTURE_TITLE)
    assert int(state.split()[1]) == MANY - 1, "the picture dialog holds cells up to %s" % state
    time.sleep(2)
    j.shot("pictures-many-top")
    # Page by page, every row painted on the way, until the list has scrolled past its last
    # row (its range runs one row beyond it): one line up shows the last row.
    top = -2
    while time.time() < end:
        state = j.send("thumbscroll %s %d 25" % (PICTURE_TITLE, SB_PAGEDOWN))
        row = int(state.split()[0])
        if row in (top, -1):
            break
        top = row
    state = j.send("thumbscroll %s %d 1" % (PICTURE_TITLE, SB_LINEUP))
    row, _, inside = (int(v) for v in state.split())
    assert row == (MANY - 1) // 4 and inside == 1, "the last picture is not in view: %s" % state
    time.sleep(1)
    shot = j.shot("pictures-many-bottom")
    colours = Image.open(shot).convert("RGB").getcolors(1 << 20) or []
    wanted = ((MANY_LAST >> 16) & 255, (MANY_LAST >> 8) & 255, MANY_LAST & 255)
    assert any(c == wanted for _, c in colours), "the last thumbnail is not drawn"
    assert j.send("thumbdbl %s %d" % (PICTURE_TITLE, MANY - 1)) == "ok"
    j.send("idle")
    time.sleep(1)
    assert j.locate(MANY_LAST) is not None, "the last picture did not land on the page"
    j.shot("pictures-many-placed")
    # The board changed: closing asks, and No leaves it unsaved.
    j.close_window()
    assert j.send("answer %d" % IDNO) == "ok"
    j.program.wait(30)
