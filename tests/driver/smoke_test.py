#!/usr/bin/env python3
"""lexodrom-driver starts the real program headless, answers `state` with the
controls of the main window, saves a screenshot and ends on Escape."""

import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(__file__))
from driver import Driver, controls  # noqa: E402

# The main window's controls and their texts, as the template gives them.
EXPECTED = {
    1: "&Beenden", 1000: "", 1002: "&Enter", 1003: "&Über", 1005: "&Hilfe", 1006: "&Neu",
    1007: "", 1008: "&Lexodrom", 1009: "", 1010: "Anfänger", 1011: "Profi", 1012: "0",
    1013: "Punkte", 1014: "T&ipp", 1018: "Punkte", 1020: "",
}


def main():
    program = sys.argv[1]
    failures = []
    with tempfile.TemporaryDirectory() as cwd:
        driver = Driver(program, cwd, seed=1)
        state = driver.state()
        if state["active"] != {"kind": "dialog", "template": 102}:
            failures.append("active window: %r" % state["active"])
        main_window = controls(state, 102)
        for control_id, text in EXPECTED.items():
            control = main_window.get(control_id)
            if control is None:
                failures.append("control %d missing" % control_id)
            elif control["text"] != text:
                failures.append("control %d shows %r, not %r" % (control_id, control["text"], text))
        if not main_window[1000]["focus"] or not main_window[1002]["default"]:
            failures.append("letter box focus or Enter default wrong")
        if not main_window[1010]["checked"] or main_window[1011]["checked"]:
            failures.append("level buttons wrong")
        if state["clock"] or state["beeps"] != 0 or state["processes"] != []:
            failures.append("clock, beeps or processes at start: %r" % state)

        shot = os.path.join(cwd, "main.png")
        driver.send("shot " + shot)
        driver.send("key Escape")
        exit_line, code, errors = driver.finish()
        if exit_line != {"exit": 0} or code != 0:
            failures.append("ended with %r, code %d: %s" % (exit_line, code, errors))
        with open(shot, "rb") as png:
            if png.read(8) != b"\x89PNG\r\n\x1a\n":
                failures.append("the screenshot is no PNG")
        if os.path.exists(os.path.join(cwd, "hs.dat")):
            failures.append("Escape wrote hs.dat")
    for failure in failures:
        print("FAIL:", failure)
    print("%d passed, %d failed" % (1 if not failures else 0, 1 if failures else 0))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
