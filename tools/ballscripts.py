"""The table's two ball scripts and starting positions, played the way the
client plays them, so the table picture can be checked against them: where
every ball rolls, and where the pocket lines aim.

The scripts and the starting diamond are read from the client's own table in
src/client/table/ball_scripts.cpp, so there is one copy of them.

Ball coordinates are the left and top of a 24-pixel ball in the table panel,
which holds the table picture one pixel in from its corner.
"""

import math
import re
from pathlib import Path

CLIENT_TABLE = Path(__file__).resolve().parent.parent / "src" / "client" / "table" / "ball_scripts.cpp"
LINES_PER_SCRIPT = 27
BALLS = 10


def _array_body(source, name):
    """The text between the braces of the C++ array `name`."""
    found = re.search(name + r"\[\w*\]\s*=\s*\{(.*?)\};", source, re.S)
    if not found:
        raise SystemExit(f"ballscripts: no array {name} in {CLIENT_TABLE}")
    return found.group(1)


def _read_client_table():
    source = CLIENT_TABLE.read_text()
    scripts = {n: re.findall(r'"([^"]*)"', _array_body(source, f"kScript{n}")) for n in (1, 2)}
    start = [(int(x), int(y))
             for x, y in re.findall(r"\{\s*(-?\d+)\s*,\s*(-?\d+)\s*\}",
                                    _array_body(source, "kStart"))]
    if any(len(lines) != LINES_PER_SCRIPT for lines in scripts.values()) or len(start) != BALLS:
        raise SystemExit(f"ballscripts: {CLIENT_TABLE} does not hold two scripts of "
                         f"{LINES_PER_SCRIPT} lines and {BALLS} starting places")
    return scripts, start


SCRIPTS, START = _read_client_table()

TABLE_OFFSET = 1  # the table picture's left and top in the panel


def felt_box():
    """Left, top, right and bottom of the playing surface in the table picture."""
    return 7, 7, 463, 248


def pockets():
    """Centre and radius of each pocket in the table picture."""
    return [(17, 19, 13), (234, 12, 11.5), (453, 18, 13),
            (18, 236, 13), (232, 244, 11), (451, 236, 13)]


def pocket_aims(script):
    """Where each pocket line of a script sends its ball, as a centre in the table picture."""
    aims = []
    for line in SCRIPTS[script]:
        if line[0] == "p":
            top, left = (int(v) for v in line[3:].split(",")[:2])
            aims.append((left + 12 - TABLE_OFFSET, top + 12 - TABLE_OFFSET))
    return aims


def ball_paths(script):
    """Plays the break and the nine shots; returns (ball, x, y, state) after every step."""
    lines = SCRIPTS[script]
    x = [p[0] for p in START]
    y = [p[1] for p in START]
    tx, ty, nx, ny, sx, sy = ([0] * 10 for _ in range(6))
    state = ["n"] * 10
    moveline = -1
    steps_taken = []

    def aim(b):
        angle = math.atan2(tx[b] - x[b], ty[b] - y[b])
        sx[b] = round(180 / math.pi * math.sin(angle))
        sy[b] = round(180 / math.pi * math.cos(angle))

    def load():
        nonlocal moveline
        moveline += 1
        if moveline >= len(lines):
            return
        line = lines[moveline]
        b = int(line[1])
        state[b] = line[0]
        ty[b], tx[b], ny[b], nx[b] = (int(v) for v in line[3:].split(",")[:4])
        aim(b)

    def second_leg(b):
        tx[b], ty[b] = nx[b], ny[b]
        nx[b] = ny[b] = 0
        aim(b)

    def step():
        for b in range(10):
            if sx[b] == 0 and (sy[b] == 0 or state[b] == "n"):
                continue
            x[b] += sx[b]
            y[b] += sy[b]
            steps_taken.append((b, x[b], y[b], state[b]))
            if abs(ty[b] - y[b]) < abs(sy[b]):
                sy[b] = 0
            if abs(tx[b] - x[b]) < abs(sx[b]):
                sx[b] = 0
            if sx[b] or sy[b]:
                continue
            if state[b] == "b":
                if b == 0:
                    load()
                state[b] = "m"
                if ny[b] == 0 or nx[b] == 0:
                    state[b] = "n"
                else:
                    second_leg(b)
            elif state[b] in ("p", "m"):
                state[b] = "n"
            elif state[b] == "s" and b == 0:
                for _ in range(8):
                    load()
                state[b] = "m"
                second_leg(b)

    load()
    for shot in range(10):
        if shot:
            load()
        for _ in range(40):
            step()
    return steps_taken
