#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

"""Reads the VLAN dialog's Global page through AT-SPI, as a screen reader
does, and checks that every control there arrives with its name and role.

Usage: read_global_page.py APPLICATION-NAME
Exit status 0 when all is found, 1 with the findings otherwise.
"""
import sys
import time

import pyatspi

# Names the page must offer, with the role a screen reader announces.
EXPECTED = {
    "LINE2 Default VID": "text",
    "LINE3 Default VID": "text",
    "NMS Default VID": "text",
    "Force Default VID, LINE2": "check box",
    "Force Default VID, Modem 2": "check box",
    "LINE2 Ingress Policy": "combo box",
    "Modem 1 Ingress Policy": "combo box",
    "LINE4 Port Double Tag Mode": "combo box",
    "Provider Ether Type": "combo box",
    "Remove 1 Provider Tag Only": "check box",
    "Single Tag, VLAN Main Switch": "radio button",
    "Global VLAN": "page tab list",
    "Set": "push button",
}


def find_application(name, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    return None


def spoken_name(node):
    """The name a reader announces: a list is named by the label pointing to it."""
    if node.getRole() == pyatspi.ROLE_COMBO_BOX:
        for relation in node.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                return relation.getTarget(0).name
    return node.name


# The roles of input controls, by the role a reader receives, each with the
# name used above (the accessibility library's own names change between
# releases: Debian 13's calls a push button "button"). Their children (list items, cells,
# tabs) are parts of the control, not controls of the page.
CONTROL_ROLES = {
    pyatspi.ROLE_TEXT: "text",
    pyatspi.ROLE_CHECK_BOX: "check box",
    pyatspi.ROLE_COMBO_BOX: "combo box",
    pyatspi.ROLE_RADIO_BUTTON: "radio button",
    pyatspi.ROLE_PUSH_BUTTON: "push button",
    pyatspi.ROLE_PAGE_TAB_LIST: "page tab list",
    pyatspi.ROLE_TABLE: "table",
}


def controls(node, found):
    try:
        role = node.getRole()
        states = node.getState()
    except Exception:  # a node that went away while walking
        return
    if role in CONTROL_ROLES:
        if states.contains(pyatspi.STATE_SHOWING):
            found.append((spoken_name(node), CONTROL_ROLES[role]))
        return
    for child in node:
        if child is not None:
            controls(child, found)


def main():
    app = find_application(sys.argv[1], 30)
    if app is None:
        print("the application never appeared on the accessibility bus")
        return 1
    found = []
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        found = []
        controls(app, found)
        if all(name in dict(found) for name in EXPECTED):
            break
        time.sleep(0.5)
    problems = []
    names = [name for name, _ in found]
    roles = dict(found)
    for name, role in EXPECTED.items():
        if name not in roles:
            problems.append("missing: %r" % name)
        elif roles[name] != role:
            problems.append("%r is a %s, not a %s" % (name, roles[name], role))
    for name in set(names):
        if not name:
            problems.append("a control without a name")
        elif names.count(name) > 1:
            problems.append("%r names %d controls" % (name, names.count(name)))
    for name, role in sorted(found):
        print("%-14s %s" % (role, name))
    for p in problems:
        print("PROBLEM:", p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
