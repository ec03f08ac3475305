"""Start-up and help: the About box shows the program's version and date, F1 opens Wine's
help viewer on the program's help file, 製品情報 runs the browser registered for ".htm" (a stub
of the tests) with the product page's address, a /B start opens a board without the start menu,
and after exit no temporary copy ("qvzopen") is left."""
import glob
import os
import subprocess
import time

ID_APP_ABOUT, ID_HELP_WEB_PRODUCT, IDOK, VK_F1 = 0xE140, 32960, 1, 0x70
IDC_ABOUT_INFO = 1142
DESKTOP = "1024x768"


def reg(j, *args):
    subprocess.run([j.loader, "reg", *args], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def find_help_viewer(j):
    """Whether Wine's help viewer runs (its process)."""
    out = subprocess.run(["pgrep", "-f", "winhlp32"], stdout=subprocess.PIPE, text=True).stdout
    return out.strip() != ""


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
        j.start()
        j.wait("Zenbora")
        j.send("idle")

        # ヘルプ > バージョン情報
        j.command(ID_APP_ABOUT)
        caption = j.send("caption")
        assert caption == "[Zenboraのバージョン情報]", caption
        info = j.send("dlgtext %d" % IDC_ABOUT_INFO)
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
        while not find_help_viewer(j) and time.time() < end:
            time.sleep(0.5)
        assert find_help_viewer(j), "no help viewer"
        text = j.send("richtext ヘルプ")
        assert "Zenboraは、ボードを作成して印刷するプログラムです。" in text, text
        j.shot("help")
        subprocess.run(["pkill", "-f", "winhlp32"])
        j.close_window()
        j.program.wait(30)

        # /B with a picture: a board without the start menu.
        picture = os.path.join(j.bindir, "テクスチャ")
        pics = sorted(glob.glob(os.path.join(picture, "*.bmp")))
        assert pics, "no picture in the program folder"
        j.start("/B", "/" + j.winpath(pics[0]))
        j.wait("Zenbora")
        j.send("idle")
        j.shot("handover")
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
