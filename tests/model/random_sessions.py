#!/usr/bin/env python3
"""Seeded, deterministic generator of random valid session scripts for the
Velbrik runner.

    python3 random_sessions.py [--count N] [--seed S] [--budget LINES] [--out DIR]

writes DIR/session-NNNN.session, or the scripts one after another to standard
output when --out is not given.  Session i of seed S is the same on every run
(compare.py makes the same sessions).

Every script is run, while it is being written, on the reference model with a
trace that only counts lines: this keeps each session within a line budget
(huge displays draw hundreds of thousands of lines per frame) and lets the
"autopilot" sessions steer the paddle under the ball, so that long games hit
bricks, clear levels and end.
"""
import argparse
import os
import random
import sys

sys.dont_write_bytecode = True          # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import velbrik_model as vm  # noqa: E402

S32_MIN, S32_MAX = -2147483648, 2147483647

WIDTHS = [0, 1, 2, 3, 10, 54, 55, 56, 99, 100, 101, 106, 107, 160, 200, 213, 256, 300, 319,
          320, 321, 333, 400, 448, 480, 512, 640, 800, 1000, 1024]
BIG_WIDTHS = [2048, 4096, 10000, 20000, 32767, 32768, 65534, 65535]
HEIGHTS = [0, 1, 2, 5, 20, 100, 150, 199, 200, 201, 240, 256, 300, 320, 400, 448, 480, 600,
           768, 1000, 4000, 65535]


class CountingTrace:
    """A trace that only counts its lines."""

    def __init__(self):
        self.n = 0
        self.on = True

    def __call__(self, *items):
        self.n += 1

    def encode(self, *items):
        return ""

    def raw(self, text, count):
        self.n += count


class Builder:
    """Writes script lines and runs each command on the model at once."""

    def __init__(self, rng, budget):
        self.rng = rng
        self.budget = budget
        self.trace = CountingTrace()
        self.m = vm.Module(self.trace)
        self.m.load()
        self.parser = vm.Parser()
        self.lines = []

    def full(self):
        return self.trace.n >= self.budget

    def fmt(self, v):
        """A number, mostly decimal, sometimes hexadecimal."""
        if self.rng.random() < 0.15:
            return "-0x%x" % -v if v < 0 else "0x%x" % v
        return str(v)

    def emit(self, text):
        cmd = self.parser.line(text)
        self.lines.append(text)
        self.m.run(cmd)

    # --- helpers over the model's state
    def display(self):
        return None if self.m.current is None else self.m.cur()

    def open_ids(self):
        return [i for i, d in enumerate(self.m.displays) if d is not None]

    def frame_cost(self, d):
        """Rough number of trace lines of one played frame of display d."""
        h = int(d.width * 0.003125 * 10)
        return 130 * h + 4 * max(d.paddleHeight, 0) + 2 * max(d.ballRadius, 0) + 40

    def text(self):
        return "\n".join(self.lines) + "\n"


# ---------------------------------------------------------------- choices

def pick_width(rng, big_ok=True):
    r = rng.random()
    if r < 0.7:
        return rng.choice(WIDTHS)
    if r < 0.85 or not big_ok:
        return rng.randint(0, 1100)
    return rng.choice(BIG_WIDTHS) if rng.random() < 0.6 else rng.randint(1100, 65535)


def pick_height(rng):
    return rng.choice(HEIGHTS) if rng.random() < 0.75 else rng.randint(0, 65535)


def cursor_cmd(b, kind=None):
    rng = b.rng
    x = b.m.cursorX
    kind = kind or rng.choices(["small", "large", "abs", "extreme"], [60, 25, 10, 5])[0]
    if kind == "small":
        x += rng.randint(-40, 40)
    elif kind == "large":
        x += rng.randint(-5000, 5000)
    elif kind == "abs":
        x = rng.randint(-3000, 3000)
    else:
        x = rng.choice([S32_MIN, S32_MAX, S32_MIN + 1, S32_MAX - 1, 0,
                        rng.randint(S32_MIN, S32_MAX), 1 << 30, -(1 << 30)])
    x = max(S32_MIN, min(S32_MAX, x))
    if rng.random() < 0.2:
        y = rng.choice([0, 1, -1, rng.randint(S32_MIN, S32_MAX), rng.randint(-500, 500)])
        return "cursor %s %s" % (b.fmt(x), b.fmt(y))
    return "cursor %s" % b.fmt(x)


def key_cmd(b):
    rng = b.rng
    code = rng.choices([0x13, 0x1F, None], [45, 25, 30])[0]
    if code is None:
        code = rng.choice([0, 0x31, 0x03, 0x10, 0x11, 0x113, 0x11F, 0xFFFFFFFF, 0x80000013,
                           rng.randint(0, 255), rng.randint(0, 0xFFFFFFFF)])
    return "key %s" % b.fmt(code)


def button_cmd(b):
    rng = b.rng
    bt = rng.choice([0, 0, 1, 1, 1, rng.randint(-2, 13), rng.randint(2, 11), S32_MIN, S32_MAX])
    ev = rng.choice([1, 1, 1, 0, 2, 3, -1, -2, 5, S32_MIN, S32_MAX, rng.randint(S32_MIN, S32_MAX)])
    return "button %s %s" % (b.fmt(bt), b.fmt(ev))


def label_cmd(b):
    rng = b.rng
    bt = rng.choice([rng.randint(-1, 13)] * 4 + [S32_MIN, S32_MAX, rng.randint(S32_MIN, S32_MAX)])
    return "label %s" % b.fmt(bt)


def message_cmd(b):
    rng = b.rng
    return "message %s" % b.fmt(rng.choice([0, 2, 3, 4, 10, 100, 0xFFFFFFFF,
                                            rng.randint(2, 0xFFFFFFFF)]))


def open_cmd(b, big_ok=True):
    return "open %s %s" % (b.fmt(pick_width(b.rng, big_ok)), b.fmt(pick_height(b.rng)))


def repaints_for(b, want):
    """At most `want` repaints, fewer when the budget would overflow."""
    d = b.display()
    left = max(0, b.budget - b.trace.n)
    return max(1, min(want, left // max(1, b.frame_cost(d))))


# ---------------------------------------------------------------- session kinds

def mixed_session(b):
    """Several displays, every command, short runs of repaints."""
    rng = b.rng
    b.emit(open_cmd(b))
    if rng.random() < 0.3:                       # a frame before any surface exists
        b.emit(rng.choice(["key 0x13", "button 1 1", "key 0x1F", "key 19"]))
    for _ in range(rng.randint(20, 250)):
        if b.full():
            break
        if b.display() is None:
            ids = b.open_ids()
            b.emit("use %d" % rng.choice(ids) if ids and rng.random() < 0.6 else open_cmd(b))
            continue
        op = rng.choices(["repaint", "cursor", "key", "button", "label", "menu", "version",
                          "message", "open", "use", "close"],
                         [30, 25, 15, 8, 4, 3, 2, 3, 3, 5, 2])[0]
        if op == "repaint":
            n = rng.choice([1, 1, 1, 2, 3, 5, 10, 30, 100])
            if rng.random() < 0.03:
                b.emit("repaint 0")
            elif n == 1 and rng.random() < 0.5:
                b.emit("repaint")
            else:
                b.emit("repaint %d" % repaints_for(b, n))
        elif op == "cursor":
            b.emit(cursor_cmd(b))
        elif op == "key":
            b.emit(key_cmd(b))
        elif op == "button":
            b.emit(button_cmd(b))
        elif op == "label":
            b.emit(label_cmd(b))
        elif op == "menu":
            b.emit("menu null" if rng.random() < 0.4 else "menu")
        elif op == "version":
            b.emit("version")
        elif op == "message":
            b.emit(message_cmd(b))
        elif op == "open":
            if len(b.open_ids()) < 4:
                b.emit(open_cmd(b))
        elif op == "use":
            b.emit("use %d" % rng.choice(b.open_ids()))
        elif op == "close":
            b.emit("close")
            if rng.random() < 0.3:
                b.emit(message_cmd(b))           # no display current: size word 0


def long_session(b, autopilot):
    """One display (sometimes two), a long game: thousands of frames; with
    the autopilot the cursor steers the paddle under the ball."""
    rng = b.rng
    # narrow displays draw few lines per frame, so their games can run to the end
    if rng.random() < 0.6:
        w = rng.choice([55, 56, 60, 64, 70, 80, 90, 100, 106, 107, rng.randint(50, 120)])
    else:
        w = rng.choice([128, 160, 200, 213, 256, 300, 320, 321, 333, 448, 480, rng.randint(120, 500)])
    hgt = int(w * rng.uniform(1.2, 2.5)) if rng.random() < 0.7 else rng.choice(HEIGHTS[3:14])
    b.emit("open %d %d" % (w, hgt))
    if rng.random() < 0.2:
        b.emit("open %d %d" % (pick_width(rng, False), pick_height(rng)))
        b.emit("use 0")
    b.emit(cursor_cmd(b, "abs"))
    b.emit("repaint")
    frames, target = 0, rng.randint(1000, 8000)
    noise = rng.choice([0.0, 0.2, 0.45, 0.7])
    while frames < target and not b.full():
        d = b.display()
        if rng.random() < 0.01 and len(b.open_ids()) > 1:
            b.emit("use %d" % rng.choice(b.open_ids()))
            continue
        if d.gameOver or d.levelClear == 1:
            b.emit("repaint %d" % repaints_for(b, rng.randint(1, 4)))
            if rng.random() < 0.15:
                overflow_paddle(b, d)
            else:
                b.emit(rng.choice(["key 0x1F", "button 0 1", "key 31"]))
            continue
        if not d.ballReleased:
            if rng.random() < 0.5:
                b.emit(cursor_cmd(b, "small"))
            if rng.random() < 0.3:
                b.emit("repaint %d" % repaints_for(b, rng.randint(1, 3)))
            b.emit(rng.choice(["key 0x13", "key 19", "button 1 1", "button 1 3"]))
            continue
        r = rng.random()
        if r < 0.004:
            b.emit(rng.choice(["key 0x1F", "key 0x13", "button 1 1", "button 0 1", "label 1",
                               "menu", "version"]))
        if autopilot:
            # aim the paddle's centre a little ahead of the ball, with an offset
            ahead = d.ballX + d.ballVX * rng.uniform(0, 10)
            off = rng.uniform(-noise, noise) * d.paddleWidth
            want = int(ahead - d.paddleWidth / 2 + off)
            x = b.m.lastCursorX + 2 * (want - d.paddleX) + rng.choice([-1, 0, 0, 1])
            x = max(S32_MIN, min(S32_MAX, x))
            if x != b.m.cursorX:
                b.emit("cursor %d" % x)
            n = rng.choice([1, 1, 1, 2, 3])
        else:
            if rng.random() < 0.6:
                b.emit(cursor_cmd(b, "small" if rng.random() < 0.9 else "large"))
            n = rng.choice([1, 2, 3, 5, 10, 20])
        b.emit("repaint %d" % repaints_for(b, n) if n > 1 else "repaint")
        frames += n


def edge_session(b):
    """Tiny and huge displays, extreme cursors, every control."""
    rng = b.rng
    w = rng.choice([0, 1, 2, 3, 54, 55, 56, 106, 107, 65535, 65534, 32768, rng.randint(0, 65535)])
    h = rng.choice([0, 1, 2, 65535, rng.randint(0, 65535), 200, int(w * rng.uniform(0.3, 1.0))])
    b.emit("open %d %d" % (w, h))
    for _ in range(rng.randint(10, 80)):
        if b.full():
            break
        op = rng.choices(["repaint", "cursor", "key", "button", "open", "overflow", "lose"],
                         [30, 35, 25, 8, 2, 4, 8])[0]
        d = b.display()
        if op == "overflow" and (d.gameOver or d.levelClear == 1):
            overflow_paddle(b, d)
        elif op in ("overflow", "lose"):
            # steer the paddle away from the ball, towards a lost ball and game over
            x = b.m.lastCursorX + (-4 if d.ballX > d.width / 2 else 4) * max(d.width, 100)
            b.emit("cursor %d" % max(S32_MIN, min(S32_MAX, x)))
            b.emit("repaint %d" % repaints_for(b, rng.choice([1, 3, 10])))
            if not d.ballReleased:
                b.emit("key 0x13")
        elif op == "repaint":
            b.emit("repaint %d" % repaints_for(b, rng.choice([1, 1, 2, 5, 20, 60])))
        elif op == "cursor":
            b.emit(cursor_cmd(b, rng.choice(["extreme", "extreme", "large", "small"])))
        elif op == "key":
            b.emit(rng.choice(["key 0x13", "key 0x1F", key_cmd(b)]))
        elif op == "button":
            b.emit(button_cmd(b))
        elif op == "open" and len(b.open_ids()) < 3:
            b.emit("open %d %d" % (rng.choice([0, 1, 320, 65535]), rng.choice([0, 200, 65535])))


def overflow_paddle(b, d):
    """While no frame is played (game over, level clear) the paddle is held
    only on the left: two cursor jumps of up to half the 32-bit range each put
    paddleX just below the largest 32-bit value, where paddleX + paddleWidth
    wraps around; then a new game."""
    rng = b.rng
    target = S32_MAX - rng.randint(-1, max(d.paddleWidth, 0) + 2)
    for _ in range(2):
        step = max(-(1 << 30) + 1, min((1 << 30) - 1, target - d.paddleX))
        b.emit("cursor %d" % vm.i32(b.m.lastCursorX + 2 * step))
        b.emit("repaint")
    b.emit(rng.choice(["key 0x1F", "button 0 1"]))
    b.emit("repaint %d" % repaints_for(b, rng.choice([1, 2, 5])))
    b.emit(rng.choice(["key 0x13", "button 1 1"]))
    b.emit("repaint %d" % repaints_for(b, rng.choice([1, 2, 5])))


def make_session(seed, budget=200000):
    """One script text for a seed."""
    rng = random.Random(seed)
    kind = rng.choices(["mixed", "long-auto", "long-walk", "edge"], [40, 30, 10, 20])[0]
    if kind.startswith("long"):
        budget *= 4
    b = Builder(rng, budget)
    b.lines.append("# random session, seed %d, kind %s" % (seed, kind))
    if rng.random() < 0.2:
        b.emit(rng.choice(["version", message_cmd(b), cursor_cmd(b)]))
    if kind == "mixed":
        mixed_session(b)
    elif kind == "edge":
        edge_session(b)
    else:
        long_session(b, kind == "long-auto")
    if b.display() is not None and rng.random() < 0.3:
        b.emit("close")
    return b.text()


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--count", type=int, default=1)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--budget", type=int, default=200000,
                    help="about how many trace lines a session may make (long ones 4x)")
    ap.add_argument("--out", help="folder for the scripts")
    a = ap.parse_args()
    if not a.out:
        for i in range(a.count):
            sys.stdout.write(make_session(a.seed * 1000003 + i, a.budget))
        return 0
    os.makedirs(a.out, exist_ok=True)
    for i in range(a.count):
        with open(os.path.join(a.out, "session-%04d.session" % i), "w") as f:
            f.write(make_session(a.seed * 1000003 + i, a.budget))
    return 0


if __name__ == "__main__":
    sys.exit(main())
