"""The palettes' journey: the shapes palette's "星" dragged onto the page (one star centred on
the drop point, selected, one undo step) and released over the palette (nothing); "樹木A" with
Symbol/Scale 50 placed at 1/50 while a shape keeps its size; no menu in the shapes, the
favourites' menu; the first floor plan at the same scale; the shipped scene extracted (32982) and the
perspective picture placed; saved and read back."""
import os
import time

from PIL import Image

ID_FILE_SAVE = 0xE103


def run(j):
    board = os.path.join(j.outdir, "board.vqd")
    if os.path.exists(board):
        os.remove(board)
    j.tool("make", j.winpath(board))
    with open(os.path.join(j.bindir, "qvz.ini"), "w", encoding="cp932") as f:
        f.write("[Window]\nStatus=5\nleft=0\ntop=0\nright=1000\nbottom=760\n[Message]\nLockMsgFlag=0\n"
                "[Shape]\nLastSelect=6\n[Symbol]\nScale=50\nLastSelect=3\n[Favorite]\nLastSelect=0\n")
    picture = os.path.join(j.bindir, "パース図", "パース図.bmp")
    if os.path.exists(picture):
        os.remove(picture)

    j.start(j.winpath(board))
    j.wait("board")
    j.send("idle")
    x0, y0, x1, y1 = j.locate(0x0000FF) or (0, 0, 0, 0)
    assert x1 > x0, "the rectangle is not on the screen"
    view = j.rect("view")

    def drag_first_cell(to_screen):
        """Presses the first thumbnail and releases at a screen point, moving through the bar."""
        bar = j.rect("pbar")
        j.mouse("pbar.770", "down", 40, 30, 1)
        for k in range(1, 5):
            x = bar[0] + 40 + (to_screen[0] - bar[0] - 40) * k // 4
            y = bar[1] + 30 + (to_screen[1] - bar[1] - 30) * k // 4
            j.mouse("pbar", "move", x - bar[0], y - bar[1], 1)
        j.mouse("pbar", "up", to_screen[0] - bar[0], to_screen[1] - bar[1], 0)
        j.send("idle")

    # 1. The shapes palette opens on "星" (remembered), the star dragged onto the page.
    j.command(32892)
    j.send("idle")
    assert j.send("barid").startswith("337"), "no shapes palette"
    j.shot("shapes")
    drop = ((view[0] + view[2]) // 2, (view[1] + view[3]) // 2 + 60)
    drag_first_cell(drop)
    j.shot("star")
    # Released over the palette itself: nothing.
    j.command(32892)
    bar = j.rect("pbar")
    drag_first_cell((bar[0] + 60, bar[1] + 200))
    # A right click in the shapes: no menu (a menu would hold the program until closed).
    j.mouse("pbar.770", "rdown", 40, 30)
    j.mouse("pbar.770", "rup", 40, 30)
    j.send("idle")

    # 2. Symbols: "樹木A" (remembered) placed at 1 : 50 to the left of the star.
    j.command(32943)
    j.send("idle")
    j.shot("symbols")
    drag_first_cell((drop[0] - 200, drop[1]))

    # 3. The favourites palette with the shipped sample category; a catalogue item dragged in
    # by the driver's own OLE drop source becomes a favourite with its thumbnail.
    j.command(32944)
    j.send("idle")
    sample = os.path.join(j.bindir, "お気に入り", "サンプル")
    with open(os.path.join(sample, "info.txt"), "rb") as f:
        order = f.read()
    item_picture = os.path.join(j.outdir, "item.bmp")
    Image.new("RGB", (80, 60), (40, 160, 220)).save(item_picture)
    lst = j.rect("pbar.770")
    reply = j.send("oledrop %d %d JRN-1 %s" % ((lst[0] + lst[2]) // 2, (lst[1] + lst[3]) // 2, j.winpath(item_picture)))
    j.send("idle")
    j.shot("favourites")
    kept = os.path.join(sample, "JRN-1.qzl")
    try:
        assert reply == "dropped 1", "the drop: %s" % reply
        assert os.path.exists(kept), os.listdir(sample)
        with open(kept, "rb") as f:
            assert f.read(9)[4:9] == b"image", "no thumbnail"
        with open(os.path.join(sample, "info.txt"), "rb") as f:
            assert f.read() == order + b"JRN-1\r\n"
    finally:
        # The shipped sample category as it was.
        if os.path.exists(kept):
            os.remove(kept)
        with open(os.path.join(sample, "info.txt"), "wb") as f:
            f.write(order)

    # 4. Floor plans at the same setting, 1 : 50.
    j.command(92)
    j.send("idle")
    assert j.send("barid").startswith("1336"), "no floor-plan palette"
    j.shot("floorplans")
    drag_first_cell((drop[0] + 220, drop[1] - 120))

    # 5. The shipped scene extracted, the perspective palette shows "パース図".
    j.command(32982)
    j.send("idle")
    for _ in range(240):
        if os.path.exists(picture):
            break
        time.sleep(0.5)
    assert os.path.exists(picture), "no perspective picture"
    j.send("idle")
    j.command(91)
    j.send("idle")
    assert j.send("barid").startswith("1337"), "no perspective palette"
    j.shot("perspective")
    drag_first_cell((drop[0] - 150, drop[1] + 150))
    j.shot("placed")

    j.command(ID_FILE_SAVE)
    j.send("idle")
    j.close()

    after = j.tool("dump", j.winpath(board))
    print(after, end="")
    objects = [l.split() for l in after.splitlines() if l.startswith("object ")]
    codes = [o[1] for o in objects]
    # The board's own objects, then the star, the tree, the plan and the picture.
    assert codes[-4:] == ["5", "200003", "400043", "103"], codes
    star = [int(v) for v in objects[-4][2:6]]
    tree = [int(v) for v in objects[-3][2:6]]
    assert abs((tree[2] - tree[0]) - 300) <= 4, "the tree is not at 1 : 50: %s" % tree
    assert abs((star[2] - star[0]) - 380) <= 4, "the star lost its size: %s" % star
    plans = [l for l in after.splitlines() if l.startswith("plan scale")]
    assert plans and plans[0].split()[2] == "50", plans
