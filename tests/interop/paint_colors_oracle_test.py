#!/usr/bin/env python3
"""Checks the colour tables of the four themes against an oracle written here from the colour
formulas alone (HLS conversions, the HLS adjustment, each theme's table), not from the C++ code.

    paint_colors_oracle_test.py PATH/TO/paint_colors_probe.exe

For each injected environment (the system colours Wine gives, no scheme, the blue, olive and
silver schemes, 8 bits per pixel) the probe prints every system entry and framework colour number
of every theme; each must equal the oracle's answer.
"""
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]


def rgb(r, g, b):
    return (r & 255) | (g & 255) << 8 | (b & 255) << 16


def channels(c):
    return c & 255, (c >> 8) & 255, (c >> 16) & 255


def muldiv(a, b, c):
    """The system's MulDiv: a x b / c rounded half away from zero."""
    p = a * b
    q, negative = abs(p), (p < 0) != (c < 0)
    r = (q + abs(c) // 2) // abs(c)
    return -r if negative else r


def to_hls(c):
    r, g, b = (v * 0.00392156862745098 for v in channels(c))
    hi, lo = max(r, g, b), min(r, g, b)
    lightness = (hi + lo) / 2
    if hi == lo:
        return 0.0, lightness, 0.0
    d = hi - lo
    saturation = d / (hi + lo) if lightness < 0.5 else d / (2 - hi - lo)
    if r == hi:
        hue = (g - b) / d
    elif g == hi:
        hue = 2 + (b - r) / d
    else:
        hue = 4 + (r - g) / d
    hue /= 6
    if hue < 0:
        hue += 1
    return hue, lightness, saturation


def from_hls(hue, lightness, saturation):
    if saturation == 0:
        v = int(lightness * 255)
        return rgb(v, v, v)
    m2 = lightness * (1 + saturation) if lightness <= 0.5 else lightness + saturation - lightness * saturation
    m1 = 2 * lightness - m2

    def value(h):
        if h < 0:
            h += 1
        if h > 1:
            h -= 1
        if 6 * h < 1:
            return m1 + (m2 - m1) * (6 * h)
        if 2 * h < 1:
            return m2
        if 3 * h < 2:
            return m1 + (m2 - m1) * (2.0 / 3.0 - h) * 6
        return m1

    return rgb(int(value(hue + 1.0 / 3.0) * 255), int(value(hue) * 255), int(value(hue - 1.0 / 3.0) * 255))


def adj(c, fh, fl, fs):
    def move(p, f):
        if f > 0:
            p = p + (1 - p) * f
        elif f < 0:
            p = p * (1 + f)
        return min(1.0, max(0.0, p))

    h, l, s = to_hls(c)
    return from_hls(move(h, fh), move(l, fl), move(s, fs))


def scaled(c, pr, pg, pb):
    r, g, b = channels(c)
    return rgb(r * pr // 1000, g * pg // 1000, b * pb // 1000)


class Table:
    """Colour entries and aliases; lookups fall back to entry 15."""

    def __init__(self, system):
        self.entries = list(system)
        self.alias = {}

    def at(self, n):
        if n > 999:
            n = self.alias.get(n, 15)
        if n < 0 or n >= len(self.entries):
            n = 15
        return self.entries[n]

    def add(self, n, colour):
        self.entries.append(colour)
        self.alias[n] = len(self.entries) - 1
        return self.alias[n]

    def point(self, numbers, index):
        for n in numbers:
            self.alias[n] = index


def scheme_active(theme, env):
    if theme == 2:
        return env["bound"]
    if not (env["bound"] and env["read"]):
        return False
    return env["scheme"] in ((1, 3) if theme == 4 else (1, 2, 3))


def scheme_pair(theme, env):
    if theme == 4 and env["scheme"] == 1:
        return rgb(225, 225, 210), rgb(49, 106, 197)
    band = env["taskband"]
    hue, _, saturation = to_hls(band[5])
    lightness = (to_hls(band[0])[1] + to_hls(band[2])[1]) / 2
    return from_hls(hue, lightness, saturation), adj(band[6], 0.01, 0, 0)


def classic(t):
    t.alias = {}
    for numbers, entry in (((1000, 1001, 2000), 15), ((1002, 1003, 2002), 22), ((1004, 1005, 2004), 20),
                           ((1006, 1007, 2006), 16), ((1008, 1009, 2008), 21), ((1010, 1011), 8), ((2010,), 16)):
        t.point(numbers, entry)


EDGE = (1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 2002, 2004, 2006, 2008)


def xp(t, sysc, bpp, active):
    F, HL, SH, DK, W, H, T = (sysc[i] for i in (15, 20, 16, 21, 5, 13, 18))
    classic(t)
    deep = bpp > 8
    light_face = adj(F, 0, 0.2, 0) if deep else F
    if deep:
        selection = adj(H, 0, 0.65, 0) if active else adj(H, 0, 0.7, -0.7)
        selection_dark = adj(H, 0, 0.4, 0) if active else adj(H, 0, 0.5, -0.7)
        wr, wg, wb = channels(W)
        menu = rgb(wr - muldiv(wr, 2, 85), wg - muldiv(wg, 5, 182), wb - muldiv(wb, 10, 319))
        face86 = scaled(F, 857, 857, 857)
        face99 = scaled(F, 999, 995, 995)
        edge = rgb(*((3 * a + b) // 4 for a, b in zip(channels(SH), channels(DK))))
        accent = H
    else:
        selection, selection_dark, menu, face86, face99, edge, accent = F, SH, W, SH, SH, SH, T
    t.add(1000, light_face)
    t.add(1001, selection)
    t.point(EDGE, t.add(1002, edge))
    t.point((1010,), 8)
    t.add(1011, rgb(0, 0, 0) if deep else HL)
    t.point((2010,), 16)
    t.point((2006,), 14)
    for n, c in ((2000, light_face), (2001, menu), (2002, face86), (2003, selection_dark), (2004, accent),
                 (2005, face99)):
        t.add(n, c)
    t.point((2007,), 21)
    t.add(2008, menu)
    t.add(2009, t.at(1000))


def t1_of(a):
    t0 = adj(a, 0, 0.95, -0.05)
    r, g, b = channels(t0)
    return rgb(r + muldiv(255 - r, 40, 100), g + muldiv(255 - g, 20, 100), b)


def office(t, sysc, bpp, env, theme):
    active = scheme_active(theme, env)
    xp(t, sysc, bpp, active)
    if bpp <= 8:
        t.add(3014, t.at(16))
        return
    if not active:
        t.point((3000, 3010, 3002, 3012, 3015), 5)
        t.point((3001,), 15)
        t.add(3011, adj(t.at(15), 0, -0.2, 0))
        t.add(3003, adj(t.at(16), 0, 0.2, 0))
        t.add(3004, adj(t.at(16), 0, 0.7, 0.1))
        t.add(3005, adj(t.at(16), 0, -0.05, 0))
        t.point((3006,), t.add(3007, adj(t.at(2003), 0, 0.3, 0)))
        t.point((3008,), t.add(3009, adj(t.at(2003), 0, 0.6, 0)))
        t.point((3013,), 18)
        t.point((3014,), 16)
        t.add(3016, t.at(2000))
        t.add(3017, t.at(2001))
        t.point((3018,), 15)
        return
    A, B = scheme_pair(theme, env)
    silver = env["scheme"] == 3
    t.add(1000, adj(A, 0, 0.2, 0))
    t.add(1001, adj(B, 0.02, 0.6, 0.45))
    t.point(EDGE, t.add(1002, adj(A, 0, -0.25, 0)))
    t.point((1010, 1011), 8)
    t.point((2010,), 16)
    t.point((2006,), 18)
    steps = [
        (2000, lambda: adj(A, 0, 0.2, 0)), (2001, lambda: adj(t1_of(A), 0, 0.06, 0.05)),
        (2002, lambda: scaled(A, 857, 857, 857)), (2003, lambda: adj(B, 0, -0.3, 0.45)),
        (2004, lambda: adj(adj(adj(A, 0, 0.2, 0), 0, -0.25, 0.1), 0, -0.5, 0)),
        (2005, lambda: scaled(A, 999, 995, 995)), (2007, lambda: adj(A, 0, -0.68, 0)),
        (2009, lambda: adj(A, 0, 0.5, 0)),
        (3000, lambda: adj(A, 0.1, 0.8, 0) if silver else adj(A, 0, 0.43, 0)),
        (3001, lambda: adj(A, 0.1, 0.4, 0) if silver else A),
        (3010, lambda: adj(A, 0, 0.98, 0)), (3011, lambda: adj(A, 0, -0.45, 0)),
        (3003, lambda: adj(A, 0, -0.6, 0)), (3002, lambda: adj(A, 0, 0.95, 0)),
        (3004, lambda: adj(A, 0, -0.1, 0)), (3005, lambda: adj(A, 0, -0.6, 0)),
        (3006, lambda: adj(B, 0, 0.85, 0)), (3007, lambda: adj(B, 0, -0.05, 0)),
        (3008, lambda: adj(B, 0, 0.3, 0)), (3009, lambda: adj(B, 0, -0.3, 0)),
        (3012, lambda: adj(A, 0, 0.97, 0)), (3013, lambda: adj(A, 0, -0.97, 0)),
        (3014, None), (3015, lambda: adj(A, 0, 0.75, 0)),
        (3016, lambda: adj(t.at(2000), 0, -0.1, 0)), (3017, lambda: adj(A, 0, 0.3, 0)),
        (3018, lambda: adj(A, 0, -0.25, 0)), (3019, lambda: adj(B, 0, 0.8, 0)),
        (3020, lambda: adj(B, 0, 0.2, 0)), (3021, lambda: adj(B, 0, 0.4, 0)),
        (3022, lambda: adj(B, 0, -0.05, 0)), (3023, lambda: adj(B, 0, -0.3, 0.75)),
        (3024, lambda: adj(B, 0, 0.5, 0)),
    ]
    for n, colour in steps:
        if colour is None:
            t.point((n,), 16)
        else:
            t.add(n, colour())
    for i, c in ((15, A), (22, adj(A, 0, 0.45, 0.1)), (20, adj(A, 0, 0.75, 0)), (16, adj(A, 0, -0.45, 0.1)),
                 (21, adj(A, 0, -0.75, 0))):
        t.entries[i] = c


def studio(t, sysc, bpp, env):
    if not (bpp > 8 and scheme_active(4, env) and env["scheme"] != 3):
        office(t, sysc, bpp, env, 4)
        return
    xp(t, sysc, bpp, True)
    A, B = scheme_pair(4, env)
    t1 = t1_of(A)
    p, q = adj(B, 0, 0.7, 0), adj(B, 0, 0.5, 0)
    t.add(1000, A)
    t.add(1001, p)
    t.point(EDGE, t.add(1002, t1))
    t.point((1010, 1011), 8)
    t.point((2010,), 16)
    t.point((2006,), 18)
    for n, c in ((2000, A), (2001, t1), (2002, scaled(A, 857, 857, 857)), (2003, q), (2004, B),
                 (2005, scaled(A, 999, 995, 995)), (2007, adj(A, 0, -0.5, 0)), (2009, A),
                 (3000, adj(A, 0, 0.8, 0)), (3001, adj(A, 0, 0.15, 0)), (3010, adj(A, 0, 0.98, 0)),
                 (3011, adj(A, 0, -0.4, 0)), (3003, adj(A, 0, -0.2, 0)), (3002, adj(A, 0, 0.95, 0)),
                 (3004, adj(A, 0, 0.6, 0)), (3005, adj(A, 0, -0.4, -0.4)), (3006, p), (3007, p), (3008, q),
                 (3009, q), (3012, adj(A, 0, 0.97, 0)), (3013, adj(A, 0, -0.97, 0))):
        t.add(n, c)
    t.point((3014,), 16)
    t.add(3015, adj(A, 0, 0.98, 0))
    t.add(3016, adj(t.at(2000), 0, -0.2, -0.1))
    t.add(3017, adj(A, 0, 0.98, 0))
    t.add(3018, adj(t.at(2000), 0, -0.4, -0.1))
    for n, c in ((3019, p), (3020, p), (3021, q), (3022, q), (3023, q), (3024, q)):
        t.add(n, c)
    for i, c in ((15, A), (22, adj(A, 0, 0.1, 0)), (20, adj(A, 0, 0.95, 0)), (16, adj(A, 0, -0.3, -0.5)),
                 (21, adj(A, 0, -0.7, -0.5))):
        t.entries[i] = c


def oracle(theme, sysc, env):
    t = Table(sysc)
    bpp = env["bpp"]
    if theme == 1:
        classic(t)
    elif theme == 2:
        xp(t, sysc, bpp, scheme_active(2, env))
    elif theme == 3:
        office(t, sysc, bpp, env, 3)
    else:
        studio(t, sysc, bpp, env)
    return t


TASKBANDS = {
    1: (rgb(108, 149, 215), rgb(61, 107, 199), rgb(28, 67, 154), rgb(0, 0, 128), rgb(49, 106, 197),
        rgb(58, 110, 165), rgb(255, 255, 255)),
    2: (rgb(182, 198, 141), rgb(144, 164, 110), rgb(95, 114, 65), rgb(50, 70, 30), rgb(147, 160, 112),
        rgb(153, 174, 110), rgb(220, 230, 190)),
    3: (rgb(220, 220, 230), rgb(190, 190, 205), rgb(130, 130, 150), rgb(80, 80, 95), rgb(178, 180, 191),
        rgb(170, 170, 190), rgb(120, 120, 140)),
}

ENVIRONMENTS = [
    dict(name="no visual style", bpp=32, scheme=0, bound=False, read=False, taskband=(0,) * 7),
    dict(name="bound, no taskband", bpp=32, scheme=0, bound=True, read=False, taskband=(0,) * 7),
    dict(name="blue", bpp=32, scheme=1, bound=True, read=True, taskband=TASKBANDS[1]),
    dict(name="olive", bpp=32, scheme=2, bound=True, read=True, taskband=TASKBANDS[2]),
    dict(name="silver", bpp=32, scheme=3, bound=True, read=True, taskband=TASKBANDS[3]),
    dict(name="blue at 8 bpp", bpp=8, scheme=1, bound=True, read=True, taskband=TASKBANDS[1]),
    dict(name="16 bpp, silver", bpp=16, scheme=3, bound=True, read=True, taskband=TASKBANDS[3]),
]


def run_probe(probe, env):
    args = [str(env["bpp"]), str(env["scheme"]), str(int(env["bound"])), str(int(env["read"]))]
    args += ["%06X" % c for c in env["taskband"]]
    result = subprocess.run([str(ROOT / "tools" / "wine-exec.sh"), probe, *args], capture_output=True,
                            text=True, errors="replace", timeout=120)
    if result.returncode != 0:
        raise RuntimeError(f"probe ended with {result.returncode}: {result.stderr}")
    system, answers = [0] * 50, {}
    for line in result.stdout.splitlines():
        parts = line.split()
        if len(parts) != 3:
            continue
        if parts[0] == "sys":
            system[int(parts[1])] = int(parts[2], 16)
        else:
            answers[(int(parts[0]), int(parts[1]))] = int(parts[2], 16)
    return system, answers


def main():
    probe = sys.argv[1]
    failures = 0
    for env in ENVIRONMENTS:
        system, answers = run_probe(probe, env)
        if len(answers) != 4 * (50 + 12 + 11 + 25):
            print(f"{env['name']}: the probe printed {len(answers)} answers")
            failures += 1
            continue
        for (theme, number), value in sorted(answers.items()):
            expected = oracle(theme, system, env).at(number)
            if value != expected:
                failures += 1
                print(f"{env['name']}: theme {theme} colour {number}: {value:06X}, oracle {expected:06X}")
    print("paint colours:", "FAILED" if failures else "all equal the oracle")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
