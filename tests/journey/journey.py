"""Runs one journey: tests/journey/<name>.py defines run(j), given a Journey.

A Journey starts QVZ.exe under Wine, talks to the driver (qvzjourney.exe drive) line by line,
and turns the driver's screen captures into PNG files. Journeys raise AssertionError when a
step does not have its effect; the runner then exits 1.
"""
import importlib.util
import contextlib
import ctypes
import os
import shutil
import subprocess
import sys
import tempfile
import time

from PIL import Image


class Journey:
    def __init__(self, bindir, outdir):
        self.bindir, self.outdir = bindir, outdir
        self.loader = os.environ["WINELOADER"]
        self.program = None
        self.driver = subprocess.Popen([self.loader, "qvzjourney.exe", "drive"], cwd=bindir, stdin=subprocess.PIPE,
                                       stdout=subprocess.PIPE, text=True, encoding="cp932", errors="replace")

    def winpath(self, path):
        return "Z:" + path.replace("/", "\\")

    def tool(self, *args):
        """Runs qvzjourney.exe with arguments (make, dump) and returns its output."""
        # Files, not pipes: a wine server started by the call keeps its handles open.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            code = subprocess.run([self.loader, "qvzjourney.exe", *args], cwd=self.bindir, stdin=subprocess.DEVNULL,
                                  stdout=out, stderr=err).returncode
            out.seek(0)
            err.seek(0)
            text, errors = out.read().decode("cp932", "replace"), err.read().decode("cp932", "replace")
        if code != 0:
            raise AssertionError("qvzjourney %s failed: %s" % (" ".join(args), errors))
        return text

    def start(self, *args):
        self.program = subprocess.Popen([self.loader, "QVZ.exe", *args], cwd=self.bindir, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def start_blank(self):
        """A plain start and 白紙から作成 on the start menu, with the sheet the paper dialog offers:
        the new board shown and idle."""
        self.start()
        assert self.send("startmenu 239 209") == "ok"
        self.send("dlg 用紙の設定 1 click")
        self.wait("Zenbora")
        self.send("idle")

    def send(self, line):
        print("  > " + line, file=sys.stderr, flush=True)
        self.driver.stdin.write(line + "\n")
        self.driver.stdin.flush()
        reply = self.driver.stdout.readline().strip()
        if reply in ("error", "unknown", "timeout", ""):
            raise AssertionError("driver: %s -> %s" % (line, reply or "no answer"))
        return reply

    def wait(self, title, seconds=60):
        return self.send("wait %s %d" % (title, seconds))

    def mouse(self, target, what, x, y, flags=0):
        return self.send("mouse %s %s %d %d %d" % (target, what, x, y, flags))

    def drag(self, target, start, end, flags=0, steps=6):
        """Press, move in steps and release, with the key flags (MK_*) held throughout."""
        self.mouse(target, "down", start[0], start[1], flags | 1)
        for i in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * i // steps
            y = start[1] + (end[1] - start[1]) * i // steps
            self.mouse(target, "move", x, y, flags | 1)
        self.mouse(target, "up", end[0], end[1], flags)

    def click(self, target, x, y, flags=0):
        self.mouse(target, "down", x, y, flags | 1)
        self.mouse(target, "up", x, y, flags)

    def locate(self, rgb):
        r = self.send("locate %06x" % rgb)
        return None if r == "none" else tuple(int(v) for v in r.split())

    def board_scale(self):
        """Pixels a unit and the screen place of the page's origin, from the made board's blue
        rectangle, whose left top is at (1000, 1000) and which is 1000 units wide."""
        x0, y0, x1, y1 = self.locate(0x0000FF) or (0, 0, 0, 0)
        assert x1 > x0, "the rectangle is not on the screen"
        ppu = (x1 - x0 + 1) / 1000.0
        return ppu, x0 - 1000 * ppu, y0 - 1000 * ppu

    def rect(self, target):
        return tuple(int(v) for v in self.send("rect %s" % target).split())

    def command(self, cmd):
        return self.send("command %d" % cmd)

    def shot(self, name):
        bmp = os.path.join(self.outdir, name + ".bmp")
        self.send("shot %s" % self.winpath(bmp))
        png = os.path.join(self.outdir, name + ".png")
        Image.open(bmp).save(png)
        os.remove(bmp)
        return png

    def hand(self):
        """The X server's own pointer (XTest): real presses and moves, which a drag's modal loop
        and the double-click timing of Wine see as the user's hand."""
        if not hasattr(self, "_hand"):
            self._hand = Hand()
        return self._hand

    def close_window(self):
        """Posts WM_CLOSE and leaves the program running if it chooses to stay."""
        return self.send("close")

    def close(self):
        if self.driver.stdin.closed:
            return
        if self.program and self.program.poll() is None:
            try:
                self.send("close")
            except AssertionError:
                pass
            try:
                self.program.wait(20)
            except subprocess.TimeoutExpired:
                self.program.kill()
        self.driver.stdin.close()
        self.driver.wait(20)


class Hand:
    """Pointer and button 1 of the display through XTest, at screen pixels."""

    def __init__(self):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_ulong]
        self.xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.display = self.x11.XOpenDisplay(os.environ["DISPLAY"].encode())
        if not self.display:
            raise AssertionError("no X display for the hand")
        self.at = (0, 0)

    def move(self, x, y):
        self.xtst.XTestFakeMotionEvent(self.display, -1, int(x), int(y), 0)
        self.x11.XFlush(self.display)
        self.at = (x, y)
        time.sleep(0.03)

    def button(self, down):
        self.xtst.XTestFakeButtonEvent(self.display, 1, 1 if down else 0, 0)
        self.x11.XFlush(self.display)
        time.sleep(0.05)

    def double_click(self, x, y):
        self.move(x, y)
        for _ in range(2):
            self.button(True)
            self.button(False)

    def glide(self, x, y, steps=10, pause=0.05):
        """Moves in steps from where the pointer is."""
        x0, y0 = self.at
        for i in range(1, steps + 1):
            self.move(x0 + (x - x0) * i // steps, y0 + (y - y0) * i // steps)
            time.sleep(pause)


@contextlib.contextmanager
def set_aside(path):
    """Lends a journey a program-folder entry of its own: the shipped one is moved aside
    (unless a run that died left it aside already) and put back afterwards."""
    aside = path + ".journey-aside"
    if os.path.lexists(path) and not os.path.lexists(aside):
        os.rename(path, aside)
    try:
        yield path
    finally:
        if os.path.isdir(path) and not os.path.islink(path):
            shutil.rmtree(path, ignore_errors=True)
        elif os.path.lexists(path):
            os.remove(path)
        if os.path.lexists(aside):
            os.rename(aside, path)


PROGRAMS = ("QVZ.exe", "qvzjourney.exe")


def set_desktop(size):
    """Puts the program and the driver into one Wine virtual desktop of size "WxH" (a screen
    of that size with window frames drawn by Wine), or, with None, back on the bare screen."""
    loader = os.environ["WINELOADER"]
    keys = ["HKCU\\Software\\Wine\\AppDefaults\\%s\\Explorer" % p for p in PROGRAMS]
    for key in keys:
        args = ["reg", "add", key, "/v", "Desktop", "/d", "journey", "/f"] if size else ["reg", "delete", key, "/f"]
        subprocess.run([loader, *args], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if size:
        subprocess.run([loader, "reg", "add", "HKCU\\Software\\Wine\\Explorer\\Desktops", "/v", "journey", "/d", size,
                        "/f"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def main():
    name, bindir, outdir = sys.argv[1:4]
    spec = importlib.util.spec_from_file_location(name, os.path.join(os.path.dirname(__file__), name + ".py"))
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    # A journey may ask for a screen of its own size (DESKTOP = "1024x768").
    desktop = getattr(module, "DESKTOP", None)
    set_desktop(desktop)
    j = Journey(bindir, outdir)
    started = time.time()
    try:
        module.run(j)
    except AssertionError as e:
        print("journey %s failed: %s" % (name, e), file=sys.stderr)
        j.close()
        if desktop:
            set_desktop(None)
        sys.exit(1)
    j.close()
    if desktop:
        set_desktop(None)
    print("journey %s passed in %.0f s; pictures in %s" % (name, time.time() - started, outdir))


if __name__ == "__main__":
    main()
