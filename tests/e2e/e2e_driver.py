"""Drives the installed Pellmarsh from outside, as a person would: clicks into the boxes, types (xdotool),
presses Calculate from the keyboard, reads the grid back cell by cell through the desktop accessibility
interface (AT-SPI) and compares it with the golden 30-year grid; copies a block and reads the clipboard."""

import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

BIN = os.environ["PELLMARSH_BIN"]
GOLDEN = os.path.join(os.path.dirname(__file__), "..", "app", "golden", "30-y-6-200000.tsv")
LENGTH, INSURANCE = "Length of Loan (Years)", "Annual Insur:"
INPUTS = [(LENGTH, "30"), ("Annual Interest Rate ", "6"), ("Principal Loan Balance", "200000"),
          ("Annual Property Tax and Insurance Other Expanses", "1200"), (INSURANCE, "600"),
          ("Year To Start the payment", "2007")]
failures = []


def check(cond, what):
    if not cond:
        failures.append(what)
        print("FAIL:", what, flush=True)


def wait_for(fn, what, timeout=60.0):
    deadline = time.time() + timeout
    while (found := fn()) is None:
        if time.time() > deadline:
            raise SystemExit(f"timed out waiting for {what}")
        time.sleep(0.1)
    return found


def descendants(node):
    stack = [node]
    while stack:
        n = stack.pop()
        yield n
        stack.extend(c for c in (n.get_child_at_index(i) for i in range(n.get_child_count())) if c is not None)


def find(window, role, name):
    return next((n for n in descendants(window) if n.get_role_name() == role and n.get_name() == name), None)


def xdo(*args):
    subprocess.run(["xdotool", *args], check=True)


def click(node):
    ext = node.get_extents(Atspi.CoordType.SCREEN)
    xdo("mousemove", "--sync", str(ext.x + ext.width // 2), str(ext.y + ext.height // 2), "click", "1")
    time.sleep(0.15)


def text_of(node):
    return Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))


def fill(window, label, value):
    node = find(window, "text", label)
    click(node)
    # Shift+Home types no character, so it selects as usual; Backspace then removes the selection.
    xdo("key", "--clearmodifiers", "End", "shift+Home", "BackSpace")
    xdo("type", "--delay", "20", value)
    wait_for(lambda: True if text_of(node) == value else None, f"{label!r} to read {value!r}", 5)


def cells(table, rows):
    return [[Atspi.Table.get_accessible_at(table, r, c) for c in range(5)] for r in rows]


def clipboard(*target):
    return subprocess.run(["xclip", "-o", "-selection", "clipboard", *target], capture_output=True, text=True,
                          timeout=10).stdout


def main():
    golden = {}
    for line in open(GOLDEN, encoding="utf-8").read().splitlines():
        row, col, text = line.split("\t")[:3]
        golden.setdefault(int(row), [""] * 5)[int(col)] = text
    proc = subprocess.Popen([BIN])
    try:
        # The window is a frame announced by its title.
        window = wait_for(lambda: find(Atspi.get_desktop(0), "frame", "Pellmarsh v1.0"), "the Pellmarsh window")
        time.sleep(0.5)
        for label, value in INPUTS:
            fill(window, label, value)
        # A shortcut types nothing into a box; Tab from the insurance box reaches Calculate, Return presses it.
        length = find(window, "text", LENGTH)
        click(length)
        xdo("key", "alt+a")
        time.sleep(0.3)
        check(text_of(length) == "30", f"Alt+A leaves the length reading '30' (it reads {text_of(length)!r})")
        click(find(window, "text", INSURANCE))
        xdo("key", "Tab", "Return")

        table = find(window, "table", "Payment and schedule")
        check(table is not None, "the grid is announced as 'Payment and schedule'")
        wait_for(lambda: True if Atspi.Table.get_n_rows(table) == len(golden) else None, "the schedule")
        got = [[c.get_name() or "" for c in row] for row in cells(table, range(1, len(golden)))]
        for r, row in enumerate(got, 1):
            check(row == golden[r], f"row {r} reads {golden[r]} (it reads {row})")
        # The payment summary is in sight after the Calculate, however long the schedule.
        for row in cells(table, range(1, 6)):
            check(all(c.get_state_set().contains(Atspi.StateType.SHOWING) for c in row[:2]), "the summary shows")
        if os.environ.get("PELLMARSH_SCREENSHOT"):
            subprocess.run(["import", "-window", "root", os.environ["PELLMARSH_SCREENSHOT"]], check=False)

        # The summary's first three rows, captions and amounts, copied from the top with Shift+arrows.
        click(table)
        xdo("key", "--clearmodifiers", "ctrl+Home", "shift+Down", "shift+Down", "shift+Right", "ctrl+c")
        want = "".join("\t".join(golden[r][:2]) + "\n" for r in (1, 2, 3))
        got = wait_for(lambda: clipboard() or None, "the copied block", 10)
        check(got == want, f"the clipboard reads {want!r} (it reads {got!r})")
        check('bgcolor="#ff0000"' in clipboard("-t", "text/html"), "the clipboard's HTML carries the red payment")

    finally:
        proc.terminate()
        proc.wait(timeout=10)
    print(f"e2e: {0 if failures else 1} passed, {1 if failures else 0} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
