#!/usr/bin/env python3
"""End-to-end: the real editor on a copy of the example project, read through the desktop's
accessibility bus and driven with keystrokes. It adds a scene through the toolbar button,
undoes it with Ctrl+Z, saves with Ctrl+S and checks that the project file came back byte for
byte. Run under Xvfb and a D-Bus session: tests/e2e/run (it does both)."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

from e2e_support import stop, launch, find, key, named, wait_for

EDITOR = sys.argv[1]
SOURCE = sys.argv[2]


def main():
    work = tempfile.mkdtemp(prefix="skinsmith-e2e-")
    try:
        shutil.copytree(SOURCE, os.path.join(work, "demo"))
        project = os.path.join(work, "demo", "demo.ui")
        original = open(project, "rb").read()
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
        editor, app = launch([EDITOR, "--lang", "zh", "--open", project], env)
        try:
            frame = wait_for("the main window titled with the project",
                             lambda: find(app, lambda n: n.getRoleName() == "frame"
                                          and n.name.endswith("demo.ui")))
            for title in ("资源", "属性", "资源管理"):
                wait_for(f"the panel {title}", lambda: find(frame, named(title)))
            menu_bar = find(frame, lambda n: n.getRoleName() == "menu bar")
            assert menu_bar is not None, "no menu bar"
            assert find(menu_bar, named("文件(F)")) or find(menu_bar, named("文件(&F)")) \
                or find(menu_bar, lambda n: n.name.startswith("文件")), "no File menu"

            button = wait_for("the add-scene button",
                              lambda: find(frame, lambda n: n.getRoleName() == "push button"
                                           and n.name.startswith("添加场景")))
            button.queryAction().doAction(0)
            wait_for("the modified title", lambda: frame.name.endswith(" *"))
            xid = wait_for("the window", lambda: subprocess.run(
                ["xdotool", "search", "--name", "demo.ui"], capture_output=True,
                text=True).stdout.split())
            # A bare X server has no window manager to activate windows: focus it directly.
            subprocess.run(["xdotool", "windowfocus", "--sync", xid[0]], stderr=subprocess.DEVNULL)
            wait_for("the keyboard focus", lambda: subprocess.run(
                ["xdotool", "getwindowfocus"], capture_output=True, text=True).stdout.strip()
                in xid)
            key("ctrl+z")
            key("ctrl+s")
            wait_for("the saved title", lambda: not frame.name.endswith(" *"))
            saved = open(project, "rb").read()
            if saved != original:
                raise SystemExit("the saved project differs from the original")
            print("e2e: window read through AT-SPI; add, undo and Ctrl+S gave the same bytes")
        finally:
            stop(editor)
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
