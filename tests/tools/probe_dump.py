"""Reads the lines that window_probe's dump writes.

Each line becomes a dict: kind ("window" or "child"), hwnd, parent (children only), cls, id,
text (bytes in the ANSI code page, escapes undone), rect (4 ints), client (window only: 2 ints),
style, exstyle, visible, enabled.
"""

import re

LINE = re.compile(
    rb'^(window|child) hwnd=(\S+)(?: parent=(\S+))? class="((?:[^"\\]|\\.)*)" id=(-?\d+) '
    rb'text="((?:[^"\\]|\\.)*)" rect=(-?\d+),(-?\d+),(-?\d+),(-?\d+)(?: client=(-?\d+),(-?\d+))? '
    rb'style=0x([0-9A-F]+) exstyle=0x([0-9A-F]+) visible=(\d) enabled=(\d)\r?$')
ESCAPE = re.compile(rb'\\(x[0-9A-F]{2}|.)', re.S)
SIMPLE = {b"\\": b"\\", b'"': b'"', b"r": b"\r", b"n": b"\n", b"t": b"\t"}


def unescape(text):
    def one(m):
        e = m.group(1)
        return bytes([int(e[1:], 16)]) if e.startswith(b"x") and len(e) == 3 else SIMPLE[e]
    return ESCAPE.sub(one, text)


def parse_dump(output):
    """Gives the windows of a dump (bytes), in order; lines that are not dump lines are skipped."""
    windows = []
    for line in output.split(b"\n"):
        m = LINE.match(line)
        if not m:
            continue
        g = m.groups()
        windows.append({
            "kind": g[0].decode(), "hwnd": g[1].decode(), "parent": g[2] and g[2].decode(),
            "cls": unescape(g[3]).decode("latin-1"), "id": int(g[4]), "text": unescape(g[5]),
            "rect": tuple(int(v) for v in g[6:10]),
            "client": tuple(int(v) for v in g[10:12]) if g[10] else None,
            "style": int(g[12], 16), "exstyle": int(g[13], 16),
            "visible": g[14] == b"1", "enabled": g[15] == b"1"})
    return windows
