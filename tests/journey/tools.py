"""The creation tools' journey: on a new board draw a rectangle, a Shift-square ellipse, a
polygon closed by a double click, a pie, a line and a polyline; insert a vertex into the
polygon, zoom in, save, reopen, and check the class codes and the geometry of what was read."""
import os
import time

MK_LBUTTON, MK_SHIFT = 1, 4
ID_FILE_SAVE = 0xE103
RECT, ELLIPSE, PIE, LINE, POLYLINE, POLYGON = 32849, 32852, 32853, 32848, 32877, 32878
VERTEX_EDIT, ZOOM_IN = 32859, 32876


def run(j):
    board = os.path.join(j.outdir, "drawn.vqd")
    if os.path.exists(board):
        os.remove(board)
    with open(os.path.join(j.bindir, "qvz.ini"), "w", encoding="cp932") as f:
        f.write("[Window]\nStatus=5\nleft=0\ntop=0\nright=1000\nbottom=760\n")
    # No file: a new board.
    j.start_blank()
    l, t, r, b = (int(v) for v in j.send("rect view").split())
    w, h = r - l, b - t

    def at(fx, fy):
        return (round(w * fx), round(h * fy))

    def clicks(points):
        for p in points:
            j.click("view", *p)

    j.command(RECT)
    rect_a, rect_b = at(0.15, 0.25), at(0.30, 0.40)
    j.drag("view", rect_a, rect_b)
    j.command(ELLIPSE)
    ell_a, ell_b = at(0.36, 0.25), at(0.46, 0.31)
    j.drag("view", ell_a, ell_b, MK_SHIFT)
    # A triangle closed by a double click on its last corner.
    j.command(POLYGON)
    tri = [at(0.55, 0.25), at(0.75, 0.25), at(0.65, 0.42)]
    clicks(tri)
    j.mouse("view", "dbl", *tri[-1], MK_LBUTTON)
    j.mouse("view", "up", *tri[-1], 0)
    # Esc abandons a polygon half drawn: the one click after it is too few to keep.
    j.command(POLYGON)
    clicks([at(0.80, 0.80), at(0.90, 0.80)])
    j.send("key view down 27")
    j.send("key view up 27")
    j.click("view", *at(0.85, 0.90))
    j.mouse("view", "dbl", *at(0.85, 0.90), MK_LBUTTON)
    j.mouse("view", "up", *at(0.85, 0.90), 0)
    # A pie: the frame, then the start angle straight up, then the end angle to the right.
    j.command(PIE)
    pie_a, pie_b = at(0.15, 0.55), at(0.30, 0.75)
    j.drag("view", pie_a, pie_b)
    pcx, pcy = (pie_a[0] + pie_b[0]) // 2, (pie_a[1] + pie_b[1]) // 2
    j.click("view", pcx, pie_a[1] - 10)
    j.mouse("view", "move", pie_b[0] + 10, pcy, 0)
    j.click("view", pie_b[0] + 10, pcy)
    j.command(LINE)
    line_a, line_b = at(0.36, 0.55), at(0.46, 0.72)
    j.drag("view", line_a, line_b)
    # A polyline of three points, finished by a right click.
    j.command(POLYLINE)
    zig = [at(0.55, 0.55), at(0.65, 0.72), at(0.75, 0.55)]
    clicks(zig)
    j.mouse("view", "rdown", *zig[-1], 2)
    j.mouse("view", "rup", *zig[-1], 0)
    j.shot("drawn")

    # Select the triangle and pull a new vertex out of the middle of its top side.
    j.click("view", *at(0.65, 0.30))
    j.command(VERTEX_EDIT)
    top = ((tri[0][0] + tri[1][0]) // 2, tri[0][1])
    j.drag("view", top, (top[0], top[1] - round(h * 0.08)))
    j.shot("vertex")
    # Zoom in once on the middle of the drawing.
    j.command(ZOOM_IN)
    j.click("view", *at(0.45, 0.45))
    j.send("idle")
    # The zoom box follows on the frame's timer.
    import time
    time.sleep(1.5)
    zoom = j.send("text zoom")
    print("zoom box:", zoom)
    assert zoom != "[全体表示]" and zoom.endswith("%]"), zoom
    j.shot("zoomed")
    j.command(ID_FILE_SAVE)
    j.send("savedialog * %s" % j.winpath(board))
    # A new board's first save asks for its property information: OK.
    time.sleep(2)
    j.send("answer 1")
    j.send("idle")
    assert os.path.exists(board), "not saved"
    j.close_window()
    j.program.wait(30)

    # Reopen in the program for a picture, and read the file back.
    j.start(j.winpath(board))
    j.wait("drawn")
    j.send("idle")
    j.shot("reopened")
    j.close()
    dump = j.tool("dump", j.winpath(board))
    print(dump, end="")
    objs = [l.split() for l in dump.splitlines() if l.startswith("object ")]
    codes = [(o[1], o[11]) for o in objs]
    assert codes == [("3", "0"), ("11003", "0"), ("5", "0"), ("14003", "0"), ("5", "1"), ("5", "1")], codes
    box = [[int(v) for v in o[2:6]] for o in objs]
    points = [int(o[7]) for o in objs]
    # The rectangle gives the scale: pixels of the view per logical unit.
    ppu = (rect_b[0] - rect_a[0]) / (box[0][2] - box[0][0])
    assert abs((rect_b[1] - rect_a[1]) / (box[0][3] - box[0][1]) - ppu) < 0.02 * ppu, box[0]
    # The ellipse is a square of the larger side; the triangle now has four corners.
    side = max(ell_b[0] - ell_a[0], ell_b[1] - ell_a[1]) / ppu
    assert abs(box[1][2] - box[1][0] - side) <= 3 / ppu and abs(box[1][3] - box[1][1] - side) <= 3 / ppu, box[1]
    assert points[2] == 4, points
    # The pie lies in its frame; the line spans its drag; the polyline keeps three points.
    assert abs((box[3][2] - box[3][0]) - (pie_b[0] - pie_a[0]) / ppu) <= 3 / ppu, box[3]
    assert abs((box[4][2] - box[4][0]) - (line_b[0] - line_a[0]) / ppu) <= 3 / ppu, box[4]
    assert points[4] == 2 and points[5] == 3, points
