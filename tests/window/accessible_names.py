#!/usr/bin/python3
"""Reads the running window through AT-SPI, as a screen reader does: every
field of every type screen must carry its caption as its name, and the
buttons, toggles and result line names of their own; the option toggles are
check boxes with their state, and the thickness is read after Enter.

    dbus-run-session -- tests/window/accessible_names.py build/ui/kaldora

Needs an X display (Xvfb), python3-pyatspi and at-spi2-core. Prints what it
read and exits 1 on the first field without a name."""
import os
import subprocess
import sys
import time

import pyatspi


def find_app(name, seconds=10):
    end = time.time() + seconds
    while time.time() < end:
        for app in pyatspi.Registry.getDesktop(0):
            if app and app.name == name:
                return app
        time.sleep(0.2)
    return None


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def shown_texts(app):
    fields, named = [], []
    for node in walk(app):
        states = node.getState()
        if not states.contains(pyatspi.STATE_SHOWING):
            continue
        role = node.getRole()
        if role == pyatspi.ROLE_TEXT and states.contains(pyatspi.STATE_EDITABLE):
            fields.append(node.name)
        elif role in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_COMBO_BOX):
            named.append(node.name)
    return fields, named


def main():
    program = sys.argv[1]
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    time.sleep(1)
    window = subprocess.Popen([program], env=env)
    try:
        app = find_app("kaldora") or find_app("Кальдора")
        if app is None:
            print("the program did not show up on the accessibility bus")
            return 1
        failed = False

        def key(name):
            subprocess.run(["xdotool", "search", "--name", "Программа тепловых расчетов",
                            "windowfocus", "--sync", "key", name], check=False)
            time.sleep(0.5)

        for type_key in "12345":
            key("ctrl+" + type_key)
            fields, named = shown_texts(app)
            print(f"type {type_key}: fields {fields}; buttons and lists {named}")
            if not fields or any(not name for name in fields + named):
                failed = True
        # Type 1: its toggles are check boxes; Enter in its first field
        # calculates, and the result line says the thickness.
        key("ctrl+1")
        toggles = [(n.name, n.getState().contains(pyatspi.STATE_CHECKED)) for n in walk(app)
                   if n.getRole() == pyatspi.ROLE_CHECK_BOX and n.getState().contains(pyatspi.STATE_SHOWING)]
        print(f"type 1 toggles: {toggles}")
        key("Return")
        results = [n.name for n in walk(app) if n.name.startswith("Результат расчета")]
        print(f"after Enter: {results}")
        if len(toggles) != 3 or results != ["Результат расчета: Толщина тепловой изоляции = 78,9 мм"]:
            failed = True
        return 1 if failed else 0
    finally:
        window.terminate()


if __name__ == "__main__":
    sys.exit(main())
