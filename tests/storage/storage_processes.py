#!/usr/bin/env python3
"""Several processes on the same score and position files, through zintu_storage_driver.

  store    N processes store records into one shared folder at once, its copy seeded with one
           entry; afterwards the shared copy must be exactly the ten best of everything
           submitted, and a reader polling it meanwhile must never find it shorter than 380
           bytes.
  kill     a process rewriting a score file, then one saving a position, is killed at a
           random moment again and again; the file must always be one whole version, never
           older than the last one seen, and killed saves must not pile up temporary files.
"""
import argparse
import os
import random
import struct
import subprocess
import sys
import tempfile
import time
from pathlib import Path

SCORE_SIZE = 380
RECORD_SIZE = 38
POSITION_SIZE = 193


def score_points(data):
    return [struct.unpack_from("<i", data, k * RECORD_SIZE + 18)[0] for k in range(10)]


def seed_table():
    """A table with one entry of 1 point, so that the first load already merges."""
    first = b"Seed".ljust(18) + struct.pack("<idd", 1, 40000.0, 0.0)
    return first + (b" " * 18 + bytes(20)) * 9


def store_run(driver, processes, records):
    """One run; returns how many of the true ten best the shared copy lacks."""
    with tempfile.TemporaryDirectory(prefix="zintu-store-") as work:
        shared = Path(work, "shared")
        shared.mkdir()
        shared_file = shared / "Zintu.scr"
        shared_file.write_bytes(seed_table())
        players = [subprocess.Popen([driver, "store", shared, Path(work, f"p{p}"), str(p),
                                     str(records)], stdout=subprocess.PIPE, text=True)
                   for p in range(processes)]
        shortest = SCORE_SIZE
        while any(p.poll() is None for p in players):
            try:
                shortest = min(shortest, len(shared_file.read_bytes()))
            except FileNotFoundError:
                pass
            time.sleep(0.001)
        submitted = [1]
        for player in players:
            output, _ = player.communicate()
            if player.returncode != 0:
                sys.exit(f"a storing process ended with {player.returncode}")
            submitted += [int(line) for line in output.split()]
        if len(submitted) != 1 + processes * records:
            sys.exit(f"{len(submitted) - 1} records submitted instead of {processes * records}")
        if shortest < SCORE_SIZE:
            sys.exit(f"a reader saw the shared copy with {shortest} bytes")
        best = sorted(submitted, reverse=True)[:10]
        stored = score_points(shared_file.read_bytes())
        missing = len(set(best) - set(stored))
        if not missing and stored != best:
            sys.exit(f"shared copy {stored} is not in order {best}")
        return missing


def check_score_version(data, last):
    if len(data) != SCORE_SIZE:
        sys.exit(f"score file of {len(data)} bytes")
    points = set(score_points(data))
    if len(points) != 1 or min(points) < last:
        sys.exit(f"score file mixes or goes back: {sorted(points)} after {last}")
    return points.pop()


def check_position_version(data, last):
    if len(data) != POSITION_SIZE or not data.startswith(b"Zintu 3.1"):
        sys.exit(f"position file of {len(data)} bytes")
    score = struct.unpack_from("<i", data, 171)[0]
    draws = struct.unpack_from("<i", data, 189)[0]
    board = set(struct.unpack_from("<81h", data, 9))
    if score != draws or board != {1 + score % 7} or score < last:
        sys.exit(f"position file mixes or goes back: score {score}, draws {draws} after {last}")
    return score


def kill_loop(driver, mode, name, check, rounds, rng):
    with tempfile.TemporaryDirectory(prefix="zintu-kill-") as work:
        target = Path(work, name)
        last = 0
        whole = 0
        for round_ in range(rounds):
            if round_ % 5 == 0:  # now and then the kill may hit the file's creation
                target.unlink(missing_ok=True)
                last = 0
            writer = subprocess.Popen([driver, mode, target, str(last + 1)])
            time.sleep(rng.uniform(0.001, 0.03))
            writer.kill()
            writer.wait()
            if target.exists():
                last = check(target.read_bytes(), last)
                whole += 1
            leftovers = [f.name for f in Path(work).iterdir() if f.name != name]
            if len(leftovers) > 1:
                sys.exit(f"{mode}: after {round_ + 1} kills the folder holds {leftovers}")
        if not whole:
            sys.exit(f"{mode}: no version was ever written")
        print(f"{mode}: {rounds} kills, {whole} times a whole version found")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--driver", required=True)
    sub = parser.add_subparsers(dest="command", required=True)
    store = sub.add_parser("store")
    store.add_argument("--processes", type=int, default=4)
    store.add_argument("--records", type=int, default=25)
    store.add_argument("--runs", type=int, default=5)
    kill = sub.add_parser("kill")
    kill.add_argument("--rounds", type=int, default=40)
    args = parser.parse_args()

    if args.command == "store":
        lost = [store_run(args.driver, args.processes, args.records) for _ in range(args.runs)]
        print(f"{args.processes} processes x {args.records} records, top 10 missing per run: "
              f"{lost}")
        if any(lost):
            sys.exit(1)
    else:
        rng = random.Random(os.getpid())
        kill_loop(args.driver, "scores", "Zintu.scr", check_score_version, args.rounds, rng)
        kill_loop(args.driver, "position", "game.poz", check_position_version, args.rounds, rng)


if __name__ == "__main__":
    main()
