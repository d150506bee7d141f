#!/usr/bin/env python3
"""Storage from separate processes: storage_processes.py DRIVER store|kill.

store: four installations record into one shared folder at once, five times over; the copy is
       never seen cut short and ends as the ten best of all submitted.
kill:  writers killed at random moments leave each file whole and no pile of temporaries.
"""
import random
import struct
import subprocess
import sys
import tempfile
import time
from pathlib import Path


def points(data):
    return [struct.unpack_from("<i", data, 38 * k + 18)[0] for k in range(10)]


def store(driver, work):
    shared = Path(work, "Zintu.scr")  # one entry scored, so that the first load merges
    shared.write_bytes(b"Seed".ljust(18) + struct.pack("<idd", 1, 4e4, 0) + bytes(38 * 9))
    run = [subprocess.Popen([driver, "store", work, Path(work, str(p)), str(p)],
                            stdout=subprocess.PIPE, text=True) for p in range(4)]
    while any(p.poll() is None for p in run):
        assert len(shared.read_bytes()) == 380, "the shared copy was seen cut short"
        time.sleep(0.001)
    submitted = [1] + [int(n) for p in run for n in p.communicate()[0].split()]
    assert len(submitted) == 101 and not any(p.returncode for p in run), "a process failed"
    best = sorted(submitted, reverse=True)[:10]
    assert points(shared.read_bytes()) == best, f"lost update: {points(shared.read_bytes())}"


def whole(name, data):
    if name == "Zintu.scr":
        return len(data) == 380 and len(set(points(data))) == 1
    if len(data) != 193 or not data.startswith(b"Zintu 3.1"):
        return False
    score, draws = struct.unpack_from("<i", data, 171)[0], struct.unpack_from("<i", data, 189)[0]
    return score == draws and set(struct.unpack_from("<81h", data, 9)) == {1 + score % 7}


def kill(driver, work):
    found = 0
    for round_ in range(40):
        if round_ % 5 == 0:  # now and then the kill may hit the files' creation
            for file in Path(work).iterdir():
                file.unlink()
        writer = subprocess.Popen([driver, "rewrite", work])
        time.sleep(random.uniform(0.001, 0.03))
        writer.kill()
        writer.wait()
        files = {f.name: f.read_bytes() for f in Path(work).iterdir()}
        assert len(files) <= 3, f"temporaries pile up: {sorted(files)}"
        for name in {"Zintu.scr", "game.poz"} & files.keys():
            assert whole(name, files[name]), f"{name} half-written after kill {round_}"
            found += 1
    assert found, "no file was ever written"


if __name__ == "__main__":
    for _ in range(5 if sys.argv[2] == "store" else 1):
        with tempfile.TemporaryDirectory() as work:
            {"store": store, "kill": kill}[sys.argv[2]](sys.argv[1], work)
