#!/usr/bin/python3
"""Waits until an application of the given name is on the accessibility bus, then prints its
accessible tree (role, name, states in brackets), one object a line, indented by depth.

    /usr/bin/python3 atspi_tree.py APP-NAME [SECONDS]

Exit status 1, with the names of the applications that are there, when it does not appear
within SECONDS (default 20). Run it under with-atspi.sh, with Debian's python3 (pyatspi)."""
import sys
import time

import pyatspi


def find_application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    found = []
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is None:
            continue
        found.append(app.name)
        if app.name == name:
            return app, found
    return None, found


def print_tree(node, depth=0):
    states = sorted(pyatspi.stateToString(s) for s in node.getState().getStates())
    print("%s%s '%s' [%s]" % ("  " * depth, node.getRoleName(), node.name, " ".join(states)))
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            print_tree(child, depth + 1)


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    name = sys.argv[1]
    seconds = float(sys.argv[2]) if len(sys.argv) == 3 else 20.0
    deadline = time.monotonic() + seconds
    while True:
        app, found = find_application(name)
        if app is not None:
            print_tree(app)
            return 0
        if time.monotonic() >= deadline:
            print("no application named '%s' on the accessibility bus within %g s; there: %s"
                  % (name, seconds, found), file=sys.stderr)
            return 1
        time.sleep(0.05)


if __name__ == "__main__":
    sys.exit(main())
