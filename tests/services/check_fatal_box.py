#!/usr/bin/env python3
"""Checks the fatal error box as a user meets it, under Wine.

  check_fatal_box.py --program fatal_box_program.exe --probe window_probe.exe --size N
                     -- EMULATOR...

Starts the program, whose heap refuses an allocation of N bytes; the probe waits for the box
captioned 错误, reads it and presses OK; then the program must end with exit code -1 without
running its exit callback.
"""

import argparse
import os
import sys
import threading

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from probe_dump import parse_dump  # noqa: E402
from relay import run_relayed  # noqa: E402

CAPTION = "错误"
SS_ICON = 0x3
IDOK = 1
EXIT_MINUS_ONE = 255  # ExitProcess(-1) as wine64 reports it to the shell


def expected_text(size):
    return ("运行时出错!\r\n\r\n错误信息：分配 %d 字节内存失败!\r\n" % size).encode("gbk")


def check(size, probe_rc, dump, program_rc, program_output):
    """Gives the list of failures, each a line of text."""
    failures = []
    if probe_rc != 0:
        failures.append("the probe ended with %d" % probe_rc)
    windows = [w for w in dump if w["kind"] == "window"]
    children = [w for w in dump if w["kind"] == "child"]
    if len(windows) != 1 or windows[0]["text"] != CAPTION.encode("gbk"):
        failures.append("box caption: %r" % [w["text"] for w in windows])
    texts = [c["text"] for c in children if c["cls"].lower() == "static" and c["text"]]
    if texts != [expected_text(size)]:
        failures.append("box text %r, expected %r" % (texts, expected_text(size)))
    if not any(c["cls"].lower() == "static" and c["style"] & 0x1F == SS_ICON for c in children):
        failures.append("no icon in the box")
    buttons = [c["id"] for c in children if c["cls"].lower() == "button"]
    if buttons != [IDOK]:
        failures.append("buttons %r, expected OK alone" % buttons)

    lines = program_output.decode("latin-1").splitlines()
    if "allocating %d" % size not in lines:
        failures.append("the program did not get to its allocation")
    ticks = [line for line in lines if line.startswith("tick ")]
    if not ticks or any(t != "tick eventsSuppressed=1" for t in ticks):
        failures.append("ticks while the box was open: %r" % sorted(set(ticks)))
    for mark in ("exit callback ran", "allocation returned", "static destructor ran"):
        if mark in lines:
            failures.append("after the fatal error: %s" % mark)
    if program_rc != EXIT_MINUS_ONE:
        failures.append("exit code %d, expected %d" % (program_rc, EXIT_MINUS_ONE))
    return failures


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--program", required=True)
    p.add_argument("--probe", required=True)
    p.add_argument("--size", type=int, default=1000)
    p.add_argument("emulator", nargs=argparse.REMAINDER)
    args = p.parse_args()
    emulator = args.emulator[1:] if args.emulator[:1] == ["--"] else args.emulator

    program_output, program_rc = [], []
    program = threading.Thread(target=lambda: program_rc.append(
        run_relayed(emulator + [args.program, str(args.size)], capture=program_output)))
    program.start()
    probe_output = []
    probe_rc = run_relayed(emulator + [args.probe, "--timeout", "30000", "--class", "#32770",
                                       CAPTION, "dump", "click", str(IDOK)], capture=probe_output)
    program.join(timeout=60)
    if program.is_alive():
        print("check_fatal_box: FAILED the program did not end after OK")
        return 1

    failures = check(args.size, probe_rc, parse_dump(b"".join(probe_output)), program_rc[0],
                     b"".join(program_output))
    for line in failures:
        print("check_fatal_box: FAILED %s" % line)
    if not failures:
        print("check_fatal_box: box, text, OK button and exit code %d as expected" % program_rc[0])
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
