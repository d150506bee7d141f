#!/usr/bin/env python3
"""Plays the built zintu executable on a private Xvfb server and checks pixels and files.

Usage: zintu_e2e.py --exe PATH [--shots DIR] GROUP
GROUP is one of: board, turn, scores, positions, windows, tray, framed, installed (PATH run
where it is installed, not from a copy).

Needs Xvfb, xdotool, xwd, xwininfo, xprop, trayer, openbox and ImageMagick's import
(screenshots of failures).
"""

import argparse
import collections
import ctypes
import datetime
import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import traceback
from pathlib import Path

# --- geometry: 15 twips to a logical pixel --------------------------------------------------

TWIPS = 15
CELLS = 9
FACE_PROBE = (3, 3)  # cleared board area outside the grid: the board's background
GRID_RGB = (0, 0, 5)
BLACK = (0, 0, 0)
COLOURS = {
    1: (255, 0, 0),
    2: (0, 255, 0),
    3: (255, 255, 0),
    4: (0, 0, 255),
    5: (255, 0, 255),
    6: (0, 255, 255),
    7: (255, 255, 255),
}
LETTERS = {0: ".", 1: "R", 2: "G", 3: "Y", 4: "B", 5: "M", 6: "C", 7: "W", None: "?"}
BUTTONS = {  # top in pixels of each button in the column at x 328, 65 x 25
    "Рекорды": 88,
    "Открыть": 120,
    "Сохранить": 152,
    "About": 184,
    "Сброс": 216,
    "Выход": 248,
    "Свернуть": 280,
}
SAVE_TITLE = "Сохранить текущее расположение шариков"
OPEN_TITLE = "Восстановить сохраненное расположение шариков"
ABOUT_TITLE = "О программе"


def device(twips):
    """Pixel that the program's rounding puts a twips coordinate on (never at a half)."""
    return int(twips / TWIPS + 0.5)


def ball_centre(col, row):
    return int((350 + 500 * col) / TWIPS), int((350 + 500 * row) / TWIPS)


def mark_probe(col, row):
    """Inside the selection square of a cell, well outside the ball's disc."""
    return device(115 + 500 * col) + 4, device(115 + 500 * row) + 4


def preview_centre(i):
    return int((5030 + 350 * i) / TWIPS), int(250 / TWIPS)


def all_cells():
    return [(c, r) for r in range(CELLS) for c in range(CELLS)]


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


# --- child processes ------------------------------------------------------------------------

_libc = ctypes.CDLL(None, use_errno=True)
_children = []


def _die_with_parent():
    # PR_SET_PDEATHSIG: a test runner that kills us hard takes Xvfb and the game along.
    _libc.prctl(1, signal.SIGKILL, 0, 0, 0)


def spawn(args, **kwargs):
    proc = subprocess.Popen(args, preexec_fn=_die_with_parent, **kwargs)
    _children.append(proc)
    return proc


def stop(proc, grace=2.0):
    if proc.poll() is None:
        proc.terminate()
        try:
            proc.wait(grace)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
    if proc in _children:
        _children.remove(proc)


def stop_all_children():
    for proc in reversed(list(_children)):
        stop(proc)


# --- Xlib through ctypes: what no command-line tool does ------------------------------------


class _XClientMessageEvent(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("window", ctypes.c_ulong),
        ("message_type", ctypes.c_ulong),
        ("format", ctypes.c_int),
        ("data", ctypes.c_long * 5),
    ]


class _XEvent(ctypes.Union):
    _fields_ = [("xclient", _XClientMessageEvent), ("pad", ctypes.c_long * 24)]


def _xlib():
    xlib = ctypes.CDLL("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.POINTER(_XEvent)]
    xlib.XGetSelectionOwner.restype = ctypes.c_ulong
    xlib.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return xlib


def _open_display(xlib, display_name):
    display = xlib.XOpenDisplay(display_name.encode())
    check(display, f"cannot open X display {display_name}")
    return display


def selection_owner(display_name, selection):
    """The window that owns an X selection, 0 when nobody does."""
    xlib = _xlib()
    display = _open_display(xlib, display_name)
    try:
        return xlib.XGetSelectionOwner(display, xlib.XInternAtom(display, selection, 0))
    finally:
        xlib.XCloseDisplay(display)


def send_wm_delete(display_name, window):
    xlib = _xlib()
    display = _open_display(xlib, display_name)
    try:
        event = _XEvent()
        event.xclient.type = 33  # ClientMessage
        event.xclient.window = window
        event.xclient.message_type = xlib.XInternAtom(display, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = xlib.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        event.xclient.data[1] = 0  # CurrentTime
        check(xlib.XSendEvent(display, window, 0, 0, ctypes.byref(event)),
              "XSendEvent refused the close request")
    finally:
        xlib.XCloseDisplay(display)  # flushes the request


# --- XWD images -----------------------------------------------------------------------------


def _channel(value, mask):
    shift = (mask & -mask).bit_length() - 1
    top = (1 << bin(mask).count("1")) - 1
    return ((value & mask) >> shift) * 255 // top


class Image:
    """A ZPixmap window dump as written by `xwd`."""

    def __init__(self, data):
        header = struct.unpack(">25I", data[:100])
        (header_size, version, pixmap_format, _depth, self.width, self.height, _xoffset,
         byte_order, _unit, _bit_order, _pad, bits_per_pixel, self.stride, _visual,
         self.red, self.green, self.blue) = header[:17]
        colour_count = header[19]
        check(version == 7 and pixmap_format == 2 and bits_per_pixel in (24, 32),
              f"unexpected XWD layout: version {version}, format {pixmap_format}, "
              f"{bits_per_pixel} bits per pixel")
        self.bytes_per_pixel = bits_per_pixel // 8
        self.order = "little" if byte_order == 0 else "big"
        self.offset = header_size + 12 * colour_count
        self.data = data
        check(len(data) >= self.offset + self.stride * self.height, "truncated XWD dump")

    def pixel(self, x, y):
        check(0 <= x < self.width and 0 <= y < self.height, f"pixel {x},{y} outside the image")
        at = self.offset + y * self.stride + x * self.bytes_per_pixel
        value = int.from_bytes(self.data[at:at + self.bytes_per_pixel], self.order)
        return (_channel(value, self.red), _channel(value, self.green),
                _channel(value, self.blue))


# --- the X server and the program -----------------------------------------------------------


class Session:
    """One private Xvfb, and the temporary folders of the scenarios that run on it."""

    def __init__(self, exe, shots):
        self.exe = exe
        self.shots = shots
        self.root = Path(tempfile.mkdtemp(prefix="zintu-e2e-"))
        self.xvfb = None
        self.display = None
        self.env = None
        self.folder_count = 0
        self.logs = []  # output of every program run of the current scenario

    def __enter__(self):
        self._start_xvfb()
        return self

    def __exit__(self, *exc):
        stop_all_children()
        shutil.rmtree(self.root, ignore_errors=True)

    def _start_xvfb(self):
        # -displayfd lets the server pick a free display itself and report it once it
        # accepts connections, so parallel runs cannot race for a number.
        read_end, write_end = os.pipe()
        self.xvfb = spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                           "-nolisten", "tcp", "-noreset"],
                          pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 20
        os.set_blocking(read_end, False)
        while not number.endswith(b"\n"):
            check(self.xvfb.poll() is None, f"Xvfb exited with {self.xvfb.returncode}")
            check(time.monotonic() < deadline, "Xvfb did not report a display within 20 s")
            try:
                chunk = os.read(read_end, 16)
            except BlockingIOError:
                time.sleep(0.02)
                continue
            check(chunk, "Xvfb closed the display pipe without a number")
            number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()
        runtime = self.root / "runtime"
        runtime.mkdir(mode=0o700)
        env = {k: v for k, v in os.environ.items()
               if not k.startswith("QT_") and k not in (
                   "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "SESSION_MANAGER", "XAUTHORITY",
                   "GDK_SCALE", "LC_ALL", "LANGUAGE", "DBUS_SESSION_BUS_ADDRESS")}
        env.update({
            "DISPLAY": self.display,
            "QT_QPA_PLATFORM": "xcb",
            "QT_FONT_DPI": "96",
            "XDG_RUNTIME_DIR": str(runtime),
            # The file dialog remembers its folder in the user's settings: keep ours private.
            "XDG_CONFIG_HOME": str(self.root / "config"),
            "XDG_DATA_HOME": str(self.root / "data"),
            "XDG_CACHE_HOME": str(self.root / "cache"),
            "LANG": "C.UTF-8",
        })
        self.env = env

    def new_folder(self, name=None):
        self.folder_count += 1
        folder = self.root / (name or f"run{self.folder_count}")
        folder.mkdir(parents=True)
        return folder

    def run(self, *args, timeout=10, check_status=True):
        result = subprocess.run(list(map(str, args)), env=self.env, capture_output=True, timeout=timeout,
                                text=True)
        if check_status and result.returncode != 0:
            raise Failure(f"{' '.join(map(str, args))} failed: {result.stderr.strip()}")
        return result

    def xdotool(self, *args):
        return self.run("xdotool", *map(str, args))

    def visible_windows(self, name="", pid=None):
        args = ["search", "--onlyvisible"]
        if pid is not None:
            args += ["--pid", pid]
        result = self.run("xdotool", *map(str, args), "--name", name, check_status=False)
        return [int(w) for w in result.stdout.split()]

    def wait_window(self, title, timeout=10, pid=None):
        pattern = "^" + title + "$"
        deadline = time.monotonic() + timeout
        while True:
            found = self.visible_windows(pattern, pid)
            if found:
                return found[0]
            check(time.monotonic() < deadline, f"no window titled {title!r} within {timeout} s")
            time.sleep(0.02)

    def wait_window_gone(self, window, timeout=5):
        deadline = time.monotonic() + timeout
        while window in self.visible_windows():
            check(time.monotonic() < deadline, f"window {window} still shown after {timeout} s")
            time.sleep(0.02)

    def wait_map_state(self, window, state, what, timeout=5):
        deadline = time.monotonic() + timeout
        while self.map_state(window) != state:
            check(time.monotonic() < deadline, f"{what}: window {window} not {state} "
                  f"within {timeout} s")
            time.sleep(0.02)

    def start_notification_area(self):
        """An XEmbed notification area, as a desktop panel offers it."""
        spawn(["trayer", "--edge", "top", "--align", "right", "--widthtype", "request",
               "--height", "24"], env=self.env, stdout=subprocess.DEVNULL,
              stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 10
        while not selection_owner(self.display, b"_NET_SYSTEM_TRAY_S0"):
            check(time.monotonic() < deadline, "trayer took no notification area within 10 s")
            time.sleep(0.05)

    def map_state(self, window):
        out = self.run("xwininfo", "-id", window).stdout
        for line in out.splitlines():
            if "Map State:" in line:
                return line.split(":", 1)[1].strip()
        raise Failure(f"xwininfo reported no map state for {window}")

    def grab(self, window, timeout=3):
        """Dumps a window; retries while the server refuses it (BadDrawable, BadMatch), as it
        does for a moment while another window closes above it or it is being mapped."""
        deadline = time.monotonic() + timeout
        while True:
            result = subprocess.run(["xwd", "-silent", "-id", str(window)], env=self.env,
                                    capture_output=True, timeout=10)
            if result.returncode == 0:
                try:
                    return Image(result.stdout)
                except (Failure, struct.error):  # a dump cut short
                    if time.monotonic() > deadline:
                        raise
            elif time.monotonic() > deadline:
                raise Failure(f"xwd cannot dump window {window}: "
                              f"{result.stderr.decode(errors='replace').strip()}")
            time.sleep(0.05)

    def screenshot(self, name):
        if self.shots is None or self.env is None:
            return None
        target = self.shots / f"e2e-{name}.png"
        try:
            self.run("import", "-window", "root", target, timeout=20)
            return target
        except (Failure, subprocess.SubprocessError, OSError):
            return None

    def type_path(self, window, path):
        """Types a path into the focused field of a dialog and confirms it."""
        self.xdotool("windowfocus", "--sync", window)
        self.xdotool("type", "--delay", 5, str(path))
        self.xdotool("key", "Return")
        try:
            self.wait_window_gone(window, timeout=2)
        except Failure:
            # The first Return may only have taken the completer's suggestion.
            self.xdotool("key", "Return")
            self.wait_window_gone(window, timeout=5)


class Zintu:
    """One run of the program from its own folder, or in place where it is installed."""

    def __init__(self, session, folder=None, workdir=None, args=(), in_place=False):
        self.s = session
        self.folder = folder or session.new_folder()
        if in_place:
            self.exe = session.exe
        else:
            self.exe = self.folder / "zintu"
            shutil.copy2(session.exe, self.exe)
        self.workdir = workdir or self.folder
        log_path = self.folder / "zintu.log"
        session.logs.append(log_path)
        with open(log_path, "wb") as log:
            self.proc = spawn([str(self.exe), *args], cwd=self.workdir, env=session.env,
                              stdout=log, stderr=subprocess.STDOUT)
        self.window = session.wait_window("Zintu", pid=self.proc.pid)
        self.face = None
        self.wait_painted()

    def grab(self):
        return self.s.grab(self.window)

    def wait_painted(self, timeout=10):
        def painted(img):
            return (img.pixel(device(100), 30) == GRID_RGB and
                    all(img.pixel(*preview_centre(i)) in COLOURS.values() for i in range(3)))
        img = self.wait_image(painted, "the first paint of the board", timeout)
        self.face = img.pixel(*FACE_PROBE)
        check(self.face not in COLOURS.values() and self.face not in (GRID_RGB, BLACK),
              f"board background {self.face} is a ball, grid or mark colour")
        return img

    def wait_image(self, predicate, what, timeout=5):
        deadline = time.monotonic() + timeout
        while True:
            check(self.proc.poll() is None,
                  f"zintu exited with {self.proc.returncode} while waiting for {what}")
            img = self.grab()
            if predicate(img):
                return img
            if time.monotonic() > deadline:
                board = self.board(img) if self.face else None
                raise Failure(f"timed out after {timeout} s waiting for {what}"
                              + (f"; board on screen:\n{show_board(board)}" if board else ""))
            time.sleep(0.02)

    def settled(self, predicate, what, timeout=5):
        """Waits for a state, then makes sure a later frame still shows it."""
        self.wait_image(predicate, what, timeout)
        time.sleep(0.15)
        img = self.grab()
        check(predicate(img), f"{what} did not last: board now\n{show_board(self.board(img))}")
        return img

    # -- reading the screen --

    def code_at(self, img, x, y):
        rgb = img.pixel(x, y)
        if rgb == self.face:
            return 0
        for code, colour in COLOURS.items():
            if rgb == colour:
                return code
        return None

    def board(self, img):
        return {cell: self.code_at(img, *ball_centre(*cell)) for cell in all_cells()}

    def preview(self, img):
        return [self.code_at(img, *preview_centre(i)) for i in range(3)]

    def marked(self, img):
        return [cell for cell in all_cells() if img.pixel(*mark_probe(*cell)) == BLACK]

    # -- acting --

    def click_cell(self, cell):
        x, y = ball_centre(*cell)
        self.s.xdotool("mousemove", "--window", self.window, x, y, "mousedown", 1, "mouseup", 1)

    def press(self, caption):
        self.s.xdotool("mousemove", "--window", self.window, 328 + 32, BUTTONS[caption] + 12,
                       "mousedown", 1, "mouseup", 1)

    def select(self, cell):
        self.click_cell(cell)
        return self.settled(lambda img: self.marked(img) == [cell],
                            f"the selection mark on {cell} alone")

    def close_and_wait(self, timeout=5):
        """Closes the window as a window manager would; returns the exit status."""
        # A tooltip popping up under a resting pointer is no dialog: park the pointer.
        self.s.xdotool("mousemove", 0, 0)
        before = set(self.s.visible_windows())
        send_wm_delete(self.s.display, self.window)
        deadline = time.monotonic() + timeout
        while self.proc.poll() is None:
            extra = set(self.s.visible_windows()) - before
            check(not extra, f"a window appeared while closing: {self.window_names(extra)}")
            check(time.monotonic() < deadline, f"zintu still runs {timeout} s after the close")
            time.sleep(0.02)
        return self.proc.returncode

    def window_names(self, windows):
        names = []
        for w in windows:
            names.append(self.s.run("xdotool", "getwindowname", str(w),
                                    check_status=False).stdout.strip())
        return names


# --- the board as data ----------------------------------------------------------------------


def show_board(board):
    return "\n".join("".join(LETTERS[board[(c, r)]] for c in range(CELLS))
                     for r in range(CELLS))


def balls(board):
    return {cell: code for cell, code in board.items() if code}


def distances(board, start):
    """Steps from start to every empty cell it can reach, moving up, down, left or right."""
    dist = {start: 0}
    queue = collections.deque([start])
    while queue:
        c, r = queue.popleft()
        for nc, nr in ((c - 1, r), (c + 1, r), (c, r - 1), (c, r + 1)):
            if 0 <= nc < CELLS and 0 <= nr < CELLS and (nc, nr) not in dist \
                    and board[(nc, nr)] == 0:
                dist[(nc, nr)] = dist[(c, r)] + 1
                queue.append((nc, nr))
    del dist[start]
    return dist


def makes_run(board, start, target):
    """Whether moving the ball from start to target lines up five of its colour."""
    code = board[start]
    after = dict(board)
    after[start], after[target] = 0, code
    for dc, dr in ((1, 0), (0, 1), (1, 1), (1, -1)):
        length = 1
        for sign in (1, -1):
            c, r = target[0] + sign * dc, target[1] + sign * dr
            while 0 <= c < CELLS and 0 <= r < CELLS and after[(c, r)] == code:
                length += 1
                c, r = c + sign * dc, r + sign * dr
        if length >= 5:
            return True
    return False


def moves(board):
    """Every legal move that removes nothing, as (steps, start, target)."""
    found = []
    for start in sorted(balls(board)):
        for target, steps in distances(board, start).items():
            if not makes_run(board, start, target):
                found.append((steps, start, target))
    return sorted(found)


def check_board_read(board):
    unknown = [cell for cell, code in board.items() if code is None]
    check(not unknown, f"cells whose centre is neither background nor a ball colour: {unknown}"
          f"\n{show_board(board)}")


def play_move(app, board, start, target):
    """Moves one ball on a board without runs; returns the board after the turn."""
    before_preview = app.preview(app.grab())
    app.select(start)
    app.click_cell(target)
    expected = len(balls(board)) + 3

    def finished(img):
        now = app.board(img)
        return (now[target] == board[start] and not app.marked(img)
                and len(balls(now)) == expected)
    img = app.settled(finished, f"the ball from {start} on {target}, three new balls, no mark")
    after = app.board(img)
    check_board_read(after)
    for cell, code in balls(board).items():
        if cell != start:
            check(after[cell] == code, f"ball on {cell} changed from {code} to {after[cell]}")
    # The start cell is free once the ball has left, so a new ball may land there.
    new = sorted(code for cell, code in balls(after).items()
                 if cell != target and (cell == start or not board[cell]))
    check(new == sorted(before_preview),
          f"new balls {new} are not the preview colours {sorted(before_preview)}")
    return after


# --- scenarios ------------------------------------------------------------------------------


def scenario_board(s):
    app = Zintu(s)
    img = app.grab()
    for k in range(CELLS + 1):
        line = device(100 + 500 * k)
        for i in range(CELLS):
            across = int((350 + 500 * i) / TWIPS)
            check(img.pixel(line, across) == GRID_RGB,
                  f"vertical grid line {k} missing at {line},{across}: {img.pixel(line, across)}")
            check(img.pixel(across, line) == GRID_RGB,
                  f"horizontal grid line {k} missing at {across},{line}: "
                  f"{img.pixel(across, line)}")
    for cell in all_cells():
        probe = mark_probe(*cell)
        check(img.pixel(*probe) == app.face,
              f"cell {cell} at {probe} is {img.pixel(*probe)}, not the background {app.face}")
    board = app.board(img)
    check_board_read(board)
    check(len(balls(board)) == 5, f"{len(balls(board))} balls instead of 5:\n{show_board(board)}")
    discs = [ball_centre(*cell) for cell in balls(board)]
    discs += [preview_centre(i) for i in range(3)]
    for x, y in discs:
        colour = img.pixel(x, y)
        check(colour in COLOURS.values(), f"disc at {x},{y} has no ball colour: {colour}")
        # A radius of 10 px: solid 8 px out, background 12 px out.
        for dx, dy in ((8, 0), (-8, 0), (0, 8), (0, -8)):
            check(img.pixel(x + dx, y + dy) == colour,
                  f"disc at {x},{y} is not solid {dx},{dy} from its centre")
        for dx, dy in ((12, 0), (-12, 0), (0, 12), (0, -12)):
            check(img.pixel(x + dx, y + dy) != colour,
                  f"disc at {x},{y} reaches 12 px out ({dx},{dy})")
    check(app.close_and_wait() == 0, "zintu did not exit with status 0")


def scenario_turn(s):
    app = Zintu(s)
    board = app.board(app.grab())
    check_board_read(board)
    check(len(balls(board)) == 5, f"start board has {len(balls(board))} balls, not 5")
    legal = moves(board)
    check(legal, f"no legal move on the start board:\n{show_board(board)}")
    _, start, target = legal[len(legal) // 2]

    img = app.select(start)
    check(app.board(img)[start] == board[start], f"the selected ball on {start} lost its colour")
    app.click_cell(start)  # a second click on the selected ball keeps it selected
    img = app.settled(lambda i: app.marked(i) == [start], f"the mark staying on {start}")
    board = play_move(app, board, start, target)
    check(len(balls(board)) == 8, f"{len(balls(board))} balls after the first turn, not 8")

    # Clicks made while the ball slides are handled after the turn, in order.
    legal = moves(board)
    check(legal, f"no legal move on the board:\n{show_board(board)}")
    steps, start, target = legal[-1]
    check(steps >= 4, f"longest path only {steps} steps:\n{show_board(board)}")
    other = next(cell for cell in sorted(balls(board)) if cell != start)
    app.select(start)
    tx, ty = ball_centre(*target)
    ox, oy = ball_centre(*other)
    s.xdotool("mousemove", "--window", app.window, tx, ty, "mousedown", 1, "mouseup", 1,
              "mousemove", "--window", app.window, ox, oy, "mousedown", 1, "mouseup", 1)
    during = app.board(app.grab())
    check(len(balls(during)) < len(balls(board)) + 3,
          "the turn was over before the second click was sent; the check needs a longer slide")

    def held_click_done(img):
        now = app.board(img)
        return (now[target] == board[start]
                and len(balls(now)) == len(balls(board)) + 3 and app.marked(img) == [other])
    img = app.settled(held_click_done,
                      f"the move {start}->{target} and then the mark on {other}", timeout=6)
    check(app.board(img)[other] == board[other], f"the ball on {other} changed colour")

    shown = set(s.visible_windows())
    app.press("Сброс")  # a score of 0 earns no place: a new game at once, no name prompt
    img = app.settled(lambda i: len(balls(app.board(i))) == 5 and not app.marked(i),
                      "a new game of five balls after Сброс")
    check_board_read(app.board(img))
    extra = set(s.visible_windows()) - shown
    check(not extra, f"Сброс opened a window: {app.window_names(extra)}")
    check(app.close_and_wait() == 0, "zintu did not exit with status 0")


def ole_now():
    now = datetime.datetime.now()
    days = (now.date() - datetime.date(1899, 12, 30)).days
    seconds = now.hour * 3600 + now.minute * 60 + now.second
    return days, seconds / 86400


def record(name, points, date, time_of_day):
    raw = name.encode("cp1251")
    check(len(raw) <= 18, f"test name {name!r} too long")
    return raw.ljust(18, b" ") + struct.pack("<idd", points, date, time_of_day)


def check_blank_now(data, index, what):
    name, points, date, time_of_day = struct.unpack("<18sidd", data[index * 38:index * 38 + 38])
    check(name == b" " * 18, f"{what}: record {index + 1} name {name!r} is not 18 blanks")
    check(points == 0, f"{what}: record {index + 1} has {points} points, not 0")
    today, fraction = ole_now()
    check(date in (today, today - 1), f"{what}: record {index + 1} date {date}, today is {today}")
    check(0 <= time_of_day < 1, f"{what}: record {index + 1} time {time_of_day} outside a day")
    if date == today:
        check(abs(time_of_day - fraction) < 600 / 86400,
              f"{what}: record {index + 1} time {time_of_day} is not now ({fraction})")


def scenario_fresh_scores(s):
    app = Zintu(s)
    score_file = app.folder / "Zintu.scr"
    check(score_file.is_file(), "no Zintu.scr in the program folder after the start")
    data = score_file.read_bytes()
    check(len(data) == 380, f"Zintu.scr has {len(data)} bytes, not 380")
    for i in range(10):
        check_blank_now(data, i, "new Zintu.scr")
    check(app.close_and_wait() == 0, "zintu did not exit with status 0")
    check(score_file.read_bytes() == data, "closing the window rewrote Zintu.scr")


def scenario_installed_scores(s):
    app = Zintu(s, in_place=True)
    program_folder = s.exe.parent
    score_file = Path(s.env["XDG_DATA_HOME"]) / "Zintu" / "Zintu" / "Zintu.scr"
    check(score_file.is_file(), f"an installed copy made no {score_file}")
    check(len(score_file.read_bytes()) == 380, "the user's Zintu.scr is not 380 bytes")
    check(sorted(p.name for p in program_folder.iterdir()) == [s.exe.name],
          f"an installed copy wrote beside its executable: {list(program_folder.iterdir())}")
    check(app.close_and_wait() == 0, "zintu did not exit with status 0")


def scenario_merged_scores(s):
    program = s.new_folder("program")
    work = s.new_folder("work")
    shared = s.new_folder("общая папка")
    past = 45000.0  # 15 March 2023
    local_blank = record("", 0, 44000.0, 0.125)
    local = (record("Иван Петрович", 500, past, 0.5) + record("Zed", 400, past - 100, 0.9)
             + record("Ёжик", 400, past, 0.5) + record("Пётр", 300, past, 0.75)
             + local_blank * 6)
    shared_table = (record("Anna", 700, past + 3, 0.1) + record("Борис", 400, past, 0.25)
                    + record("Пётр", 300, past, 0.75) + record("", 0, 43000.0, 0.0) * 7)
    (program / "Zintu.scr").write_bytes(local)
    (shared / "Zintu.scr").write_bytes(shared_table)
    # The first line names the folder, in Windows-1251 and without a closing separator.
    (work / "Zintu.ini").write_bytes(str(shared).encode("cp1251") + b"\r\nnot read\r\n")

    app = Zintu(s, folder=program, workdir=work)
    merged_local = (program / "Zintu.scr").read_bytes()
    merged_shared = (shared / "Zintu.scr").read_bytes()
    check(len(merged_local) == 380, f"local Zintu.scr has {len(merged_local)} bytes")
    check(merged_local == merged_shared, "the local and the shared Zintu.scr differ")
    expected = (record("Anna", 700, past + 3, 0.1) + record("Иван Петрович", 500, past, 0.5)
                + record("Zed", 400, past - 100, 0.9) + record("Борис", 400, past, 0.25)
                + record("Ёжик", 400, past, 0.5) + record("Пётр", 300, past, 0.75)
                + local_blank)
    for i in range(7):
        got = merged_local[i * 38:i * 38 + 38]
        want = expected[i * 38:i * 38 + 38]
        check(got == want, f"merged record {i + 1} is {got!r}, expected {want!r}")
    for i in range(7, 10):
        check_blank_now(merged_local, i, "merged Zintu.scr")
    check(not (work / "Zintu.scr").exists(), "a Zintu.scr appeared in the working folder")
    check(app.close_and_wait() == 0, "zintu did not exit with status 0")


def read_position(path):
    data = path.read_bytes()
    check(len(data) == 193, f"{path.name} has {len(data)} bytes, not 193")
    check(data[:9] == b"Zintu 3.1", f"{path.name} starts with {data[:9]!r}")
    check(data[183:185] == b"\x04\x00", f"seed type tag is {data[183:185]!r}, not 4")
    codes = struct.unpack("<81h", data[9:171])
    score, = struct.unpack("<i", data[171:175])
    next_colours = struct.unpack("<4h", data[175:183])
    seed, draws = struct.unpack("<fi", data[185:193])
    board = {(c, r): codes[c + 9 * r] for c, r in all_cells()}
    return board, score, list(next_colours[1:]), seed, draws


def scenario_positions(s):
    app = Zintu(s)
    saved_img = app.grab()
    saved = app.board(saved_img)
    check_board_read(saved)
    saved_preview = app.preview(saved_img)
    path = app.folder / "position.poz"

    app.press("Сохранить")
    s.type_path(s.wait_window(SAVE_TITLE), path)
    deadline = time.monotonic() + 5
    while not path.exists():
        check(time.monotonic() < deadline, f"{path} was not written within 5 s")
        time.sleep(0.02)
    board, score, next_colours, seed, draws = read_position(path)
    check(board == saved, f"board in the file\n{show_board(board)}\n"
          f"differs from the screen\n{show_board(saved)}")
    check(score == 0, f"score in the file is {score}, not 0")
    check(next_colours == saved_preview,
          f"next colours in the file {next_colours}, preview on screen {saved_preview}")
    check(0 <= seed < 1, f"seed {seed} outside [0, 1)")
    check(draws == 13, f"{draws} draws counted after the set-up, not 13")

    legal = moves(saved)
    check(legal, f"no legal move on the start board:\n{show_board(saved)}")
    _, start, target = legal[0]
    after_move = play_move(app, saved, start, target)

    # Opening puts the saved board back, unselected; the same move then brings the same
    # new balls.
    app.select(sorted(balls(after_move))[0])
    app.press("Открыть")
    s.type_path(s.wait_window(OPEN_TITLE), path)
    img = app.settled(lambda i: app.board(i) == saved,
                      "the saved board on the screen after opening the file")
    check(app.preview(img) == saved_preview,
          f"preview {app.preview(img)} after opening, saved {saved_preview}")
    check(not app.marked(img), "a selection mark is shown after opening")
    replayed = play_move(app, saved, start, target)
    check(replayed == after_move, f"the same move after opening gave\n{show_board(replayed)}\n"
          f"instead of\n{show_board(after_move)}")

    # A file of another size is no position: opening it changes nothing.
    app.press("Открыть")
    s.type_path(s.wait_window(OPEN_TITLE), app.folder / "Zintu.scr")
    time.sleep(0.3)
    img = app.grab()
    check(app.board(img) == replayed, f"opening Zintu.scr changed the board:\n"
          f"{show_board(app.board(img))}")
    check(app.close_and_wait() == 0, "zintu did not exit with status 0")


def scenario_about(s):
    app = Zintu(s)
    board = app.board(app.grab())
    ball = sorted(balls(board))[0]
    app.press("About")
    about = s.wait_window(ABOUT_TITLE)
    # Out of the way, so that the board can be read; no window manager keeps it centred.
    s.xdotool("windowmove", "--sync", about, 0, 0)
    app.click_cell(ball)  # the main window takes no input while About is open
    time.sleep(0.3)
    check(not app.marked(app.grab()), "the board took a click while About was open")
    s.xdotool("windowfocus", "--sync", about)
    s.xdotool("key", "Return")
    s.wait_window_gone(about)
    time.sleep(0.2)
    check(not app.marked(app.grab()), "a click made while About was open was handled later")

    app.press("About")  # opens again; its OK button closes it
    about = s.wait_window(ABOUT_TITLE)
    s.xdotool("mousemove", "--window", about, device(1620 + 1095 // 2), device(2760 + 375 // 2),
              "mousedown", 1, "mouseup", 1)
    s.wait_window_gone(about)
    app.select(ball)
    check(app.close_and_wait() == 0, "zintu did not exit with status 0")


def check_not_stranded(app, before, what):
    """Without a notification area the window must stay reachable, its board intact."""
    deadline = time.monotonic() + 0.5
    while time.monotonic() < deadline:
        check(app.proc.poll() is None, f"zintu exited after {what}")
        state = app.s.map_state(app.window)
        if state != "IsViewable":
            props = app.s.run("xprop", "-id", str(app.window), "WM_STATE",
                              check_status=False).stdout
            check("Iconic" in props, f"after {what} the window is {state} and not iconified: "
                  "with no notification area nothing can bring it back")
        time.sleep(0.05)
    if app.s.map_state(app.window) == "IsViewable":
        after = app.board(app.grab())
        check(after == before, f"board changed by {what}:\n{show_board(after)}")


def scenario_hide(s):
    app = Zintu(s)
    img = app.grab()
    board = app.board(img)
    app.press("Свернуть")
    check_not_stranded(app, board, "Свернуть")
    # A right-button release on the board hides too, and never touches a ball.
    x, y = ball_centre(*sorted(balls(board))[0])
    s.xdotool("mousemove", "--window", app.window, x, y, "mousedown", 3, "mouseup", 3)
    check_not_stranded(app, board, "a right click on a ball")
    check(not app.marked(app.grab()), "a right click selected a ball")
    app.select(sorted(balls(board))[-1])  # and the board still takes the left button
    check(app.close_and_wait() == 0, "zintu did not exit with status 0 after hiding")


def program_windows(app):
    """The program's viewable windows besides the main one. xdotool sees neither the
    icon embedded in the tray nor the menu, so they are read from the whole tree."""
    windows = []
    for line in app.s.run("xwininfo", "-root", "-tree").stdout.splitlines():
        if '"Zintu": ("zintu" "Zintu")' in line:
            window = int(line.split()[0], 16)
            if window != app.window and viewable(app.s, window):
                windows.append(window)
    return windows


def viewable(s, window):
    result = s.run("xwininfo", "-id", window, check_status=False)
    return result.returncode == 0 and "IsViewable" in result.stdout


def tray_icon(app, timeout=5):
    deadline = time.monotonic() + timeout
    while not program_windows(app):
        check(time.monotonic() < deadline, f"no icon in the notification area within {timeout} s")
        time.sleep(0.05)
    return program_windows(app)[0]


def wait_icon_gone(app, icon, what, timeout=5):
    deadline = time.monotonic() + timeout
    while viewable(app.s, icon):
        check(time.monotonic() < deadline, f"the icon still shows {timeout} s after {what}")
        time.sleep(0.05)


def open_tray_menu(app, icon):
    app.s.xdotool("mousemove", "--window", icon, 5, 5, "click", 3)
    deadline = time.monotonic() + 5
    while True:
        menus = set(program_windows(app)) - {icon}
        if menus:
            return menus.pop()
        check(time.monotonic() < deadline, "a right click on the icon opened no menu")
        time.sleep(0.05)


def scenario_tray(s):
    s.start_notification_area()
    app = Zintu(s)
    board = app.board(app.grab())
    app.press("Свернуть")
    s.wait_map_state(app.window, "IsUnMapped", "Свернуть")
    icon = tray_icon(app)
    s.xdotool("mousemove", "--window", icon, 5, 5, "click", "--repeat", 2, "--delay", 80, 1)
    s.wait_map_state(app.window, "IsViewable", "a double click on the icon")
    app.settled(lambda i: app.board(i) == board, "the board as it was before hiding")
    wait_icon_gone(app, icon, "the double click")

    # A right click on the board hides too; the icon's menu opens on a right click.
    x, y = ball_centre(*sorted(balls(board))[0])
    s.xdotool("mousemove", "--window", app.window, x, y, "click", 3)
    s.wait_map_state(app.window, "IsUnMapped", "a right click on the board")
    icon = tray_icon(app)
    menu = open_tray_menu(app, icon)
    s.xdotool("key", "Escape")
    wait_icon_gone(app, menu, "Escape")
    check(s.map_state(app.window) == "IsUnMapped", "dismissing the menu showed the window")
    check(viewable(s, icon), "dismissing the menu removed the icon")
    s.xdotool("mousemove", "--window", icon, 5, 5, "click", 1)
    time.sleep(0.8)  # well past the double-click time
    check(s.map_state(app.window) == "IsUnMapped", "a single click on the icon showed the window")
    open_tray_menu(app, icon)
    s.xdotool("key", "Up", "Return")  # the last item, Выход
    deadline = time.monotonic() + 5
    while app.proc.poll() is None:
        check(time.monotonic() < deadline, "zintu still runs 5 s after Выход in the menu")
        time.sleep(0.02)
    check(app.proc.returncode == 0, f"Выход ended zintu with status {app.proc.returncode}")
    wait_icon_gone(app, icon, "the program ended")


def frame_centre(s, window):
    """Centre of a window with the frame its window manager put around it."""
    info = s.run("xwininfo", "-id", window).stdout
    value = {key: int(line.split(":")[1]) for line in info.splitlines()
             for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")
             if line.strip().startswith(key + ":")}
    extents = s.run("xprop", "-id", window, "_NET_FRAME_EXTENTS").stdout
    check("=" in extents, f"the window manager gave window {window} no frame: {extents}")
    left, right, top, bottom = (int(v) for v in extents.split("=")[1].split(","))
    return (value["Absolute upper-left X"] - left + (value["Width"] + left + right) / 2,
            value["Absolute upper-left Y"] - top + (value["Height"] + top + bottom) / 2)


def scenario_centred(s):
    spawn(["openbox"], env=s.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 10
    while not selection_owner(s.display, b"WM_S0"):
        check(time.monotonic() < deadline, "openbox did not manage the screen within 10 s")
        time.sleep(0.05)
    app = Zintu(s)
    deadline = time.monotonic() + 5
    while True:
        x, y = frame_centre(s, app.window)
        if abs(x - 512) <= 1 and abs(y - 384) <= 1:
            break
        check(time.monotonic() < deadline,
              f"the framed window's centre is at {x},{y}, not at the screen's 512,384")
        time.sleep(0.05)
    check(app.close_and_wait() == 0, "zintu did not exit with status 0")


def scenario_close(s):
    app = Zintu(s)
    check(app.close_and_wait() == 0, "zintu did not exit with status 0 on WM_DELETE_WINDOW")


def scenario_exit_button(s):
    app = Zintu(s)
    before = set(s.visible_windows())
    app.press("Выход")  # score 0 earns no place: no name prompt
    deadline = time.monotonic() + 5
    while app.proc.poll() is None:
        extra = set(s.visible_windows()) - before
        check(not extra, f"a window appeared after Выход: {app.window_names(extra)}")
        check(time.monotonic() < deadline, "zintu still runs 5 s after Выход")
        time.sleep(0.02)
    check(app.proc.returncode == 0, f"Выход ended zintu with status {app.proc.returncode}")


def scenario_close_while_sliding(s):
    app = Zintu(s)
    board = app.board(app.grab())
    steps, start, target = moves(board)[-1]
    app.select(start)
    app.click_cell(target)
    check(app.close_and_wait(timeout=10) == 0,
          f"closing during a {steps}-step slide did not end zintu with status 0")


GROUPS = {
    "board": [("board", scenario_board)],
    "turn": [("turn", scenario_turn)],
    "scores": [("fresh", scenario_fresh_scores), ("merged", scenario_merged_scores)],
    "positions": [("save-open", scenario_positions)],
    "windows": [("about", scenario_about), ("hide", scenario_hide), ("close", scenario_close),
                ("exit-button", scenario_exit_button),
                ("close-while-sliding", scenario_close_while_sliding)],
    "installed": [("scores", scenario_installed_scores)],
    "tray": [("tray", scenario_tray)],
    "framed": [("centred", scenario_centred)],
}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--exe", required=True, type=Path, help="the built zintu executable")
    parser.add_argument("--shots", type=Path, help="folder for screenshots of failures")
    parser.add_argument("group", choices=sorted(GROUPS))
    args = parser.parse_args()
    missing = [tool for tool in ("Xvfb", "xdotool", "xwd", "xwininfo", "xprop", "trayer",
                                 "openbox", "import") if shutil.which(tool) is None]
    if missing:
        print(f"FAIL: missing programs {missing}; run scripts/install-deps.sh --test",
              file=sys.stderr)
        return 1
    if not os.access(args.exe, os.X_OK):
        print(f"FAIL: {args.exe} is not an executable; build the zintu target", file=sys.stderr)
        return 1
    # ctest ends a test that runs too long with SIGTERM: leave no Xvfb behind.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))

    failures = 0
    with Session(args.exe.resolve(), args.shots) as session:
        for name, scenario in GROUPS[args.group]:
            started = time.monotonic()
            session.logs = []
            if args.shots:
                (args.shots / f"e2e-{args.group}-{name}.png").unlink(missing_ok=True)
            try:
                scenario(session)
                print(f"ok   {args.group}/{name} ({time.monotonic() - started:.1f} s)")
            except Exception as error:  # every kind of fault fails the scenario, not the run
                failures += 1
                shot = session.screenshot(f"{args.group}-{name}")
                detail = str(error) if isinstance(error, Failure) else traceback.format_exc()
                print(f"FAIL {args.group}/{name} ({time.monotonic() - started:.1f} s): {detail}")
                if shot:
                    print(f"     screenshot: {shot}")
                for log in session.logs:
                    text = log.read_text(errors="replace").strip() if log.exists() else ""
                    if text:
                        print(f"     output of {log.parent.name}/zintu:\n{text[-2000:]}")
            finally:
                for proc in list(_children):
                    if proc is not session.xvfb:
                        stop(proc)
            sys.stdout.flush()
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
