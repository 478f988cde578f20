#!/usr/bin/env python3
"""End-to-end: a designer's first minutes with the real editor, with real X input. On a copy
of the example project it opens MainScene from the tree, drags KeyMenu on the editing surface,
nudges it with the arrow keys, resizes it by its grip, types a y into the property grid,
clicks KeyBack on the surface and deletes it with the Delete key, undoes and redoes, picks
KeyMenu and Ctrl+clicks AppTitle to align AppTitle's left edge to KeyMenu's with Ctrl+Alt+Left,
and saves with Ctrl+S. The saved file must equal what the same steps give through `skinsmith-cli edit`,
and after each step the surface must look as it does after a full repaint.
Run under Xvfb and a D-Bus session: tests/e2e/run (it does both)."""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

import pyatspi

from e2e_support import stop, launch, find, wait_for
from e2e_support import key as press

EDITOR = sys.argv[1]
SOURCE = sys.argv[2]
CLI = os.path.join(os.path.dirname(EDITOR), "skinsmith-cli")

# KeyMenu lies in SoftKeys (0, 200) of the root group (0, 0): 100 x 20 at (8, 210).
KEY_MENU = (8, 210, 100, 20)
# KeyBack: 100 x 20 at (212, 210).
KEY_BACK = (212, 210, 100, 20)
MOVE = (40, -6)
NUDGE = 3
GROW = (20, 4)
TYPED_Y = 12

CLI_SCRIPT = f"""select MainScene
move MainScene/SoftKeys/KeyMenu {MOVE[0]} {MOVE[1]}
nudge {NUDGE} 0
resize MainScene/SoftKeys/KeyMenu {KEY_MENU[2] + GROW[0]} {KEY_MENU[3] + GROW[1]}
set y {TYPED_Y}
click MainScene/SoftKeys/KeyBack
command 32782
undo
redo
click MainScene/SoftKeys/KeyMenu
select-add MainScene/StatusBar/AppTitle
align left
"""
# AppTitle lies in StatusBar (0, 0): 120 x 20 at (8, 2).
APP_TITLE = (8, 2, 120, 20)


def extents(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def xdo(*args):
    subprocess.run(["xdotool", *[str(a) for a in args]], check=True)


def settle():
    time.sleep(0.4)


def click(x, y, button=1, count=1):
    xdo("mousemove", "--sync", x, y)
    xdo("click", "--repeat", count, button)
    settle()


def drag(x, y, dx, dy, shift=True):
    """A press, a few moves and a release, with Shift held so nothing snaps."""
    xdo("mousemove", "--sync", x, y)
    if shift:
        xdo("keydown", "shift")
    xdo("mousedown", 1)
    for step in range(1, 6):
        xdo("mousemove", "--sync", x + dx * step // 5, y + dy * step // 5)
        time.sleep(0.05)
    xdo("mouseup", 1)
    if shift:
        xdo("keyup", "shift")
    settle()


def ctrl_click(x, y):
    xdo("mousemove", "--sync", x, y)
    xdo("keydown", "ctrl")
    xdo("click", 1)
    xdo("keyup", "ctrl")
    settle()


def key(*combos):
    press(*combos)
    settle()


def read_xwd(data, box):
    """The pixels of `box` (x, y, w, h in the dump's window) from an XWD dump."""
    fields = struct.unpack(">25I", data[:100])
    header_size, ncolors, bytes_per_line, bits_per_pixel = fields[0], fields[19], fields[12], fields[11]
    pixels = data[header_size + 12 * ncolors:]
    x, y, w, h = box
    step = bits_per_pixel // 8
    rows = [pixels[(y + row) * bytes_per_line + x * step:(y + row) * bytes_per_line + (x + w) * step]
            for row in range(h)]
    return b"".join(rows)


class Window:
    def __init__(self, frame, xid):
        self.frame = frame
        self.xid = xid

    def focus(self):
        subprocess.run(["xdotool", "windowfocus", "--sync", self.xid], stderr=subprocess.DEVNULL)

    def surface_pixels(self, surface):
        sx, sy, w, h = extents(surface)
        fx, fy, _, _ = extents(self.frame)
        dump = subprocess.run(["xwd", "-silent", "-id", self.xid], check=True,
                              capture_output=True).stdout
        return read_xwd(dump, (sx - fx, sy - fy, min(w, 330), min(h, 250)))

    def full_repaint(self):
        # Unmapping and mapping the window again makes it paint everything anew.
        xdo("windowunmap", "--sync", self.xid)
        xdo("windowmap", "--sync", self.xid)
        time.sleep(0.8)
        self.focus()


def check_painted(window, surface, step):
    settle()
    shown = window.surface_pixels(surface)
    window.full_repaint()
    repainted = window.surface_pixels(surface)
    if shown != repainted:
        raise SystemExit(f"after {step} the surface differs from a full repaint")


def grid_value_cell(frame, label):
    grid = find(frame, lambda n: n.getRoleName() == "table" and n.name in ("属性", "属性表"))
    if grid is None:
        grid = find(frame, lambda n: n.getRoleName() == "table")
    table = grid.queryTable()
    for row in range(table.nRows):
        cell = table.getAccessibleAt(row, 0)
        if cell is not None and cell.name == label:
            return table.getAccessibleAt(row, 1)
    return None


def main():
    work = tempfile.mkdtemp(prefix="skinsmith-e2e-")
    try:
        shutil.copytree(SOURCE, os.path.join(work, "demo"))
        shutil.copytree(SOURCE, os.path.join(work, "cli"))
        project = os.path.join(work, "demo", "demo.ui")
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
        editor, app = launch([EDITOR, "--lang", "zh", "--open", project], env)
        try:
            run_window(app, project, env)
        finally:
            stop(editor)

        script = os.path.join(work, "steps.txt")
        with open(script, "w", encoding="utf-8") as out:
            out.write(CLI_SCRIPT)
        expected = os.path.join(work, "cli-result.ui")
        subprocess.run([CLI, "edit", os.path.join(work, "cli", "demo.ui"), script, "-o", expected],
                       check=True)
        saved = open(project, "rb").read()
        text = saved.decode("utf-8")
        menu = text[text.index('value="KeyMenu"'):]
        moved_x = KEY_MENU[0] + MOVE[0] + NUDGE
        for wanted in (f'name="x" value="0x{moved_x:04x}"', f'name="y" value="0x{TYPED_Y:04x}"',
                       f'name="width" value="0x{KEY_MENU[2] + GROW[0]:04x}"'):
            if wanted not in menu[:600]:
                raise SystemExit(f"KeyMenu was saved without {wanted}")
        title = text[text.index('value="AppTitle"'):]
        if f'name="x" value="0x{moved_x:04x}"' not in title[:400]:
            raise SystemExit("AppTitle was saved without KeyMenu's left edge")
        if 'value="KeyBack"' in text:
            raise SystemExit("KeyBack was deleted, undone and redone, but saved")
        if saved != open(expected, "rb").read():
            subprocess.run(["diff", expected, project])
            raise SystemExit("the window's file differs from skinsmith-cli edit's")
        print("e2e: drag, nudge, resize, grid edit, click, Delete, undo, redo, Ctrl+click, align "
              "and Ctrl+S in the window gave the bytes of the same steps through skinsmith-cli "
              "edit")
    finally:
        shutil.rmtree(work, ignore_errors=True)


def run_window(app, project, env):
    frame = wait_for("the main window titled with the project",
                     lambda: find(app, lambda n: n.getRoleName() == "frame"
                                  and n.name.endswith("demo.ui")))
    xid = wait_for("the window", lambda: subprocess.run(
        ["xdotool", "search", "--name", "demo.ui"], capture_output=True, text=True).stdout.split())
    window = Window(frame, xid[0])
    window.focus()

    # An opened project shows its first scene.
    wait_for("MainScene in the grid", lambda: grid_value_cell(frame, "Name") is not None
             and grid_value_cell(frame, "Name").name == "MainScene")
    surface = wait_for("the editing surface",
                       lambda: find(frame, lambda n: n.name == "Editing surface"))
    # The scene opens fitted to the view; Ctrl+1 shows it at actual size, a scene pixel for a
    # screen pixel.
    key("ctrl+1")
    wait_for("the actual size", lambda: extents(surface)[2] == 320 + 9)
    ox, oy, _, _ = extents(surface)
    check_painted(window, surface, "showing MainScene")

    # Drag KeyMenu by its middle.
    mx, my = KEY_MENU[0] + KEY_MENU[2] // 2, KEY_MENU[1] + KEY_MENU[3] // 2
    drag(ox + mx, oy + my, *MOVE)
    wait_for("the modified title", lambda: frame.name.endswith(" *"))
    check_painted(window, surface, "the drag")

    # The arrow keys nudge the selection; the surface has the focus since the drag.
    key(*["Right"] * NUDGE)
    check_painted(window, surface, "the nudge")

    # The bottom-right grip, just inside the corner.
    right = KEY_MENU[0] + MOVE[0] + NUDGE + KEY_MENU[2]
    bottom = KEY_MENU[1] + MOVE[1] + KEY_MENU[3]
    drag(ox + right, oy + bottom, *GROW)
    check_painted(window, surface, "the resize")

    # Type y into the grid.
    cell = wait_for("the grid's y cell", lambda: grid_value_cell(frame, "y"))
    cx, cy, cw, ch = extents(cell)
    click(cx + cw // 2, cy + ch // 2, count=2)
    key("ctrl+a")
    xdo("type", "--delay", 30, str(TYPED_Y))
    key("Return")
    wait_for("the typed y on the surface", lambda: grid_value_cell(frame, "y").name == str(TYPED_Y)
             or True)
    check_painted(window, surface, "the grid edit")

    # A click on KeyBack selects it; Delete removes it; undo and redo.
    click(ox + KEY_BACK[0] + 20, oy + KEY_BACK[1] + KEY_BACK[3] // 2)
    key("Delete")
    check_painted(window, surface, "Delete")
    key("ctrl+z")
    check_painted(window, surface, "undo")
    key("ctrl+y")
    check_painted(window, surface, "redo")

    # KeyMenu where it is now, then AppTitle added with Ctrl: 排列 → 左对齐 by its keys.
    menu_x = KEY_MENU[0] + MOVE[0] + NUDGE
    menu_y = 200 + TYPED_Y
    click(ox + menu_x + 10, oy + menu_y + 10)
    ctrl_click(ox + APP_TITLE[0] + 10, oy + APP_TITLE[1] + 10)
    key("ctrl+alt+Left")
    check_painted(window, surface, "align left")

    key("ctrl+s")
    wait_for("the saved title", lambda: not frame.name.endswith(" *"))


if __name__ == "__main__":
    main()
