"""What the end-to-end tests share: finding the editor on the accessibility bus, waiting,
and real X input through xdotool."""
import subprocess
import sys
import time

import pyatspi


def wait_for(what, probe, timeout=30.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.2)
    raise SystemExit(f"timed out waiting for {what}")


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.name in ("skinsmith", "SkinSmith"):
            return app
    return None


def launch(command, env, attempts=3):
    """Starts the editor and waits until it is on the accessibility bus; returns the process and
    its accessible application. An editor that exits before its window shows (an X server that
    has just come up and refuses the connection) is started again; one that hangs is not."""
    for _ in range(attempts):
        editor = subprocess.Popen(command, env=env)
        deadline = time.time() + 30.0
        while time.time() < deadline and editor.poll() is None:
            app = application()
            if app is not None:
                return editor, app
            time.sleep(0.2)
        if editor.poll() is None:
            stop(editor)
            raise SystemExit("timed out waiting for the editor on the accessibility bus")
        print(f"e2e: the editor exited ({editor.returncode}) before its window showed; "
              "starting it again", file=sys.stderr)
        time.sleep(1.0)
    raise SystemExit(f"the editor did not start in {attempts} attempts")


def find(node, predicate, depth=0):
    if node is None or depth > 40:
        return None
    try:
        if predicate(node):
            return node
        for index in range(node.childCount):
            hit = find(node.getChildAtIndex(index), predicate, depth + 1)
            if hit is not None:
                return hit
    except Exception:
        return None
    return None


def named(name):
    return lambda node: node.name == name


def key(*combos):
    for combo in combos:
        subprocess.run(["xdotool", "key", "--clearmodifiers", combo], check=True)


def stop(editor):
    """Ends the editor's process, killing it when it does not end by itself."""
    editor.terminate()
    try:
        editor.wait(10)
    except subprocess.TimeoutExpired:
        editor.kill()
