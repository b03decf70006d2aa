#!/usr/bin/env python3
"""Runs the same command scripts through two builds of lexodrom-driver and
compares what they answer, byte for byte: standard output, standard error,
the exit code, the hs.dat each leaves behind and the pictures its `shot`
commands saved. Each run starts in an empty directory of its own, with the
same environment and seed.

The scripts are the files in scripts/ (lines starting with '#' are comments
and are not sent) and whole rounds of twenty words, recorded by playing one
round per seed against the reference driver with round_test's rules (hints,
refusals, the computer starting, the clock, the name and score dialogs).

    compare_drivers.py [--skip-without-reference] [--without-pictures]
                       [--wine-system-menu] [--exclude SCRIPT]...
                       REFERENCE_DRIVER DRIVER WORDS_FILE [OUTPUT_DIR]

With --skip-without-reference a missing reference driver (the Linux build
beside a Windows one) ends the run with 77, which CTest counts as skipped;
--without-pictures compares which pictures were saved but not their pixels
(for a back end that draws its own); --exclude leaves a script of scripts/ out.

With --wine-system-menu DRIVER runs under Wine, whose system menu is Wine's
own: it has an entry "Ü&ber Wine" after a separator of its own, and calls
"&Größe ändern" "&Größe". The driver reports the menu as it is; in the
candidate's answers, and only in the entries of an open menu, these two
differences are put back as German Windows has them before comparing.
Nothing else of the menu is touched: the program's own entries, their
order and every other text must still be the same.

Time stamps in the high-score lines (the time of the round's end) differ
between runs made a second apart; they are compared with the digits masked,
and the raw differences are counted separately."""

import concurrent.futures
import os
import random
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(__file__))
from driver import Driver  # noqa: E402
from round_test import NEW, PRO, Round, Rules  # noqa: E402

SCRIPT_SEEDS = [1, 7]
ROUND_SEEDS = [1, 7, 20261207, 4294967295]
STAMP = re.compile(rb"\d\d\.\d\d\.\d{4}  \d\d:\d\d:\d\d")
# No hh.exe anywhere on PATH, so that the help button's failure is the same
# everywhere.
ENVIRONMENT = dict(os.environ, PATH="/usr/bin:/bin", QT_QPA_PLATFORM="offscreen")


class RecordingDriver(Driver):
    def __init__(self, program, cwd, seed):
        self.commands = []
        super().__init__(program, cwd, seed)

    def send(self, command):
        self.commands.append(command)
        super().send(command)


def record_round(reference, rules, seed):
    with tempfile.TemporaryDirectory() as cwd:
        driver = RecordingDriver(reference, cwd, seed)
        game = Round(driver, rules, random.Random(seed))
        for word in range(20):
            game.start_word(PRO if word == 10 else NEW)
            if word == 2:
                game.move("ß")
            if word == 4:
                game.hint("?")
            if word == 6:
                game.computer_starts()
                game.tick(45, True)
            if word == 12:
                game.not_a_letter("5")
            moves = 0
            while True:
                ended = game.move(game.player_letter())
                moves += 1
                if ended or moves > 30:
                    break
                if moves == 1 and word % 3 == 0:
                    game.tick(37, True)
                if moves == 2 and word == 8:
                    driver.send("click IDC_HINT")
                    driver.state()
        driver.send("state")
        driver.send("set IDC_NAME  Jürgen Größe-Übermaß ")
        driver.send("state")
        driver.send("click IDOK")
        driver.send("state")
        driver.send("click IDOK")
        driver.send("state")
        driver.send("click IDC_SHOW_SCORES")
        driver.send("state")
        driver.send("key Enter")
        driver.send("state")
        driver.finish()
        return driver.commands


def run(program, commands, seed):
    with tempfile.TemporaryDirectory() as cwd:
        result = subprocess.run(
            [os.path.abspath(program), "--seed", str(seed)], cwd=cwd, env=ENVIRONMENT,
            input="".join(c + "\n" for c in commands).encode("utf-8"),
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=600)
        path = os.path.join(cwd, "hs.dat")
        scores = open(path, "rb").read() if os.path.exists(path) else None
        shots = {}
        for name in sorted(os.listdir(cwd)):
            if name.endswith(".png"):
                with open(os.path.join(cwd, name), "rb") as f:
                    shots[name] = f.read()
        return result.stdout, result.stderr, result.returncode, scores, shots


def script_commands(path):
    with open(path, "rb") as f:
        text = f.read().decode("utf-8")
    # Line ends are kept as the file has them (the driver takes CR LF too).
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    return [line for line in lines if not line.startswith("#")]


MENU_ITEMS = re.compile(rb'"active":\{"items":\[(.*?)\],"kind":"menu"\}')
WINE_ENTRIES = [(b',"-","\xc3\x9c&ber Wine"', b""),
                (b'"&Gr\xc3\xb6\xc3\x9fe",', b'"&Gr\xc3\xb6\xc3\x9fe \xc3\xa4ndern",')]


def as_on_windows(output):
    """The answers with Wine's own system-menu entries as German Windows has them."""
    def menu(match):
        items = match.group(1)
        for wine, windows in WINE_ENTRIES:
            items = items.replace(wine, windows, 1)
        return match.group(0).replace(match.group(1), items, 1)
    return MENU_ITEMS.sub(menu, output)


def masked(data):
    return None if data is None else STAMP.sub(b"DD.MM.YYYY  hh:mm:ss", data)


def main():
    arguments = sys.argv[1:]
    skip_without_reference = "--skip-without-reference" in arguments
    without_pictures = "--without-pictures" in arguments
    wine_system_menu = "--wine-system-menu" in arguments
    arguments = [a for a in arguments
                 if a not in ("--skip-without-reference", "--without-pictures",
                              "--wine-system-menu")]
    excluded = set()
    while "--exclude" in arguments:
        at = arguments.index("--exclude")
        excluded.add(arguments[at + 1])
        del arguments[at:at + 2]
    reference, candidate, words_file = arguments[:3]
    output = arguments[3] if len(arguments) > 3 else None
    if skip_without_reference and not os.access(reference, os.X_OK):
        print("no reference driver at %s: skipped" % reference)
        return 77
    scripts_dir = os.path.join(os.path.dirname(os.path.abspath(__file__)), "scripts")
    cases = []
    for name in sorted(n for n in os.listdir(scripts_dir) if n not in excluded):
        commands = script_commands(os.path.join(scripts_dir, name))
        cases += [("%s/seed%d" % (name, seed), commands, seed) for seed in SCRIPT_SEEDS]
    rules = Rules(words_file)
    for seed in ROUND_SEEDS:
        cases.append(("round/seed%d" % seed, record_round(reference, rules, seed), seed))

    def pictures_same(before, after):
        # Without the pictures' pixels, the same pictures must still be saved.
        return sorted(before) == sorted(after) if without_pictures else before == after

    failures = 0
    stamped = 0
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        for name, commands, seed in cases:
            before, after = pool.map(lambda program: run(program, commands, seed),
                                     [reference, candidate])
            if wine_system_menu:
                after = (as_on_windows(after[0]),) + after[1:]
            if output:
                for label, result in (("reference", before), ("candidate", after)):
                    base = os.path.join(output, name.replace("/", "-") + "." + label)
                    files = [("out", result[0]), ("err", result[1]), ("hs.dat", result[3])]
                    files += sorted(result[4].items())
                    for suffix, data in files:
                        if data is not None:
                            with open(base + "." + suffix, "wb") as f:
                                f.write(data)
            same = (masked(before[0]) == masked(after[0]) and before[1] == after[1]
                    and before[2] == after[2] and masked(before[3]) == masked(after[3])
                    and pictures_same(before[4], after[4]))
            raw_same = before[:4] == after[:4] and pictures_same(before[4], after[4])
            stamped += same and not raw_same
            failures += not same
            print("%-24s %5d commands, %7d bytes out, %4d bytes err, %d shots, exit %d: %s" % (
                name, len(commands), len(after[0]), len(after[1]), len(after[4]), after[2],
                ("same" if raw_same else "same but for time stamps") if same else "DIFFERENT"))
    print("%d cases, %d different, %d equal only with time stamps masked" % (
        len(cases), failures, stamped))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
