#!/usr/bin/env python3
"""storage_processes.py DRIVER: four installations record into one shared score folder at once,
five times over. The shared copy is never seen cut short and ends as the ten best submitted."""
import struct
import subprocess
import sys
import tempfile
import time
from pathlib import Path

for _ in range(5):
    with tempfile.TemporaryDirectory() as work:
        shared = Path(work, "Zintu.scr")  # one entry scored, so that the first load merges
        shared.write_bytes(b"Seed".ljust(18) + struct.pack("<idd", 1, 4e4, 0) + bytes(38 * 9))
        run = [subprocess.Popen([sys.argv[1], work, str(p)], stdout=subprocess.PIPE, text=True)
               for p in range(4)]
        while any(p.poll() is None for p in run):
            assert len(shared.read_bytes()) == 380, "the shared copy was seen cut short"
            time.sleep(0.001)
        submitted = [1] + [int(n) for p in run for n in p.communicate()[0].split()]
        assert len(submitted) == 101 and not any(p.returncode for p in run), "a process failed"
        best = [struct.unpack_from("<i", shared.read_bytes(), 38 * k + 18)[0] for k in range(10)]
        assert best == sorted(submitted, reverse=True)[:10], f"lost update: {best}"
