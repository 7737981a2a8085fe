#!/usr/bin/python3
"""A screen reader's walk through the program, over AT-SPI.

Starts the program (argv[1]) on the display and D-Bus session that
run_screen_reader_walk.sh made, reads every window's tree with pyatspi and
checks that each control is there with its role and name; then does the
first start, the login, a hide and its comeback, opens Options and Find and
closes everything, pressing the controls' accessible actions only. The
program's prefix and home are the environment's (a temporary folder).
"""

import os
import subprocess
import sys
import time

import pyatspi

PROGRAM = sys.argv[1]
HOME = os.environ["HOME"]
WAIT_SECONDS = 15
POLL_SECONDS = 0.05
ITEM = "Private"
SECOND = "Second"
DESKTOP = os.path.join(HOME, "Desktop")
DOT_HIDDEN = os.path.join(DESKTOP, ".hidden")

# (role, name) of every control a window must show a screen reader; a name
# ending in "..." is the start of a longer text.
FIRST_START = [
    ("dialog", "Quillomar - Login"),
    ("label", "Format hard disk or install operating system..."),
    ("push button", "YES"),
    ("push button", "No"),
    ("push button", "Close"),
    ("label", "Quillomar 1.15"),
]
LOGIN = [
    ("combo box", "Name:"),
    ("password text", "Password:"),
    ("push button", "Login"),
    ("push button", "Cancel"),
    ("label", "Administrator's name of acquiescence..."),
]
MAIN = [
    ("frame", "Quillomar - Main"),
    ("menu bar", ""),
    ("menu item", "File"),
    ("menu item", "Options"),
    ("popup menu", "File"),
    ("popup menu", "Options"),
] + [("menu item", name) for name in ("Hide Folder", "Comeback", "Find", "Skin", "Exit", "Help")] + [
    ("push button", name) for name in (
        "Hide Folder", "Comeback", "Options", "Find", "Skin", "Help",  # toolbar
        "Not Checked", "Gridding", "Up One Level",                     # strip, browser
        "Minimise", "Close")                                           # marks ("?" is Help)
] + [("tree", "Folders"), ("tree", "Hidden items")]
OPTIONS = [
    ("dialog", "Quillomar - Options"),
    ("page tab list", "Administrators  Password"),
    ("page tab", "fresh blood Password"),
    ("text", "New name:"),
    ("text", "User name:"),
    ("push button", "Delete"),
    ("password text", "Password:"),
    ("push button", "OK"),
    ("push button", "Cancel"),
    ("push button", "Help"),
    ("push button", "Close"),
]
FIND = [("dialog", "Quillomar - Find"), ("tree", "Folder tree"), ("tree", "Shown again"), ("push button", "Close")]


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def wait_for(condition, what):
    end = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < end:
        try:
            found = condition()
        except Exception:  # a node that went away while read: read again
            found = None
        if found:
            return found
        time.sleep(POLL_SECONDS)
    fail("waited in vain for " + what)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Quillomar" and app.childCount > 0:
            return app
    return None


def nodes(node):
    yield node
    for child in node:
        if child is not None:
            yield from nodes(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def matches(node, role, name):
    if node.getRoleName() != role:
        return False
    if name.endswith("..."):
        return (node.name or "").startswith(name[:-3])
    return (node.name or "") == name


def window_with(role, name):
    """The showing top-level window that holds a control of this role and name."""
    for window in application():
        if window is not None and showing(window):
            if any(matches(node, role, name) and showing(node) for node in nodes(window)):
                return window
    return None


def control(window, role, name):
    for node in nodes(window):
        if matches(node, role, name):
            return node
    fail(f"no {role} named {name!r} in the window")


def check_table(window, table, title):
    """Every row of the table is there; every list and tree has a name, and
    one control at most has the focus (a focused list's current item, and
    the current tab that Qt marks focused, aside)."""
    missing = [row for row in table if not any(matches(node, *row) for node in nodes(window))]
    unnamed = [node.getRoleName() for node in nodes(window)
               if node.getRoleName() in ("list", "tree", "table") and not node.name]
    focused = [node.getRoleName() for node in nodes(window) if node.getState().contains(pyatspi.STATE_FOCUSED)
               and node.getRoleName() not in ("table cell", "list item", "page tab")]
    if missing or unnamed or len(focused) > 1:
        present = sorted({(node.getRoleName(), node.name or "") for node in nodes(window)})
        fail(f"{title}: not exposed: {missing}, unnamed: {unnamed}, focused: {focused}; the window holds {present}")


def press(window, role, name):
    node = control(window, role, name)
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if not names:
        fail(f"{role} {name!r} has no action")
    action.doAction(0)


def main():
    os.makedirs(os.path.join(DESKTOP, ITEM))
    os.makedirs(os.path.join(DESKTOP, SECOND))
    program = subprocess.Popen([PROGRAM])
    try:
        wait_for(application, "the program on the accessibility bus")
        login = wait_for(lambda: window_with("push button", "YES"), "the first-start question")
        check_table(login, FIRST_START, "first start")
        yes = control(login, "push button", "YES")
        if not yes.getState().contains(pyatspi.STATE_FOCUSABLE):
            fail("YES cannot take the focus")
        wait_for(lambda: yes.getState().contains(pyatspi.STATE_FOCUSED), "YES to have the focus")

        press(login, "push button", "YES")
        wait_for(lambda: window_with("combo box", "Name:"), "the login panel")
        check_table(login, LOGIN, "login")
        user_box = control(login, "combo box", "Name:")
        user = next(node for node in nodes(user_box) if node.name == "name")
        user.queryAction().doAction(0)
        control(login, "password text", "Password:").queryEditableText().setTextContents("31852")
        press(login, "push button", "Login")
        main_window = wait_for(lambda: window_with("push button", "Hide Folder"), "the main window")
        check_table(main_window, MAIN, "main window")

        # The desktop, one level above My Computer, holds the items: both
        # are hidden, one row is unticked by its own action, and Comeback
        # shows exactly that item again.
        press(main_window, "push button", "Up One Level")
        for item in (ITEM, SECOND):
            row = wait_for(lambda: next((node for node in nodes(main_window)
                                         if node.name == item and showing(node)), None), "the item's row")
            row.queryAction().doAction(0)
            wait_for(lambda: any(node.getRoleName() == "label" and (node.name or "").endswith(item)
                                 for node in nodes(main_window)), "the selected path")
            press(main_window, "push button", "Hide Folder")
            wait_for(lambda: os.path.exists(DOT_HIDDEN) and item in open(DOT_HIDDEN).read().split("\n"),
                     "the item to be hidden")
        hidden_row = wait_for(lambda: next((node for node in nodes(main_window) if node.getRoleName() == "table cell"
                                            and (node.name or "").endswith("\\" + ITEM)), None),
                              "the item's row in the hidden list")
        if not hidden_row.getState().contains(pyatspi.STATE_CHECKED):
            fail("a hidden item's row comes unticked")
        hidden_row.queryAction().doAction(0)
        wait_for(lambda: not hidden_row.getState().contains(pyatspi.STATE_CHECKED), "the row's action to untick it")
        press(main_window, "push button", "Comeback")
        wait_for(lambda: open(DOT_HIDDEN).read().split("\n") == [SECOND, ""], "exactly the unticked item to come back")

        press(main_window, "push button", "Options")
        options = wait_for(lambda: window_with("text", "New name:"), "the Options window")
        check_table(options, OPTIONS, "Options")
        if showing(control(options, "text", "User name:")):
            fail("the page behind the current one shows")
        press(options, "push button", "Close")
        wait_for(lambda: window_with("push button", "Hide Folder"), "the main window after Options")

        # Find through the File menu: its title opens it, its entry runs.
        press(main_window, "menu item", "File")
        wait_for(lambda: showing(control(main_window, "menu item", "Exit")), "the File menu")
        press(main_window, "menu item", "Find")
        find = wait_for(lambda: window_with("tree", "Folder tree") if window_with("push button", "Hide Folder") is None
                        else None, "the Find window")
        check_table(find, FIND, "Find")
        press(find, "push button", "Close")
        main_window = wait_for(lambda: window_with("push button", "Hide Folder"), "the main window after Find")

        press(main_window, "push button", "Close")
        try:
            code = program.wait(WAIT_SECONDS)
        except subprocess.TimeoutExpired:
            fail("the close mark did not end the program")
        if code != 0:
            fail(f"the program ended with {code}")
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()
    print("PASS: every control read, and the walk done by accessible actions alone")


if __name__ == "__main__":
    main()
