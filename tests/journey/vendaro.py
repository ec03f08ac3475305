"""The catalogue browser's journey: VendaroExplorer.exe finds a catalogue of 10 000 products on
a CD-ROM drive d:, is closed (its block goes to HISTORY.DAT), starts again from the cache,
reloads once when a volume with media arrives, and is closed again without HISTORY.DAT
growing. The program runs from a folder of its own, so its settings files start absent."""
import glob
import os
import shutil
import struct
import subprocess
import sys
import time

PRODUCTS = 10000
READY = "[ﾚﾃﾞｨ]"

_here = os.path.dirname(os.path.abspath(__file__))
_root = os.path.dirname(os.path.dirname(_here))
_prefix = os.environ["WINEPREFIX"]
_loader = os.environ["WINELOADER"]
_drive_d = os.path.join(_prefix, "dosdevices", "d:")


def _wineserver(*args):
    server = "/usr/lib/wine/wineserver" if os.path.exists("/usr/lib/wine/wineserver") else "wineserver"
    subprocess.run([server, *args], check=False)


def _make_catalog(outdir, bindir):
    cat = os.path.join(outdir, "cat%d" % PRODUCTS)
    if not os.path.isdir(os.path.join(cat, "DISTRIB")):
        maker = os.path.join(bindir, "..", "..", "host", "bin", "catalog_maker")
        if os.path.exists(maker):
            subprocess.run([maker, cat, str(PRODUCTS)], check=True, stdout=subprocess.DEVNULL)
        else:
            subprocess.run([_loader, os.path.join(bindir, "catalog_maker.exe"), "Z:" + cat.replace("/", "\\"),
                            str(PRODUCTS)], check=True, stdout=subprocess.DEVNULL)
    return cat


def _cdrom_on_d(cat):
    """d: becomes a CD-ROM drive on the catalogue; the wine server is started again (only this
    prefix's) so that the mount manager reads the drive type."""
    if os.path.islink(_drive_d) or os.path.exists(_drive_d):
        os.remove(_drive_d)
    os.symlink(cat, _drive_d)
    subprocess.run([_loader, "reg", "add", r"HKLM\Software\Wine\Drives", "/v", "d:", "/d", "cdrom", "/f"],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    _wineserver("-k")
    _wineserver("-w")


def _no_d():
    if os.path.islink(_drive_d):
        os.remove(_drive_d)
    subprocess.run([_loader, "reg", "delete", r"HKLM\Software\Wine\Drives", "/v", "d:", "/f"],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def cache_entries(config):
    """List 1 of CONFIG.DAT: (offset, size, id, title, root) per entry."""
    data = open(config, "rb").read()
    assert data[:3] == b"CNF", "CONFIG.DAT without its signature"
    at = 27
    count, = struct.unpack_from("<i", data, at)
    at += 4
    entries = []
    for _ in range(count):
        offset, size, lid, ltitle, lroot = struct.unpack_from("<5i", data, at)
        at += 20
        strings = []
        for n in (lid, ltitle, lroot):
            strings.append(data[at:at + n - 1].decode("cp932"))
            at += n
        entries.append((offset, size, *strings))
    return entries


class Browser:
    def __init__(self, j, prog):
        self.j, self.prog = j, prog

    def start(self):
        self.j.program = subprocess.Popen([_loader, "VendaroExplorer.exe"], cwd=self.prog, stdin=subprocess.DEVNULL,
                                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.started = time.time()
        self.j.wait("Vendaro", 120)

    def wait_ready(self, seconds=180):
        end = time.time() + seconds
        while time.time() < end:
            # Ready, or the count of the list that the start or restored selection shows.
            status = self.j.send("status 0")
            if status == READY or (" : " in status and not status.startswith("[検索中")):
                return time.time() - self.started
            time.sleep(0.2)
        raise AssertionError("the browser did not reach %s" % READY)

    def close(self):
        self.j.close_window()
        try:
            code = self.j.program.wait(60)
        except subprocess.TimeoutExpired:
            raise AssertionError("the browser did not end after WM_CLOSE")
        self.j.program = None
        return code

    def file(self, name):
        return os.path.join(self.prog, name)


def run(j):
    cat = _make_catalog(j.outdir, j.bindir)
    prog = os.path.join(j.outdir, "prog")
    shutil.rmtree(prog, ignore_errors=True)
    os.makedirs(prog)
    for f in [os.path.join(j.bindir, "VendaroExplorer.exe")] + glob.glob(os.path.join(j.bindir, "*.dll")):
        shutil.copy(f, prog)
    b = Browser(j, prog)
    try:
        _journey(j, b)
    finally:
        if j.program and j.program.poll() is None:
            j.program.kill()
        _no_d()


def _journey(j, b):
    # First start: no settings files, the catalogue is read from d:.
    b.start()
    print("window after %.2f s" % (time.time() - b.started))
    for i in range(2):  # the load of 10 000 products lasts about a second
        j.shot("1-discovery-%d" % i)
        print("shot %d after %.2f s" % (i, time.time() - b.started))
    print("first start ready after %.1f s" % b.wait_ready())
    j.shot("2-ready")
    assert j.send("text title") == "[Vendaro エクスプローラ]", j.send("text title")
    _browse(j)
    assert b.close() == 0
    history = os.path.getsize(b.file("HISTORY.DAT"))
    entries = cache_entries(b.file("CONFIG.DAT"))
    print("after the first close: HISTORY.DAT %d bytes, entries %s" % (history, [e[:2] + e[3:] for e in entries]))
    assert len(entries) == 1 and entries[0][4] == "D:\\", entries
    assert entries[0][0] == 0 and entries[0][1] == history, (entries, history)

    # Second start: the block comes back from HISTORY.DAT, and the kept search with it.
    b.start()
    print("start from the cache ready after %.1f s" % b.wait_ready())
    searches = j.send("treechildren Vendaro検索")
    print("saved searches after the restart:", searches)
    assert searches == "[玄関ドア]", searches
    j.shot("3-from-cache")
    config_time = os.path.getmtime(b.file("CONFIG.DAT"))
    time.sleep(1.1)

    # A CD arrives: one reload, which writes the settings first.
    assert j.send("devicechange D") == "ok"
    time.sleep(0.5)
    b.wait_ready()
    assert os.path.getmtime(b.file("CONFIG.DAT")) > config_time, "no reload after the device change"
    j.shot("4-after-device-change")
    assert b.close() == 0
    assert os.path.getsize(b.file("HISTORY.DAT")) == history, "HISTORY.DAT grew though nothing changed"
    assert cache_entries(b.file("CONFIG.DAT")) == entries


def _children(j, path):
    reply = j.send("treechildren " + path)
    return reply[1:-1].split("|") if reply != "[]" else []


def _selected(j):
    return j.send("treeselected")[1:-1]


def _status(j):
    return j.send("status 0")[1:-1]


def _browse(j):
    """Down to a leaf category, sorted by price, two quick searches, Back and Forward, and one
    search deleted again."""
    j.send("syscommand 61488")  # maximised, so that every column of the list is on the screen
    j.send("command 59411")  # 詳細表示: the browser starts in thumbnail mode, this walk reads the list
    roots = _children(j, "")
    print("roots:", roots)
    assert roots[1:] == ["Vendaro", "Vendaro検索", "画像検索"], roots
    catalogs = _children(j, "Vendaro")
    assert len(catalogs) == 1, catalogs
    path = "Vendaro|" + catalogs[0]
    visited = [path]
    # The first category at each level, down to a leaf that lists items.
    for _ in range(6):
        j.send("treeselect " + path)
        kids = _children(j, path)
        if not kids or kids == ["dummy"] or not _status(j).startswith("項目数"):
            break
        path += "|" + kids[0]
        visited.append(path)
    j.send("treeselect " + path)
    status = _status(j)
    rows = j.send("listrows 3")
    print("category %s: %s, %s" % (path, status, rows))
    assert status.startswith("データ数 : "), status
    count = int(status.split(" : ")[1])
    assert count > 0 and rows.startswith("[%d: " % count), rows
    j.shot("5-category")

    # 価格 twice: ascending, then descending.
    def prices():
        reply = j.send("listrows 100000")[1:-1]
        cells = [r.split("\t") for r in reply.split(": ", 1)[1].split(" || ")]
        return [int("".join(c for c in r[2] if c.isdigit()) or 0) for r in cells]
    j.send("header 2")
    up = prices()
    j.send("header 2")
    down = prices()
    print("prices ascending %s..., descending %s..." % (up[:3], down[:3]))
    assert up == sorted(up) and down == sorted(down, reverse=True), (up, down)
    j.shot("6-sorted-by-price")

    # Quick searches on the catalogue node: each saved under Vendaro検索.
    for text in ("ユニットバス", "玄関ドア"):
        started = time.time()
        j.send("searchbox " + text)
        status = _status(j)
        while not status.startswith("検索結果") and time.time() - started < 180:
            time.sleep(0.5)
            status = _status(j)
        print("quick search %s: %.1f s from Enter to the status text" % (text, time.time() - started))
        print("quick search %s: %s, selected %s" % (text, status, _selected(j)))
        assert status.startswith("検索結果 : ") and int(status.split(" : ")[1].rstrip("件")) > 0, status
        assert _selected(j) == "Vendaro検索|" + text, _selected(j)
    j.shot("7-quick-search")
    assert _children(j, "Vendaro検索") == ["ユニットバス", "玄関ドア"], _children(j, "Vendaro検索")

    # Back, Back, Forward.
    def step(command, before):
        # A step that shows 2 000 rows may outlast the driver's idle wait: wait for the change.
        j.send("command %d" % command)
        end = time.time() + 30
        now = _selected(j)
        while now == before and time.time() < end:
            time.sleep(0.3)
            now = _selected(j)
        return now
    back1 = step(32802, _selected(j))
    back2 = step(32802, back1)
    forward = step(32803, back2)
    print("back %s, back %s, forward %s" % (back1, back2, forward))
    assert back1 == "Vendaro検索|ユニットバス", back1
    assert back2 == path, back2
    assert forward == back1, forward
    j.shot("8-back-forward")

    # 検索結果の削除 of the first search, confirmed.
    # Opening Vendaro検索 on the way makes it the current node: select another node first.
    j.send("treeselect Vendaro検索")
    j.send("treeselect Vendaro検索|ユニットバス")
    j.send("command 3")
    j.send("answer 1")
    left = _children(j, "Vendaro検索")
    print("after the deletion:", left, "selected", _selected(j))
    assert left == ["玄関ドア"], left
    j.shot("9-search-deleted")


# Runs when the journey runner loads this file, before its driver starts in the prefix.
if __name__ != "__main__":
    _cdrom_on_d(_make_catalog(os.path.join(_root, "build", "journey", "vendaro"),
                              os.path.join(_root, "build", "win64", "bin")))
