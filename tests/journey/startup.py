"""Start-up and help: the About box shows the program's version and date, F1 opens Wine's
help viewer on the program's help file, 製品情報 runs the browser registered for ".htm" (a stub
of the tests) with the product page's address, a /B start opens a board without the start menu,
and after exit no temporary copy ("qvzopen") is left."""
import glob
import os
import signal
import subprocess
import time

from PIL import Image

ID_APP_ABOUT, ID_HELP_WEB_PRODUCT, ID_FILE_SAVE, IDOK, VK_F1 = 0xE140, 32960, 0xE103, 1, 0x70
PICTURE_RGB = (18, 158, 90)
IDC_ABOUT_INFO = 1142
DESKTOP = "1024x768"


def reg(j, *args):
    subprocess.run([j.loader, "reg", *args], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def help_viewers():
    """The ids of Wine's help viewer processes of this prefix (other prefixes may run their own)."""
    prefix = os.environ.get("WINEPREFIX", "").encode()
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                if b"winhlp32" not in f.read():
                    continue
            with open("/proc/%s/environ" % pid, "rb") as f:
                if b"WINEPREFIX=" + prefix in f.read().split(b"\0"):
                    found.append(int(pid))
        except OSError:
            pass
    return found


def run(j):
    with open(os.path.join(j.bindir, "qvz.ini"), "w", encoding="cp932") as f:
        f.write("[Window]\nStatus=5\nleft=0\ntop=0\nright=1000\nbottom=740\n")
    stub_out = os.path.join(j.outdir, "browser.txt")
    if os.path.exists(stub_out):
        os.remove(stub_out)
    os.environ["QVZ_STUB_BROWSER_OUT"] = j.winpath(stub_out)
    # The test prefix's browser for ".htm" is the stub, for this journey only.
    stub = j.winpath(os.path.join(j.bindir, "shell_app_stub_browser.exe"))
    reg(j, "add", "HKCR\\.htm", "/ve", "/d", "qvzjourneyhtm", "/f")
    reg(j, "add", "HKCR\\qvzjourneyhtm\\shell\\open\\command", "/ve", "/d", '"%s" "%%1"' % stub, "/f")
    try:
        j.start_blank()

        # ヘルプ > バージョン情報
        j.command(ID_APP_ABOUT)
        caption = j.send("caption")
        assert caption == "[Zenboraのバージョン情報]", caption
        info = j.send("dlg * %d text" % IDC_ABOUT_INFO)
        assert info.startswith("[バージョン： 1, 12, 0, 0|作成日付  ： 20"), info
        assert "Independent JPEG Group." in info, info
        j.shot("about")
        j.send("answer %d" % IDOK)

        # 製品情報: the stub gets the quoted address whole.
        j.command(ID_HELP_WEB_PRODUCT)
        end = time.time() + 30
        while not os.path.exists(stub_out) and time.time() < end:
            time.sleep(0.25)
        with open(stub_out, encoding="cp932") as f:
            got = f.read().strip()
        assert got == "http://www.talvik.example/products/qvz/", got

        # F1: Wine's help viewer on the program's help file.
        j.send("key view down %d" % VK_F1)
        end = time.time() + 30
        while not help_viewers() and time.time() < end:
            time.sleep(0.5)
        assert help_viewers(), "no help viewer"
        text = j.send("richtext ヘルプ")
        assert "Zenboraは、ボードを作成して印刷するプログラムです。" in text, text
        j.shot("help")
        for pid in help_viewers():
            os.kill(pid, signal.SIGTERM)
        j.close_window()
        # The blank board took its sheet in the paper dialog, so closing asks to save it: いいえ.
        j.send("answer 7")
        j.program.wait(30)

        # /B with a picture of its own colour: a board without the start menu, the picture
        # at the page centre.
        picture = os.path.join(j.outdir, "handover.bmp")
        Image.new("RGB", (120, 90), PICTURE_RGB).save(picture)
        board = os.path.join(j.outdir, "handover.vqd")
        if os.path.exists(board):
            os.remove(board)
        j.start("/B", "/" + j.winpath(picture))
        j.wait("Zenbora")
        j.send("idle")
        assert "無題" in j.send("text title"), "no new board"
        try:
            menu = j.send("startmenu -1 -1") == "ok"
        except AssertionError:
            menu = False
        assert not menu, "a start menu after the /B start"
        j.shot("handover")
        j.command(ID_FILE_SAVE)
        assert j.send("savedialog * %s" % j.winpath(board)) == "ok"
        time.sleep(2)
        assert j.send("answer %d" % IDOK) == "ok"  # property information
        j.send("idle")
        end = time.time() + 20
        while not os.path.exists(board) and time.time() < end:
            time.sleep(0.25)
        dump = j.tool("dump", j.winpath(board))
        page = [int(v) for v in [l.split() for l in dump.splitlines() if l.startswith("page ")][0][1:5]]
        pictures = [[int(v) for v in l.split()[2:6]] for l in dump.splitlines() if l.startswith("object 103 ")]
        assert len(pictures) == 1, dump
        l, t, r, b = pictures[0]
        assert b > t and abs((r - l) / float(b - t) - 4 / 3.0) < 0.02, "picture %s" % pictures[0]
        # The centre goes through the screen: a pixel is about 5 units at the whole-page zoom.
        assert abs((l + r) - (page[0] + page[2])) <= 16 and abs((t + b) - (page[1] + page[3])) <= 16, \
            "picture %s on page %s" % (pictures[0], page)
        rgb = (PICTURE_RGB[0] << 16) | (PICTURE_RGB[1] << 8) | PICTURE_RGB[2]
        shown = j.locate(rgb)
        assert shown, "the picture is not on the screen"
        paper = j.locate(0xFFFFFF)
        view = j.rect("view")
        if paper and paper[0] > 0 and paper[1] > 0 and paper[2] < view[2] - view[0] - 1 and paper[3] < view[3] - view[1] - 1:
            # The whole page is in sight: the picture stands at its middle on the screen too.
            assert abs((shown[0] + shown[2]) - (paper[0] + paper[2])) <= 4, (shown, paper)
            assert abs((shown[1] + shown[3]) - (paper[1] + paper[3])) <= 4, (shown, paper)
        j.close_window()
        j.program.wait(30)
    finally:
        reg(j, "add", "HKCR\\.htm", "/ve", "/d", "htmlfile", "/f")
        reg(j, "delete", "HKCR\\qvzjourneyhtm", "/f")

    # No temporary copy outlives the program.
    temp = subprocess.run([j.loader, "cmd.exe", "/c", "echo", "%TEMP%"], stdin=subprocess.DEVNULL,
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True).stdout.strip()
    unix = subprocess.run(["winepath", "-u", temp], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                          text=True).stdout.strip()
    left = glob.glob(os.path.join(unix, "qvzopen*")) if unix else []
    assert not left, left
