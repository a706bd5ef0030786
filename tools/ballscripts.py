"""The table's two ball scripts and starting positions, played the way the
client plays them, so the table picture can be checked against them: where
every ball rolls, and where the pocket lines aim.

Ball coordinates are the left and top of a 24-pixel ball in the table panel,
which holds the table picture one pixel in from its corner.
"""

import math

SCRIPTS = {
    1: """s0:113,155,169,251, m1:54,345,0,0, m2:37,231,0,0, m3:96,231,0,0, m4:28,84,0,0,
          m5:203,308,0,0, m9:136,172,0,0, m6:69,42,0,0, m7:172,74,0,0, b0:65,328,89,264,
          p1:6,441,0,0, b0:57,236,73,188, p2:5,223,0,0, b0:85,213,29,173, p3:224,439,0,0,
          b0:29,104,133,208, p4:15,4,0,0, b0:197,288,85,192, p5:215,436,0,0,
          b0:85,48,117,32, p6:10,7,0,0, b0:181,56,53,136, p7:213,436,0,0,
          b0:93,72,69,152, p8:221,8,0,0, b0:117,163,85,256, p9:232,220,0,0,""".split(),
    2: """s0:102,157,174,341, m1:126,393,0,0, m2:29,183,0,0, m3:193,264,0,0,
          b4:26,276,50,324, b5:203,68,179,124, m6:61,42,0,0, m7:144,26,0,0,
          b8:109,24,157,215, b0:147,389,0,0, p1:6,441,0,0, b0:38,197,126,333,
          p2:13,7,0,0, b0:182,280,22,376, p3:232,221,0,0, b0:39,338,47,218,
          p4:217,8,0,0, b0:179,130,179,115, p5:217,8,0,0, b0:78,55,0,0, p6:13,7,0,0,
          b0:126,25,174,97, p7:217,8,0,0, b0:168,195,152,39, p8:6,441,0,0,
          b0:125,84,157,252, p9:3,222,0,0,""".split(),
}

START = [(337, 102), (137, 110), (119, 101), (119, 120), (100, 92), (100, 131), (82, 101),
         (82, 120), (64, 109), (100, 112)]

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
