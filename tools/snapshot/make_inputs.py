#!/usr/bin/env python3
"""Makes the fixed inputs of a behaviour snapshot: random positions, miss requests and play scripts.

Usage: make_inputs.py OUTDIR. The same OUTDIR contents come out on every run."""
import random, sys, os

R = random.Random(20261207)
KINDS = "PLNSGBR"
COUNTS = {"P": 18, "L": 4, "N": 4, "S": 4, "G": 4, "B": 2, "R": 2}
PROM = set("PLNSBR")

def rand_pos():
    board = [[None]*10 for _ in range(10)]  # [y][x]
    def free():
        while True:
            x, y = R.randint(1, 9), R.randint(1, 9)
            if board[y][x] is None: return x, y
    x, y = free(); board[y][x] = "K"
    x, y = free(); board[y][x] = "k"
    hands = {}
    density = R.random()
    for k, n in COUNTS.items():
        for _ in range(n):
            r = R.random()
            if r < density * 0.8:
                man = R.random() < 0.5
                for _ in range(20):
                    x, y = free()
                    # row limits for unpromoted (man moves up: y=1 far row)
                    far = y if man else 10 - y
                    prom = k in PROM and R.random() < 0.15
                    if not prom and k in "PL" and far == 1: continue
                    if not prom and k == "N" and far <= 2: continue
                    c = k if man else k.lower()
                    board[y][x] = ("+" if prom else "") + c
                    break
            elif r < density * 0.8 + 0.15:
                c = k if R.random() < 0.5 else k.lower()
                hands[c] = hands.get(c, 0) + 1
    # Positions the analysis command refuses (two pawns on a file, say) stay: their error lines
    # are part of the snapshot too.
    rows = []
    for y in range(1, 10):
        s, run = "", 0
        for x in range(1, 10):
            p = board[y][x]
            if p is None: run += 1
            else:
                if run: s += str(run); run = 0
                s += p
        if run: s += str(run)
        rows.append(s)
    order = "RBGSNLPrbgsnlp"
    h = "".join((str(hands[c]) if hands[c] > 1 else "") + c for c in order if c in hands) or "-"
    return "/".join(rows) + " b " + h + " 1"

out = sys.argv[1]
os.makedirs(out, exist_ok=True)
positions = [rand_pos() for _ in range(10000)]
with open(f"{out}/positions.txt", "w") as f:
    f.write("\n".join(positions) + "\n")
with open(f"{out}/miss.txt", "w") as f:
    for p in positions:
        for _ in range(3):
            if R.random() < 0.7:
                fx, fy = R.randint(1, 9), R.randint(1, 9)
            else:
                fx = R.choice([11, -1]); fy = R.randint(3, 9) if fx == 11 else R.randint(1, 7)
            piece = R.choice([-10,-20,-30,-40,-50,-60,-70,-80,-11,-21,-31,-41,-61,-71,10,20,30,40,50,60,70,80,11,21,31,41,61,71])
            f.write(f"{p} {fx} {fy} {R.randint(1,9)} {R.randint(1,9)} {piece}\n")

MENUS = "SENTE GOTE CANCEL REPLAY AFTER REVERSE ICHIJI LEVEL1 LEVEL2 LEVEL3 KOUSEI HINT KEIKA BGM MIDORI TATAMI TAKE UCHU RENGA KIF_WRITE KIF_READ KIFU_WRITE KIFU_READ TAIKYOKU STOP OPTION VER".split()
KEYS = "left right up down home end space enter shift+enter h delete".split()
MK = "玉 飛 角 金 銀 桂 香 歩 none".split()
def script(i):
    r = random.Random(i * 7919 + 1)
    lines = [r.choice(["LEVEL1", "LEVEL2", "LEVEL3", "KOUSEI"]), r.choice(["SENTE", "GOTE"])]
    for _ in range(r.randint(40, 250)):
        t = r.random()
        if t < 0.45:
            lines.append(f"move {r.randint(1,9)} {r.randint(5,9)} {r.randint(1,9)} {r.randint(1,9)}" + (" right" if r.random() < 0.2 else ""))
        elif t < 0.55: lines.append(f"square {r.choice([r.randint(1,9), 11, -1])} {r.randint(1,9)}" + (" right" if r.random() < 0.2 else ""))
        elif t < 0.62: lines.append(r.choice(["yes", "no"]))
        elif t < 0.68: lines.append(r.choice(MENUS if r.random() < 0.3 else ["REPLAY", "AFTER", "ICHIJI", "HINT", "KEIKA"]))
        elif t < 0.75: lines.append("key " + r.choice(KEYS))
        elif t < 0.79: lines.append(f"marker {r.randint(1,9)} {r.randint(1,9)} {r.choice(MK)}")
        elif t < 0.82: lines.append("markers")
        elif t < 0.86: lines.append("movelist" if r.random() < 0.6 else f"movelist {r.randint(1,30)}")
        elif t < 0.89: lines.append("status")
        elif t < 0.92: lines.append("picture")
        elif t < 0.95: lines.append(f"tick {r.randint(1,5)}")
        elif t < 0.97: lines.append(f"wait {r.randint(0,30)}")
        else: lines.append("show")
    lines += ["show", "movelist", "picture"]
    return "\n".join(lines) + "\n"
os.makedirs(f"{out}/play", exist_ok=True)
for i in range(120):
    with open(f"{out}/play/{i:03d}.txt", "w") as f:
        f.write(script(i))
