#!/usr/bin/python3
"""Runs a session script through two runners with --png and compares their
pictures pixel by pixel, sorting each differing pixel by what the trace drew
there: text (a TextOutA cell box), an ellipse (its box) or anything else
(lines, single pixels, the cleared background).

  compare_pictures.py --reference "velbrik-run" --candidate "wine64 host.exe" \
                      --script S [--every N] --work DIR [--max-other N]

Prints the figures; fails when the two runs give different sets of pictures,
or more than --max-other (default 0) pixels differ outside text and ellipses.
"""
import argparse
import json
import os
import shlex
import shutil
import subprocess
import sys

from PIL import Image  # Debian's python3-pil


def drawn_boxes(trace_path):
    """Per (display, repaint number from 1): the boxes of its text and of its ellipses."""
    boxes, sizes, repaints = {}, {}, {}
    display, opening, current = 0, None, None
    with open(trace_path) as f:
        for line in f:
            call = json.loads(line)
            if call[0] == '@':
                opening = (call[2], call[3]) if call[1] == 'open' else None
                if call[1] == 'use':
                    display = call[2]
                elif call[1] == 'repaint':
                    repaints[display] = repaints.get(display, 0) + 1
                    current = boxes.setdefault((display, repaints[display]), ([], []))
                else:
                    current = None
                continue
            if call[0] == '=' and opening is not None:
                if type(call[1]) is int:  # the new display's number
                    display, sizes[call[1]] = call[1], opening
                opening = None
                continue
            if current is None:
                continue
            width, height = sizes[display]
            if call[0] == 'TextOutA':
                # A cell is at most a 40th of the width and a 20th of the height;
                # a margin takes glyphs that reach out of their cell.
                cell_w, cell_h = width // 40 + 2, height // 20 + 2
                x, y, count = call[1], call[2], max(call[4], 0)
                current[0].append((x - 2, y - 2, x + count * cell_w + 2, y + cell_h + 2))
            elif call[0] == 'Ellipse':
                l, t, r, b = call[1:5]
                current[1].append((min(l, r) - 1, min(t, b) - 1, max(l, r) + 1, max(t, b) + 1))
    return boxes


def inside(boxes, x, y):
    return any(l <= x <= r and t <= y <= b for l, t, r, b in boxes)


def run(command, script, work, every):
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    trace = os.path.join(work, 'trace.jsonl')
    subprocess.run(shlex.split(command) + ['--script', script, '--trace', trace, '--png', os.path.join(work, 'png'),
                                           '--every', str(every)], check=True, stdin=subprocess.DEVNULL)
    return trace, os.path.join(work, 'png')


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--reference', required=True)
    parser.add_argument('--candidate', required=True)
    parser.add_argument('--script', required=True)
    parser.add_argument('--every', type=int, default=1)
    parser.add_argument('--work', required=True)
    parser.add_argument('--max-other', type=int, default=0)
    args = parser.parse_args()

    ref_trace, ref_png = run(args.reference, args.script, os.path.join(args.work, 'reference'), args.every)
    _, cand_png = run(args.candidate, args.script, os.path.join(args.work, 'candidate'), args.every)
    names = sorted(os.listdir(ref_png))
    if names != sorted(os.listdir(cand_png)):
        print('the runs wrote different pictures')
        return 1
    boxes = drawn_boxes(ref_trace)
    pixels = text = ellipse = other = 0
    for name in names:
        display, repaint = int(name[7:name.index('-')]), int(name[name.index('-') + 1:-4])
        ref, cand = (Image.open(os.path.join(folder, name)).convert('RGB') for folder in (ref_png, cand_png))
        if ref.size != cand.size:
            print(name + ': sizes differ')
            return 1
        texts, ellipses = boxes.get((display, repaint), ([], []))
        w, h = ref.size
        pixels += w * h
        if ref.tobytes() == cand.tobytes():
            continue
        for i, (a, b) in enumerate(zip(ref.getdata(), cand.getdata())):
            if a != b:
                x, y = i % w, i // w
                if inside(texts, x, y):
                    text += 1
                elif inside(ellipses, x, y):
                    ellipse += 1
                else:
                    other += 1
    print(f'{os.path.basename(args.script)}: {len(names)} pictures, {pixels} pixels; differing: '
          f'{text} in text, {ellipse} in ellipses, {other} elsewhere')
    return 0 if other <= args.max_other else 1


if __name__ == '__main__':
    sys.exit(main())
