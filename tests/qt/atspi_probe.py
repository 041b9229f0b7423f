#!/usr/bin/python3
# What a screen reader is told of one program, over the AT-SPI bus.
#   atspi_probe.py PID
# Prints "ready" once the program is on the bus, then answers the commands it
# reads, each numbered by the asker ("7 look 10"), with a line of the same
# number and JSON ("7 {...}"):
#   look N   the window's role, the list's name, row count and first N row
#            names, the selected row's name, Play's description, the
#            picture's role and name, the find line's name and the last
#            description a change told (what a reader speaks of it)
#   mark     forgets the focus events so far (answers {})
#   focus    once all the program told before is in: the name of the last
#            object that took the focus since the mark ("" none), the
#            seconds from the mark to that event, and the names of all that
#            took it since the mark, in turn
#   kept     the objects libatspi keeps because the program told them
#            (AddAccessible on the Cache, not yet RemoveAccessible), and how
#            many of them it keeps as visible
#   walk     the list walked as Orca walks it: each row's role, to count the
#            list items ("List with N items"), then the rows from the top for
#            the focused one (its braille); the count, the focused row's name
#            and states, and the seconds it took (it gives up at 20)
import json, sys, time

import pyatspi
from gi.repository import Gio, GLib

pid = int(sys.argv[1])
# A question may wait behind all a program has just told (a list of 70,000
# rows takes a busy machine seconds to take in): libatspi's 0.8 s would call
# the program hung. The walk times itself.
pyatspi.setTimeout(10000, 15000)
focus = {"name": "", "after": 0.0, "all": []}
marked = time.monotonic()


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app


def find(node, roles, found):
    for child in node:
        if child is None:
            continue
        role = child.getRoleName()
        if role in roles and role not in found:
            found[role] = child
        if role not in ("list", "table", "list box"):
            find(child, roles, found)
    return found


def look(rows):
    app = application()
    window = app[0]
    found = find(window, ("list", "push button", "image", "filler", "panel", "entry", "text"), {})
    lst = found.get("list")
    answer = {"window": window.getRoleName(), "list": lst.name if lst else None,
              "count": lst.childCount if lst else 0, "rows": [], "selected": ""}
    if lst:
        answer["rows"] = [lst.getChildAtIndex(i).name for i in range(min(rows, lst.childCount))]
        table = lst.queryTable()  # Qt's lists are tables of one column
        selected = table.getSelectedRows()
        if selected:
            answer["selected"] = table.getAccessibleAt(selected[0], 0).name
    play = found.get("push button")
    answer["play"] = play.description if play else None
    answer["description"] = lst.description if lst else None
    picture = found.get("image") or found.get("filler") or found.get("panel")
    if picture:
        picture.clearCache()  # its name changes with the selection
    answer["picture"] = [picture.getRoleName(), picture.name] if picture else None
    line = found.get("entry") or found.get("text")
    answer["find"] = [line.name, told["description"]] if line else None
    return answer


def answer(tag, value):
    print(tag, json.dumps(value), flush=True)


def after_news(tag, work):
    """Answers with what work() finds once all the program told the bus
    before now is taken in, as a reader takes it in between keys: a question
    the program answers after it brings that here, and libatspi takes it in
    before anything at a lower priority than the bus runs."""
    application()[0].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    GLib.idle_add(lambda: answer(tag, work()), priority=GLib.PRIORITY_LOW)


def walk():
    lst = find(application()[0], ("list",), {}).get("list")
    start = time.monotonic()
    items, focused, states = 0, "", ""
    for i in range(lst.childCount):
        if lst.getChildAtIndex(i).getRole() == pyatspi.ROLE_LIST_ITEM:
            items += 1
        if time.monotonic() - start > 20:
            break
    for i in range(lst.childCount):
        row = lst.getChildAtIndex(i)
        if row.getState().contains(pyatspi.STATE_FOCUSED):
            focused, states = row.name, state_words(row.getState().getStates())
            break
        if time.monotonic() - start > 20:
            break
    return {"items": items, "focused": focused, "states": states, "seconds": time.monotonic() - start}


def state_words(states):
    """The states in words both platforms share: "available" for enabled and
    sensitive, "visible" for showing and visible; any other by its name."""
    names = {pyatspi.stateToString(s) for s in states}
    for pair, word in ((("enabled", "sensitive"), "available"), (("showing", "visible"), "visible")):
        if set(pair) <= names:
            names = (names - set(pair)) | {word}
    return " ".join(sorted(names))


def on_focus(event):
    if event.detail1 and event.host_application and event.host_application.get_process_id() == pid:
        focus["name"] = event.source.name
        focus["after"] = time.monotonic() - marked
        focus["all"].append(focus["name"])


told = {"description": ""}


def on_description(event):
    if event.host_application and event.host_application.get_process_id() == pid:
        # A reader speaks the text the change carries; an object there is nothing to say.
        told["description"] = event.any_data if isinstance(event.any_data, str) else "(not text)"


kept = {}  # each object told to keep: whether it was told visible


def on_cache(connection, sender, path, interface, signal, parameters):
    told = parameters.unpack()[0]
    if signal == "AddAccessible":
        kept[(sender, told[0][1])] = bool(told[-1][0] >> pyatspi.STATE_VISIBLE.real & 1)
    else:
        kept.pop((sender, told[1]), None)


def listen_to_the_cache():
    session = Gio.bus_get_sync(Gio.BusType.SESSION)
    address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                                GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, -1).unpack()[0]
    flags = Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION
    bus = Gio.DBusConnection.new_for_address_sync(address, flags)
    bus.signal_subscribe(None, "org.a11y.atspi.Cache", None, "/org/a11y/atspi/cache", None,
                         Gio.DBusSignalFlags.NONE, on_cache)
    return bus


def on_command(source, condition):
    global marked
    line = sys.stdin.readline()
    if not line:
        pyatspi.Registry.stop()
        return False
    tag, command, *arguments = line.split()
    if command == "look":
        after_news(tag, lambda: look(int(arguments[0])))
    elif command == "mark":
        focus.update(name="", after=0.0, all=[])
        marked = time.monotonic()
        answer(tag, {})
    elif command == "focus":
        after_news(tag, lambda: focus)
    elif command == "kept":
        after_news(tag, lambda: {"kept": len(kept), "visible": sum(kept.values())})
    elif command == "walk":
        after_news(tag, walk)
    return True


def wait_for_program():
    if application() is None:
        return True  # again
    print("ready", flush=True)
    # Commands after what the bus brought: the program's news first.
    GLib.io_add_watch(sys.stdin.fileno(), GLib.PRIORITY_LOW, GLib.IO_IN | GLib.IO_HUP, on_command)
    return False


pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
pyatspi.Registry.registerEventListener(on_description, "object:property-change:accessible-description")
cache_bus = listen_to_the_cache()
GLib.timeout_add(50, wait_for_program)
pyatspi.Registry.start(gil=False)  # no Python threads: no idle call that never lets up
