#!/usr/bin/env python3
"""Start-up time to the first answer: lexodrom-driver until its first `state`
line, beside a minimal Qt program that opens an empty dialog and answers one
line, measured alternately in the same run on Qt's offscreen platform.

    python3 benchmarks/startup.py build/default/app/lexodrom-driver \
        build/default/benchmarks/empty-dialog [runs]
"""

import os
import statistics
import subprocess
import sys
import tempfile
import time


def first_answer(program, cwd):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    start = time.perf_counter()
    process = subprocess.Popen([program], cwd=cwd, env=env, stdin=subprocess.PIPE,
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    process.stdin.write("state\n")
    process.stdin.flush()
    process.stdout.readline()
    elapsed = time.perf_counter() - start
    process.stdin.close()
    process.wait()
    return elapsed


def main():
    driver, empty = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 20
    times = {driver: [], empty: []}
    with tempfile.TemporaryDirectory() as cwd:
        for _ in range(runs):
            for program in (driver, empty):
                times[program].append(first_answer(program, cwd))
    for program, label in ((driver, "lexodrom-driver"), (empty, "empty Qt dialog")):
        values = times[program]
        print("%-16s median %6.1f ms  min %6.1f ms  max %6.1f ms  (%d runs)" % (
            label, 1000 * statistics.median(values), 1000 * min(values), 1000 * max(values), runs))


if __name__ == "__main__":
    main()
