"""Runs a program with its output copied through a pipe of our own, as it comes.

The test's log shows the program's output as it is written, the test can keep a copy of it,
and the wait is bounded by the program's end (or a time limit), not by the end of the output:
a process the program started may keep the pipe open after it.
"""

import subprocess
import sys
import threading


def run_relayed(command, env=None, capture=None, timeout=None):
    """Runs command, copying its stdout and stderr to ours; gives its exit code, or None when
    it had to be killed after timeout seconds. When capture is a list, the bytes are appended
    to it as well."""
    proc = subprocess.Popen(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)

    def copy():
        for piece in iter(lambda: proc.stdout.read1(65536), b""):
            if capture is not None:
                capture.append(piece)
            sys.stdout.buffer.write(piece)
            sys.stdout.buffer.flush()

    copier = threading.Thread(target=copy, daemon=True)
    copier.start()
    try:
        rc = proc.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()
        rc = None
    copier.join(timeout=0.5)
    return rc
