"""Printing's journey: a board grown to three pages in QVZ.exe is previewed (rulers and tool
bars away, the next page, zoomed in, closed, rulers and bars back), then printed to the PDF queue, and the PDF holds
the three A3 landscape pages with the blue rectangle on the first."""
import glob
import os
import subprocess
import time

ID_INSERT_BLANKPAGE = 1187
ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW = 0xE107, 0xE109
AFX_ID_PREVIEW_CLOSE, AFX_ID_PREVIEW_NEXT, AFX_ID_PREVIEW_ZOOMIN = 0xE300, 0xE302, 0xE305
IDOK, IDNO = 1, 7
IDW_STANDARD_BAR, IDW_MAIN_TOOLBAR = 98, 233


def pdf_pages(path):
    """[(width, height) in points as shown] of each page."""
    info = subprocess.run(["pdfinfo", "-f", "1", "-l", "99", path], capture_output=True, text=True).stdout
    sizes, rotations = {}, {}
    for line in info.splitlines():
        words = line.split()
        if len(words) > 4 and words[0] == "Page" and words[2] == "size:":
            sizes[int(words[1])] = (float(words[3]), float(words[5]))
        if len(words) > 3 and words[0] == "Page" and words[2] == "rot:":
            rotations[int(words[1])] = int(words[3])
    pages = []
    for n in sorted(sizes):
        w, h = sizes[n]
        pages.append((h, w) if rotations.get(n, 0) in (90, 270) else (w, h))
    return pages


def run(j):
    printdir = os.environ.get("QVZ_PRINT_DIR", "/tmp/qvz-print")
    queue = subprocess.run(["bash", os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "lib", "print-queue.sh")],
                           capture_output=True, text=True)
    assert queue.returncode == 0, "no print queue: " + queue.stderr
    board = os.path.join(j.outdir, "printjourney.vqd")
    if os.path.exists(board):
        os.remove(board)
    for old in glob.glob(os.path.join(printdir, "*printjourney*.pdf")):
        os.remove(old)
    j.tool("make", j.winpath(board))
    with open(os.path.join(j.bindir, "qvz.ini"), "w", encoding="cp932") as f:
        f.write("[Window]\nStatus=5\nleft=0\ntop=0\nright=1000\nbottom=760\n")
    j.start(j.winpath(board))
    j.wait("printjourney")
    j.send("idle")
    j.command(ID_INSERT_BLANKPAGE)
    j.command(ID_INSERT_BLANKPAGE)
    j.send("idle")
    assert j.send("visible hruler") == "yes"
    bars = ("win%d" % IDW_STANDARD_BAR, "win%d" % IDW_MAIN_TOOLBAR)
    assert all(j.send("visible " + b) == "yes" for b in bars)

    # Preview: the rulers go, the next page, zoomed in; closing brings the rulers back.
    j.command(ID_FILE_PRINT_PREVIEW)
    j.send("idle")
    assert j.send("visible hruler") == "no", "the ruler stays in preview"
    assert j.send("visible vruler") == "no"
    assert all(j.send("visible " + b) == "no" for b in bars), "tool bars stay in preview"
    j.shot("preview")
    j.command(AFX_ID_PREVIEW_NEXT)
    j.command(AFX_ID_PREVIEW_ZOOMIN)
    j.send("idle")
    j.shot("preview-zoomed")
    j.command(AFX_ID_PREVIEW_CLOSE)
    j.send("idle")
    assert j.send("visible hruler") == "yes", "the ruler did not come back"
    assert j.send("visible vruler") == "yes"
    assert all(j.send("visible " + b) == "yes" for b in bars), "tool bars did not come back"

    # Print to the PDF queue through the print dialog.
    j.command(ID_FILE_PRINT)
    j.send("answer %d" % IDOK)
    j.send("idle")
    pdf = None
    end = time.time() + 60
    while time.time() < end and pdf is None:
        found = glob.glob(os.path.join(printdir, "*printjourney*.pdf"))
        # The queue writes the file as it goes: wait until its size settles.
        if found and os.path.getsize(found[0]) > 0:
            size = os.path.getsize(found[0])
            time.sleep(1)
            if os.path.getsize(found[0]) == size:
                pdf = found[0]
        time.sleep(0.5)
    assert pdf, "nothing printed into %s" % printdir
    pages = pdf_pages(pdf)
    assert len(pages) == 3, "pages: %s" % pages
    for w, h in pages:
        assert abs(w - 1190.55) < 3 and abs(h - 841.89) < 3, "not A3 landscape: %s" % pages
    # The blue rectangle (100 mm from the corner, 100 x 60 mm) is on the first page only.
    out = os.path.join(j.outdir, "printed")
    subprocess.run(["pdftoppm", "-r", "25.4", "-png", pdf, out], check=True)
    from PIL import Image
    shots = sorted(glob.glob(out + "*.png"))
    assert len(shots) == 3, shots

    def blue(path):
        img = Image.open(path).convert("RGB")
        return sum(1 for p in img.getdata() if p[2] > 200 and p[0] < 80 and p[1] < 80)

    counts = [blue(p) for p in shots]
    # At 1 pixel a millimetre the rectangle covers about 100 x 60 pixels.
    assert 5000 < counts[0] < 7000 and counts[1] == 0 and counts[2] == 0, "blue pixels per page: %s" % counts
    # Two pages were added: the board is not saved.
    j.close_window()
    try:
        j.send("answer %d" % IDNO)
    except AssertionError:
        pass
    j.close()
