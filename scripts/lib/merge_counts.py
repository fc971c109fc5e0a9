"""Merges the coverage counts every Windows program wrote under a folder of its own
(RUNS/<process>/<TREE>/...gcda) into TREE's own places (DEST), two folders at a time with
the cross tool chain's gcov-tool. A folder whose files cannot be merged (a process ended in
the middle of a write) is left out and counted.
    merge_counts.py RUNS TREE DEST"""
import os
import shutil
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor

TOOL = "x86_64-w64-mingw32-gcov-tool"


def merge(pair, scratch):
    first, second = pair
    if second is None:
        return first, 0
    out = tempfile.mkdtemp(dir=scratch)
    # gcov-tool writes into the folders it finds, and makes none.
    for folder in pair:
        for root, _, _ in os.walk(folder):
            os.makedirs(os.path.join(out, os.path.relpath(root, folder)), exist_ok=True)
    run = subprocess.run([TOOL, "merge", "-o", out, first, second], stdout=subprocess.DEVNULL,
                         stderr=subprocess.PIPE, text=True)
    # It answers 0 even where it skipped a file: anything it says is a failure.
    done = run.returncode == 0 and "profiling:" not in run.stderr
    if done:
        return out, 0
    shutil.rmtree(out, ignore_errors=True)
    return first, 1


def main(runs, tree, dest):
    folders = sorted(p for p in (os.path.join(runs, d, tree) for d in os.listdir(runs)) if os.path.isdir(p))
    if not folders:
        print("no counts were written", file=sys.stderr)
        return 1
    left_out = 0
    with tempfile.TemporaryDirectory(dir=runs) as scratch, ThreadPoolExecutor(os.cpu_count() or 2) as pool:
        while len(folders) > 1:
            pairs = [(folders[i], folders[i + 1] if i + 1 < len(folders) else None)
                     for i in range(0, len(folders), 2)]
            results = list(pool.map(lambda p: merge(p, scratch), pairs))
            folders = [folder for folder, _ in results]
            left_out += sum(dropped for _, dropped in results)
        merged = folders[0]
        for root, _, files in os.walk(merged):
            for name in files:
                if name.endswith(".gcda"):
                    target = os.path.join(dest, os.path.relpath(os.path.join(root, name), merged))
                    os.makedirs(os.path.dirname(target), exist_ok=True)
                    shutil.copyfile(os.path.join(root, name), target)
    if left_out:
        print(f"   {left_out} process folders left out (a write cut short)")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
