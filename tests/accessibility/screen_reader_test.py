#!/usr/bin/env python3
"""A screen reader plays a move of the installed game.

Installs the build into a prefix, starts the game on an X server of its own
(Xvfb) with a D-Bus session bus and an accessibility bus of its own, and
plays as assistive technology does over AT-SPI: it finds the letter box, the
Enter button and the transcript by their accessible names, types a letter,
presses the button, and hears the computer's reply from the events that tell
a screen reader what the transcript gained, then reads the transcript. What
the events told must add up to exactly the new lines: a screen reader reads
out each event, so nothing may be left out or told twice.

Usage: screen_reader_test.py BUILD_DIR|PROGRAM WORKDIR [REPORT]
Given a program instead of a build directory, it plays that program as it
is. REPORT (default WORKDIR/atspi.txt) gets what the screen reader read.
"""
import os
import select
import shutil
import signal
import subprocess
import sys
import time

LETTER_BOX = "Schreibe einen Buchstaben, dann drücke oder klicke <Enter>:"
ENTER_BUTTON = "Enter"
TRANSCRIPT = "Spielverlauf"
TYPED = "b"


class Failure(Exception):
    pass


def read_line(stream, seconds, what):
    """The first line a starting process writes, within `seconds`."""
    ready, _, _ = select.select([stream], [], [], seconds)
    if not ready:
        raise Failure(f"{what} did not start within {seconds} s")
    line = stream.readline().strip()
    if not line:
        raise Failure(f"{what} ended at start")
    return line


def wait_for(what, seconds, probe):
    deadline = time.monotonic() + seconds
    while True:
        found = probe()
        if found:
            return found
        if time.monotonic() > deadline:
            raise Failure(f"{what}: not within {seconds} s")
        time.sleep(0.2)


class Session:
    """Xvfb, the session bus and the accessibility bus; ended in reverse."""

    def __init__(self, work):
        self.work = work
        self.processes = []

    def start(self, args, **kwargs):
        process = subprocess.Popen(args, start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                try:
                    # Each was started in a process group of its own, which
                    # holds whatever its bus started on demand.
                    os.killpg(process.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    os.killpg(process.pid, signal.SIGKILL)
                    process.wait(timeout=5)


def start_desktop(session, env):
    xvfb = session.start(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24",
                          "-nolisten", "tcp"], stdout=subprocess.PIPE, text=True,
                         stderr=subprocess.DEVNULL)
    env["DISPLAY"] = ":" + read_line(xvfb.stdout, 20, "Xvfb")
    bus = session.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, env=env)
    env["DBUS_SESSION_BUS_ADDRESS"] = read_line(bus.stdout, 20, "dbus-daemon")
    session.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env=env,
                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def a11y_bus_up():
        return subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.a11y.Bus.GetAddress"], env=env, capture_output=True, timeout=10).returncode == 0
    wait_for("the accessibility bus", 20, a11y_bus_up)
    # What a screen reader announces when it starts: programs then offer
    # their accessibility tree.
    subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                    "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set",
                    "string:org.a11y.Status", "string:ScreenReaderEnabled",
                    "variant:boolean:true"], env=env, check=True, capture_output=True, timeout=10)


def listen(env):
    """Registers for the transcript's text events, as a screen reader does
    when it starts: before the game, so the game knows from its start."""
    os.environ.update(env)
    import pyatspi  # after the buses are in the environment

    heard = []

    def on_text_changed(event):
        if event.source is not None and event.source.name == TRANSCRIPT:
            heard.append((event.type, str(event.any_data)))

    pyatspi.Registry.registerEventListener(on_text_changed, "object:text-changed")
    return heard


def play(heard, report):
    import pyatspi
    from gi.repository import GLib

    def pump(seconds, done):
        deadline = time.monotonic() + seconds
        context = GLib.MainContext.default()
        while not done() and time.monotonic() < deadline:
            if not context.iteration(False):
                time.sleep(0.02)
        return done()

    def application():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "Lexodrom":
                return app
        return None

    app = wait_for("the game on the accessibility bus", 60, application)

    def named(name, role):
        def probe():
            return pyatspi.findDescendant(
                app, lambda a: a is not None and a.name == name and a.getRole() == role)
        try:
            return wait_for(f"an accessible {role} named {name!r}", 20, probe)
        except Failure:
            roles = []
            pyatspi.findAllDescendants(
                app, lambda a: a is not None and roles.append(f"{a.getRoleName()} {a.name!r}"))
            raise Failure(f"no {pyatspi.Role(role)} named {name!r}; the tree has: "
                          + "; ".join(roles))

    letter = named(LETTER_BOX, pyatspi.ROLE_TEXT)
    button = named(ENTER_BUTTON, pyatspi.ROLE_PUSH_BUTTON)
    transcript = named(TRANSCRIPT, pyatspi.ROLE_TEXT)
    lines = [f"found: text {LETTER_BOX!r}, push button {ENTER_BUTTON!r}, text {TRANSCRIPT!r}"]
    before = transcript.queryText().getText(0, -1)
    lines.append(f"transcript before: {before!r}")

    # Typed on the keyboard, into the box that has the focus.
    letter.queryComponent().grabFocus()
    pump(0.5, lambda: False)
    pyatspi.Registry.generateKeyboardEvent(ord(TYPED), None, pyatspi.KEY_SYM)
    if not pump(10, lambda: letter.queryText().getText(0, -1) == TYPED):
        raise Failure(f"the letter box holds {letter.queryText().getText(0, -1)!r}, "
                      f"not the typed {TYPED!r}")
    lines.append(f"typed {TYPED!r}; the letter box reads {letter.queryText().getText(0, -1)!r}")

    actions = button.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if "Press" not in names:
        raise Failure(f"the Enter button offers {names}, no Press")
    del heard[:]
    actions.doAction(names.index("Press"))
    lines.append("pressed the Enter button (action Press)")

    def told():
        # A paragraph separator is how a text document tells a line end.
        return "".join(text for kind, text in heard
                       if kind.endswith(":insert")).replace("\u2029", "\n")
    pump(15, lambda: f"Bisher: '{TYPED}" in told())
    pump(1, lambda: False)  # anything told after the reply
    for kind, text in heard:
        lines.append(f"event {kind}: {text!r}")
    after = transcript.queryText().getText(0, -1)
    lines.append(f"transcript after: {after!r}")
    with open(report, "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")
    print("\n".join(lines))

    if "Mein Buchstabe ist '" not in after or f"Bisher: '{TYPED}" not in after:
        raise Failure(f"the transcript does not hold the reply: {after!r}")
    if not heard:
        raise Failure("no text event on the transcript told of the computer's reply")
    if any(not kind.endswith(":insert") for kind, _ in heard) or told() != after[len(before):]:
        raise Failure("the events told more or other than the new lines: "
                      f"{told()!r} for {after[len(before):]!r}")


def main():
    build, work = sys.argv[1], sys.argv[2]
    report = sys.argv[3] if len(sys.argv) > 3 else os.path.join(work, "atspi.txt")
    shutil.rmtree(work, ignore_errors=True)
    for folder in ("home", "runtime"):
        os.makedirs(os.path.join(work, folder), mode=0o700)
    if os.path.isdir(build):
        prefix = os.path.join(work, "prefix")
        subprocess.run(["cmake", "--install", build, "--prefix", prefix], check=True,
                       stdout=subprocess.DEVNULL, timeout=300)
        game = os.path.join(prefix, "games", "lexodrom")
    else:
        game = os.path.abspath(build)

    env = {key: value for key, value in os.environ.items()
           if key not in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                          "AT_SPI_BUS_ADDRESS", "QT_QPA_PLATFORM", "XDG_DATA_HOME")}
    env.update(HOME=os.path.join(work, "home"), XDG_RUNTIME_DIR=os.path.join(work, "runtime"),
               GSETTINGS_BACKEND="memory")
    session = Session(work)
    signal.signal(signal.SIGALRM, lambda *_: (_ for _ in ()).throw(Failure("timed out")))
    signal.alarm(240)
    try:
        start_desktop(session, env)
        heard = listen(env)
        with open(os.path.join(work, "game.log"), "w") as log:
            session.start([game], env=dict(env, QT_QPA_PLATFORM="xcb"), stdout=log,
                          stderr=subprocess.STDOUT, cwd=env["HOME"])
            play(heard, report)
        print("a screen reader played a move")
        return 0
    except Failure as failure:
        print(f"FAIL: {failure}")
        log = os.path.join(work, "game.log")
        if os.path.exists(log):
            print(open(log, encoding="utf-8", errors="replace").read())
        return 1
    finally:
        signal.alarm(0)
        session.close()


if __name__ == "__main__":
    sys.exit(main())
