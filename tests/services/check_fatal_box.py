#!/usr/bin/env python3
"""Checks the fatal error box as a user meets it, under Wine.

  check_fatal_box.py --program fatal_box_program.exe --probe window_probe.exe --size N
                     -- EMULATOR...

Starts the program, whose heap refuses an allocation of N bytes; the probe waits for the box
captioned 错误, reads it and presses OK; then the program must end with exit code -1 without
running its exit callback. With --again, a second refusal from inside the box's loop must end
the process at once, with the same code, and without a second box.
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
PROGRAM_TIMEOUT = 60  # seconds; a program still running then is killed and fails the check


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
        failures.append("exit code %s, expected %d" % (program_rc, EXIT_MINUS_ONE))
    return failures


def check_again(size, program_rc, program_output):
    """The second refusal, met in the first tick, ends the process before any further tick."""
    lines = program_output.decode("latin-1").splitlines()
    failures = []
    if "allocating %d" % size not in lines:
        failures.append("the program did not get to its allocation")
    ticks = [line for line in lines if line.startswith("tick ")]
    if ticks != ["tick eventsSuppressed=1"]:
        failures.append("%d ticks (%r ...), expected the one that failed" % (len(ticks), ticks[:3]))
    for mark in ("exit callback ran", "allocation returned", "static destructor ran"):
        if mark in lines:
            failures.append("after the fatal error: %s" % mark)
    if program_rc != EXIT_MINUS_ONE:
        failures.append("exit code %s, expected %d" % (program_rc, EXIT_MINUS_ONE))
    return failures


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--program", required=True)
    p.add_argument("--probe", required=True)
    p.add_argument("--size", type=int, default=1000)
    p.add_argument("--again", action="store_true")
    p.add_argument("emulator", nargs=argparse.REMAINDER)
    args = p.parse_args()
    emulator = args.emulator[1:] if args.emulator[:1] == ["--"] else args.emulator

    program_output, program_rc = [], []
    program_command = emulator + [args.program, str(args.size)] + (["again"] if args.again else [])
    if args.again:
        rc = run_relayed(program_command, capture=program_output, timeout=PROGRAM_TIMEOUT)
        return report(check_again(args.size, rc, b"".join(program_output)))
    program = threading.Thread(target=lambda: program_rc.append(
        run_relayed(program_command, capture=program_output, timeout=PROGRAM_TIMEOUT)))
    program.start()
    probe_output = []
    probe_rc = run_relayed(emulator + [args.probe, "--timeout", "30000", "--class", "#32770",
                                       CAPTION, "dump", "click", str(IDOK)], capture=probe_output)
    program.join()

    return report(check(args.size, probe_rc, parse_dump(b"".join(probe_output)), program_rc[0],
                        b"".join(program_output)))


def report(failures):
    for line in failures:
        print("check_fatal_box: FAILED %s" % line)
    if not failures:
        print("check_fatal_box: as expected")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
