#!/usr/bin/env python3
"""Checks MainWindow as a user meets it, under Wine: from another process and on the screen.

  window_ui_check.py --app window_ui_app.exe --probe window_probe_ui.exe --way WAY
                     -- EMULATOR...

Starts the test program, which loads MainWindow from the program's form and reports its
events on stdout. WAY "view" checks the window's place, styles, children, stacking and
captions through the probe, the drawing through screenshots of the display, the button by a
real click and by Space, and then closes the window with Esc. The ways "close-box",
"system-close" and "alt-f4" each close it their own way. Every way ends with the program's
loop returning and an exit code of 0.
"""

import argparse
import os
import subprocess
import sys
import tempfile
import threading
import time

CAPTION = "时间校准".encode("gbk")
WIDTH, HEIGHT = 239, 131
WS_CLIPCHILDREN, WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX = 0x02000000, 0x00C00000, 0x00080000, 0x00020000
WS_THICKFRAME, WS_MAXIMIZEBOX, WS_POPUP = 0x00040000, 0x00010000, 0x80000000
WS_EX_TOOLWINDOW, WS_EX_CLIENTEDGE, WS_EX_TOPMOST = 0x80, 0x200, 0x8
BUTTON_STYLE = 0x54012F00  # child, visible, clip siblings, tab stop, multiline, centred, push
LABEL_STYLE = 0x54000000   # child, visible, clip siblings
PROGRAM_TIMEOUT = 60       # seconds for the whole program
PREFIX_TIMEOUT = 240       # seconds for Wine to make its prefix the first time

# Top of the stack first: id, class, visible, place in the client area, caption.
CHILDREN = [
    (160, "TimecalLabel", 1, (0, 83, 80, 99), "by：Vantor"),
    (150, "TimecalLabel", 1, (0, 38, 56, 62), "本地时间："),
    (140, "TimecalLabel", 1, (1, 8, 57, 32), "网络时间："),
    (130, "Button", 1, (160, 70, 232, 102), "校准"),
    (120, "TimecalTimer", 0, (184, 72, 210, 98), ""),
    (110, "TimecalLabel", 1, (57, 8, 233, 32), None),  # written by the ticks
    (100, "TimecalLabel", 1, (57, 38, 233, 62), None),
]
CREDIT, LOCAL_CAPTION, NETWORK_CAPTION, NETWORK_TIME, LOCAL_TIME = 160, 150, 140, 110, 100


class Program:
    """The test program under Wine, its output lines collected with their arrival times.
    Output is read through a pipe of our own and the program's end does not wait for the
    pipe to close, since a wineserver may inherit it."""

    def __init__(self, command):
        self.lines = []
        self.proc = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for line in iter(self.proc.stdout.readline, b""):
            text = line.decode("latin-1").rstrip("\r\n")
            sys.stdout.write("app: %s\n" % text)
            sys.stdout.flush()
            self.lines.append((time.monotonic(), text))

    def wait_line(self, wanted, timeout=30):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            if any(text == wanted for _, text in self.lines):
                return True
            if self.proc.poll() is not None:
                return False
            time.sleep(0.05)
        return False

    def texts(self):
        return [text for _, text in self.lines]

    def finish(self, timeout):
        try:
            rc = self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()
            rc = None
        self.reader.join(timeout=0.5)
        return rc


def run_probe(emulator, probe, *args, timeout=40):
    """Gives the probe's exit code (None when it had to be stopped) and output lines."""
    try:
        done = subprocess.run(emulator + [probe] + list(args), stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, timeout=timeout)
    except subprocess.TimeoutExpired:
        return None, []
    return done.returncode, [line.decode("latin-1").rstrip("\r") for line in
                             done.stdout.split(b"\n") if line]


def parse_inspect(lines):
    view = {"children": []}
    for line in lines:
        fields = line.split(" ")
        key = fields[0]
        if key == "child":
            text = b"" if fields[9] == "-" else bytes.fromhex(fields[9])
            view["children"].append({
                "id": int(fields[1]), "cls": fields[2], "visible": int(fields[3]),
                "style": int(fields[4], 16), "rect": tuple(int(v) for v in fields[5:9]),
                "text": text})
        elif key in ("window", "client"):
            view[key] = tuple(int(v) for v in fields[1:5])
        elif key == "screen":
            view[key] = (int(fields[1]), int(fields[2]))
        elif key in ("style", "exstyle", "btnface"):
            view[key] = int(fields[1], 16)
        elif key in ("owner", "visible"):
            view[key] = int(fields[1])
        elif key == "caption":
            view[key] = b"" if fields[1] == "-" else bytes.fromhex(fields[1])
    return view


def check_view(view):
    failures = []
    sw, sh = view["screen"]
    left, top, right, bottom = view["window"]
    if (right - left, bottom - top) != (WIDTH, HEIGHT):
        failures.append("outer size %dx%d" % (right - left, bottom - top))
    if (left, top) != (int((sw - WIDTH) / 2), int((sh - HEIGHT) / 2)):
        failures.append("not centred: %d,%d on %dx%d" % (left, top, sw, sh))
    style, exstyle = view["style"], view["exstyle"]
    for bit in (WS_CLIPCHILDREN, WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX):
        if style & bit != bit:
            failures.append("style %08X lacks %08X" % (style, bit))
    for bit in (WS_THICKFRAME, WS_MAXIMIZEBOX, WS_POPUP):
        if style & bit:
            failures.append("style %08X has %08X" % (style, bit))
    for bit in (WS_EX_TOOLWINDOW, WS_EX_CLIENTEDGE, WS_EX_TOPMOST):
        if exstyle & bit:
            failures.append("extended style %08X has %08X" % (exstyle, bit))
    if view["owner"] != 0:
        failures.append("the window has an owner")
    if view["caption"] != CAPTION:
        failures.append("caption %r" % view["caption"])
    got = [(c["id"], c["cls"], c["visible"], c["rect"]) for c in view["children"]]
    expected = [(i, cls, vis, rect) for i, cls, vis, rect, _ in CHILDREN]
    if got != expected:
        failures.append("children, top first:\n  %r\nexpected\n  %r" % (got, expected))
    by_id = {c["id"]: c for c in view["children"]}
    for i, _, _, _, caption in CHILDREN:
        if caption is not None and i in by_id and by_id[i]["text"] != caption.encode("gbk"):
            failures.append("child %d text %r" % (i, by_id[i]["text"]))
    if 130 in by_id and by_id[130]["style"] != BUTTON_STYLE:
        failures.append("button style %08X" % by_id[130]["style"])
    for i in (CREDIT, LOCAL_CAPTION, NETWORK_CAPTION, NETWORK_TIME, LOCAL_TIME):
        if i in by_id and by_id[i]["style"] != LABEL_STYLE:
            failures.append("label %d style %08X" % (i, by_id[i]["style"]))
    return failures


class Shot:
    """A screenshot of the display as rows of RGB pixels."""

    def __init__(self, directory, name):
        path = os.path.join(directory, name + ".png")
        # scripts/wine-run's own display when the test is given none.
        display = os.environ.get("DISPLAY") or ":" + os.environ.get("TIMECAL_XVFB_DISPLAY", "71")
        subprocess.run(["import", "-window", "root", "-display", display, path], check=True,
                       timeout=30)
        size = subprocess.run(["identify", "-format", "%w %h", path], check=True,
                              capture_output=True, timeout=30).stdout.split()
        self.width, self.height = int(size[0]), int(size[1])
        self.rgb = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True,
                                  capture_output=True, timeout=30).stdout
        self.path = path

    def pixels(self, box):
        left, top, right, bottom = box
        for y in range(top, bottom):
            for x in range(left, right):
                at = 3 * (y * self.width + x)
                yield tuple(self.rgb[at:at + 3])


def screen_box(view, rect):
    """A box in the client area as a box on the screen."""
    cl, ct = view["client"][0], view["client"][1]
    return (cl + rect[0], ct + rect[1], cl + rect[2], ct + rect[3])


def check_drawing(shot, view, credit_reaches_edge=False):
    """The labels' text pixels: red for the credit line, grey to black for the others, all on
    the button-face colour; the free client area in the button-face colour. A credit line
    longer than its label runs on one line up to the label's right edge and no further."""
    failures = []
    face = view["btnface"]
    background = (face & 0xFF, (face >> 8) & 0xFF, (face >> 16) & 0xFF)
    rects = {c["id"]: c["rect"] for c in view["children"]}
    for label in (CREDIT, LOCAL_CAPTION, NETWORK_CAPTION, NETWORK_TIME, LOCAL_TIME):
        pixels = list(shot.pixels(screen_box(view, rects[label])))
        text = [p for p in pixels if p != background]
        if len(pixels) - len(text) < len(pixels) // 2:
            failures.append("label %d: background is not %r" % (label, background))
        red = [p for p in text if p[0] > 180 and p[1] < 80 and p[2] < 80]
        dark = [p for p in text if max(p) < 110]
        coloured = [p for p in text if max(p) - min(p) > 40]
        if label == CREDIT:
            if len(red) < 20 or dark:
                failures.append("credit label: %d red and %d dark pixels" % (len(red), len(dark)))
        elif len(dark) < 20 or coloured:
            failures.append("label %d: %d dark and %d coloured pixels" % (label, len(dark), len(coloured)))
    if credit_reaches_edge:
        right = rects[CREDIT][2]
        edge = (right - 6, rects[CREDIT][1], right, rects[CREDIT][3])
        if not any(p != background for p in shot.pixels(screen_box(view, edge))):
            failures.append("the long credit line does not reach the label's right edge")
    # Beside the credit line up to the button, and below it: nothing but the background.
    for free in ((80, 83, 158, 99), (0, 100, 150, view["client"][3] - view["client"][1])):
        strays = [p for p in shot.pixels(screen_box(view, free)) if p != background]
        if strays:
            failures.append("%d pixels other than the background in %r" % (len(strays), free))
    return failures


def way_view(args, program, shots):
    failures = []
    if not program.wait_line("tick 2"):
        return ["no second tick"]
    rc, lines = run_probe(args.emulator, args.probe, "inspect")
    if rc != 0:
        return ["inspect ended with %s" % rc]
    view = parse_inspect(lines)
    failures += check_view(view)
    shot = Shot(shots, "ticking")
    failures += check_drawing(shot, view)

    # Ticks come about once a second: count them over three seconds.
    start = time.monotonic()
    time.sleep(3.0)
    ticks = [t for t, text in program.lines if text.startswith("tick ") and start <= t < start + 3.0]
    if not 2 <= len(ticks) <= 4:
        failures.append("%d ticks in three seconds" % len(ticks))

    if run_probe(args.emulator, args.probe, "click-button")[0] != 0 or not program.wait_line("click 1", 10):
        failures.append("a click on the button raised no event")
    time.sleep(0.5)
    shot = Shot(shots, "clicked")
    failures += check_drawing(shot, view, credit_reaches_edge=True)
    if run_probe(args.emulator, args.probe, "key", "space")[0] != 0 or not program.wait_line("click 2", 10):
        failures.append("Space on the button raised no event")
    if run_probe(args.emulator, args.probe, "key", "esc")[0] != 0:
        failures.append("Esc could not be sent")
    return failures


def way_close(command):
    def close(args, program, shots):
        program.wait_line("tick 1")
        rc, lines = run_probe(args.emulator, args.probe, *command)
        return [] if rc == 0 else ["%s ended with %s" % (" ".join(command), rc)]
    return close


WAYS = {
    "view": way_view,
    "close-box": way_close(["click-close-box"]),
    "system-close": way_close(["system-close"]),
    "alt-f4": way_close(["key", "alt-f4"]),
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--app", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--way", required=True, choices=sorted(WAYS))
    parser.add_argument("emulator", nargs="+")
    args = parser.parse_args()

    # The first program in a new Wine prefix waits while the prefix is made; the app's and the
    # probe's time limits below count from when it is ready.
    if run_probe(args.emulator, args.probe, "ready", timeout=PREFIX_TIMEOUT)[0] != 0:
        print("FAIL: Wine did not start")
        return 1
    program = Program(args.emulator + [args.app])
    failures = []
    with tempfile.TemporaryDirectory() as shots:
        if run_probe(args.emulator, args.probe, "wait")[0] != 0:
            failures.append("the window did not show")
        else:
            failures += WAYS[args.way](args, program, shots)
        rc = program.finish(PROGRAM_TIMEOUT)
    texts = program.texts()
    if texts.count("created visible=0 children=7") != 1 or sum(t.startswith("created") for t in texts) != 1:
        failures.append("created event: %r" % [t for t in texts if t.startswith("created")])
    if "loop returned" not in texts:
        failures.append("the message loop did not return")
    if rc != 0:
        failures.append("exit code %s" % rc)
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
