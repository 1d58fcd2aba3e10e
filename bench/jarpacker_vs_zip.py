#!/usr/bin/python3
"""jarpacker against `cp` + `zip` replacing the entry, as paired whole processes.

    bench/jarpacker_vs_zip.py [BUILD_DIR] [PAIRS]

Makes a 2 MB game archive (classes that do not compress, pictures that do,
and a "levels.mrg") and a 300-track pack, then runs, PAIRS times in turn:
  jarpacker game.jar levels.mrg out.jar
  cp game.jar copy.jar && zip -q copy.jar levels.mrg     (zip's level 6)
and prints the CPU time (user + system) and wall time of each, and of each
pair's ratio: median, min and max.
"""
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
import zipfile

build = sys.argv[1] if len(sys.argv) > 1 else "build"
pairs = int(sys.argv[2]) if len(sys.argv) > 2 else 31
jarpacker = os.path.abspath(os.path.join(build, "jarpacker"))
trackpack = os.path.abspath(os.path.join(build, "trackpack"))


def run(args, cwd):
    start = time.perf_counter()
    pid = os.fork()
    if pid == 0:
        os.chdir(cwd)
        os.execvp("sh", ["sh", "-c", args])
    _, status, usage = os.wait4(pid, 0)
    wall = time.perf_counter() - start
    if status != 0:
        sys.exit(f"failed: {args}")
    return (usage.ru_utime + usage.ru_stime) * 1000, wall * 1000


def summary(name, values, unit):
    print(f"{name:28} median {statistics.median(values):7.2f}{unit}  "
          f"min {min(values):7.2f}{unit}  max {max(values):7.2f}{unit}")


with tempfile.TemporaryDirectory() as work:
    subprocess.run([trackpack, "sample", "levels.mrg", "--tracks", "300"], cwd=work, check=True,
                   stdout=subprocess.DEVNULL)
    rng = random.Random(7)
    with zipfile.ZipFile(os.path.join(work, "game.jar"), "w") as z:
        z.writestr("META-INF/MANIFEST.MF", "Manifest-Version: 1.0\r\n")
        for i in range(50):
            z.writestr(f"c{i}.class", rng.randbytes(30000), compress_type=zipfile.ZIP_DEFLATED)
        z.writestr("levels.mrg", rng.randbytes(20000), compress_type=zipfile.ZIP_DEFLATED)
        for i in range(40):
            z.writestr(f"pic/{i}.png", bytes(rng.choice(b"abcd") for _ in range(40000)),
                       compress_type=zipfile.ZIP_DEFLATED)
    print(f"game.jar {os.path.getsize(os.path.join(work, 'game.jar'))} bytes, "
          f"levels.mrg {os.path.getsize(os.path.join(work, 'levels.mrg'))} bytes, {pairs} pairs")
    ours, theirs = [], []
    for i in range(pairs):
        for f in ("out.jar", "copy.jar"):
            if os.path.exists(os.path.join(work, f)):
                os.remove(os.path.join(work, f))
        ours_cmd = f"'{jarpacker}' game.jar levels.mrg out.jar"
        theirs_cmd = "cp game.jar copy.jar && zip -q copy.jar levels.mrg"
        if i % 2:  # each goes first in every other pair
            b = run(theirs_cmd, work)
            a = run(ours_cmd, work)
        else:
            a = run(ours_cmd, work)
            b = run(theirs_cmd, work)
        ours.append(a)
        theirs.append(b)
    summary("jarpacker CPU", [a[0] for a in ours], " ms")
    summary("cp + zip CPU", [b[0] for b in theirs], " ms")
    summary("ratio CPU", [a[0] / b[0] for a, b in zip(ours, theirs)], "x ")
    summary("jarpacker wall", [a[1] for a in ours], " ms")
    summary("cp + zip wall", [b[1] for b in theirs], " ms")
    summary("ratio wall", [a[1] / b[1] for a, b in zip(ours, theirs)], "x ")
