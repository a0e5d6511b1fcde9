#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Reads the AT-SPI tree of one application's windows, as a screen reader
does, and prints one line per focusable control without a name
("unnamed ROLE") and the name of every control named like a clock
("time HH:MM"). Exits 1 while the application is not on the bus."""

import re
import sys

import pyatspi


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for index in range(node.childCount):
        yield from walk(node.getChildAtIndex(index), depth + 1)


def main(application_name):
    desktop = pyatspi.Registry.getDesktop(0)
    applications = [app for app in desktop if app is not None and app.name.lower() == application_name]
    if not applications:
        return 1
    for node in walk(applications[0]):
        states = node.getState()
        name = node.name.strip()
        if states.contains(pyatspi.STATE_FOCUSABLE) and states.contains(pyatspi.STATE_SHOWING) and not name:
            print("unnamed", node.getRoleName())
        if re.fullmatch(r"\d\d:\d\d", name):
            print("time", name)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
