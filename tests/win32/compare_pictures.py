#!/usr/bin/env python3
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
import struct
import subprocess
import sys
import zlib


def read_png(path):
    """The pixels of an 8-bit RGB PNG as (width, height, rows of bytes)."""
    with open(path, 'rb') as f:
        data = f.read()
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        raise ValueError(path + ': not a PNG')
    pos, idat, width, height = 8, b'', 0, 0
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b'IHDR':
            width, height, depth, colour = struct.unpack('>IIBB', body[:10])
            if depth != 8 or colour != 2:
                raise ValueError(path + ': not 8-bit RGB')
        elif kind == b'IDAT':
            idat += body
        pos += 12 + length
    raw, stride, rows, above = zlib.decompress(idat), width * 3, [], bytearray(width * 3)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - 3] if i >= 3 else 0
            b = above[i]
            c = above[i - 3] if i >= 3 else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        rows.append(bytes(line))
        above = line
    return width, height, rows


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
        w, h, ref_rows = read_png(os.path.join(ref_png, name))
        cw, ch, cand_rows = read_png(os.path.join(cand_png, name))
        if (w, h) != (cw, ch):
            print(name + ': sizes differ')
            return 1
        texts, ellipses = boxes.get((display, repaint), ([], []))
        pixels += w * h
        for y in range(h):
            if ref_rows[y] == cand_rows[y]:
                continue
            for x in range(w):
                if ref_rows[y][3 * x:3 * x + 3] == cand_rows[y][3 * x:3 * x + 3]:
                    continue
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
