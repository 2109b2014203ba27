#!/usr/bin/python3
"""Drives the running Corpometer the way a screen reader does, over AT-SPI.

  atspi_drive.py calculate EXPECTED-ANNOUNCEMENT [SECONDS]
      Finds the application in the accessibility tree, checks that its controls carry
      names and roles, presses "Calculate BMI" through the action interface and waits for
      the result label to announce its new name (the result with its band). Presses it once
      more: the same result is announced again. Prints what it heard.
  atspi_drive.py focus BUTTON-NAME [SECONDS]
      Gives the named button the keyboard focus and waits until it reports having it.
  atspi_drive.py result EXPECTED [SECONDS]
      Waits until the result label reads EXPECTED (the result with its band).
  atspi_drive.py message TEXT [SECONDS]
      Waits until a message saying TEXT is shown, and checks that no result is shown.
  atspi_drive.py texts MIN-BUTTONS [SECONDS]
      Waits until the application shows at least MIN-BUTTONS push buttons, whatever their
      names (in any language), and prints the role and name of every object of its tree
      but the height list's rows, one "role<TAB>name" line each, in the tree's order.

Exits 1 with the reason when a check fails. Runs with Debian's python3 and python3-pyatspi,
on the session bus of the test.
"""

import re
import sys
import time

import pyatspi
from gi.repository import GLib

APPLICATION = "Corpometer"


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def find_application(seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            app = desktop.getChildAtIndex(index)
            if app is not None and app.name == APPLICATION:
                # The tree fills in once the main window is shown.
                if find(app, "push button", "Calculate BMI") is not None:
                    return app
        time.sleep(0.05)
    fail("no application %r with a 'Calculate BMI' button on the bus within %s s"
         % (APPLICATION, seconds))


def find(root, role, name=None):
    return pyatspi.utils.findDescendant(
        root, lambda node: node is not None and node.getRoleName() == role
        and (name is None or node.name == name))


def press(node):
    action = node.queryAction()
    names = [action.getName(index) for index in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)


def check_controls(app):
    for name in ("Calculate BMI", "Menu", "Minimize", "Close"):
        if find(app, "push button", name) is None:
            fail("no push button named %r" % name)
    weight = find(app, "text")
    if weight is None or "Enter Weight" not in weight.name:
        fail("the weight box is not named by its caption: %r" % (weight and weight.name))
    labels = [target.name for relation in weight.getRelationSet()
              if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
              for target in (relation.getTarget(i) for i in range(relation.getNTargets()))]
    if not any("Enter Weight" in label for label in labels):
        fail("the weight box is not labelled by its caption: %r" % labels)
    heights = find(app, "list")
    if heights is None or "Select Height" not in heights.name:
        fail("the height list is not named by its caption")


def focus(name, seconds):
    app = find_application(seconds)
    button = find(app, "push button", name)
    if button is None:
        fail("no push button named %r" % name)
    button.queryComponent().grabFocus()
    deadline = time.monotonic() + seconds
    while not button.getState().contains(pyatspi.STATE_FOCUSED):
        if time.monotonic() > deadline:
            fail("%r did not take the focus within %s s" % (name, seconds))
        time.sleep(0.02)
    print("focused: " + name)


def calculate(expected, seconds):
    app = find_application(seconds)
    check_controls(app)
    calculate = find(app, "push button", "Calculate BMI")

    heard = []
    deadline = time.monotonic() + seconds
    state = {"presses": 0, "heard before the second press": None}

    # The result label's announcements: a number, then its band. (The ideal-weight line
    # below it announces its own new text too.)
    result = re.compile(r"^\.?[0-9][0-9.]*, [A-Za-z]+$")

    def on_name_change(event):
        source = event.source
        if source is not None and source.getRoleName() == "label" and result.match(source.name):
            heard.append(source.name)

    # The program learns of a new listener through the registry a moment after it registers,
    # so the first press is repeated until an announcement comes. Then one more press must
    # bring one more announcement, although the result is the same.
    def tick():
        second = state["heard before the second press"]
        if time.monotonic() > deadline or (second is not None and len(heard) > second):
            pyatspi.Registry.stop()
            return False
        if not heard:
            state["presses"] += 1
            press(calculate)
        elif second is None:
            state["heard before the second press"] = len(heard)
            press(calculate)
        return True

    pyatspi.Registry.registerEventListener(on_name_change,
                                           "object:property-change:accessible-name")
    GLib.timeout_add(250, tick)
    pyatspi.Registry.start()

    if not heard:
        fail("pressed Calculate %d times; no announcement within %s s"
             % (state["presses"], seconds))
    for announcement in heard:
        if announcement != expected:
            fail("announced %r, expected %r" % (announcement, expected))
    second = state["heard before the second press"]
    if second is None or len(heard) <= second:
        fail("the same result pressed again was not announced again (heard %r)" % heard)
    print("announced: " + " | ".join(heard))


def result_label(app):
    return pyatspi.utils.findDescendant(
        app, lambda node: node is not None and node.getRoleName() == "label"
        and RESULT.match(node.name or ""))


# What the result label says: a number, then its band.
RESULT = re.compile(r"^\.?[0-9][0-9.]*, [A-Za-z]+$")


def wait_until(seconds, what, check):
    deadline = time.monotonic() + seconds
    while True:
        found = check()
        if found:
            return found
        if time.monotonic() > deadline:
            fail("waited %s s for %s" % (seconds, what))
        time.sleep(0.05)


def result(expected, seconds):
    app = find_application(seconds)

    def reads():
        label = result_label(app)
        return label is not None and label.name == expected

    wait_until(seconds, "the result %r (last heard: %r)" % (
        expected, getattr(result_label(app), "name", None)), reads)
    print("result: " + expected)


def message(text, seconds):
    app = find_application(seconds)
    wait_until(seconds, "a message %r" % text, lambda: pyatspi.utils.findDescendant(
        app, lambda node: node is not None and node.name == text))
    shown = result_label(app)
    if shown is not None:
        fail("a result is shown beside the message: %r" % shown.name)
    print("message: " + text)


def texts(buttons, seconds):
    deadline = time.monotonic() + seconds
    while True:
        desktop = pyatspi.Registry.getDesktop(0)
        apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
        app = next((a for a in apps if a is not None and a.name == APPLICATION), None)
        if app is not None and len(pyatspi.utils.findAllDescendants(
                app, lambda node: node is not None and node.getRoleName() == "push button")
                ) >= int(buttons):
            break
        if time.monotonic() > deadline:
            fail("no application %r with %s push buttons within %s s"
                 % (APPLICATION, buttons, seconds))
        time.sleep(0.05)

    def walk(node):
        if node.getRoleName() != "list item":
            print("%s\t%s" % (node.getRoleName(), node.name.replace("\n", " ")))
        for index in range(node.childCount):
            child = node.getChildAtIndex(index)
            if child is not None:
                walk(child)
    walk(app)


def heard_lines(app):
    lines = []

    def walk(node):
        states = node.getState()
        if not states.contains(pyatspi.STATE_SHOWING):
            return
        labels_another = node.getRoleName() == "label" and any(
            relation.getRelationType() == pyatspi.RELATION_LABEL_FOR
            for relation in node.getRelationSet())
        if (node.getRoleName() not in ("application", "list item") and node.name
                and not labels_another):
            lines.append("%s\t%s" % (node.getRoleName(), node.name.replace("\n", " ")))
        for index in range(node.childCount):
            child = node.getChildAtIndex(index)
            if child is not None:
                walk(child)
    for index in range(app.childCount):
        walk(app.getChildAtIndex(index))
    return lines


def heard(expected_file, seconds):
    app = find_application(seconds)
    expected = [line.rstrip("\n") for line in open(expected_file, encoding="utf-8") if line.strip()]
    deadline = time.monotonic() + seconds
    while True:
        lines = heard_lines(app)
        if lines == expected:
            break
        if time.monotonic() > deadline:
            import difflib
            fail("heard other than %s:\n%s" % (expected_file, "\n".join(
                difflib.unified_diff(expected, lines, "expected", "heard", lineterm=""))))
        time.sleep(0.1)
    print("heard as expected: %d objects" % len(lines))


def main(argv):
    commands = {"calculate": calculate, "focus": focus, "result": result, "message": message,
                "texts": texts, "heard": heard}
    if len(argv) not in (3, 4) or argv[1] not in commands:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    commands[argv[1]](argv[2], float(argv[3]) if len(argv) == 4 else 20)


if __name__ == "__main__":
    main(sys.argv)
