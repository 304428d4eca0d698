"""Runs a program with its output copied through a pipe of our own.

A Wine program may leave a wineserver behind that inherits the program's stdout and stays for
a while; were that stdout CTest's pipe, CTest would wait for the server to leave. Copying
through our own pipe and returning when the program ends keeps the test's time its own.
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
