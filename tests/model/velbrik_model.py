#!/usr/bin/env python3
"""Independent reference model of the Velbrik display module and of the
headless runner that drives it.

    python3 velbrik_model.py SCRIPT     (SCRIPT may be '-' for standard input)

prints to standard output the call trace the runner writes for the session
script: one compact JSON array per line.  A bad script line is reported on
standard error as FILE:LINE: message, with exit status 2 and no trace.

C semantics are emulated exactly: 32-bit signed integers wrap, integer halving
and float-to-integer conversion truncate toward zero, an out-of-range or NaN
float converts to -2147483648, and every floating-point expression keeps the
order of operations of the rules.
"""
import json
import math
import re
import sys

# ---------------------------------------------------------------- C helpers

INT_MIN = -2147483648


def i32(v):
    """Wrap an integer into the 32-bit signed range (two's complement)."""
    return ((v + 2147483648) & 0xFFFFFFFF) - 2147483648


def half(v):
    """Signed integer division by 2, truncating toward zero."""
    q = abs(v) >> 1
    return q if v >= 0 else -q


def ftoi(f):
    """Float to 32-bit int: truncation toward zero; x86 'indefinite' when out
    of range or NaN."""
    if f != f or f >= 2147483648.0 or f <= -2147483649.0:
        return INT_MIN
    return int(f)


def c_acos(x):
    """acos as the C library gives it (NaN outside [-1, 1], no exception)."""
    try:
        return math.acos(x)
    except ValueError:
        return math.nan


def c_cos(x):
    try:
        return math.cos(x)
    except ValueError:
        return math.nan


def c_sin(x):
    try:
        return math.sin(x)
    except ValueError:
        return math.nan


# ---------------------------------------------------------------- constants

GREEN, YELLOW, WHITE, GREY = 0x00FF00, 0x00FFFF, 0xFFFFFF, 0x7F7F7F
KEY_R, KEY_S = 0x13, 0x1F
MODE_NAME, MODE_KEY = "Velbrik", 0x31
VERSION_DATE = "Apr 25 2006"
BEGIN_MARKER = object()          # recognised by identity, never by its text ":@BEGIN:"
WARNING = "@WARNING:STRING TO LONG!"
PROMPT = "      Release ball! (Shift+R) "
LABELS = ["NEW", "REL"] + [""] * 10
BUTTON_KEYS = [0x1F, 0x13, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x10, 0x11]
MENU = [["Start new Game", None, "S"], ["Release Ball", None, "R"]] + [[None, None, None]] * 10
PI15 = 3.14159265358979


# ---------------------------------------------------------------- trace

class Trace:
    """Writes trace lines (compact JSON arrays); a Trace without output
    discards them (used by the script generator's autopilot)."""

    _enc = json.JSONEncoder(separators=(",", ":")).encode

    def __init__(self, write=None):
        self.write = write
        self.on = write is not None

    def __call__(self, *items):
        if self.on:
            self.write(self._enc(items) + "\n")

    def encode(self, *items):
        """One call's line, for a block written later with raw()."""
        return self._enc(items) + "\n" if self.on else ""

    def raw(self, text, count):
        """A block of `count` lines made by encode()."""
        if self.on:
            self.write(text)


class Brick:
    """One brick of the field."""
    __slots__ = ("x", "y", "w", "h", "hits", "pen", "alive")

    def __init__(self):
        self.x = self.y = self.w = self.h = self.hits = self.pen = 0
        self.alive = False


# ---------------------------------------------------------------- the game display

class BrickMFD:
    """The game display: state, frame, bricks, motion, collisions, controls,
    texts and drawing."""

    def __init__(self, module, width, height):
        self.m = module
        module.trace("MFD", width, height)      # base constructor
        self.surface = False                    # true once Repaint has passed one
        self.debugReadout = False
        self.height = height
        self.width = width
        self.ballX = self.ballY = 0.0
        self.ballVX = self.ballVY = 0.0
        s = self.scale()
        self.paddleWidth = ftoi(35 * s)
        self.paddleHeight = ftoi(10 * s)
        self.paddleBottom = ftoi(height - 10 * s)
        self.ballRadius = ftoi(3 * s)
        self.newGamePending = True
        self.ballOnPaddle = True
        self.gameOver = False
        self.ballReleased = False
        self.levelClear = 0
        self.score = 0
        self.ballsLeft = 1
        self.paddleX = half(width - self.paddleWidth)
        self.bricks = [Brick() for _ in range(60)]
        self.field = None           # DrawBricks' lines, cached until a brick retires

    def scale(self):
        return self.width * 0.003125

    def destroy(self):
        self.m.trace("~MFD")                    # the virtual destructor runs only the base one

    # drawing calls go to the surface only once a Repaint has provided one
    def draw(self, *call):
        if self.surface:
            self.m.trace(*call)

    # ---- Repaint and Step

    def Repaint(self):
        self.surface = True
        self.draw("SetTextColor", GREEN)
        self.PrintLine(BEGIN_MARKER)
        self.Step(False)
        if self.debugReadout:
            t = "%f" % self.ballVY
            self.draw("TextOutA", 0, self.LineY(18), t, len(t))

    def Step(self, launch):
        self.TrackMouse()
        self.DrawStatus()
        if launch:
            self.LaunchBall()
        if self.levelClear == 0 and not self.newGamePending:
            self.CountBricks()
        if not self.gameOver and self.levelClear != 1:
            if self.newGamePending:
                self.ballOnPaddle = True
                self.ballReleased = False
                self.LayoutBricks()
            self.DrawBricks()
            self.DrawPaddle()
            self.RestBallOnPaddle()
            self.DrawBall()
            for _ in range(10):
                self.MoveBall()
                self.CollideBricks()
                self.CollideWallsAndPaddle()
                if self.ballOnPaddle or self.gameOver:
                    break
            self.newGamePending = False

    def NewGame(self):
        self.ballX = float(i32(half(self.paddleWidth) + self.paddleX))
        self.ballY = float(i32(self.paddleBottom - self.paddleHeight))
        self.ballVX = self.ballVY = 0.0
        s = self.scale()
        self.paddleWidth = ftoi(35 * s)
        self.paddleHeight = ftoi(10 * s)
        self.paddleBottom = ftoi(self.height - 10 * s)
        self.score = 0
        self.ballReleased = False
        self.levelClear = 0
        self.newGamePending = True
        self.ballsLeft = 1

    # ---- brick field: LayoutBricks, DrawBricks, CountBricks

    def LayoutBricks(self):
        s = self.scale()
        stepX = ftoi(35 * s)
        stepY = ftoi(24 * s)
        firstX = ftoi(s + s)
        cy = ftoi(45 * s)
        cx = firstX
        row = 0
        self.field = None
        for i, b in enumerate(self.bricks):
            b.y, b.x = cy, cx
            b.w = ftoi(self.width * 0.003125 * 30)
            b.h = ftoi(self.width * 0.003125 * 10)
            b.alive = True
            if i < 9 or i > 50:
                b.hits, b.pen = 2, 3
            else:
                b.hits, b.pen = 1, 2
            cx = i32(cx + stepX)
            if i32(cx + stepX) > self.width:
                row += 1
                cx = firstX if row % 2 == 0 else ftoi(stepX * 0.5 + firstX)
                cy = i32(cy + stepY)

    def DrawBricks(self):
        if not self.surface:
            return
        if self.field is None:
            # the field's lines change only with LayoutBricks and a retired
            # brick: encode them once and write the same block every frame
            enc, lines = self.m.trace.encode, []
            for b in self.bricks:
                lines.append(enc("SelectDefaultPen", b.pen))
                if b.alive and b.h > 0:
                    x2 = i32(b.x + b.w)
                    for k in range(b.h):
                        yk = i32(b.y + k)
                        lines.append(enc("MoveToEx", b.x, yk))
                        lines.append(enc("LineTo", x2, yk))
            self.field = ("".join(lines), len(lines))
        self.m.trace.raw(*self.field)

    def CountBricks(self):
        if sum(1 for b in self.bricks if b.alive) == 0:
            self.levelClear += 1

    # ---- ball and paddle motion

    def TrackMouse(self):
        m = self.m
        m.trace("GetCursorPos")                 # always succeeds in the stand-in host
        cx = m.cursorX
        self.paddleX = i32(self.paddleX + half(i32(cx - m.lastCursorX)))
        m.lastCursorX = cx
        if self.paddleX < 0:
            self.paddleX = 0

    def LaunchBall(self):
        self.ballX = float(i32(self.paddleX + half(self.paddleWidth)))
        self.ballY = float(i32(self.paddleBottom - self.paddleHeight))
        if i32(self.paddleX + self.paddleWidth) > self.width:
            self.ballX = float(i32(self.width - half(self.paddleWidth)))
        self.ballOnPaddle = False
        self.ballReleased = True
        self.ballVX = 0.5 * self.scale()
        self.ballVY = -1.0 * self.scale()

    def RestBallOnPaddle(self):
        if not self.ballOnPaddle:
            return
        self.PrintReleasePrompt()
        self.ballX = float(i32(half(self.paddleWidth) + self.paddleX))
        self.ballY = float(i32(i32(self.paddleBottom - self.paddleHeight) - half(self.ballRadius)))
        self.ballVX = self.ballVY = 0.0

    def MoveBall(self):
        self.ballX += self.ballVX
        self.ballY += self.ballVY

    def CollideWallsAndPaddle(self):
        r = float(self.ballRadius)
        if self.width <= self.ballX + r:
            self.ballVX = -self.ballVX
        if self.ballX - r <= 0:
            self.ballVX = -self.ballVX
        if self.ballY - r <= 0:
            self.ballVY = -self.ballVY
        top = float(i32(self.paddleBottom - self.paddleHeight))
        if not (top < self.ballY + r and self.ballVY > 0):
            return
        if self.paddleX <= self.ballX <= i32(self.paddleX + self.paddleWidth):
            speed = math.sqrt(self.ballVX * self.ballVX + self.ballVY * self.ballVY)
            angle = c_acos(self.ballVX / speed)
            self.debugReadout = False
            angle = angle + (self.ballX - (self.paddleWidth * 0.5 + self.paddleX)) * -0.05
            if angle < 0.2:
                angle = 0.2
            if angle + 0.2 > PI15:
                angle = PI15 - 0.2
            self.ballVX = c_cos(angle) * speed
            self.ballVY = -(c_sin(angle) * speed)
            self.DrawBall()
            return
        self.ballsLeft = i32(self.ballsLeft - 1)
        self.ballOnPaddle = True
        self.ballReleased = False
        if self.ballsLeft == -1:
            self.gameOver = True

    # ---- CollideBricks: edge crossings of the ball's centre

    def CollideBricks(self):
        for b in self.bricks:
            if not b.alive:
                continue
            x, y, w, h = float(b.x), float(b.y), float(b.w), float(b.h)
            vy = self.ballVY
            if vy < 0:
                crossed = y + h >= self.ballY and self.ballY - vy > y + h
            elif vy > 0:
                crossed = y <= self.ballY and self.ballY - vy < y
            else:
                crossed = False
            if crossed and x <= self.ballX <= x + w:
                b.hits = i32(b.hits - 1)
                self.ballVY = -self.ballVY
                self.score = i32(self.score + 1)
                self.DrawBricks()
            vx = self.ballVX
            if vx > 0:
                crossed = x <= self.ballX and self.ballX - vx < x
            elif vx < 0:
                crossed = x + w >= self.ballX and self.ballX - vx > x + w
            else:
                crossed = False
            if crossed and y <= self.ballY <= y + h:
                b.hits = i32(b.hits - 1)
                self.ballVX = -self.ballVX
                self.score = i32(self.score + 1)
                self.DrawBricks()
            if b.hits <= 0:
                if b.alive:
                    self.field = None
                b.alive = False

    # ---- texts: LineY, PrintLine, DrawStatus, PrintReleasePrompt

    def LineY(self, n):
        return ftoi(self.height * 0.05 * n)

    def PrintLine(self, text):
        m = self.m
        if text is BEGIN_MARKER:
            m.printLine = -1
            return
        m.printLine = i32(m.printLine + 1)
        self.draw("TextOutA", 0, self.LineY(m.printLine), text, len(text))
        if len(text) > 38:
            self.draw("SetTextColor", YELLOW)
            self.PrintLine(WARNING)
            self.draw("SetTextColor", WHITE)

    def DrawStatus(self):
        y = self.LineY(0)
        score = "%i" % self.score
        self.draw("TextOutA", 0, y, " Score:", 7)
        self.draw("TextOutA", 90, y, score, len(score))
        balls = "%i" % self.ballsLeft
        self.draw("TextOutA", i32(self.width - 100), y, "Balls: ", 7)
        if self.ballsLeft == -1:
            balls = "0"
        self.draw("TextOutA", i32(self.width - 20), y, balls, len(balls))
        if self.ballsLeft != -1:
            self.gameOver = False
        cx, cy = i32(half(self.width) - 70), half(self.height)
        if self.gameOver:
            self.draw("TextOutA", cx, cy, "- Game Over! -", 14)
        if self.levelClear == 1:
            self.draw("TextOutA", cx, cy, "- Level Clear! -", 16)

    def PrintReleasePrompt(self):
        for _ in range(10):
            self.PrintLine("")
        self.draw("SetTextColor", WHITE)
        self.PrintLine(PROMPT)

    # ---- DrawPaddle, DrawBall

    def DrawPaddle(self):
        self.draw("SetTextColor", YELLOW)
        pw = self.paddleWidth
        if i32(self.paddleX + pw) > self.width:
            self.paddleX = i32(self.width - pw)
            if self.ballOnPaddle:
                self.ballX = float(i32(half(pw) + self.paddleX))
        if not self.surface:
            return
        t = self.m.trace
        px, h, bottom = self.paddleX, self.paddleHeight, self.paddleBottom
        hf = half(h)
        top = i32(bottom - h)
        t("SelectDefaultPen", 5)
        if h > 0:
            x1, x2 = i32(px + hf), i32(i32(px + pw) - hf)
            for k in range(h):
                t("MoveToEx", x1, i32(top + k))
                t("LineTo", x2, i32(top + k))
            for k in range(h):
                t("Ellipse", i32(px + k), i32(top + k), i32(i32(px + h) - k), i32(bottom - k))
                t("Ellipse", i32(i32(i32(px + pw) - h) + k), i32(top + k),
                  i32(i32(px + pw) - k), i32(bottom - k))
        xl, xr = i32(i32(px + hf) - 1), i32(i32(px + pw) - hf)
        yb = i32(bottom - hf)
        t("SetPixel", xl, i32(yb - 2), GREY)
        t("SetPixel", xl, yb, GREY)
        t("SetPixel", xr, i32(yb - 1), GREY)
        t("SetPixel", xr, i32(yb - 2), GREY)
        t("SetPixel", xr, yb, GREY)
        t("SelectDefaultPen", 1)

    def DrawBall(self):
        if not self.surface:
            return
        t = self.m.trace
        bx, by = self.ballX, self.ballY
        t("SelectDefaultPen", 0)
        if self.ballRadius >= 0:
            for k in range(self.ballRadius + 1):
                t("Ellipse", ftoi(bx - k), ftoi(by - k), ftoi(bx + k), ftoi(by + k))
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                t("SetPixel", ftoi(bx + dx), ftoi(by + dy), GREEN)

    # ---- controls

    def ConsumeKeyBuffered(self, key):
        if key == KEY_R:
            if not self.ballReleased:
                self.Step(True)
            return True
        if key == KEY_S:
            self.NewGame()
            return True
        return False

    def ConsumeButton(self, bt, event):
        if event & 1 and 0 <= bt <= 11:
            return self.ConsumeKeyBuffered(BUTTON_KEYS[bt])
        return False

    def ButtonLabel(self, bt):
        return LABELS[bt] if 0 <= bt <= 11 else None

    def ButtonMenu(self, want_table):
        return 12


# ---------------------------------------------------------------- module and stand-in host

class Module:
    """Module-wide state plus the stand-in host's side: load and unload, the
    mode handler, the cursor and the open displays."""

    def __init__(self, trace):
        self.trace = trace
        self.lastCursorX = 0
        self.printLine = -1
        self.modeId = 0
        self.cachedVersion = 0
        self.exitHook = None
        self.cursorX = self.cursorY = 0
        self.nextModeId = 1
        self.displays = []          # every display ever opened; None once closed
        self.current = None

    # module entry at process attach, then the host's opcDLLInit
    def load(self):
        t = self.trace
        t("@", "load")
        t("InitLib")
        t("GetProcAddress", "ExitModule")       # not exported by this module
        t("GetProcAddress", "opcDLLExit")
        self.exitHook = self.opcDLLExit
        t("oapiRegisterMFDMode", MODE_NAME, MODE_KEY)
        self.modeId = self.nextModeId
        self.nextModeId += 1

    def opcDLLExit(self):
        self.trace("oapiUnregisterMFDMode", self.modeId)

    # runner's unload: open displays deleted in order, then the entry's detach
    def unload(self):
        self.trace("@", "unload")
        for d in self.displays:
            if d is not None:
                d.destroy()
        self.displays = [None] * len(self.displays)
        self.current = None
        if self.exitHook:
            self.exitHook()

    def GetModuleVersion(self):
        if self.cachedVersion == 0:
            self.trace("Date2Int", VERSION_DATE)
            self.cachedVersion = 20060425        # the stand-in's Date2Int
        return self.cachedVersion

    def MsgProc(self, msg, size_word):
        if msg == 1:
            return BrickMFD(self, size_word & 0xFFFF, (size_word >> 16) & 0xFFFF)
        return None

    def cur(self):
        return self.displays[self.current]

    def run(self, cmd):
        """One script command: its trace line, its calls, its result."""
        t = self.trace
        op, a = cmd[0], cmd[1:]
        if op == "open":
            t("@", "open", a[0], a[1])
            d = self.MsgProc(1, a[0] | a[1] << 16)
            if d is None:
                t("=", None)
            else:
                self.displays.append(d)
                self.current = len(self.displays) - 1
                t("=", self.current)
        elif op == "use":
            t("@", "use", a[0])
            self.current = a[0]
        elif op == "cursor":
            t("@", "cursor", a[0], a[1])
            self.cursorX, self.cursorY = a[0], a[1]
        elif op == "repaint":
            d = self.cur()
            for _ in range(a[0]):
                t("@", "repaint")
                d.Repaint()
        elif op == "key":
            t("@", "key", a[0])
            t("=", self.cur().ConsumeKeyBuffered(a[0]))
        elif op == "button":
            t("@", "button", a[0], a[1])
            t("=", self.cur().ConsumeButton(a[0], a[1]))
        elif op == "label":
            t("@", "label", a[0])
            t("=", self.cur().ButtonLabel(a[0]))
        elif op == "menu":
            if a[0]:
                t("@", "menu", "null")
                t("=", self.cur().ButtonMenu(False))
            else:
                t("@", "menu")
                t("=", self.cur().ButtonMenu(True), MENU)
        elif op == "version":
            t("@", "version")
            t("=", self.GetModuleVersion())
        elif op == "message":
            t("@", "message", a[0])
            d = self.cur() if self.current is not None else None
            self.MsgProc(a[0], d.width | d.height << 16 if d else 0)
        elif op == "close":
            t("@", "close")
            self.cur().destroy()
            self.displays[self.current] = None
            self.current = None


# ---------------------------------------------------------------- script parsing

class ScriptError(Exception):
    pass


_NUM = re.compile(r"-?(0[xX][0-9a-fA-F]+|[0-9]+)\Z")


def num(tok, name, lo, hi):
    if not _NUM.match(tok):
        raise ScriptError("%s must be a number from %d to %d, got '%s'" % (name, lo, hi, tok))
    neg = tok.startswith("-")
    body = tok[1:] if neg else tok
    v = int(body, 16) if body[:2] in ("0x", "0X") else int(body, 10)
    v = -v if neg else v
    if not lo <= v <= hi:
        raise ScriptError("%s must be a number from %d to %d, got '%s'" % (name, lo, hi, tok))
    return v


S32 = (-2147483648, 2147483647)
U32 = (0, 4294967295)
ARGS = {"open": (2, 2), "use": (1, 1), "cursor": (1, 2), "repaint": (0, 1), "key": (1, 1),
        "button": (2, 2), "label": (1, 1), "menu": (0, 1), "version": (0, 0),
        "message": (1, 1), "close": (0, 0)}
NEEDS_DISPLAY = {"repaint", "key", "button", "label", "menu", "close"}


class Parser:
    """Checks script lines one by one, keeping track of the open displays."""

    def __init__(self):
        self.opened = []            # per display number: still open?
        self.current = None

    def line(self, raw):
        """One script line: a command tuple, or None for a blank or comment."""
        toks = raw.split("#", 1)[0].split()
        if not toks:
            return None
        op, a = toks[0], toks[1:]
        if op not in ARGS:
            raise ScriptError("unknown command '%s'" % op)
        lo, hi = ARGS[op]
        if not lo <= len(a) <= hi:
            raise ScriptError("%s takes %d to %d arguments, got %d" % (op, lo, hi, len(a)))
        if op in NEEDS_DISPLAY and self.current is None:
            raise ScriptError("%s: no display is current" % op)
        if op == "open":
            cmd = (op, num(a[0], "W", 0, 65535), num(a[1], "H", 0, 65535))
            self.opened.append(True)
            self.current = len(self.opened) - 1
        elif op == "use":
            k = num(a[0], "K", 0, 2147483647)
            if k >= len(self.opened) or not self.opened[k]:
                raise ScriptError("use: display %d is not open" % k)
            cmd, self.current = (op, k), k
        elif op == "cursor":
            cmd = (op, num(a[0], "X", *S32), num(a[1], "Y", *S32) if len(a) > 1 else 0)
        elif op == "repaint":
            cmd = (op, num(a[0], "N", 0, 1000000) if a else 1)
        elif op == "key":
            cmd = (op, num(a[0], "CODE", *U32))
        elif op == "button":
            cmd = (op, num(a[0], "BT", *S32), num(a[1], "EVENT", *S32))
        elif op == "label":
            cmd = (op, num(a[0], "BT", *S32))
        elif op == "menu":
            if a and a[0] != "null":
                raise ScriptError("menu: the only argument it takes is 'null'")
            cmd = (op, bool(a))
        elif op == "message":
            m = num(a[0], "M", *U32)
            if m == 1:
                raise ScriptError("message: M must not be 1")
            cmd = (op, m)
        elif op == "close":
            self.opened[self.current] = False
            cmd, self.current = (op,), None
        else:
            cmd = (op,)
        return cmd


def parse(text):
    """Parse and check a whole script; returns a list of command tuples."""
    p, cmds = Parser(), []
    for no, raw in enumerate(text.splitlines(), 1):
        try:
            cmd = p.line(raw)
        except ScriptError as e:
            raise ScriptError("%d: %s" % (no, e))
        if cmd is not None:
            cmds.append(cmd)
    return cmds


def run_script(cmds, write):
    """Load, run every command, unload, writing the trace through write()."""
    m = Module(Trace(write))
    m.load()
    for c in cmds:
        m.run(c)
    m.unload()


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: velbrik_model.py SCRIPT\n")
        return 2
    path = argv[1]
    try:
        text = sys.stdin.read() if path == "-" else open(path, encoding="utf-8").read()
    except OSError as e:
        sys.stderr.write("%s: %s\n" % (path, e))
        return 2
    try:
        cmds = parse(text)
    except ScriptError as e:
        sys.stderr.write("%s:%s\n" % (path, e))
        return 2
    buf = []

    def write(line):
        buf.append(line)
        if len(buf) >= 8192:
            sys.stdout.write("".join(buf))
            buf.clear()

    run_script(cmds, write)
    sys.stdout.write("".join(buf))
    sys.stdout.flush()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
