"""Drives the installed Pellmarsh from outside, as a person would: clicks into the boxes, types, clicks
"Calculate" (xdotool), then reads the result grid back cell by cell through the desktop accessibility
interface (AT-SPI) and compares it with the cells an independent decimal computation expects. A block of
the grid copied with Ctrl+C is read back from the clipboard (xclip)."""

import os
import subprocess
import sys
import time
from decimal import ROUND_HALF_EVEN, Decimal, getcontext

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

getcontext().prec = 28
BIN = os.environ["PELLMARSH_BIN"]
SHOT = os.environ.get("PELLMARSH_SCREENSHOT")
LABELS = {
    "Text1": "Length of Loan (Years)",
    "Text2": "Annual Interest Rate ",
    "Text3": "Principal Loan Balance",
    "Text4": "Annual Property Tax and Insurance Other Expanses",
    "Text5": "Annual Insur:",
    "Text6": "Year To Start the payment",
}
MONTHS = ["January", "February", "March", "April", "May", "June", "July", "August", "September", "Octomber",
          "November", "Deceamber"]
failures = []


def check(cond, what):
    if not cond:
        failures.append(what)
        print("FAIL:", what, flush=True)


# ---- the expected cells, computed independently with Python's decimal module --------------------------

def dec15(x: float) -> Decimal:
    return Decimal(format(x, ".15g"))


def cell(v) -> str:
    if isinstance(v, str):
        return v
    v = v.quantize(Decimal("0.01"), rounding=ROUND_HALF_EVEN) if v.as_tuple().exponent < -2 else v
    s = format(v.normalize(), "f")
    return "0" if Decimal(s) == 0 else s


def r2(v: Decimal) -> Decimal:
    return v.quantize(Decimal("0.01"), rounding=ROUND_HALF_EVEN)


def expected_grid(years, rate_pct, principal, tax, insur, start):
    rate = dec15(float(rate_pct) / 1200)
    n = round(float(years) * 12)
    d = 1 - float(1 + rate) ** -n
    payment = dec15(float(principal)) * (rate / dec15(d))
    shown = r2(payment)
    total = shown + dec15(float(insur)) + dec15(float(tax))
    rows = [["", ""] for _ in range(6)]
    rows[1] = ["Montly PayMent: ", cell(shown)]
    rows[2] = ["Tax: ", tax]
    rows[3] = ["Annual Insur: ", insur]
    rows[4] = ["-" * 21, "-" * 13]
    rows[5] = ["Total Amount To Pay Monthly =", cell(total)]
    rows = [r + ["", "", ""] for r in rows] + [[""] * 5, ["Year ", "Month ", "Interest ", "Principal ", "Balance "]]
    balance = float(principal)
    to_int = to_pri = Decimal(0)
    year_i, year_p = [], []
    for i in range(1, n + 1):
        m = (i - 1) % 12
        y = (i - 1) // 12
        mi = dec15(balance) * rate
        mp = payment - mi
        balance = float(dec15(balance) - mp)
        year_i.append(mi)
        year_p.append(mp)
        rows.append([cell(dec15(float(start) + y)), MONTHS[m], cell(r2(mi)), cell(r2(mp)), cell(r2(dec15(balance)))])
        if m == 11:
            to_int += sum(year_i, Decimal(0))
            to_pri += sum(year_p, Decimal(0))
            year_i, year_p = [], []
            rows.append(["-" * 22] + ["-" * 17] * 4)
            rows.append([cell(dec15(float(start) + y)), "Total End Of Year", cell(r2(to_int)), cell(r2(to_pri)),
                         cell(r2(dec15(balance)))])
            rows.append([""] * 5)
    rows.append(["", "Total Summary:", "", "", ""])
    rows.append(["Total Monthly Payment: ", cell(r2(payment)), "", "", ""])
    rows.append(["Total Interest: ", cell(r2(to_int)), "", "", ""])
    rows.append(["Total Principal", cell(r2(to_pri)), "", "", ""])
    rows.append(["Total Payment Pay:", cell(r2(to_pri) + r2(to_int)), "", "", ""])
    rows.append([""] * 5)
    return rows


# ---- AT-SPI and xdotool helpers -------------------------------------------------------------------------

def wait_for(fn, what, timeout=60.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        found = fn()
        if found is not None:
            return found
        time.sleep(0.1)
    raise SystemExit(f"timed out waiting for {what}")


def descendants(node):
    stack = [node]
    while stack:
        n = stack.pop()
        yield n
        for i in range(n.get_child_count() - 1, -1, -1):
            child = n.get_child_at_index(i)
            if child is not None:
                stack.append(child)


def find_app():
    desk = Atspi.get_desktop(0)
    for i in range(desk.get_child_count()):
        app = desk.get_child_at_index(i)
        if app is not None and (app.get_name() or "").lower() == "pellmarsh":
            for j in range(app.get_child_count()):
                w = app.get_child_at_index(j)
                if w is not None and w.get_name() == "Pellmarsh v1.0" and w.get_role_name() == "frame":
                    return app, w
    return None


def find(window, role, name):
    for n in descendants(window):
        if n.get_role_name() == role and n.get_name() == name:
            return n
    return None


def centre(node):
    ext = node.get_extents(Atspi.CoordType.SCREEN)
    return ext.x + ext.width // 2, ext.y + ext.height // 2


def xdo(*args):
    subprocess.run(["xdotool", *args], check=True)


def click(node):
    x, y = centre(node)
    xdo("mousemove", "--sync", str(x), str(y), "click", "1")
    time.sleep(0.15)


def text_of(node):
    return Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))


def fill(window, box, value):
    node = find(window, "text", LABELS[box])
    check(node is not None, f"{box} is announced as {LABELS[box]!r}")
    click(node)
    # Shift+Home types no character, so it selects as usual; Backspace then removes the selection.
    xdo("key", "--clearmodifiers", "End", "shift+Home", "BackSpace")
    if value:
        xdo("type", "--delay", "20", value)
    deadline = time.time() + 5
    while time.time() < deadline and text_of(node) != value:
        time.sleep(0.05)
    check(text_of(node) == value, f"{box} reads {value!r} after typing (it reads {text_of(node)!r})")


def read_grid(table):
    t = table
    nrows, ncols = Atspi.Table.get_n_rows(t), Atspi.Table.get_n_columns(t)
    grid = []
    header = []
    for c in range(ncols):
        h = Atspi.Table.get_column_header(t, c)
        header.append(h.get_name() if h is not None else "")
    if any(header):
        grid.append(header)
    for r in range(nrows):
        grid.append([(Atspi.Table.get_accessible_at(t, r, c).get_name() or "") for c in range(ncols)])
    return grid


def calculate_and_compare(app_window, inputs, expect_rows, by_keyboard=False):
    for box in ("Text1", "Text2", "Text3", "Text4", "Text5", "Text6"):
        fill(app_window, box, inputs[box])
    if by_keyboard:
        # A shortcut types nothing into a box; Tab from the insurance box reaches Calculate, Return presses it.
        length = find(app_window, "text", LABELS["Text1"])
        click(length)
        xdo("key", "alt+a")
        time.sleep(0.3)
        check(text_of(length) == inputs["Text1"], f"Alt+A leaves Text1 reading {inputs['Text1']!r} "
                                                  f"(it reads {text_of(length)!r})")
        click(find(app_window, "text", LABELS["Text5"]))
        xdo("key", "Tab", "Return")
    else:
        click(find(app_window, "push button", "Calculate"))
    table = find(app_window, "table", "Payment and schedule")
    check(table is not None, "the grid is announced as 'Payment and schedule'")
    got = wait_for(lambda: (lambda g: g if len(g) >= len(expect_rows) else None)(read_grid(table)), "the schedule")
    # The grid's row 0 is its fixed header row; the result rows follow from row 1.
    got = [row + [""] * (5 - len(row)) for row in got]
    exp = [row + [""] * (5 - len(row)) for row in expect_rows]
    check(len(got) == len(exp), f"grid has {len(exp)} rows (it has {len(got)})")
    for r, (g, e) in enumerate(zip(got, exp)):
        if r == 0:
            continue
        check(g == e, f"row {r} reads {e} (it reads {g})")
    # The payment summary is in sight after the Calculate, however long the schedule.
    for r in range(1, 6):
        for c in range(2):
            states = Atspi.Table.get_accessible_at(table, r, c).get_state_set()
            check(states.contains(Atspi.StateType.SHOWING), f"summary cell ({r}, {c}) is showing")


def clipboard(*target):
    return subprocess.run(["xclip", "-o", "-selection", "clipboard", *target], capture_output=True, text=True,
                          timeout=10).stdout


def copy_block(window):
    # The payment summary's first three rows, captions and amounts, selected from the top with Shift+arrows.
    table = find(window, "table", "Payment and schedule")
    click(table)
    xdo("key", "--clearmodifiers", "ctrl+Home", "shift+Down", "shift+Down", "shift+Right", "ctrl+c")
    want = "".join("\t".join(row[:2]) + "\n" for row in read_grid(table)[1:4])
    got = wait_for(lambda: clipboard() or None, "the copied block", 10)
    check(got == want, f"the clipboard reads {want!r} (it reads {got!r})")
    check('bgcolor="#ff0000"' in clipboard("-t", "text/html"), "the clipboard's HTML carries the red payment cell")


def main():
    proc = subprocess.Popen([BIN])
    try:
        _, window = wait_for(find_app, "the Pellmarsh window")
        time.sleep(0.5)
        inputs = {"Text1": "1", "Text2": "12", "Text3": "1200", "Text4": "240", "Text5": "120", "Text6": "2030"}
        calculate_and_compare(window, inputs, expected_grid("1", "12", "1200", "240", "120", "2030"))
        inputs = {"Text1": "30", "Text2": "6", "Text3": "200000", "Text4": "1200", "Text5": "600", "Text6": "2007"}
        calculate_and_compare(window, inputs, expected_grid("30", "6", "200000", "1200", "600", "2007"), True)
        if SHOT:
            subprocess.run(["import", "-window", "root", SHOT], check=False)
        copy_block(window)

        # Missing input: the program answers with its own message box, and nothing else changes.
        fill(window, "Text3", "")
        click(find(window, "push button", "Calculate"))
        app = find_app()[0]
        box = wait_for(lambda: next((n for n in descendants(app) if n.get_name() == "Missing Info"), None),
                       "the Missing Info message")
        check(any((n.get_name() or "") == "Missing information please check your work" for n in descendants(box)),
              "the message box says 'Missing information please check your work'")
        click(find(box, "push button", "OK"))
        wait_for(lambda: None if any(n.get_name() == "Missing Info" for n in descendants(app)) else True,
                 "the message box to close")
        check(text_of(find(window, "text", LABELS["Text4"])) == "1200", "Text4 keeps what the user typed")
    finally:
        proc.terminate()
        proc.wait(timeout=10)
    print(f"e2e: {0 if failures else 1} passed, {1 if failures else 0} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
