"""The settings dialogs and the favourites in QVZ.exe on a 1024 x 768 screen: auto-save is
switched off (and stays off in "qvz.ini"), the paper goes from its sheet to another one after
the question, and the favourites organiser adds, renames, reorders and deletes categories
(another process cannot read the program's menus under Wine: the favourites submenu is
checked by the frame's tests)."""
import os
import shutil
import subprocess
import time

from PIL import Image

from journey import set_aside

ID_SCALE, ID_GRID, ID_AUTOSAVE, ID_PAPER, ID_ORGANIZE, ID_CATALOG = 32918, 32920, 32921, 32922, 32967, 32930
IDOK, IDCANCEL = 1, 2
DESKTOP = "1024x768"


def read_ini(path):
    values, section = {}, ""
    with open(path, encoding="cp932", errors="replace") as f:
        for line in f:
            line = line.strip()
            if line.startswith("["):
                section = line[1:-1]
            elif "=" in line:
                k, v = line.split("=", 1)
                values[section + "/" + k] = v
    return values


def expect(got, wanted, what):
    assert got == wanted, "%s: %s, not %s" % (what, got, wanted)


def run(j):
    ini = os.path.join(j.bindir, "qvz.ini")
    with open(ini, "w", encoding="cp932") as f:
        f.write("[Window]\nStatus=3\n[AutoSave]\nInterval=300000\n")
    favourites = os.path.join(j.bindir, "お気に入り")
    with set_aside(favourites):
        for name in ("家具", "照明"):
            os.makedirs(os.path.join(favourites, name))
        with open(os.path.join(favourites, "家具", "椅子.qzl"), "wb") as f:
            f.write(b"x")
        with open(os.path.join(favourites, "info.txt"), "wb") as f:
            f.write("家具\r\n照明\r\n".encode("cp932"))
        layout = os.path.join(j.bindir, "yq.qzl")
        shipped = layout + ".journey"
        shutil.copyfile(layout, shipped)
        try:
            journey(j, ini, favourites, layout)
        finally:
            os.replace(shipped, layout)


def layout_texts(j, layout):
    """The layout's chosen fields and its texts top to bottom: (text, top, bottom, shown)."""
    fields, texts = [], []
    for line in j.tool("layout", j.winpath(layout)).splitlines():
        if line.startswith("field ["):
            fields.append(line[7:-1])
        elif line.startswith("text "):
            head, text = line.split(" [", 1)
            v = head.split()
            texts.append((text[:-1], int(v[2]), int(v[4]), int(v[6])))
    return fields, texts


ITEM_RGB = (220, 120, 40)
ID_BROWSER = 1180
ID_FILE_SAVE = 0xE103


def catalogue_drag(j):
    """A catalogue item dragged by the hand from a window of the driver's (the browser's two
    blocks: its six strings and the picture as CF_HDROP) onto the view: the group of the
    picture and its texts comes in, stacked as "yq.qzl" now says, and Ctrl+Z takes it away."""
    picture = os.path.join(j.outdir, "item.bmp")
    Image.new("RGB", (80, 60), ITEM_RGB).save(picture)
    colour = (ITEM_RGB[0] << 16) | (ITEM_RGB[1] << 8) | ITEM_RGB[2]
    assert j.locate(colour) is None, "the item's colour is on the board already"
    view = j.rect("view")
    source = (view[0] + 20, view[1] + 20, view[0] + 84, view[1] + 68)
    expect(j.send("dragsource %d %d %d %d %06x JRN-7 %s" % (source + (colour, j.winpath(picture)))), "ready",
           "the item's window")
    hand = j.hand()
    hand.move((source[0] + source[2]) // 2, (source[1] + source[3]) // 2)
    print("pointer on the item:", j.send("pointer"))
    hand.button(True)
    target = ((view[0] + view[2]) // 2, (view[1] + view[3]) // 2)
    hand.glide(target[0], target[1], steps=16)
    time.sleep(0.5)
    j.shot("catalog-drag")
    hand.button(False)
    expect(j.send("dragresult 15"), "dropped 1", "the hand's drag")
    j.send("idle")
    j.shot("catalog-dropped")
    placed = j.locate(colour)
    assert placed, "no picture of the item on the board"
    print("the item's picture at", placed, "dropped at", target)
    board = os.path.join(j.outdir, "dropped.vqd")
    if os.path.exists(board):
        os.remove(board)
    j.command(ID_FILE_SAVE)
    expect(j.send("savedialog * %s" % j.winpath(board)), "ok", "save dialog")
    time.sleep(2)
    expect(j.send("answer %d" % IDOK), "ok", "the property information")  # asked after the name
    j.send("idle")
    assert os.path.exists(board), "not saved"
    dump = j.tool("dump", j.winpath(board))
    print(dump, end="")
    lines = dump.splitlines()
    groups = [l for l in lines if l.startswith("object 43 ")]
    expect(len(groups), 1, "groups on the board")
    members = [l.split(" ", 8) for l in lines if l.startswith("member ")]
    kinds = [m[1] for m in members]
    assert "103" in kinds, "no picture in the group: %s" % kinds
    texts = [(m[8].split("[", 1)[1][:-1], int(m[3]), int(m[5])) for m in members if m[1] == "403" and m[7] == "1"]
    shown = [t[0] for t in sorted(texts, key=lambda t: t[1])]
    print("texts top to bottom:", shown)
    # Each text keeps the layout's text from its "：" on, with the item's value: 品番, then
    # 価格 (from the item's "■価格" line), then 品名, then an empty スペック.
    expect(shown, ["：JRN-7", "：1000", "：旅の品", "："], "texts top to bottom")
    j.send("ctrlkey view %d" % 0x5A)
    j.send("idle")
    j.shot("catalog-undone")
    assert j.locate(colour) is None, "Ctrl+Z left the item's picture"


def journey(j, ini, favourites, layout):
    j.start_blank()

    # Auto-save: 5 minutes on, switched off.
    j.command(ID_AUTOSAVE)
    expect(j.send("dlg 自動保存の設定 758 text"), "[5]", "interval")
    j.send("dlg 自動保存の設定 752 check 0")
    j.shot("autosave-off")
    j.send("dlg 自動保存の設定 %d click" % IDOK)

    # Paper: another sheet asks first; Cancel keeps the dialog, OK takes the sheet.
    j.command(ID_PAPER)
    start = int(j.send("dlg 用紙の設定 1145 sel"))
    other = 2 if start != 2 else 3  # A3(縦)
    j.send("dlg 用紙の設定 1145 select %d" % other)
    size = j.send("dlg 用紙の設定 1157 text")
    expect(size, "[297mm × 420mm]" if other == 2 else "[420mm × 297mm]", "size text")
    j.shot("paper")
    j.send("dlg 用紙の設定 %d click" % IDOK)
    j.shot("paper-question")
    j.send("dlg QVZ %d click" % IDCANCEL)
    expect(j.send("dlg 用紙の設定 1145 sel"), str(other), "still open on the chosen sheet")
    j.send("dlg 用紙の設定 %d click" % IDOK)
    j.send("dlg QVZ %d click" % IDOK)
    j.send("idle")
    j.shot("paper-a3")

    # The favourites organiser.
    j.command(ID_ORGANIZE)
    title = "お気に入りの整理"
    expect(j.send("dlg %s 801 text" % title), "[家具|照明]", "categories")
    j.send("dlg %s 1075 click" % title)
    j.send("dlg お気に入りの分類の追加 784 set 植物")
    j.send("dlg お気に入りの分類の追加 %d click" % IDOK)
    expect(j.send("dlg %s 801 text" % title), "[植物|家具|照明]", "added before the selection")
    assert os.path.isdir(os.path.join(favourites, "植物")), "no folder made"
    j.send("dlg %s 801 select 2" % title)
    j.send("dlg %s 1205 click" % title)
    j.send("dlg お気に入りの分類の名称変更 784 set 灯り")
    j.send("dlg お気に入りの分類の名称変更 %d click" % IDOK)
    expect(j.send("dlg %s 801 text" % title), "[植物|家具|灯り]", "renamed")
    assert os.path.isdir(os.path.join(favourites, "灯り")), "folder not renamed"
    j.send("dlg %s 1206 click" % title)
    expect(j.send("dlg %s 801 text" % title), "[植物|灯り|家具]", "moved up")
    j.shot("organiser")
    j.send("dlg %s 801 select 2" % title)
    j.send("dlg %s 800 click" % title)
    j.send("dlg QVZ %d click" % IDOK)
    expect(j.send("dlg %s 801 text" % title), "[植物|灯り]", "deleted")
    assert not os.path.exists(os.path.join(favourites, "家具")), "folder left"
    j.send("dlg %s %d click" % (title, IDOK))
    j.send("idle")
    with open(os.path.join(favourites, "info.txt"), "rb") as f:
        expect(f.read().decode("cp932"), "植物\r\n灯り\r\n", "order file")

    # The catalogue paste layout: 価格 moved above 品名 stacks it so in "yq.qzl".
    fields, texts = layout_texts(j, layout)
    expect(fields, ["品番", "品名", "価格", "スペック"], "shipped fields")
    j.command(ID_CATALOG)
    title = "Vendaroデータの設定"
    expect(j.send("dlg %s 759 text" % title), "[品番|品名|価格|スペック]", "chosen fields")
    expect(j.send("dlg %s 754 text" % title), "[]", "fields left out")
    j.send("dlg %s 759 select 2" % title)
    j.send("dlg %s 1155 click" % title)
    expect(j.send("dlg %s 759 text" % title), "[品番|価格|品名|スペック]", "価格 up")
    j.shot("catalog-settings")
    j.send("dlg %s %d click" % (title, IDOK))
    j.send("idle")
    fields, texts = layout_texts(j, layout)
    expect(fields, ["品番", "価格", "品名", "スペック"], "fields after OK")
    expect([t[0] for t in texts], ["品番：", "価格：", "品名：", "スペック："], "texts top to bottom")
    for upper, lower in zip(texts, texts[1:]):
        expect(lower[1], upper[2], "%s directly below %s" % (lower[0], upper[0]))

    # 1180 starts the catalogue browser beside the board designer.
    expect(j.send("processes VendaroExplorer.exe"), "0", "browsers before 1180")
    j.command(ID_BROWSER)
    expect(j.send("processes VendaroExplorer.exe"), "1", "browsers after 1180")
    time.sleep(2)
    j.shot("browser-started")
    subprocess.run([j.loader, "taskkill", "/im", "VendaroExplorer.exe", "/f"], stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    j.send("idle")

    catalogue_drag(j)

    j.close_window()
    # The changed paper makes the board modified: not saved.
    try:
        j.send("answer 7")
    except AssertionError:
        pass
    j.program.wait(30)
    values = read_ini(ini)
    expect(values.get("AutoSave/Interval"), "0", "auto-save interval at exit")
