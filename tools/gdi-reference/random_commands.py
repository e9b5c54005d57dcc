#!/usr/bin/env python3
"""Prints random drawing commands for the GDI comparison, one a line.

  random_commands.py [--seed S] [--ellipses N] [--lines N] [--pixels N] [--large N]

Ellipse boxes are 0 to 40 wide and high, each corner pair in either order, at
offsets that put them inside, across the edges of and outside a 64 x 64
surface; --large adds boxes up to a few thousand wide whose rims cross it.
Lines run shallow, steep, diagonal and zero-length, many of them clipped.
"""
import argparse
import random


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--ellipses", type=int, default=2000)
    parser.add_argument("--lines", type=int, default=1000)
    parser.add_argument("--pixels", type=int, default=100)
    parser.add_argument("--large", type=int, default=100)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    print("surface 64 64")
    for _ in range(args.ellipses):
        width, height = rng.randint(0, 40), rng.randint(0, 40)
        left, top = rng.randint(-45, 68), rng.randint(-45, 68)
        box = [left, top, left + width, top + height]
        if rng.random() < 0.25:
            box[0], box[2] = box[2], box[0]
        if rng.random() < 0.25:
            box[1], box[3] = box[3], box[1]
        print("ellipse %d %d %d %d" % tuple(box))
    for _ in range(args.large):
        width, height = rng.randint(40, 4000), rng.randint(40, 4000)
        left = rng.choice([rng.randint(-width, 64), rng.randint(-width // 2 - 64, -width // 2)])
        top = rng.choice([rng.randint(-height, 64), rng.randint(-height // 2 - 64, -height // 2)])
        print("ellipse %d %d %d %d" % (left, top, left + width, top + height))
    for _ in range(args.lines):
        x0, y0 = rng.randint(-20, 84), rng.randint(-20, 84)
        kind = rng.random()
        if kind < 0.1:
            x1, y1 = x0, y0
        elif kind < 0.2:
            d = rng.randint(-40, 40)
            x1, y1 = x0 + d, y0 + rng.choice([d, -d])
        else:
            x1, y1 = rng.randint(-20, 84), rng.randint(-20, 84)
        print("line %d %d %d %d" % (x0, y0, x1, y1))
    for _ in range(args.pixels):
        print("pixel %d %d" % (rng.randint(-3, 66), rng.randint(-3, 66)))


if __name__ == "__main__":
    main()
