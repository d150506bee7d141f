#!/usr/bin/env python3
"""Runs the built zintu on a private Xvfb: what only a real process and X server show. A failure
leaves a screenshot in SHOTS. Usage: zintu_e2e.py EXE SHOTS GROUP, a scenario_ below (access under
dbus-run-session, windows on zintu.exe, installer on setup.exe); needs install-deps.sh --test."""

import ctypes, os, shutil, signal, struct, subprocess, sys, tempfile, time
from pathlib import Path

TWIPS = 15
GRID_RGB, BLACK, WHITE = (0, 0, 5), (0, 0, 0), (255, 255, 255)
COLOURS = {(255, 0, 0): "R", (0, 255, 0): "G", (255, 255, 0): "Y", (0, 0, 255): "B",
           (255, 0, 255): "M", (0, 255, 255): "C", WHITE: "W"}
CODES = ".RGYBMCW"  # a letter's place is its colour code
BUTTONS = {"Рекорды": (360, 100), "Открыть": (360, 132), "Сохранить": (360, 164),  # centres
           "Выход": (360, 260), "Свернуть": (360, 292)}
SLIDE = "....B...." + "." * 63 + "R........"  # a blue ball to slide down, a red one to click then
SLID = 4 + 9 * 8  # where the blue ball ends
PREVIEW = [(int((5030 + 350 * i) / TWIPS), 25) for i in range(3)]  # below a symbol, if any
KEYS = "RRRR" + "." * 14 + "....R" + "." * 58  # keys move (4, 2) up to the four
# LANG, LANGUAGE, dark palette, the captions from "Свернуть" to "About", an empty cell
RU = "Свернуть Выход Сброс Рекорды Открыть Сохранить About", "пусто"
LANGUAGES = [("ru_RU.UTF-8", "", False, *RU),
             ("en_US.UTF-8", "", True, "Hide Exit New Records Open Save About", "empty"),
             ("C.UTF-8", "", False, *RU), ("en_GB.UTF-8", "ru:en", False, *RU)]
RUSSIAN = dict(zip(CODES, "пусто красный зелёный жёлтый синий фиолетовый голубой белый".split()))
# A desktop's dark colours, as KDE keeps them; Qt reads them under a KDE session.
DARK = "[KDE]\nwidgetStyle=Fusion\n" + "".join(f"[Colors:{group}]\nBackgroundNormal={back}\n"
    "ForegroundNormal=239,240,241\n" for group, back in [("Window", "49,54,59"), (
        "Button", "68,73,78"), ("View", "35,38,41"), ("Selection", "61,174,233")])


def ball_centre(col, row):
    return int((350 + 500 * col) / TWIPS), int((350 + 500 * row) / TWIPS)


def cursor_probe(col, row):  # on the left edge of the keyboard's cell cursor
    return int((100 + 500 * col) / TWIPS + 0.5) + 3, int((350 + 500 * row) / TWIPS)


def contrast(pixel, left, top, right, bottom):  # of the text against the box's main colour
    lum = lambda c: sum(w * (v / 255 / 12.92 if v <= 10 else ((v / 255 + 0.055) / 1.055) ** 2.4)
                        for w, v in zip((0.2126, 0.7152, 0.0722), c))
    seen = [pixel(x, y) for x in range(left, right) for y in range(top, bottom)]
    back = lum(max(set(seen), key=seen.count))
    return max((max(lum(c), back) + 0.05) / (min(lum(c), back) + 0.05) for c in seen)


def position_bytes(board, score=0):  # 81 letters row by row, preview RGY, fixed seed and draws
    codes = [CODES.index(letter) for letter in board + ".RGY"]  # the preview's entry 0 is unused
    return b"Zintu 3.1" + struct.pack("<81hi4hhfi", *codes[:81], score, *codes[81:], 4, 0.5, 13)


def shared_table(folder, name="Анна"):  # a score file whose one entry, returned, has 700 points
    entry = name.encode("cp1251").ljust(18, b" ") + struct.pack("<idd", 700, 45000.0, 0.5)
    (folder / "Zintu.scr").write_bytes(entry + (b" " * 18 + struct.pack("<idd", 0, 0.0, 0.5)) * 9)
    return entry


def wait_for(condition, what, timeout=15):  # generous for a loaded machine: a pass returns at once
    deadline = time.monotonic() + timeout
    while not (result := condition()) and time.monotonic() < deadline:
        time.sleep(0.02)
    assert result or what is None, f"no {what} within {timeout} s"  # None: the caller judges
    return result


_children, _prctl = [], ctypes.CDLL(None).prctl  # looked up before any fork


def spawn(args, **kwargs):  # ends with us, even when a runner kills us hard
    die = lambda: _prctl(1, signal.SIGKILL, 0, 0, 0)  # PR_SET_PDEATHSIG
    _children.append(subprocess.Popen(args, preexec_fn=die, **kwargs))
    return _children[-1]


def xwd_pixels(data):  # a dump by xwd of a window of depth 24; None if it is cut short
    h = struct.unpack(">25I", data[:100]) if len(data) >= 100 else [0] * 25
    offset, order = h[0] + 12 * h[19], "little" if h[7] == 0 else "big"
    if len(data) < max(offset + h[12] * h[5], 1):
        return None
    assert h[2] == 2 and h[11] in (24, 32) and h[14:17] == (0xFF0000, 0xFF00, 0xFF), h

    def pixel(x, y):
        assert 0 <= x < h[4] and 0 <= y < h[5], f"pixel {x},{y} outside the window"
        value = int.from_bytes(data[offset + y * h[12] + h[11] // 8 * x:][:h[11] // 8], order)
        return value >> 16 & 255, value >> 8 & 255, value & 255
    return pixel


class Session:  # one private Xvfb, and temporary folders for the programs run on it

    def __init__(self, exe, shot):  # a screenshot and the programs' output tell what failed
        self.exe, self.shot, self.logs = exe, shot, []

    def __enter__(self):
        self.root = Path(tempfile.mkdtemp(prefix="zintu-e2e-"))
        xvfb = spawn(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                      "-noreset"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.display = ":" + xvfb.stdout.readline().decode().strip()  # a free one, once ready
        x = self.x = ctypes.CDLL("libX11.so.6")  # for what no command-line tool does
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XInternAtom.restype = x.XGetSelectionOwner.restype = ctypes.c_ulong
        self.d = ctypes.c_void_p(x.XOpenDisplay(self.display.encode()))
        assert self.d, f"Xvfb gave no display to open: {self.display!r}"
        self.atom = lambda name: ctypes.c_ulong(self.x.XInternAtom(self.d, name.encode(), 0))
        # A developer's scaling, desktop, session bus and locale change pixels, tray and texts.
        self.env = {k: v for k, v in os.environ.items()
                    if not k.startswith(("QT_", "XDG_", "LC_", "DBUS_", "SESSION_", "DESKTOP_"))}
        self.env.update({f"XDG_{d}_HOME": str(self.root / d) for d in ("CONFIG", "DATA", "CACHE")},
                        DISPLAY=self.display, QT_QPA_PLATFORM="xcb", QT_FONT_DPI="96",
                        LANG="C.UTF-8", XDG_RUNTIME_DIR=str(self.folder("runtime")))
        if self.exe.suffix == ".exe":  # a fresh Russian Windows; titles reach X in UTF-8
            self.env.update(WINEPREFIX=str(self.folder("wine")), WINEDEBUG="-all",
                            LANG="ru_RU.UTF-8", LC_CTYPE="C.UTF-8",
                            WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
        return self

    def __exit__(self, error, *_):
        if error:
            self.run("import", "-window", "root", self.shot, strict=False)
            for log in filter(Path.exists, self.logs):
                print(f"output of {log.parent.name}/zintu:\n{log.read_text()[-2000:]}")
        if "WINEPREFIX" in self.env:  # wine's own processes outlive the program's
            self.run("wineserver", "-k", strict=False)
        for proc in reversed(_children):
            proc.terminate()
            proc.wait()
        shutil.rmtree(self.root, ignore_errors=True)

    def folder(self, name="run"):
        return Path(tempfile.mkdtemp(dir=self.root, prefix=name))

    def run(self, *args, strict=True, raw=False):
        result = subprocess.run([str(a) for a in args], env=self.env, capture_output=True)
        assert result.returncode == 0 or not strict, f"{args} failed: {result.stderr}"
        return result.stdout if raw else result.stdout.decode()

    def start(self, program, selection):  # a desktop's helper, once it holds its selection
        spawn(program, env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        owner = lambda: self.x.XGetSelectionOwner(self.d, self.atom(selection))
        wait_for(owner, f"{selection} of {program[0]}", 10)

    def close(self, window):  # as a window manager asks
        # An XClientMessageEvent on LP64 takes one long for each field up to the data.
        event = (ctypes.c_long * 24)(33, 0, 0, 0, window, self.atom("WM_PROTOCOLS").value, 32,
                                     self.atom("WM_DELETE_WINDOW").value)
        self.x.XSendEvent(self.d, ctypes.c_ulong(window), 0, ctypes.c_long(0), event)
        self.x.XFlush(self.d)

    def windows(self, title=".*", pid=None):
        return [int(w) for w in self.run("xdotool", "search", "--onlyvisible", *(
            ["--pid", pid] if pid else []), "--name", f"^{title}$", strict=False).split()]

    def viewable(self, window):
        return "IsViewable" in self.run("xwininfo", "-id", window, strict=False)

    def grab(self, window):
        # The server refuses a dump for a moment while a window above closes or this one maps.
        dump = lambda: xwd_pixels(self.run("xwd", "-silent", "-id", window, strict=False, raw=True))
        return wait_for(dump, f"dump of window {window}", 3)


class Zintu:  # one run of the program from a folder of its own, in place, or from a shortcut

    def __init__(self, s, folder=None, workdir=None, in_place=False, wrap=(), link=None):
        self.s, self.folder, self.proc, self.pid = s, folder or s.folder(), None, None
        if link:  # as desktops open wine's shortcuts; the game keeps start.exe's output
            subprocess.run(["wine", "start", "/unix", link], env=s.env, check=True, timeout=30,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        else:
            exe = s.exe if in_place else shutil.copy2(s.exe, self.folder / "zintu")
            s.logs.append(self.folder / "zintu.log")
            with open(s.logs[-1], "wb") as log:
                self.proc = spawn([*wrap] + ["wine"] * (s.exe.suffix == ".exe") + [exe],
                                  env=s.env, cwd=workdir or self.folder, stdout=log,
                                  stderr=subprocess.STDOUT)
            self.pid = None if wrap else self.proc.pid  # a tracer's game tells its own below
        self.window = wait_for(lambda: s.windows("Zintu", self.pid), "main window", 30)[0]
        self.pid = self.pid or int(s.run("xdotool", "getwindowpid", self.window))
        painted = lambda px: px(7, 30) == GRID_RGB and all(px(*p) in COLOURS for p in PREVIEW)
        self.wait_screen(painted, "first paint of the board and its preview", 10)

    def wait_screen(self, predicate, what, timeout=15):
        def shown():
            assert self.running(), "zintu exited"
            return pixel if predicate(pixel := self.s.grab(self.window)) else None
        return wait_for(shown, what, timeout)

    def board(self, pixel):  # a cell's centre shows its ball or the board
        return "".join(COLOURS.get(pixel(*ball_centre(i % 9, i // 9)), ".") for i in range(81))

    def marked(self, pixel):  # black inside the selection square, outside the ball's disc
        probe = lambda i: int((115 + 500 * i) / TWIPS + 0.5) + 4
        return [(c, r) for r in range(9) for c in range(9) if pixel(probe(c), probe(r)) == BLACK]

    def keys(self, *names):
        self.s.run("xdotool", "windowfocus", "--sync", self.window, "key", "--delay", 20, *names)

    def click(self, *points):  # one command, so that the clicks follow at once
        self.s.run("xdotool", *(arg for x, y in points for arg in
                                ("mousemove", "--window", self.window, x, y, "click", 1)))

    def scores_window(self):  # opened by its button, closed as a window manager asks
        self.click(BUTTONS["Рекорды"])
        self.s.close(wait_for(lambda: self.s.windows("10 лучших рекордов"), "high scores")[0])
        wait_for(lambda: not self.s.windows("10 лучших рекордов"), "high-score window closed")

    def select(self, cell):
        self.click(ball_centre(*cell))
        self.wait_screen(lambda pixel: self.marked(pixel) == [cell], f"selection mark on {cell}")

    def use_dialog(self, button, path, keys=()):  # opened by a click or by keys; a path typed in
        self.keys(*keys) if keys else self.click(BUTTONS[button])
        title = {"Открыть": "Восстановить сохраненное .*", "Сохранить": "Сохранить текущее .*"}
        dialog = wait_for(lambda: self.s.windows(title[button]), f"{button} dialog")[0]
        if wine := self.s.exe.suffix == ".exe":  # drive Z: is the root; dialogs close slowly
            path = "Z:" + str(path).replace("/", "\\")
        self.s.run("xdotool", "windowfocus", "--sync", dialog, "type", "--delay", 5, path)
        for _ in range(2):  # the first Return may only take the completer's suggestion
            self.s.run("xdotool", "key", "Return")
            if wait_for(lambda: dialog not in self.s.windows(), None, 2 + 6 * wine):
                return
        raise AssertionError(f"the file dialog stayed open after typing {path}")

    def open_position(self, board, path=None, keys=()):
        if not path:
            (path := self.folder / "crafted.poz").write_bytes(position_bytes(board))
        self.use_dialog("Открыть", path, keys)
        return self.wait_screen(lambda pixel: self.board(pixel) == board, "the opened position")

    def slide(self, *then):  # SLIDE's blue ball down, and clicks that follow at once
        self.open_position(SLIDE)
        self.select((4, 0))
        self.click(ball_centre(4, 8), *then)

    def running(self):  # a zombie has ended too: nothing may reap one that start.exe started
        ps = lambda: self.s.run("ps", "-o", "stat=", "-p", self.pid, strict=False)[:1]
        return self.proc.poll() is None if self.proc else ps() not in ("", "Z")

    def end(self, by=None, timeout=5):  # by a button, else as a window manager closes it
        self.click(BUTTONS[by]) if by else self.s.close(self.window)
        wait_for(lambda: not self.running(), f"end of zintu by {by or 'closing'}", timeout)
        assert not self.proc or self.proc.returncode == 0, f"zintu's status: {self.proc.returncode}"


def scenario_play(s):  # keys alone, and a click during a slide
    app = Zintu(s)
    # By keys alone: Открыть is the fourth stop, the board the seventh.
    app.open_position(KEYS, keys=["Tab"] * 4 + ["space"])
    app.keys("Tab", "Tab", "Tab", "Down", "Down", *["Right"] * 5, "Left", "space")
    app.wait_screen(lambda pixel: app.marked(pixel) == [(4, 2)] and pixel(*cursor_probe(4, 2))
                    in (BLACK, WHITE), "the cursor on (4, 2) and its ball selected")
    app.keys("Up", "Up", "Up", "space")
    app.wait_screen(lambda pixel: app.board(pixel) == "." * 81 and pixel(*cursor_probe(4, 0))
                    in (BLACK, WHITE), "the run of five made by keys removed")
    app.keys("shift+Tab")  # the cursor goes and leaves the picture as it was
    app.wait_screen(lambda pixel: pixel(*cursor_probe(4, 0)) == pixel(*ball_centre(4, 0)),
                    "the board without the cursor")
    app.slide(ball_centre(0, 8))
    assert app.board(s.grab(app.window))[SLID] != "B", "the slide ended before the second click"
    app.wait_screen(lambda pixel: app.board(pixel)[SLID] == "B" and app.marked(pixel) == [(0, 8)]
                    and len(app.board(pixel).replace(".", "")) == 5,
                    "the move, three new balls, then the red ball selected")
    app.slide()
    app.end()  # during the slide


def scenario_scores(s):  # shared by Zintu.ini in the working folder, off the window's thread
    # scripts/measure-share.py sets ZINTU_E2E_SHARED, a folder whose table is replaced, and
    measuring = "ZINTU_LATENESS_LOG" in os.environ  # ZINTU_LATENESS_LOG: phases shown, no strace
    phase = lambda name: measuring and print(f"phase {name} at {time.monotonic() * 1000:.0f} ms")
    program, work = s.folder("program"), s.folder("work")
    shared = Path(os.environ.get("ZINTU_E2E_SHARED") or s.folder("общая папка"))
    anna = shared_table(shared)
    (work / "Zintu.ini").write_bytes(str(shared).encode("cp1251") + b"\r\nnot read\r\n")
    trace = s.folder("trace") / "strace.log"
    phase("start-up")
    app = Zintu(s, folder=program, workdir=work,
                wrap=[] if measuring else ["strace", "-f", "-qq", "-e", "trace=%file,%desc", "-o", trace])
    wait_for(lambda: (program / "Zintu.scr").read_bytes()[:38] == anna, "the shared table")
    assert not (work / "Zintu.scr").exists(), "a Zintu.scr appeared in the working folder"
    # A full board but three cells, no four of a colour in a line: one move ends the game.
    board = "." + "".join(CODES[(i % 9 + 2 * (i // 9)) % 7 + 1] for i in range(1, 79)) + ".."
    (app.folder / "full.poz").write_bytes(position_bytes(board, 800))
    phase("open position")
    app.open_position(board, app.folder / "full.poz")
    app.select((1, 0))
    phase("move")
    app.click(ball_centre(0, 0))
    box = wait_for(lambda: [w for w in s.windows("Zintu", app.pid) if w != app.window], "game over")
    phase("game over")
    s.run("xdotool", "windowfocus", "--sync", box[0], "key", "Return")
    prompt = wait_for(lambda: s.windows("Установлен рекорд номер 1"), "record prompt")[0]
    s.run("xdotool", "windowfocus", "--sync", prompt, "type", "Vera")
    s.run("xdotool", "key", "Return")
    wait_for(lambda: b"Vera" in (shared / "Zintu.scr").read_bytes(), "the record in the shared copy")
    phase("high-score window")
    app.scores_window()
    phase("exit")
    app.end("Выход")
    phase("ended")
    # strace writes the bytes of a name outside ASCII in octal.
    named = "".join(chr(b) if 32 <= b < 127 else f"\\{b:03o}" for b in bytes(shared))
    calls = [line for line in (trace.read_text() if not measuring else "").splitlines() if named in line]
    on_window_thread = [line for line in calls if int(line.split()[0]) == app.pid]
    assert measuring or calls and not on_window_thread, f"{len(calls)} traced, {on_window_thread} on UI's"


def scenario_desktop(s):  # under a window manager, hidden to a real tray and back
    s.start(["openbox"], "WM_S0")
    s.start(["trayer", "--edge", "top", "--widthtype", "request"], "_NET_SYSTEM_TRAY_S0")
    app = Zintu(s)

    board = app.board(s.grab(app.window))
    app.click(BUTTONS["Свернуть"])
    wait_for(lambda: not s.viewable(app.window), "unmapped window after Свернуть")
    # xdotool finds no embedded icon: look for the program's other windows in the tree.
    tree = lambda: s.run("xwininfo", "-root", "-tree").splitlines()
    ours = lambda: (int(line.split()[0], 16) for line in tree() if '("zintu" "Zintu")' in line)
    icon = wait_for(lambda: [w for w in ours() if w != app.window and s.viewable(w)], "icon")[0]
    s.run("xdotool", "mousemove", "--window", icon, 5, 5, "click", 1, "sleep", 0.6)
    assert not s.viewable(app.window), "a single click on the icon showed the window"
    s.run("xdotool", "click", "--repeat", 2, "--delay", 80, 1)
    app.wait_screen(lambda pixel: app.board(pixel) == board, "window back after a double click")
    wait_for(lambda: not s.viewable(icon), "removal of the icon")
    app.end("Выход")  # a score of 0 earns no place: no name prompt


def scenario_access(s):  # the captions by language, and the board as a screen reader reads it
    import pyatspi  # Debian's, run by its own python3
    s.env.update(DBUS_SESSION_BUS_ADDRESS=os.environ["DBUS_SESSION_BUS_ADDRESS"],
                 QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    (kde := s.folder("kde")).joinpath("kdeglobals").write_text(DARK)
    base, theme = s.env, dict(XDG_CONFIG_HOME=str(kde), XDG_CURRENT_DESKTOP="KDE",
                              KDE_SESSION_VERSION="5")
    for lang, language, dark, captions, empty in LANGUAGES:
        s.env = dict(base, LANG=lang, LANGUAGE=language, **(theme if dark else {}))
        app = Zintu(s)
        pixel = s.grab(app.window)
        for box in [(330, 34, 390, 51), (333, 285, 388, 300)]:  # the score and "Свернуть"
            assert contrast(pixel, *box) >= 4.5, f"{lang} dark={dark}: text too faint in {box}"
        ours = lambda: [a for a in pyatspi.Registry.getDesktop(0)
                        if a and a.get_process_id() == app.proc.pid]
        root = wait_for(ours, "the game on the accessibility bus", 10)[0]
        found = lambda role: pyatspi.findAllDescendants(root, lambda o: o.getRoleName() == role)
        assert " ".join(b.name for b in found("push button")) == captions, lang
        board, = found("table")
        cells = [board.getChildAtIndex(i) for i in range(board.childCount)]
        assert len(cells) == 81 and {c.getRoleName() for c in cells} == {"table cell"}, lang
        letters = app.board(pixel)
        assert all(c.name.endswith(": " + empty) == (l == ".") for c, l in zip(cells, letters))
        if lang.startswith("ru"):  # a move, and the cells read again
            start = next(i for i, l in enumerate(letters) if l != "." and i % 9 < 8
                         and letters[i + 1] == ".")
            name = lambda i: f"Строка {i // 9 + 1}, столбец {i % 9 + 1}: "
            assert cells[start].name == name(start) + RUSSIAN[letters[start]], cells[start].name
            app.select((start % 9, start // 9))
            wait_for(lambda: cells[start].getState().contains(pyatspi.STATE_SELECTED)
                     and cells[start].name.endswith(", выбран"), "the selected cell")
            app.click(ball_centre(start % 9 + 1, start // 9))

            def read_as_shown():  # a drop may land on the start cell: the screen tells
                after = app.board(s.grab(app.window))
                return after != letters and all(cells[i].name == name(i) + RUSSIAN[after[i]]
                                                for i in (start, start + 1))
            wait_for(read_as_shown, "the cells after the move, as the screen shows them")
        app.end()


def scenario_installed(s):
    bare = {k: v for k, v in s.env.items() if k not in ("DISPLAY", "QT_QPA_PLATFORM")}
    for option, expected in [("--help", "--version"), ("-h", "zintu [--symbols] [ШАГ]"),
                             ("--version", "Zintu 3.1\n"), ("-v", "Zintu 3.1\n")]:
        shown = subprocess.run([s.exe, option], env=bare, capture_output=True, timeout=10)
        assert shown.returncode == 0 and expected in shown.stdout.decode(), (option, shown)
    app = Zintu(s, in_place=True)
    scores = Path(s.env["XDG_DATA_HOME"]) / "Zintu" / "Zintu" / "Zintu.scr"
    wait_for(lambda: scores.is_file() and len(scores.read_bytes()) == 380, f"table in {scores}")
    assert list(s.exe.parent.iterdir()) == [s.exe], "an installed copy wrote beside itself"
    app.end()


def scenario_windows(s):  # the unzipped Windows folder, a fresh wine prefix: dialogs, scores, tray
    app = Zintu(s, in_place=True)
    app.slide()
    moved = app.board(app.wait_screen(lambda pixel: app.board(pixel)[SLID] == "B" and
                                      len(app.board(pixel).replace(".", "")) == 5, "move"))
    app.use_dialog("Сохранить", app.folder / "saved")  # a name to keep as it is
    wait_for(lambda: [p.name for p in app.folder.glob("saved*")] == ["saved"], "saved position")
    app.open_position(SLIDE)
    app.open_position(moved, app.folder / "saved")

    app.scores_window()
    app.click(BUTTONS["Свернуть"])
    wait_for(lambda: not s.viewable(app.window), "window hidden by Свернуть")
    tray = wait_for(lambda: s.windows("Wine System Tray"), "wine's notification area")[0]
    s.run("xdotool", "mousemove", "--window", tray, 10, 10, "click", "--repeat", 2, 1)
    app.wait_screen(lambda pixel: app.board(pixel) == moved, "window back from the tray")
    app.end("Выход", timeout=10)
    assert (s.exe.parent / "Zintu.scr").stat().st_size == 380, "no score file beside exe"


def scenario_installer(s):  # in a fresh wine prefix: install, play from the menu, again, uninstall
    s.run("wine", s.exe, "/S")
    drive = Path(s.env["WINEPREFIX"]) / "drive_c"
    home = next(p for p in (drive / "users").iterdir() if p.name != "Public")
    program, data = home / "AppData/Local/Programs/Zintu", home / "AppData/Roaming/Zintu/Zintu"
    menu = home / "AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Zintu"
    anna = shared_table(shared := s.folder("общая папка"))
    (data / "Zintu.ini").write_bytes(("Z:" + str(shared).replace("/", "\\")).encode("cp1251"))
    files, scores = sorted(program.rglob("*")), data / "Zintu.scr"
    game = "C:\\" + "\\".join((program / "zintu.exe").relative_to(drive).parts)  # as ps shows it
    for link, arguments in ("Zintu", ""), ("Zintu (символы на шарах)", " --symbols"):
        app = Zintu(s, link=menu / f"{link}.lnk")  # started in the data folder, it reads Zintu.ini
        assert s.run("ps", "-o", "args=", "-p", app.pid).strip() == game + arguments, link
        wait_for(lambda: scores.exists() and scores.read_bytes()[:38] == anna, "the shared table")
        app.end("Выход", timeout=10)  # which offers the game to the table, stored again
    assert sorted(program.rglob("*")) == files, "the installed game wrote into its program folder"

    players = lambda: {path.name: path.read_bytes() for path in data.iterdir()}
    kept = players()
    s.run("wine", s.exe, "/S")
    assert (sorted(program.rglob("*")), players()) == (files, kept), "installed again otherwise"
    s.run("wine", program / "Uninstall.exe", "/S")  # a copy of it goes on and removes the folder
    wait_for(lambda: not program.exists() and not menu.exists(), "program and shortcuts gone", 60)
    assert players() == kept, "uninstalling changed the player's folder"


def main(exe, shots, group):
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))  # ctest's timeout: leave no Xvfb
    with Session(Path(exe).resolve(), Path(shots) / f"e2e-{group}.png") as s:
        globals()[f"scenario_{group}"](s)
    print(f"ok   {group}")


if __name__ == "__main__":
    main(*sys.argv[1:])
