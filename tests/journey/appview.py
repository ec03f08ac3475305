"""The application view's journey: rubber-band two shapes, copy and paste them twice, group
the second copies from the right-button menu, bring the first rectangle to the front, align
and lock, undo twice and redo once, snap with F8, delete, register the group as a favourite,
paste a bitmap through paste special, save, and read the board and the favourite back."""
import os
import shutil
import struct

from journey import set_aside

MK_LBUTTON, MK_SHIFT = 1, 4
ID_FILE_SAVE = 0xE103
VK = {"U": 0x55, "C": 0x43, "V": 0x56, "Z": 0x5A, "Y": 0x59, "J": 0x4A, "G": 0x47}
VK_F8, VK_DELETE = 0x77, 0x2E
ID_EDIT_PASTE_SPECIAL, IDC_PS_DISPLAYLIST = 57639, 505
PASTED_RGB = 0x30C060


def run(j):
    board = os.path.join(j.outdir, "board.vqd")
    if os.path.exists(board):
        os.remove(board)
    j.tool("make", j.winpath(board))
    with open(os.path.join(j.bindir, "qvz.ini"), "w", encoding="cp932") as f:
        f.write("[Window]\nStatus=5\nleft=0\ntop=0\nright=1000\nbottom=760\n[Message]\nLockMsgFlag=0\n")
    # One favourite category beside the program.
    favorites = os.path.join(j.bindir, "お気に入り")
    with set_aside(favorites):
        journey(j, board, favorites)


def journey(j, board, favorites):
    os.makedirs(os.path.join(favorites, "家具"))
    with open(os.path.join(favorites, "info.txt"), "wb") as f:
        f.write("家具\r\n".encode("cp932"))

    j.start(j.winpath(board))
    j.wait("board")
    j.send("idle")
    ppu, ox, oy = j.board_scale()

    def px(x, y):
        return (round(ox + x * ppu), round(oy + y * ppu))

    def ctrl(key, shift=False):
        j.send("ctrlkey view %d%s" % (VK[key], " 1" if shift else ""))

    def key(vk):
        j.send("key view down %d" % vk)
        j.send("key view up %d" % vk)

    # 1. A rubber band round the rectangle and the polyline.
    j.drag("view", px(800, 400), px(3800, 1800))
    # 2. Copy, then paste twice: the copies land 5 and 10 mm down and right.
    ctrl("C")
    ctrl("V")
    ctrl("V")
    # 3. The second copies grouped from the pop-up menu: グループ(&G), then グループ化(&G).
    j.mouse("view", "rdown", *px(3900, 2400))
    j.mouse("view", "rup", *px(3900, 2400))
    key(VK["G"])
    key(VK["G"])
    j.send("idle")
    j.shot("grouped")
    # 4. The first rectangle to the front, then it and the group aligned left, and locked.
    j.click("view", *px(1020, 1020))
    ctrl("J", shift=True)
    j.click("view", *px(2090, 1690), MK_SHIFT)
    j.command(1195)
    j.command(32908)
    # 5. Undo twice (the lock, the alignment), redo once (the alignment).
    ctrl("Z")
    ctrl("Z")
    ctrl("Y")
    j.shot("aligned")
    # 6. Snapping on, then the first rectangle deleted.
    key(VK_F8)
    ctrl("U")
    j.click("view", *px(1020, 1020))
    key(VK_DELETE)
    # 7. The group registered as a favourite of the first category.
    j.click("view", *px(1990, 1690))
    j.command(1524)
    j.send("idle")
    j.shot("edited")
    # Paste special: a bitmap another program left on the clipboard, its bitmap entry chosen
    # in the dialog's list, comes in as a picture item on the page.
    assert j.send("clippicture 120 80 %06x" % PASTED_RGB) == "ok"
    j.command(ID_EDIT_PASTE_SPECIAL)
    entries = j.send("dlg * %d text" % IDC_PS_DISPLAYLIST)[1:-1].split("|")
    print("paste special offers:", entries)
    index = next((i for i, e in enumerate(entries) if e.startswith("デバイスに依存しないビットマップ")), -1)
    assert index >= 0, entries
    j.send("dlg * %d select %d" % (IDC_PS_DISPLAYLIST, index))
    j.shot("paste-special")
    j.send("dlg * 1 click")
    j.send("idle")
    j.shot("pasted-special")
    assert j.locate(PASTED_RGB), "the pasted bitmap is not on the board"
    # 8. Saved, closed and read back.
    j.command(ID_FILE_SAVE)
    j.send("idle")
    j.close()

    after = j.tool("dump", j.winpath(board))
    objects = [l.split() for l in after.splitlines() if l.startswith("object ")]
    codes = [o[1] for o in objects]
    assert codes == ["5", "3", "5", "43", "a3"], after
    group = [int(v) for v in objects[3][2:6]]
    assert abs(group[0] - 1000) <= 3 and abs(group[1] - 700) <= 3, "group: %s" % group
    for o, want in ((objects[1], (1050, 1050)), (objects[2], (2650, 650))):
        got = [int(v) for v in o[2:4]]
        assert abs(got[0] - want[0]) <= 3 and abs(got[1] - want[1]) <= 3, "first copies: %s" % o
    with open(os.path.join(j.bindir, "qvz.ini"), encoding="cp932", errors="replace") as f:
        ini = f.read()
    # F8 left snapping on (the program stores the bit itself when it ends).
    fit = [l.split("=")[1] for l in ini.splitlines() if l.startswith("bFitGrid=")]
    assert fit and int(fit[0]) != 0, ini
    saved = os.path.join(favorites, "家具", "新規1.qzl")
    assert os.path.exists(saved), os.listdir(os.path.join(favorites, "家具"))
    with open(saved, "rb") as f:
        head = f.read(9)
    assert struct.unpack("<i", head[:4])[0] == 91100 and head[4:9] == b"image", head
    with open(os.path.join(favorites, "家具", "info.txt"), "rb") as f:
        assert f.read() == "新規1\r\n".encode("cp932")
    print(after, end="")
