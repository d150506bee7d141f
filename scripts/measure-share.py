#!/usr/bin/env python3
"""How long the window's thread of a test build is busy when its shared score folder is FOLDER
(a share behind a slow link, say) and when it has none: the e2e group "scores" runs RUNS times
each way, the game logs how late its 10 ms timer fires, and the worst lateness of each phase
(start-up, opening a position, the move, the game over with a record, the high-score window,
exit) is printed, the median over the runs. FOLDER's table is replaced.
Usage: measure-share.py EXE FOLDER [RUNS]   (EXE built by scripts/test.sh)"""

import os, statistics, subprocess, sys, tempfile
from pathlib import Path

exe, folder, runs = sys.argv[1], sys.argv[2], int(sys.argv[3]) if len(sys.argv) > 3 else 5
e2e = Path(__file__).resolve().parent.parent / "tests" / "e2e" / "zintu_e2e.py"


def worst_by_phase(shared):
    with tempfile.TemporaryDirectory() as scratch:
        log = Path(scratch) / "lateness.log"
        env = dict(os.environ, ZINTU_LATENESS_LOG=str(log), ZINTU_E2E_SHARED=shared)
        shown = subprocess.run([sys.executable, e2e, exe, scratch, "scores"], env=env, check=True,
                               capture_output=True, text=True).stdout.split("\n")
        marks = [(line.split(" at ")[0][6:], int(line.split()[-2]))
                 for line in shown if line.startswith("phase ")]
        late = [tuple(map(int, line.split())) for line in log.read_text().splitlines()]
    return {name: max([ms for at, ms in late if start <= at < end] or [0])
            for (name, start), (_, end) in zip(marks, marks[1:])}


seen = {"none": [], folder: []}
for _ in range(runs):
    for shared in seen:  # in turn, so that the machine's moods fall on both alike
        seen[shared].append(worst_by_phase("" if shared == "none" else shared))
for shared, results in seen.items():
    medians = {name: statistics.median(r[name] for r in results) for name in results[0]}
    print(f"{shared}: " + ", ".join(f"{name} {ms:.0f} ms" for name, ms in medians.items()))
