#!/usr/bin/env python3
"""Runs a command against a scripted endpoint on loopback, then checks what the endpoint saw.

  run_with_endpoint.py --script SCRIPT.json [--record FILE.jsonl] [--host 127.0.0.1] [--port 0]
                       [--read-timeout S] -- COMMAND [ARGS...]

The command gets TIMECAL_ENDPOINT_PORT (the endpoint's port), TIMECAL_DEAD_PORT (a loopback
port where nothing listens, so connections to it are refused) and TIMECAL_ENDPOINT_RECORD (the
record file), and no proxy variables. After it ends, the records are checked against the
script:
  "expect": {"request_line": REGEX, "headers": {NAME: REGEX}}  every record, unless its answer
      says "unchecked": true; a header passes when one of its lines matches in full
  answer "connections": N      the answer served exactly N connections ([LOW, HIGH]: a range)
  answer "raw_prefix_hex": HEX every request that answer served starts with these bytes
Exit code: the command's when it failed, else 1 when a check failed, else 0.
"""

import argparse
import json
import os
import re
import socket
import subprocess
import sys
import tempfile

from relay import run_relayed

ENDPOINT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "scripted_endpoint.py")
PROXY_VARIABLES = ("http_proxy", "https_proxy", "ftp_proxy", "all_proxy", "no_proxy")


def check_records(script, records):
    """Gives the list of failed checks, each a line of text."""
    answers = script["answers"] if isinstance(script, dict) else script
    expect = script.get("expect", {}) if isinstance(script, dict) else {}
    failures = []
    for r in records:
        answer = answers[r["answer"]] if r["answer"] is not None else {}
        if answer.get("unchecked"):
            continue
        where = "connection %d (%r)" % (r["connection"], r["request_line"][:80])
        pattern = expect.get("request_line")
        if pattern and not re.fullmatch(pattern, r["request_line"]):
            failures.append("%s: request line does not match %s" % (where, pattern))
        for name, value_pattern in expect.get("headers", {}).items():
            values = [v for n, v in r["headers"] if n.lower() == name.lower()]
            if not any(re.fullmatch(value_pattern, v) for v in values):
                failures.append("%s: header %s is %r, expected %s" % (where, name, values, value_pattern))
    for index, answer in enumerate(answers):
        served = [r for r in records if r["answer"] == index]
        if "connections" in answer:
            wanted = answer["connections"]
            low, high = wanted if isinstance(wanted, list) else (wanted, wanted)
            if not low <= len(served) <= high:
                failures.append("answer %d (%s) served %d connections, expected %s" % (
                    index, answer.get("path", answer.get("prefix", "any")), len(served), wanted))
        if "raw_prefix_hex" in answer:
            prefix = bytes.fromhex(answer["raw_prefix_hex"])
            for r in served:
                if not r["raw"].encode("latin-1").startswith(prefix):
                    failures.append("connection %d: request starts %r, expected bytes %s" % (
                        r["connection"], r["raw"][:16], answer["raw_prefix_hex"]))
    return failures


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--script", required=True)
    p.add_argument("--record")
    p.add_argument("--host", default="127.0.0.1")
    p.add_argument("--port", default="0")
    p.add_argument("--read-timeout", default="1.0")
    p.add_argument("command", nargs=argparse.REMAINDER)
    args = p.parse_args()
    command = args.command[1:] if args.command[:1] == ["--"] else args.command
    if not command:
        p.error("no command to run")

    with open(args.script, encoding="utf-8") as f:
        script = json.load(f)
    workdir = tempfile.mkdtemp(prefix="endpoint-")
    record = args.record or os.path.join(workdir, "requests.jsonl")
    if os.path.exists(record):
        os.remove(record)

    endpoint = subprocess.Popen(
        [sys.executable, ENDPOINT, "--host", args.host, "--port", args.port,
         "--script", args.script, "--record", record, "--read-timeout", args.read_timeout],
        stdout=subprocess.PIPE, text=True)
    dead = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    try:
        port = endpoint.stdout.readline().strip()
        if not port.isdigit():
            print("run_with_endpoint: the endpoint did not start", file=sys.stderr)
            return 1
        dead.bind(("127.0.0.1", 0))  # bound, never listening: connections are refused
        env = {k: v for k, v in os.environ.items() if k.lower() not in PROXY_VARIABLES}
        env.update(TIMECAL_ENDPOINT_PORT=port, TIMECAL_DEAD_PORT=str(dead.getsockname()[1]),
                   TIMECAL_ENDPOINT_RECORD=record)
        sys.stdout.flush()
        rc = run_relayed(command, env=env)
    finally:
        dead.close()
        endpoint.terminate()
        endpoint.wait(timeout=10)

    records = []
    if os.path.exists(record):
        with open(record, encoding="utf-8") as f:
            records = [json.loads(line) for line in f if line.strip()]
    failures = check_records(script, records)
    print("run_with_endpoint: %d connections recorded in %s" % (len(records), record))
    for line in failures:
        print("run_with_endpoint: FAILED %s" % line)
    if rc != 0:
        return rc
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
