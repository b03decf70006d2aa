"""A small client for lexodrom-driver: one command a line in, JSON out."""

import json
import os
import subprocess


class Driver:
    def __init__(self, program, cwd, seed=None):
        args = [os.path.abspath(program)] + (["--seed", str(seed)] if seed is not None else [])
        self.process = subprocess.Popen(
            args, cwd=cwd, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
            stderr=subprocess.PIPE, text=True, encoding="utf-8", bufsize=1)

    def send(self, command):
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()

    def state(self):
        self.send("state")
        line = self.process.stdout.readline()
        if not line:
            raise RuntimeError("the driver ended: " + self.process.stderr.read())
        return json.loads(line)

    def finish(self, timeout=60):
        """Closes the input and returns (exit line as JSON, exit code, stderr)."""
        self.process.stdin.close()
        rest = self.process.stdout.read()
        code = self.process.wait(timeout=timeout)
        lines = [line for line in rest.splitlines() if line.strip()]
        return json.loads(lines[-1]) if lines else None, code, self.process.stderr.read()


def controls(state, template=None):
    """The controls of the innermost open dialog (or of `template`), by id."""
    dialogs = [d for d in state["dialogs"] if template is None or d["template"] == template]
    return {c["id"]: c for c in dialogs[-1]["controls"]}


def named_controls(state, template=None):
    """The controls of the innermost open dialog (or of `template`), by the
    control names the driver's commands accept (IDC_LETTER, IDOK, ...)."""
    dialogs = [d for d in state["dialogs"] if template is None or d["template"] == template]
    return {c["name"]: c for c in dialogs[-1]["controls"] if c.get("name")}
