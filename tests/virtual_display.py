"""A virtual X display for the real-window checks: Xvfb picks a free display
itself and reports it, so two runs never race for the same number."""

import os
import select
import subprocess


def start_xvfb(screen, log=subprocess.DEVNULL):
    """Starts Xvfb with one screen ("1024x768x24"); returns (process, ":N")."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp", "-screen", "0", screen],
        pass_fds=[write_end], stdout=log, stderr=log, start_new_session=True)
    os.close(write_end)
    number = b""
    try:
        while not number.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], 15)
            chunk = os.read(read_end, 16) if ready else b""
            if not chunk:
                server.kill()
                raise RuntimeError("Xvfb did not report a display")
            number += chunk
    finally:
        os.close(read_end)
    return server, ":" + number.decode().strip()
