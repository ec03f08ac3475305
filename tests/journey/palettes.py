"""The palettes' journey: the shapes palette's "星" dragged onto the page (one star centred on
the drop point, selected, one undo step) and released over the palette (nothing); "樹木A" with
Symbol/Scale 50 placed at 1/50 while a shape keeps its size; no menu in the shapes; a catalogue
item dropped on the favourites, then moved to another category by the favourites' context menu;
the first floor plan at the same scale, then "2LDK" at 1/200 set in the scale dialog, centred and
selected, and its scaled resize with the size tip; the shipped scene extracted (32982) and the
perspective picture placed; saved and read back."""
import os
import shutil
import time

from PIL import Image

ID_FILE_SAVE = 0xE103
VK_RETURN, VK_RIGHT, VK_DOWN = 0x0D, 0x27, 0x28
ID_SCALE_SETTINGS = 32918
SITE_2LDK = 0xC0E0B0  # the 2LDK plan's site colour (rrggbb), in its thumbnail and on the page
ITEM_RGB = (40, 160, 220)  # the catalogue item's picture, found again in its thumbnail


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

    def drag_first_cell(to_screen, cell=(40, 30)):
        """Presses a thumbnail (the first unless a point of the list is given) and releases at
        a screen point, moving through the bar."""
        bar = j.rect("pbar")
        lst = j.rect("pbar.770")
        at = (lst[0] + cell[0] - bar[0], lst[1] + cell[1] - bar[1])
        j.mouse("pbar.770", "down", cell[0], cell[1], 1)
        for k in range(1, 5):
            x = bar[0] + at[0] + (to_screen[0] - bar[0] - at[0]) * k // 4
            y = bar[1] + at[1] + (to_screen[1] - bar[1] - at[1]) * k // 4
            j.mouse("pbar", "move", x - bar[0], y - bar[1], 1)
        j.mouse("pbar", "up", to_screen[0] - bar[0], to_screen[1] - bar[1], 0)
        j.send("idle")

    def thumbnail(rgb):
        """The centre of the thumbnail showing that colour, in the list's client pixels."""
        found = j.send("locatein pbar.770 %06x" % rgb)
        assert found != "none", "no thumbnail in %06x" % rgb
        l, t, r, b = (int(v) for v in found.split())
        return (l + r) // 2, (t + b) // 2

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

    # 3. The favourites palette with the shipped sample category and a second category of the
    # journey's own ("旅先", listed after it); a catalogue item dragged in by the driver's own
    # OLE drop source becomes a favourite with its thumbnail, and the favourites' context menu
    # moves it to "旅先" (別の分類へ移動, its second entry).
    favourites = os.path.join(j.bindir, "お気に入り")
    categories_file = os.path.join(favourites, "info.txt")
    with open(categories_file, "rb") as f:
        categories = f.read()
    # A run that died left its category listed: the shipped list without it.
    categories = b"".join(l for l in categories.splitlines(True) if l.rstrip(b"\r\n") != "旅先".encode("cp932"))
    sample = os.path.join(favourites, "サンプル")
    other = os.path.join(favourites, "旅先")
    with open(os.path.join(sample, "info.txt"), "rb") as f:
        order = f.read()
    kept = os.path.join(sample, "JRN-1.qzl")
    moved = os.path.join(other, "JRN-1.qzl")
    # The shipped sample category whole, put back at the end whatever the menu moved.
    sample_aside = os.path.join(j.outdir, "sample-aside")
    shutil.rmtree(sample_aside, ignore_errors=True)
    shutil.copytree(sample, sample_aside)
    try:
        shutil.rmtree(other, ignore_errors=True)
        os.makedirs(other)
        open(os.path.join(other, "info.txt"), "wb").close()
        with open(categories_file, "wb") as f:
            f.write(categories + (b"" if categories.endswith(b"\n") or not categories else b"\r\n")
                    + "旅先\r\n".encode("cp932"))
        j.command(32944)
        j.send("idle")
        item_picture = os.path.join(j.outdir, "item.bmp")
        Image.new("RGB", (80, 60), ITEM_RGB).save(item_picture)
        lst = j.rect("pbar.770")
        reply = j.send("oledrop %d %d JRN-1 %s" % ((lst[0] + lst[2]) // 2, (lst[1] + lst[3]) // 2, j.winpath(item_picture)))
        j.send("idle")
        j.shot("favourites")
        assert reply == "dropped 1", "the drop: %s" % reply
        assert os.path.exists(kept), os.listdir(sample)
        with open(kept, "rb") as f:
            assert f.read(9)[4:9] == b"image", "no thumbnail"
        with open(os.path.join(sample, "info.txt"), "rb") as f:
            assert f.read() == order + b"JRN-1\r\n"

        # The right button on the new favourite's thumbnail (its item picture's colour) opens
        # the menu; Down three times reaches 別の分類へ移動, Right opens its categories on the
        # first, Down goes to the second; the picture is taken with both levels open, then Enter.
        cell = thumbnail(0x28A0DC)
        j.mouse("pbar.770", "rdown", cell[0], cell[1], 2)
        levels = j.send("menus 1").split()
        assert levels[0] == "1", "no context menu: %s" % levels
        for vk in (VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN):
            j.send("key pbar.770 down %d" % vk)
            j.send("key pbar.770 up %d" % vk)
        levels = j.send("menus 2").split()
        assert levels[0] == "2", "the categories did not open: %s" % levels
        j.shot("favourites-menu")
        j.send("key pbar.770 down %d" % VK_RETURN)
        j.send("key pbar.770 up %d" % VK_RETURN)
        assert j.send("menus 0").split()[0] == "0", "the menu stayed open"
        j.send("idle")
        j.shot("favourites-moved")
        # The object file and its order line went over; the sample category is as shipped.
        assert not os.path.exists(kept), "the favourite stayed in サンプル: %s" % os.listdir(sample)
        assert os.path.exists(moved), "not moved to 旅先: %s" % os.listdir(other)
        with open(moved, "rb") as f:
            assert f.read(9)[4:9] == b"image", "the moved favourite lost its thumbnail"
        with open(os.path.join(sample, "info.txt"), "rb") as f:
            assert f.read() == order, "サンプル's order file"
        with open(os.path.join(other, "info.txt"), "rb") as f:
            assert f.read() == b"JRN-1\r\n", "旅先's order file"
        # The palette now lists 旅先 with the moved favourite.
        assert j.send("locatein pbar.770 %06x" % 0x28A0DC) != "none", "the palette does not show the moved favourite"
    finally:
        # The shipped favourites as they were.
        shutil.rmtree(sample, ignore_errors=True)
        shutil.copytree(sample_aside, sample)
        if os.path.exists(kept):
            os.remove(kept)
        with open(os.path.join(sample, "info.txt"), "wb") as f:
            f.write(order)
        shutil.rmtree(other, ignore_errors=True)
        with open(categories_file, "wb") as f:
            f.write(categories)

    # 4. Floor plans at the same setting, 1 : 50.
    j.command(92)
    j.send("idle")
    assert j.send("barid").startswith("1336"), "no floor-plan palette"
    j.shot("floorplans")
    drag_first_cell((drop[0] + 220, drop[1] - 120))

    # 4b. The placing scale set to 1 : 200 in its dialog while the palette is shown, then
    # "2LDK" (the thumbnail in its site colour) dragged out: it lands at 1 : 200 (500 units
    # wide on the page), centred on the drop point.
    j.command(ID_SCALE_SETTINGS)
    assert j.send("dlg 間取り図とシンボルの縮尺の設定 1082 set 200") == "ok"
    j.send("dlg 間取り図とシンボルの縮尺の設定 1 click")
    j.send("idle")
    assert j.send("barid").startswith("1336"), "the floor-plan palette went away"
    ppu = (x1 - x0 + 1) / 1000.0  # the board's rectangle is 1000 units wide
    plan_drop = (drop[0] + 220, drop[1] + 130)
    drag_first_cell(plan_drop, thumbnail(SITE_2LDK))
    j.shot("floorplan-200")
    p0, q0, p1, q1 = j.locate(SITE_2LDK) or (0, 0, 0, 0)
    assert p1 > p0, "no 2LDK on the page"
    assert abs((p1 - p0 + 1) / ppu - 500) < 10, "2LDK %d pixels wide, not at 1 : 200 (%.3f px a unit)" % (p1 - p0 + 1, ppu)
    assert abs((q1 - q0 + 1) / ppu - 400) < 10, "2LDK %d pixels high" % (q1 - q0 + 1)
    centre = (view[0] + (p0 + p1) / 2.0, view[1] + (q0 + q1) / 2.0)
    assert abs(centre[0] - plan_drop[0]) <= 2 and abs(centre[1] - plan_drop[1]) <= 2, \
        "2LDK centred at %s, dropped at %s" % (centre, plan_drop)

    # 4c. It is selected: its bottom-right corner handle takes the press at once and starts the
    # plan's scaled resize. Pulled in slowly to about 92 % of its width, it keeps to the size
    # of 1 : 200, the nearest step, and the tip beside the corner says so; the picture is taken
    # with the button down, and the release leaves the plan at 1 : 200.
    corner = (p1, q1)
    small = (round(p0 + 0.92 * (p1 - p0)), round(q0 + 0.92 * (q1 - q0)))
    j.mouse("view", "down", corner[0], corner[1], 1)
    tips = []
    for i in range(1, 9):
        j.mouse("view", "move", corner[0] + (small[0] - corner[0]) * i // 8, corner[1] + (small[1] - corner[1]) * i // 8, 1)
        tips.append(j.send("text tip"))
    j.send("idle")
    j.shot("floorplan-resizing")
    j.mouse("view", "up", small[0], small[1], 0)
    j.send("idle")
    assert tips == ["[縮尺 1：200]"] * 8, "the tips while pulled in: %s" % tips
    after = j.locate(SITE_2LDK) or (0, 0, 0, 0)
    assert all(abs(a - b) <= 2 for a, b in zip(after, (p0, q0, p1, q1))), "2LDK left its 1 : 200 size: %s" % (after,)

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
    # The board's own objects, then the star, the tree, the two plans and the picture.
    assert codes[-5:] == ["5", "200003", "400043", "400043", "103"], codes
    star = [int(v) for v in objects[-5][2:6]]
    tree = [int(v) for v in objects[-4][2:6]]
    plan200 = [int(v) for v in objects[-2][2:6]]
    assert abs((tree[2] - tree[0]) - 300) <= 4, "the tree is not at 1 : 50: %s" % tree
    assert abs((star[2] - star[0]) - 380) <= 4, "the star lost its size: %s" % star
    # Its resize back to the size of 1 : 200 lands within a pixel of the screen (8 units).
    assert abs((plan200[2] - plan200[0]) - 500) <= 8, "2LDK is not at 1 : 200: %s" % plan200
    plans = [l.split() for l in after.splitlines() if l.startswith("plan scale")]
    assert len(plans) == 2 and plans[0][2] == "50", plans
    assert plans[1][2] == "200" and plans[1][4] == "100000", "2LDK: %s" % plans[1]
