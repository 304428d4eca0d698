#!/usr/bin/env python3
"""End-to-end checks of the real program under Wine, seen from outside the process.

  e2e.py --wine "WINE-RUN --arch ARCH" --exe timecal.exe --probe window_probe.exe
         --tools tests/tools --work DIR SCENARIO

The program asks http://localhost/cgi-bin/cgi_svrtime (its built-in default), so a scripted
endpoint answers on 127.0.0.1:80; run it in a private network namespace. What is checked comes
from the window's texts (window_probe), Wine's log (WINEDEBUG=err+sync: what the program asked
of the clock), the endpoint's records and exit codes.
"""

import argparse
import datetime
import json
import os
import re
import shlex
import signal
import subprocess
import sys
import threading
import time

CAPTION = "时间校准"
LOCAL_LABEL, NETWORK_LABEL, BUTTON = 100, 110, 130
PATH = "/cgi-bin/cgi_svrtime"
SET_TIME = re.compile(rb"NtSetSystemTime not allowed: difference (-?\d+) ms")
UNITS = "年月日时分秒"
SC_CLOSE, VK_ESCAPE, VK_MENU, VK_F4 = 0xF060, 0x1B, 0x12, 0x73


def gbk(text):
    return text.encode("gbk")


def display_of(answer):
    """The network read-out the program shows for an answer (bytes), as bytes."""
    text = answer.split(b"\0", 1)[0]
    pieces = [text[0:4], text[5:7], text[8:10], text[11:13], text[14:16], text[17:19]]
    return b"".join(p + gbk(u) for p, u in zip(pieces, UNITS))


def local_text(moment):
    """The local read-out for a moment: no padding, no trailing zero parts."""
    text = "%d年%d月%d日" % (moment.year, moment.month, moment.day)
    if moment.second:
        text += "%d时%d分%d秒" % (moment.hour, moment.minute, moment.second)
    elif moment.minute:
        text += "%d时%d分" % (moment.hour, moment.minute)
    elif moment.hour:
        text += "%d时" % moment.hour
    return gbk(text)


def http_answer(body, status="200 OK", extra=""):
    head = "HTTP/1.0 %s\r\nContent-Type: text/plain\r\nContent-Length: %d\r\n%s\r\n" % (
        status, len(body), extra)
    return [{"text": head}, {"hex": body.hex()}, {"close": True}]


def texts_of_dumps(output):
    """One {control id: text} for each dump in window_probe's output."""
    from probe_dump import parse_dump
    texts, current = [], None
    for w in parse_dump(output):
        if w["kind"] == "window":
            current = {}
            texts.append(current)
        elif current is not None:
            current[w["id"]] = w["text"]
    return texts


class Failure(Exception):
    pass


class Run:
    """One program run against one endpoint script."""

    def __init__(self, args, name, answers):
        self.args = args
        self.work = os.path.join(args.work, name)
        os.makedirs(self.work, exist_ok=True)
        self.record = os.path.join(self.work, "requests.jsonl")
        self.log = os.path.join(self.work, "wine.log")
        self.arrivals = []
        for f in (self.record, self.log):
            if os.path.exists(f):
                os.remove(f)
        script = os.path.join(self.work, "script.json")
        with open(script, "w") as f:
            json.dump({"answers": answers}, f)
        self.endpoint = subprocess.Popen(
            [sys.executable, os.path.join(args.tools, "scripted_endpoint.py"), "--host",
             "127.0.0.1", "--port", "80", "--script", script, "--record", self.record],
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        port = self.endpoint.stdout.readline().strip()
        if port != b"80":
            raise Failure("the endpoint did not start on port 80: %r" % port)
        self.watching = True
        self.watcher = threading.Thread(target=self.watch_requests, daemon=True)
        self.watcher.start()
        self.program = None

    def watch_requests(self):
        """Notes when each request arrives, as the record file grows."""
        seen = 0
        while self.watching:
            try:
                with open(self.record, "rb") as f:
                    lines = f.read().count(b"\n")
            except FileNotFoundError:
                lines = 0
            now = time.monotonic()
            while seen < lines:
                self.arrivals.append(now)
                seen += 1
            time.sleep(0.01)

    def wine(self, *command):
        return shlex.split(self.args.wine) + list(command)

    def start(self):
        env = dict(os.environ, WINEDEBUG="err+sync")
        self.log_file = open(self.log, "wb")
        self.program = subprocess.Popen(self.wine(self.args.exe), env=env,
                                        stdout=subprocess.DEVNULL, stderr=self.log_file)

    def probe(self, *actions, timeout_ms=20000, check=True):
        result = subprocess.run(
            self.wine(self.args.probe, "--timeout", str(timeout_ms), CAPTION, *actions),
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=timeout_ms / 1000 + 30)
        if check and result.returncode != 0:
            raise Failure("window_probe %s: exit %d: %s" % (
                " ".join(actions), result.returncode, result.stderr.decode(errors="replace")))
        return result

    def dumps(self, *actions):
        """Runs the actions; gives one {control id: text} per dump among them."""
        return texts_of_dumps(self.probe(*actions).stdout)

    def labels(self):
        return self.dumps("dump")[0]

    def wait_for_network_text(self, wanted, seconds=20):
        deadline = time.monotonic() + seconds
        seen = []
        while time.monotonic() < deadline:
            text = self.labels().get(NETWORK_LABEL)
            if not seen or seen[-1] != text:
                seen.append(text)
            if text == wanted:
                return seen
        raise Failure("the network read-out never showed %r; it showed %r" % (wanted, seen))

    def clock_requests(self):
        with open(self.log_file.name, "rb") as f:
            return [int(n) for n in SET_TIME.findall(f.read())]

    def click_close_box(self):
        """Clicks the title bar's close button with the X server's mouse, as a user would."""
        found = re.search(rb"closebox (\d+) (\d+)", self.probe("closebox").stdout)
        if not found:
            raise Failure("no close button found")
        display = os.environ.get("DISPLAY") or ":" + os.environ.get("TIMECAL_XVFB_DISPLAY", "71")
        subprocess.run(["xdotool", "mousemove", found.group(1), found.group(2), "click", "1"],
                       env=dict(os.environ, DISPLAY=display), check=True)

    def finish(self, close_actions, seconds=20):
        """Closes the window with the actions; gives the program's exit code."""
        if close_actions == ["closebox"]:
            self.click_close_box()
        else:
            self.probe(*close_actions)
        try:
            return self.program.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end after %s" % " ".join(close_actions))

    def stop(self):
        self.watching = False
        if self.program and self.program.poll() is None:
            self.program.kill()
            self.program.wait()
        self.endpoint.send_signal(signal.SIGTERM)
        self.endpoint.wait(timeout=10)

    def requests(self):
        with open(self.record) as f:
            return [json.loads(line) for line in f if line.strip()]


def expect(condition, message):
    if not condition:
        raise Failure(message)


def check_requests(run):
    for r in run.requests():
        expect(r["request_line"] == "GET %s HTTP/1.0" % PATH, "request line %r" % r["request_line"])


def is_subsequence(wanted, seen):
    """True when every item of wanted appears in seen, in the same order."""
    it = iter(seen)
    return all(any(w == s for s in it) for w in wanted)


def host_now():
    return datetime.datetime.now()


# Scenarios ---------------------------------------------------------------------------------

def readouts(args):
    """Each kind of answer in turn, then Esc closes the window."""
    answers = [
        b"2017-11-12 08:05:09",
        b"2017-11-12 08:05:09 and more after the nineteenth byte",
        b"2018/01.02T03_04Z05",
        b"2019",
        b"2019-7",
        b"2020-12-31 23:5",
        b"2021-06\x00-15 10:20:30",
    ]
    script = [{"times": 2, "steps": http_answer(a)} for a in answers]
    html = b"<html><head><title>404 Not Found</title></head></html>"
    script.append({"times": 2, "steps": http_answer(html, "404 Not Found")})
    script.append({"times": 2, "steps": [{"close": True}]})  # no answer at all
    script.append({"steps": http_answer(b"2017-11-12 08:05:09")})
    expected = []
    for display in [display_of(a) for a in answers] + [display_of(html), gbk(UNITS)]:
        if not expected or expected[-1] != display:  # a longer answer shows as the complete one
            expected.append(display)

    run = Run(args, "readouts", script)
    try:
        run.start()
        shown, local_checks = [], 0
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline and not is_subsequence(expected, shown):
            before = host_now()
            labels = run.labels()
            after = host_now()
            text = labels.get(NETWORK_LABEL)
            if text and (not shown or shown[-1] != text):
                shown.append(text)
            local = labels.get(LOCAL_LABEL)
            if local:
                moments = {local_text(before + datetime.timedelta(seconds=d))
                           for d in range(-2, int((after - before).total_seconds()) + 2)}
                expect(local in moments, "local read-out %r is not the host's local time %s"
                       % (local.decode("gbk", "replace"), before))
                local_checks += 1
        expect(is_subsequence(expected, shown),
               "network read-outs in order: expected %r, saw %r" % (expected, shown))
        expect(local_checks >= 5, "the local read-out was checked only %d times" % local_checks)
        check_requests(run)
        code = run.finish(["key", str(VK_ESCAPE)])
        expect(code == 0, "exit code after Esc: %d" % code)
    finally:
        run.stop()


def click_after_tick(args):
    """A click asks the clock for the network time shown, to the second; the close box ends."""
    target = (host_now() + datetime.timedelta(hours=1)).replace(microsecond=0)
    answer = target.strftime("%Y-%m-%d %H:%M:%S").encode()
    run = Run(args, "click_after_tick", [{"steps": http_answer(answer)}])
    try:
        run.start()
        run.wait_for_network_text(display_of(answer))
        before = host_now()
        run.probe("click", str(BUTTON))
        after = host_now()
        time.sleep(0.5)
        asked = run.clock_requests()
        expect(len(asked) == 1, "clock requests after one click: %r" % asked)
        low = (target - after).total_seconds() * 1000 - 1000
        high = (target - before).total_seconds() * 1000 + 1000
        expect(low <= asked[0] <= high,
               "asked a difference of %d ms, expected %d..%d" % (asked[0], low, high))
        code = run.finish(["closebox"])
        expect(code == 0, "exit code after the close box: %d" % code)
    finally:
        run.stop()


def click_before_tick(args):
    """A click before the first tick asks nothing of the clock and fills the read-out."""
    for attempt in range(3):
        run = Run(args, "click_before_tick", [{"steps": http_answer(b"2017-11-12 08:05:09")}])
        try:
            probe = subprocess.Popen(
                run.wine(args.probe, "--timeout", "30000", CAPTION, "dump", "click", str(BUTTON),
                         "dump"), stdout=subprocess.PIPE, stderr=subprocess.PIPE)
            time.sleep(1.0)  # the probe is waiting before the window exists
            run.start()
            output, _ = probe.communicate(timeout=60)
            dumps = texts_of_dumps(output)
            expect(len(dumps) == 2, "two dumps expected, got %d" % len(dumps))
            if dumps[0].get(LOCAL_LABEL) or dumps[0].get(NETWORK_LABEL):
                continue  # a tick came first; try again
            expect(dumps[1].get(NETWORK_LABEL) == display_of(b"2017-11-12 08:05:09"),
                   "after the click the network read-out is %r" % dumps[1].get(NETWORK_LABEL))
            time.sleep(0.5)
            expect(run.clock_requests() == [], "the clock was asked: %r" % run.clock_requests())
            code = run.finish(["syscommand", str(SC_CLOSE)])
            expect(code == 0, "exit code after the system menu's Close: %d" % code)
            return
        finally:
            run.stop()
    raise Failure("the click never came before the first tick in three tries")


def click_unreadable(args):
    """Captions the conversion rejects leave the clock alone; Alt+F4 ends."""
    bad = [b"2017-13-12 08:05:09", b"abcd-ef-gh ij:kl:mn", b"2017-02-29 08:05:09"]
    script = [{"path": PATH, "times": 5, "steps": http_answer(a)} for a in bad]
    script.append({"steps": http_answer(b"2017-11-12 08:05:09")})
    run = Run(args, "click_unreadable", script)
    try:
        run.start()
        for answer in bad:
            run.wait_for_network_text(display_of(answer))
            before = len(run.requests())
            run.probe("click", str(BUTTON))
            expect(len(run.requests()) > before, "no request after the click on %r" % answer)
        time.sleep(0.5)
        expect(run.clock_requests() == [], "the clock was asked: %r" % run.clock_requests())
        code = run.finish(["keys", "%d+%d" % (VK_MENU, VK_F4)])
        expect(code == 0, "exit code after Alt+F4: %d" % code)
    finally:
        run.stop()


def stalled_endpoint(args):
    """While answers take 2.5 s, ticks do not pile up: requests never come back to back."""
    slow = [{"sleep": 2.5}] + http_answer(b"2017-11-12 08:05:09")
    script = [{"times": 4, "steps": slow}, {"steps": http_answer(b"2017-11-12 08:05:10")}]
    run = Run(args, "stalled_endpoint", script)
    try:
        run.start()
        deadline = time.monotonic() + 40
        while time.monotonic() < deadline and len(run.arrivals) < 8:
            time.sleep(0.2)
        arrivals = list(run.arrivals)
        expect(len(arrivals) >= 8, "only %d requests arrived" % len(arrivals))
        gaps = [b - a for a, b in zip(arrivals, arrivals[1:])]
        expect(all(g >= 2.3 for g in gaps[:3]), "stalled requests overlapped: %r" % gaps)
        expect(all(g >= 0.3 for g in gaps), "requests came back to back: %r" % gaps)
        code = run.finish(["close"])
        expect(code == 0, "exit code after WM_CLOSE: %d" % code)
    finally:
        run.stop()


SCENARIOS = {f.__name__: f for f in (readouts, click_after_tick, click_before_tick,
                                      click_unreadable, stalled_endpoint)}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--wine", required=True)
    parser.add_argument("--exe", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--tools", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--prefix", help="a Wine prefix of these tests' own")
    parser.add_argument("--display", help="an X display number of these tests' own")
    parser.add_argument("scenario", choices=sorted(SCENARIOS))
    args = parser.parse_args()
    sys.path.insert(0, args.tools)
    # A desktop of their own: keys and clicks must reach this program's window and no other.
    if args.prefix:
        os.environ["TIMECAL_WINEPREFIX"] = args.prefix
    if args.display:
        os.environ.pop("DISPLAY", None)
        os.environ["TIMECAL_XVFB_DISPLAY"] = args.display
    try:
        SCENARIOS[args.scenario](args)
    except Failure as failure:
        print("FAILED %s: %s" % (args.scenario, failure))
        return 1
    print("passed %s" % args.scenario)
    return 0


if __name__ == "__main__":
    sys.exit(main())
