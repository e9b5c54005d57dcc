#!/usr/bin/env python3
"""Compares the runner's call traces with the reference model's, line by
line, over random sessions.

    python3 compare.py --runner PATH/velbrik-run [--plugin PATH] [--count N] [--seed S]

On the first difference it prints the script's path, the line number, the two
lines and some context, keeps the scripts and traces, and exits 1; otherwise
it prints "N passed, 0 failed" and exits 0.
"""
import argparse
import concurrent.futures
import filecmp
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True          # keep the source folder clean
sys.path.insert(0, HERE)
import random_sessions  # noqa: E402

MODEL = os.path.join(HERE, "velbrik_model.py")


def first_difference(a_path, b_path):
    """(line number, line of a, line of b, previous lines) of the first
    difference, or None when the two files are equal."""
    if filecmp.cmp(a_path, b_path, shallow=False):
        return None
    before = []
    with open(a_path, encoding="utf-8", errors="replace") as a, \
            open(b_path, encoding="utf-8", errors="replace") as b:
        n = 0
        while True:
            la, lb = a.readline(), b.readline()
            n += 1
            if la != lb:
                return n, la.rstrip("\n") or "<end of trace>", lb.rstrip("\n") or "<end of trace>", before
            before.append(la.rstrip("\n"))
            if len(before) > 8:
                del before[0]


def last_command(path, upto):
    """The last command line ("@") of a trace at or before line `upto`, and
    its line number: tells which script command was running."""
    found = (0, "")
    with open(path, encoding="utf-8", errors="replace") as f:
        for n, line in enumerate(f, 1):
            if n > upto:
                break
            if line.startswith('["@"'):
                found = (n, line.rstrip("\n"))
    return found


def run_one(i, seed, args, work):
    """Generate session i, run runner and model; returns None or a report."""
    script = os.path.join(work, "session-%04d.session" % i)
    with open(script, "w") as f:
        f.write(random_sessions.make_session(seed * 1000003 + i, args.budget))
    got, want = script + ".runner.jsonl", script + ".model.jsonl"
    cmd = [args.runner, "--script", script, "--trace", got]
    if args.plugin:
        cmd += ["--plugin", args.plugin]
    r = subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    if r.returncode != 0:
        return script, "runner failed with status %d: %s" % (r.returncode, r.stderr.strip())
    with open(want, "w") as out:
        m = subprocess.run([sys.executable, MODEL, script], stdout=out, stderr=subprocess.PIPE,
                           text=True)
    if m.returncode != 0:
        return script, "model failed with status %d: %s" % (m.returncode, m.stderr.strip())
    diff = first_difference(got, want)
    if diff is None:
        with open(want, "rb") as f:
            lines = sum(1 for _ in f)
        os.remove(got)
        os.remove(want)
        return None, lines
    n, lr, lm, before = diff
    cn, cl = last_command(want, n)
    text = ["trace line %d differs (runner: %s, model: %s)" % (n, got, want),
            "during the command at trace line %d: %s" % (cn, cl), "context:"]
    text += ["  " + ln for ln in before]
    text += ["- runner: " + lr, "+ model:  " + lm]
    return script, "\n".join(text)


def main():
    ap = argparse.ArgumentParser(description="Compare runner and model traces on random sessions.")
    ap.add_argument("--runner", required=True, help="path of velbrik-run")
    ap.add_argument("--plugin", help="display module for the runner to load")
    ap.add_argument("--count", type=int, default=40)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--budget", type=int, default=150000,
                    help="about how many trace lines one session may make (long ones 4x)")
    ap.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    ap.add_argument("--keep", help="folder for scripts and traces (kept); default a temporary one")
    args = ap.parse_args()
    if not os.access(args.runner, os.X_OK):
        sys.stderr.write("compare.py: runner '%s' is not an executable\n" % args.runner)
        return 2
    work = args.keep or tempfile.mkdtemp(prefix="velbrik-compare-")
    os.makedirs(work, exist_ok=True)
    failures, lines = {}, 0
    with concurrent.futures.ThreadPoolExecutor(max_workers=max(1, args.jobs)) as pool:
        futs = {pool.submit(run_one, i, args.seed, args, work): i for i in range(args.count)}
        for fut in concurrent.futures.as_completed(futs):
            script, info = fut.result()
            if script is None:
                lines += info
            else:
                failures[futs[fut]] = (script, info)
    if failures:
        i = min(failures)
        script, info = failures[i]
        print("FAILED: %s" % script)
        print(info)
        print("%d passed, %d failed (scripts and traces kept in %s)"
              % (args.count - len(failures), len(failures), work))
        return 1
    if not args.keep:
        shutil.rmtree(work, ignore_errors=True)
    print("%d passed, 0 failed (%d trace lines compared)" % (args.count, lines))
    return 0


if __name__ == "__main__":
    sys.exit(main())
