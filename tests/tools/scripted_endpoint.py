#!/usr/bin/env python3
"""A TCP endpoint that answers every connection from a script and records every request.

  scripted_endpoint.py [--host 127.0.0.1] [--port 0] --script FILE|JSON [--record FILE.jsonl]

The first line on stdout is the port it listens on (useful with --port 0). SIGTERM or SIGINT
ends it with exit code 0.

Script (a JSON file, or the JSON text itself):
  {"answers": [ANSWER, ...]}          (or just the list of answers)
  ANSWER: {"path": "/x?q=1",  optional; the request target must equal it
           "prefix": "/x",    optional; the request target must start with it
           "times": 1,        optional; how many connections it serves (default: any number)
           "limit": 100,      optional; at most this many bytes of the answer are sent
           "steps": [STEP, ...]}
  STEP: {"text": "HTTP/1.0 200 OK\\r\\n\\r\\n", "encoding": "latin-1"}  bytes of a string
        {"hex": "d4cb"}                 raw bytes
        {"repeat": "ab", "count": 10}   a string repeated (latin-1)
        {"sequence": 25000}             bytes i % 251 for i = 0, 1, ...
        {"echo": true}                  the raw bytes of the request received
        {"sleep": 0.5}                  a pause, in seconds
        {"close": true}                 end the answer here (FIN)
        {"reset": true}                 end the connection with a TCP reset (RST)
The first answer, in script order, that matches and is not used up serves a connection; when
none does, the connection is closed without a byte. The request (up to the blank line, at most
64 KiB, at most --read-timeout seconds) is read before the answer starts.

Record: one JSON object a line, written as soon as the request has been read, so that it is on
file before any byte of the answer leaves: connection (1, 2, ...), peer, request_line, method,
target, version, headers ([name, value] pairs), raw (the bytes as latin-1), answer (its index
in the script, or null).
"""

import argparse
import json
import signal
import socket
import struct
import sys
import threading
import time

MAX_REQUEST = 64 * 1024


class Script:
    def __init__(self, answers):
        self.answers = answers
        self.used = [0] * len(answers)
        self.lock = threading.Lock()

    def choose(self, target):
        """Gives the index of the answer for the target and counts its use; None when none fits."""
        with self.lock:
            for i, a in enumerate(self.answers):
                if "path" in a and a["path"] != target:
                    continue
                if "prefix" in a and not target.startswith(a["prefix"]):
                    continue
                if "times" in a and self.used[i] >= a["times"]:
                    continue
                self.used[i] += 1
                return i
        return None


def load_script(text):
    if not text.lstrip().startswith(("{", "[")):
        with open(text, encoding="utf-8") as f:
            text = f.read()
    data = json.loads(text)
    answers = data["answers"] if isinstance(data, dict) else data
    if not isinstance(answers, list):
        raise ValueError("the script must hold a list of answers")
    return Script(answers)


def read_request(conn, timeout):
    """Gives the bytes up to and including the blank line, or what arrived before EOF/timeout."""
    conn.settimeout(timeout)
    data = b""
    try:
        while b"\r\n\r\n" not in data and len(data) < MAX_REQUEST:
            piece = conn.recv(4096)
            if not piece:
                break
            data += piece
    except (socket.timeout, OSError):
        pass
    return data


def parse_request(raw):
    head = raw.split(b"\r\n\r\n", 1)[0].decode("latin-1")
    lines = head.split("\r\n")
    request_line = lines[0] if lines else ""
    method, _, rest = request_line.partition(" ")
    target, _, version = rest.rpartition(" ") if " " in rest else (rest, "", "")
    headers = []
    for line in lines[1:]:
        name, sep, value = line.partition(":")
        if sep:
            headers.append([name.strip(), value.strip()])
    return {"request_line": request_line, "method": method, "target": target,
            "version": version, "headers": headers}


def step_bytes(step, raw_request):
    if "text" in step:
        return step["text"].encode(step.get("encoding", "latin-1"))
    if "hex" in step:
        return bytes.fromhex(step["hex"])
    if "repeat" in step:
        return step["repeat"].encode("latin-1") * int(step.get("count", 1))
    if "sequence" in step:
        n = int(step["sequence"])
        return (bytes(range(251)) * (n // 251 + 1))[:n]
    if step.get("echo"):
        return raw_request
    return None


def send_answer(conn, answer, raw_request):
    """Plays the steps; gives True when the connection may close normally, False after a reset."""
    budget = answer.get("limit")
    for step in answer.get("steps", []):
        data = step_bytes(step, raw_request)
        if data is not None:
            if budget is not None:
                data = data[:budget]
                budget -= len(data)
            conn.sendall(data)
            if budget == 0:
                return True
        elif "sleep" in step:
            time.sleep(float(step["sleep"]))
        elif step.get("close"):
            return True
        elif step.get("reset"):
            conn.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            return False
        else:
            raise ValueError("unknown step %r" % (step,))
    return True


class Endpoint:
    def __init__(self, script, record_path, read_timeout):
        self.script = script
        self.record = open(record_path, "a", encoding="utf-8") if record_path else None
        self.record_lock = threading.Lock()
        self.read_timeout = read_timeout
        self.count = 0
        self.count_lock = threading.Lock()

    def write_record(self, entry):
        if self.record is None:
            return
        with self.record_lock:
            self.record.write(json.dumps(entry) + "\n")
            self.record.flush()

    def serve(self, conn, peer):
        with self.count_lock:
            self.count += 1
            number = self.count
        try:
            raw = read_request(conn, self.read_timeout)
            entry = {"connection": number, "peer": "%s:%d" % peer[:2]}
            entry.update(parse_request(raw))
            index = self.script.choose(entry["target"])
            entry["answer"] = index
            entry["raw"] = raw.decode("latin-1")
            self.write_record(entry)
            conn.settimeout(None)  # the answer may wait for a slow reader as long as it takes
            if index is not None and not send_answer(conn, self.script.answers[index], raw):
                return
            # Half-close, then wait for the client to close, so that the end of the answer is a
            # FIN and never a reset caused by bytes left unread.
            conn.shutdown(socket.SHUT_WR)
            conn.settimeout(2.0)
            while conn.recv(4096):
                pass
        except OSError:
            pass
        except Exception as e:  # a faulty script step: say so, keep serving others
            print("scripted_endpoint: %s" % e, file=sys.stderr, flush=True)
        finally:
            conn.close()


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--host", default="127.0.0.1")
    p.add_argument("--port", type=int, default=0)
    p.add_argument("--script", required=True, help="a JSON file, or the JSON text")
    p.add_argument("--record", help="JSON-lines file that receives every request")
    p.add_argument("--read-timeout", type=float, default=5.0)
    args = p.parse_args()

    endpoint = Endpoint(load_script(args.script), args.record, args.read_timeout)
    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind((args.host, args.port))
    server.listen(64)
    print(server.getsockname()[1], flush=True)

    def stop(signum, frame):
        raise SystemExit(0)
    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)

    while True:
        conn, peer = server.accept()
        threading.Thread(target=endpoint.serve, args=(conn, peer), daemon=True).start()


if __name__ == "__main__":
    main()
