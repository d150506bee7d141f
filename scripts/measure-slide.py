#!/usr/bin/env python3
"""Times an 8-cell straight slide of the real game on a private Xvfb.

Usage: scripts/measure-slide.py [--exe PATH] [--runs N] [--busy N] [--step N]

Opens a position with one blue ball on (4, 0), selects it and clicks (4, 8): with the
default step the ball slides down for 400 ms. A run is timed from the button release,
sent through XTest, to the first moment that the pixel two rows above the bottom of the
target's disc turns blue, which the sliding ball reaches only in its last two frames.
The position is opened anew for every run. Also the game's CPU time (user and system, from
/proc/PID/stat) across the slide and the three drops that follow it, from a moment of idle
before the click to one after. `--busy N` keeps N `yes > /dev/null` running meanwhile.
Prints every run and the medians; a measurement, not a test.

Needs what the end-to-end tests need (scripts/install-deps.sh --test).
"""

import argparse
import ctypes
import os
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))
import zintu_e2e as e2e  # noqa: E402

START, TARGET = (4, 0), (4, 8)
BOARD = "....B...." + "." * 72
# Two pixel rows above the bottom of the target's disc, in the middle of its width.
PROBE = (e2e.ball_centre(*TARGET)[0], int((500 * TARGET[1] + 500) / e2e.TWIPS) - 2)


class Probe:
    """One Xlib connection of our own: clicks through XTest, reads single pixels."""

    def __init__(self, display_name, window):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XGetImage.restype = ctypes.c_void_p
        self.x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                       ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                                       ctypes.c_ulong, ctypes.c_int]
        self.x11.XGetPixel.restype = ctypes.c_ulong
        self.x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
        self.x11.XDestroyImage.argtypes = [ctypes.c_void_p]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint,
                                                   ctypes.c_int, ctypes.c_ulong]
        self.display = self.x11.XOpenDisplay(display_name.encode())
        assert self.display, f"cannot open X display {display_name}"
        self.window = window

    def close(self):
        self.x11.XCloseDisplay(self.display)

    def pixel(self, x, y):
        image = self.x11.XGetImage(self.display, self.window, x, y, 1, 1, 0xFFFFFFFF, 2)
        assert image, f"XGetImage of {x},{y} failed"
        value = self.x11.XGetPixel(image, 0, 0)
        self.x11.XDestroyImage(image)
        return (value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF

    def click(self):
        """Presses and releases the first button where the pointer is; returns the time."""
        self.xtst.XTestFakeButtonEvent(self.display, 1, 1, 0)
        self.x11.XFlush(self.display)
        released = time.monotonic()
        self.xtst.XTestFakeButtonEvent(self.display, 1, 0, 0)
        self.x11.XFlush(self.display)
        return released


def is_blue(rgb):
    red, green, blue = rgb
    return blue > 200 and red < 80 and green < 80


def cpu_ms(pid):
    """User and system time of the process so far: from /proc/PID/stat, in clock ticks, and
    the exact run time of all its threads from their schedstat."""
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    ticks = (int(fields[11]) + int(fields[12])) * 1000 / os.sysconf("SC_CLK_TCK")
    exact = 0
    for task in Path(f"/proc/{pid}/task").iterdir():
        exact += int((task / "schedstat").read_text().split()[0]) / 1e6
    return ticks, exact


def time_slide(app, probe):
    """The slide's time to the arrival of the ball and the game's CPU time around it."""
    app.select(START)
    x, y = e2e.ball_centre(*TARGET)
    app.s.run("xdotool", "mousemove", "--sync", "--window", app.window, x, y)
    time.sleep(0.3)
    cpu_before = cpu_ms(app.proc.pid)
    released = probe.click()
    deadline = released + 5
    while not is_blue(probe.pixel(*PROBE)):
        assert time.monotonic() < deadline, "the ball did not arrive within 5 s"
        time.sleep(0.0002)
    arrived = (time.monotonic() - released) * 1000
    time.sleep(0.3)
    return arrived, [after - before for after, before in zip(cpu_ms(app.proc.pid), cpu_before)]


def main():
    root = Path(__file__).resolve().parent.parent
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--exe", type=Path, default=root / "build/test/ui/main/zintu")
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--busy", type=int, default=0, help="busy processes meanwhile")
    parser.add_argument("--step", type=int, default=10, help="the game's slide step")
    args = parser.parse_args()

    with e2e.Session(args.exe.resolve()) as session:  # ends the busy processes too
        app = e2e.Zintu(session, args=[str(args.step)])
        probe = Probe(session.display, app.window)
        for _ in range(args.busy):
            e2e.spawn(["yes"], stdout=subprocess.DEVNULL)
        try:
            times, cpus = [], []
            for run in range(args.runs):
                app.open_position(BOARD)
                arrived, cpu = time_slide(app, probe)
                times.append(arrived)
                cpus.append(cpu)
                print(f"run {run + 1}: {arrived:.1f} ms, CPU {cpu[0]:.0f} ms (stat), "
                      f"{cpu[1]:.1f} ms (schedstat)", flush=True)
        finally:
            probe.close()
        print(f"8-cell slide, step {args.step}, {args.busy} busy processes, {args.runs} runs: "
              f"median {statistics.median(times):.1f} ms, "
              f"min {min(times):.1f}, max {max(times):.1f}")
        stat, exact = zip(*cpus)
        print(f"CPU per slide with the drops: stat mean {statistics.mean(stat):.1f} ms "
              f"(ticks of {1000 / os.sysconf('SC_CLK_TCK'):.0f} ms), schedstat median "
              f"{statistics.median(exact):.1f} ms, min {min(exact):.1f}, max {max(exact):.1f}")
        session.close(app.window)
        app.proc.wait(5)
    return 0


if __name__ == "__main__":
    sys.exit(main())
