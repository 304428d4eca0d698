#!/usr/bin/env python3
"""Starts endpoint/serve on a free loopback port and checks what the program gets from it: the
local time of the server's zone as 19 bytes, no caching, 404 elsewhere, and a clean stop."""
import http.client
import os
import re
import shutil
import signal
import socket
import subprocess
import tempfile
import time
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SERVE = os.path.join(ROOT, "endpoint", "serve")
TIME_PATH = "/cgi-bin/cgi_svrtime"
BODY = re.compile(rb"^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d$")

# Zones nginx runs with, and the signal that stops it: the caller's own zone, one from the zone
# database, and POSIX rules west and east of Greenwich that need no database.
CASES = [
    (None, signal.SIGTERM),
    ("Asia/Shanghai", signal.SIGINT),
    ("WST+05:30", signal.SIGTERM),
    ("EST-11", signal.SIGTERM),
]


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def local_seconds(zone, stamp):
    """Seconds since the epoch of the wall-clock text `stamp` read in `zone` (None: the caller's
    zone)."""
    saved = os.environ.get("TZ")
    try:
        if zone is None:
            os.environ.pop("TZ", None)
        else:
            os.environ["TZ"] = zone
        time.tzset()
        return time.mktime(time.strptime(stamp, "%Y-%m-%d %H:%M:%S"))
    finally:
        if saved is None:
            os.environ.pop("TZ", None)
        else:
            os.environ["TZ"] = saved
        time.tzset()


def children_of(pid):
    try:
        with open("/proc/%d/task/%d/children" % (pid, pid)) as f:
            return [int(p) for p in f.read().split()]
    except OSError:
        return []


def alive(pid):
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().split(") ", 1)[1][0] != "Z"
    except OSError:
        return False


class Endpoint:
    """One running endpoint/serve in a folder of its own."""

    def __init__(self, zone):
        self.dir = tempfile.mkdtemp(prefix="timecal-endpoint-")
        env = dict(os.environ, TIMECAL_ENDPOINT_DIR=self.dir)
        if zone is not None:
            env["TZ"] = zone
        for _ in range(3):
            self.port = free_port()
            self.proc = subprocess.Popen([SERVE, "127.0.0.1:%d" % self.port], env=env,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
            if self._wait_ready():
                return
            self.proc.kill()
            self.proc.wait()
            error = self.proc.stderr.read().decode()
            self.proc.stderr.close()
        shutil.rmtree(self.dir, ignore_errors=True)
        raise RuntimeError("endpoint/serve did not start: " + error)

    def _wait_ready(self):
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            if self.proc.poll() is not None:
                return False
            try:
                socket.create_connection(("127.0.0.1", self.port), timeout=1).close()
                return True
            except OSError:
                time.sleep(0.05)
        return False

    def get(self, path, method="GET"):
        conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=5)
        try:
            conn.request(method, path)
            response = conn.getresponse()
            return response.status, response.headers, response.read()
        finally:
            conn.close()

    def get_http10(self, path):
        """The raw answer to an HTTP/1.0 request, as the program sends it."""
        with socket.create_connection(("127.0.0.1", self.port), timeout=5) as s:
            s.sendall(b"GET %s HTTP/1.0\r\nHost: 127.0.0.1\r\nUser-Agent: timecal\r\n\r\n"
                      % path.encode())
            data = b""
            while True:
                chunk = s.recv(4096)
                if not chunk:
                    return data
                data += chunk

    def close(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        self.proc.stderr.close()
        shutil.rmtree(self.dir, ignore_errors=True)


class EndpointServeTest(unittest.TestCase):
    def run_case(self, zone, stop_signal):
        endpoint = Endpoint(zone)
        try:
            self.check_time(endpoint, zone)
            self.check_http10(endpoint)
            self.check_others(endpoint)
            self.check_stop(endpoint, stop_signal)
        finally:
            endpoint.close()

    def check_time(self, endpoint, zone):
        before = time.time()
        status, headers, body = endpoint.get(TIME_PATH)
        after = time.time()
        self.assertEqual(status, 200)
        self.assertRegex(body, BODY)
        served = local_seconds(zone, body.decode())
        self.assertGreaterEqual(served, int(before) - 2, body)
        self.assertLessEqual(served, after + 2, body)
        self.assertEqual(headers.get("Content-Type"), "text/plain")
        cache_control = {v.strip() for v in headers.get("Cache-Control", "").split(",")}
        self.assertLessEqual({"no-store", "no-cache", "must-revalidate"}, cache_control)
        self.assertEqual(headers.get("Pragma"), "no-cache")
        self.assertEqual(headers.get("Expires"), "0")

    def check_http10(self, endpoint):
        answer = endpoint.get_http10(TIME_PATH)
        head, _, body = answer.partition(b"\r\n\r\n")
        self.assertRegex(head, rb"^HTTP/1\.[01] 200 ")
        self.assertRegex(body, BODY)

    def check_others(self, endpoint):
        for path in ["/", "/cgi-bin/", "/cgi-bin/cgi_svrtime/", "/cgi-bin/cgi_svrtimes",
                     "/cgi-bin/cgi_svrtime.txt", "/index.html", "/nginx.conf", "/access.log"]:
            with self.subTest(path=path):
                self.assertEqual(endpoint.get(path)[0], 404)
        self.assertEqual(endpoint.get(TIME_PATH, "POST")[0], 405)
        status, _, body = endpoint.get(TIME_PATH, "HEAD")
        self.assertEqual((status, body), (200, b""))

    def check_stop(self, endpoint, stop_signal):
        workers = children_of(endpoint.proc.pid)
        self.assertTrue(workers, "nginx runs no worker")
        endpoint.proc.send_signal(stop_signal)
        code = endpoint.proc.wait(timeout=5)
        self.assertEqual(code, 0)
        deadline = time.monotonic() + 5
        while any(alive(w) for w in workers) and time.monotonic() < deadline:
            time.sleep(0.05)
        self.assertEqual([w for w in workers if alive(w)], [])
        with self.assertRaises(OSError):
            socket.create_connection(("127.0.0.1", endpoint.port), timeout=1).close()

    def test_zones(self):
        for zone, stop_signal in CASES:
            if zone and "/" in zone and not os.path.exists("/usr/share/zoneinfo/" + zone):
                continue
            with self.subTest(zone=zone or "inherited", stop=stop_signal.name):
                self.run_case(zone, stop_signal)

    def test_rejects_bad_address(self):
        with tempfile.TemporaryDirectory() as parent:
            folder = os.path.join(parent, "endpoint")
            env = dict(os.environ, TIMECAL_ENDPOINT_DIR=folder)
            for args in [[""], ["80x"], ["127.0.0.1:"], ["a b:80"], ["127.0.0.1:0"],
                         ["127.0.0.1:99999"], ["x;y:80"], ["[::1]"], ["8080", "8081"]]:
                with self.subTest(args=args):
                    result = subprocess.run([SERVE] + args, capture_output=True, env=env,
                                            timeout=10)
                    self.assertEqual(result.returncode, 2, result.stderr)
                    self.assertFalse(os.path.exists(folder))


if __name__ == "__main__":
    unittest.main(verbosity=2)
