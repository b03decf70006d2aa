#!/usr/bin/env python3
"""Start-up time to the first answer, and peak memory: lexodrom-driver until
its first `state` line, beside two minimal Qt programs that answer one line,
measured in turn in the same run on Qt's offscreen platform. The yardstick
is the dialog of the main window's size with one label and one edit box in
the main window's font; the empty dialog shows what Qt alone costs.

    python3 benchmarks/startup.py build/default/app/lexodrom-driver \
        build/default/benchmarks/label-edit-dialog \
        build/default/benchmarks/empty-dialog [runs]
"""

import os
import statistics
import subprocess
import sys
import tempfile
import time


def first_answer(program, cwd):
    """Seconds until the first line arrives, and the process's peak RSS in KiB."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    start = time.perf_counter()
    process = subprocess.Popen([program], cwd=cwd, env=env, stdin=subprocess.PIPE,
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    process.stdin.write("state\n")
    process.stdin.flush()
    process.stdout.readline()
    elapsed = time.perf_counter() - start
    process.stdin.close()
    process.stdout.read()
    _, _, usage = os.wait4(process.pid, 0)
    process.returncode = 0  # reaped here, so that Popen does not wait again
    return elapsed, usage.ru_maxrss


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    programs = [os.path.abspath(path) for path in sys.argv[1:4]]
    labels = ["lexodrom-driver", "label+edit dialog", "empty dialog"]
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 20
    times = {program: [] for program in programs}
    memory = {program: [] for program in programs}
    with tempfile.TemporaryDirectory() as cwd:
        for _ in range(runs):
            for program in programs:
                elapsed, peak = first_answer(program, cwd)
                times[program].append(elapsed)
                memory[program].append(peak)
    medians = {}
    for program, label in zip(programs, labels):
        values = times[program]
        medians[program] = (statistics.median(values), statistics.median(memory[program]))
        print("%-18s median %6.1f ms  min %6.1f ms  max %6.1f ms  max RSS %6.1f MiB  (%d runs)" % (
            label, 1000 * medians[program][0], 1000 * min(values), 1000 * max(values),
            medians[program][1] / 1024, runs))
    driver, yardstick = medians[programs[0]], medians[programs[1]]
    print("driver / label+edit dialog: time %.2f x, max RSS %.2f x" % (
        driver[0] / yardstick[0], driver[1] / yardstick[1]))
    print("load average at the end: %.2f %.2f %.2f" % os.getloadavg())


if __name__ == "__main__":
    main()
