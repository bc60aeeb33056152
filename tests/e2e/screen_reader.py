#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tilebash team
# SPDX-License-Identifier: GPL-3.0-or-later

"""What a screen reader gets from a running program over the desktop's
accessibility bus (AT-SPI), for the end-to-end tests.

  screen_reader.py on                  say that a screen reader runs, as one does
  screen_reader.py tree APP            the objects shown that are more than text
  screen_reader.py press APP NAME      the press action of the object named NAME
  screen_reader.py focus APP COMMAND   the focus events that COMMAND (a shell
                                       command, e.g. an xdotool key) brings

A tree line is the role, the name in double quotes, the description if any,
"labelled by" and the label's name for each label, then "checked" and
"focused" where they hold; an object inside another is indented under it.
APP is the application's name (the program's), waited for up to ten seconds.
"""

import subprocess
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

# The action's name that does not depend on the language is marked
# deprecated, with no replacement in this version.
warnings.simplefilter("ignore", DeprecationWarning)

# What a screen reader acts on or reads beyond text on the screen.
ROLES = {"canvas", "panel", "radio button", "push button", "scroll bar", "text", "entry"}


def screen_reader_on():
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "ScreenReaderEnabled",
                                         GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, 5000, None)


def application(name):
    for _ in range(100):
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == name:
                return app
        time.sleep(0.1)
    sys.exit(f"screen_reader.py: no application {name} on the accessibility bus")


def line_of(node, indent):
    states = node.get_state_set()
    line = f'{indent}{node.get_role_name()} "{node.get_name()}"'
    if node.get_description():
        line += f' "{node.get_description()}"'
    for relation in node.get_relation_set() or []:
        if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
            for i in range(relation.get_n_targets()):
                line += f' labelled by "{relation.get_target(i).get_name()}"'
    if states.contains(Atspi.StateType.CHECKED):
        line += " checked"
    if states.contains(Atspi.StateType.FOCUSED):
        line += " focused"
    return line


def tree(node, indent=""):
    lines = []
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None or not child.get_state_set().contains(Atspi.StateType.SHOWING):
            continue
        if child.get_role_name() in ROLES:
            lines.append(line_of(child, indent))
            lines += tree(child, indent + "  ")
        else:
            lines += tree(child, indent)
    return lines


def find(node, name):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None:
            continue
        if child.get_name() == name:
            return child
        found = find(child, name)
        if found is not None:
            return found
    return None


def press(app, name):
    node = find(app, name)
    if node is None:
        sys.exit(f'screen_reader.py: nothing named "{name}"')
    for i in range(Atspi.Action.get_n_actions(node)):
        if Atspi.Action.get_action_name(node, i) == "Press":
            Atspi.Action.do_action(node, i)
            return
    sys.exit(f'screen_reader.py: "{name}" has no press action')


def focus_events(app, command):
    events = []

    def heard(event):
        if event.source.get_application() == app:
            events.append(f'focus {event.source.get_role_name()} "{event.source.get_name()}"')

    listener = Atspi.EventListener.new(heard)
    listener.register("focus:")
    subprocess.run(command, shell=True, check=True)
    # Long enough for every event the command brings to arrive.
    end = time.time() + 1.0
    while time.time() < end:
        GLib.MainContext.default().iteration(False)
        time.sleep(0.01)
    listener.deregister("focus:")
    return events


def main(argv):
    if argv[1:] == ["on"]:
        screen_reader_on()
    elif len(argv) == 3 and argv[1] == "tree":
        print("\n".join(tree(application(argv[2]))))
    elif len(argv) == 4 and argv[1] == "press":
        press(application(argv[2]), argv[3])
    elif len(argv) == 4 and argv[1] == "focus":
        print("\n".join(focus_events(application(argv[2]), argv[3])))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
