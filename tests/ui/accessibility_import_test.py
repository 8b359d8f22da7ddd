#!/usr/bin/python3
"""A screen-reader user imports a picture and saves its entries, through AT-SPI only.

The window runs on the xcb platform under its own Xvfb, on the private session bus this script
is started on (dbus-run-session), which starts at-spi2-core's accessibility bus on demand. The
picture is put on the X clipboard; every control is found by its role and Chinese name and
pressed through its action; no coordinate is used. Exits 77 (skipped) only when Xvfb cannot
start.

    dbus-run-session -- accessibility_import_test.py SLATEBOOK IMAGE
"""

import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

DEADLINE = time.monotonic() + 50
SKIPPED = 77
# The status bar's names, in the order a screen reader heard them.
announced = []


def fail(message):
    print(f"FAIL: {message}; announced: {announced}", file=sys.stderr)
    sys.exit(1)


def pump():
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def wait_for(what, probe, seconds=30):
    """Runs the event loop until probe() gives a true value; fails with `what` at the limit."""
    limit = min(time.monotonic() + seconds, DEADLINE)
    while time.monotonic() < limit:
        pump()
        try:
            found = probe()
        except (GLib.Error, RuntimeError, LookupError):
            found = None  # the tree changed under the walk: look again
        if found:
            return found
        time.sleep(0.1)
    fail("timed out waiting for " + what)


def start_xvfb():
    read_end, write_end = os.pipe()
    try:
        server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1600x1000x24",
             "-nolisten", "tcp"],
            pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    except OSError as error:
        print(f"skipped: Xvfb cannot start ({error})")
        sys.exit(SKIPPED)
    os.close(write_end)
    with os.fdopen(read_end) as reader:
        display = reader.readline().strip()
    if not display:
        server.kill()
        print("skipped: Xvfb gave no display")
        sys.exit(SKIPPED)
    return server, ":" + display


def find(root, role, name):
    return pyatspi.findDescendant(
        root, lambda node: node is not None and node.getRole() == role and node.name == name)


def press(button):
    if not button.getState().contains(pyatspi.STATE_ENABLED):
        fail(f"「{button.name}」 is disabled")
    button.queryAction().doAction(0)


def rows_of(app, list_name):
    listing = find(app, pyatspi.ROLE_LIST, list_name)
    if listing is None:
        return None
    return [child.name for child in listing
            if child is not None and child.getRole() == pyatspi.ROLE_LIST_ITEM
            and child.getState().contains(pyatspi.STATE_SHOWING)]


def saved_titles(home):
    path = os.path.join(home, ".local/share/Slatebook/tasks.json")
    try:
        with open(path, encoding="utf-8") as file:
            lists = json.load(file)
    except (OSError, ValueError):
        return None
    found = []

    def walk(value):
        if isinstance(value, dict):
            if isinstance(value.get("title"), str) and "done" in value:
                found.append(value["title"])
            for item in value.values():
                walk(item)
        elif isinstance(value, list):
            for item in value:
                walk(item)

    walk(lists)
    return found


def main():
    slatebook, image = sys.argv[1], sys.argv[2]
    server, display = start_xvfb()
    home = tempfile.mkdtemp(prefix="slatebook-a11y-")
    environment = dict(os.environ, DISPLAY=display, HOME=home,
                       XDG_DATA_HOME=home + "/.local/share", XDG_CONFIG_HOME=home + "/.config",
                       XDG_CACHE_HOME=home + "/.cache", XDG_STATE_HOME=home + "/.local/state",
                       QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                       QT_ACCESSIBILITY="1", LANG="zh_CN.UTF-8")
    children = [server]
    try:
        # xclip stays in the background and serves the picture to whoever pastes.
        children.append(subprocess.Popen(
            ["xclip", "-selection", "clipboard", "-t", "image/png", "-i", image],
            env=environment, stdout=subprocess.DEVNULL))
        window = subprocess.Popen([slatebook], env=environment)
        children.append(window)

        def heard(event):
            if event.source is not None and event.source.getRole() == pyatspi.ROLE_STATUS_BAR:
                announced.append(event.source.name)

        pyatspi.Registry.registerEventListener(heard, "object:property-change:accessible-name")

        def application():
            if window.poll() is not None:
                fail(f"the window ended with status {window.returncode}")
            desktop = pyatspi.Registry.getDesktop(0)
            return next((app for app in desktop if app is not None and app.name == "Slatebook"),
                        None)

        app = wait_for("the window on the accessibility bus", application)
        paste = wait_for("the button 从剪贴板",
                         lambda: find(app, pyatspi.ROLE_PUSH_BUTTON, "从剪贴板"))
        for role, name in [(pyatspi.ROLE_PUSH_BUTTON, "选择图片…"),
                           (pyatspi.ROLE_PUSH_BUTTON, "手动加一条"),
                           (pyatspi.ROLE_TEXT, "清单名")]:
            if find(app, role, name) is None:
                fail(f"no control named 「{name}」")
        press(paste)

        rows = wait_for("the recognised rows", lambda: rows_of(app, "解析结果") or None, 40)
        if rows[0] != "语文：背诵《春》第一、二段" or not all("：" in row for row in rows):
            fail(f"rows do not read subject and task: {rows}")
        if not any(text.startswith("来自剪贴板") for text in announced):
            fail("the result was not announced")

        press(wait_for("the button 存到本 App",
                       lambda: find(app, pyatspi.ROLE_PUSH_BUTTON, "存到本 App")))
        wait_for("the saved status", lambda: any("已存到" in text for text in announced), 10)
        titles = saved_titles(home)
        if titles is None or sorted(title.replace("｜", "：") for title in titles) != sorted(rows):
            fail(f"tasks.json holds {titles}, the rows read {rows}")

        # The saved list reads the same on the lists screen.
        press(find(app, pyatspi.ROLE_PUSH_BUTTON, "我的清单"))
        entries = wait_for("the saved entries", lambda: rows_of(app, "条目"), 10)
        # Each entry reads its subject and task first, then its state and due time.
        if sorted(entry.split("，")[0] for entry in entries) != sorted(rows) or not all(
                "，截止 " in entry for entry in entries):
            fail(f"the lists screen reads {entries}, the import read {rows}")
        print(f"imported and saved {len(rows)} rows; announced: {announced}")
    finally:
        for child in reversed(children):
            if child.poll() is None:
                child.send_signal(signal.SIGTERM)
                try:
                    child.wait(5)
                except subprocess.TimeoutExpired:
                    child.kill()
                    child.wait()
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    main()
