#!/usr/bin/python3
"""The real `pdehost --gui` window as a screen reader and a keyboard meet it,
through the accessibility bus (AT-SPI). Run inside its own session bus:

    dbus-run-session -- dialog_accessibility_test.py CASE PDEHOST X_WINDOW_TOOL

  names     on both tabs, every showing control has a name; a popup, slider,
            spin button or icon button beside a title is labelled by it and
            named after it; a slider describes its ends and says its value;
            no two showing controls answer to one Alt letter
  keyboard  Tab reaches every enabled control of both tabs in reading order,
            the keys a person uses change each one, and a popup's Alt letter
            takes the focus to it
  escape    Escape cancels: the pane is left and the program ends
  return    Return prints (here the job fails, without a server, and stays)
Exit status 77 skips: no display, or no GObject introspection for AT-SPI.
"""
import json
import os
import subprocess
import sys
import tempfile
import time

if not os.environ.get("DISPLAY"):
    print("no display")
    sys.exit(77)
try:
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi, GLib
except (ImportError, ValueError):
    print("no Atspi introspection data (gir1.2-atspi-2.0, python3-gi)")
    sys.exit(77)

CASE, PDEHOST, XTOOL = sys.argv[1:4]
Role, State = Atspi.Role, Atspi.StateType
CONTROLS = {Role.PUSH_BUTTON, Role.TOGGLE_BUTTON, Role.CHECK_BOX, Role.RADIO_BUTTON, Role.COMBO_BOX,
            Role.SLIDER, Role.SPIN_BUTTON, Role.PAGE_TAB_LIST}
TITLED = {Role.COMBO_BOX, Role.SLIDER, Role.SPIN_BUTTON, Role.TOGGLE_BUTTON}
KEY = {"Tab": 0xFF09, "Return": 0xFF0D, "Escape": 0xFF1B, "space": 0x20, "Up": 0xFF52, "Down": 0xFF54,
       "Left": 0xFF51, "Right": 0xFF53}
failures = []


def fail(message):
    failures.append(message)
    print("FAIL:", message, file=sys.stderr)


def pump(seconds=0.0, until=None):
    """Runs the event loop (focus events arrive here) until `until()` or the time is up."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while True:
        while context.iteration(False):
            pass
        if until is not None and until():
            return True
        if time.monotonic() >= end:
            return until is None
        time.sleep(0.005)


def states(node):
    node.clear_cache()
    return node.get_state_set()


def box(node):
    r = node.get_extents(Atspi.CoordType.SCREEN)
    return r.x, r.y, r.width, r.height


def walk(node, found):
    """Every node under `node`, except the items of closed popup menus."""
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None or child.get_role() == Role.MENU:
            continue
        found.append(child)
        walk(child, found)
    return found


def showing_controls(frame):
    return [n for n in walk(frame, []) if n.get_role() in CONTROLS and states(n).contains(State.SHOWING)]


def spoken_name(node):
    """The name a screen reader says; a tab list is named by its open tab."""
    if node.get_role() == Role.PAGE_TAB_LIST:
        for i in range(node.get_child_count()):
            tab = node.get_child_at_index(i)
            if states(tab).contains(State.SELECTED):
                return tab.get_name()
    return node.get_name()


def same_row(a, b):
    """Each one's vertical middle lies within the other's height."""
    return a[1] <= b[1] + b[3] / 2 <= a[1] + a[3] and b[1] <= a[1] + a[3] / 2 <= b[1] + b[3]


def labels_left_on_row(frame, control):
    c = box(control)
    return [n for n in walk(frame, []) if n.get_role() == Role.LABEL and states(n).contains(State.SHOWING)
            and same_row(box(n), c) and box(n)[0] + box(n)[2] <= c[0] + 2]


def start(*args):
    out = tempfile.NamedTemporaryFile(mode="w+", suffix=".jsonl")
    env = dict(os.environ, CUPS_SERVER="/nonexistent/pdehost-a11y-test.sock")
    process = subprocess.Popen([PDEHOST, "--gui", *args], stdout=out, env=env)  # its errors into the log
    deadline = time.monotonic() + 30
    while time.monotonic() < deadline:
        pump(0.1)  # the desktop learns of new applications through events
        desktop = Atspi.get_desktop(0)
        desktop.clear_cache()
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is None or app.get_process_id() != process.pid:
                continue
            for j in range(app.get_child_count()):
                frame = app.get_child_at_index(j)
                if frame is None or frame.get_name() != "Print":
                    continue
                # Ready once the printer is known and the pane is live again;
                # until then its widgets may go while they are read.
                try:
                    pane = [n for n in walk(frame, []) if n.get_name() == "Image Quality"
                            and n.get_role() == Role.PANEL]
                    if pane and states(pane[0]).contains(State.SENSITIVE):
                        return process, out, frame, pane[0]
                except GLib.Error:
                    pass
    process.kill()
    desktop = Atspi.get_desktop(0)
    apps = [desktop.get_child_at_index(i) for i in range(desktop.get_child_count())]
    seen = [(a.get_name(), a.get_process_id(), [a.get_child_at_index(j).get_name() for j in range(a.get_child_count())])
            for a in apps if a is not None]
    sys.exit(f"FAIL: no window titled Print ready on the accessibility bus; there were {seen}")


focused = []


def on_focus(event):
    if event.detail1 == 1:
        focused.append(event.source)


def press(name):
    Atspi.generate_keyboard_event(KEY[name], None, Atspi.KeySynthType.SYM)


def press_with_alt(letter):
    alt = 1 << 3  # Mod1, the Alt key's modifier
    Atspi.generate_keyboard_event(alt, None, Atspi.KeySynthType.LOCKMODIFIERS)
    Atspi.generate_keyboard_event(ord(letter), None, Atspi.KeySynthType.SYM)
    Atspi.generate_keyboard_event(alt, None, Atspi.KeySynthType.UNLOCKMODIFIERS)


def alt_letter(node):
    """The letter that reaches `node` with Alt, from its action's key binding ("<Alt>m")."""
    if node.get_action_iface() is None:
        return None
    try:
        bindings = [Atspi.Action.get_key_binding(node, i) for i in range(Atspi.Action.get_n_actions(node))]
    except GLib.Error:
        return None
    for binding in bindings:
        if binding and binding.startswith("<Alt>") and len(binding) == 6:
            return binding[-1].lower()
    return None


def check_alt_letters(frame, tab):
    """Each popup's Alt letter takes the focus to it."""
    for node in showing_controls(frame):
        letter = alt_letter(node)
        if node.get_role() != Role.COMBO_BOX or letter is None or not states(node).contains(State.SENSITIVE):
            continue
        count = len(focused)
        press_with_alt(letter)
        if not pump(2, lambda: len(focused) > count and focused[-1].get_name() == node.get_name()):
            fail(f"{tab}: Alt+{letter} does not reach {node.get_name()!r}")


def take_keyboard(process):
    listener = Atspi.EventListener.new(on_focus)
    listener.register("object:state-changed:focused")
    # The window gets the X keyboard focus (the first key is a harmless Shift).
    subprocess.run([XTOOL, "type", str(process.pid), "Print", "Shift_L"], check=True)
    pump(0.3)
    return listener


def next_focus():
    count = len(focused)
    press("Tab")
    if not pump(2, lambda: len(focused) > count):
        return None
    pump(0.03)  # a notebook's tab list and then its tab report the focus
    return focused[-1]


def changes(key, read, back=None):
    """Presses `key` and waits until `read()` differs; `back` undoes it."""
    before = read()
    press(key)
    changed = pump(1.5, lambda: read() != before)
    if changed and back is not None:
        press(back)
        pump(1.5, lambda: read() == before)
    return changed


def use(stop, combo):
    """Changes the control that has the focus, as a person does with keys."""
    role, name = stop.get_role(), stop.get_name()
    if combo:
        # The choice shows in the description of the combo box's button.
        if not changes("Down", stop.get_description, "Up") and not changes("Up", stop.get_description, "Down"):
            fail(f"the arrow keys do not change the popup {name!r}")
    elif role in (Role.CHECK_BOX, Role.TOGGLE_BUTTON):
        checked = lambda: states(stop).contains(State.CHECKED)
        if role == Role.TOGGLE_BUTTON and checked():
            return  # a segment that is already chosen stays chosen
        if not changes("space", checked, "space" if role == Role.CHECK_BOX else None):
            fail(f"Space does not change {name!r}")
        elif role == Role.TOGGLE_BUTTON:
            press("space")  # undo: the lock opens again
            pump(1.5, lambda: not checked())
    elif role in (Role.SLIDER, Role.SPIN_BUTTON):
        value = lambda: Atspi.Value.get_current_value(stop)
        if not changes("Right" if role == Role.SLIDER else "Up", value, "Left" if role == Role.SLIDER else "Down") \
                and not changes("Left" if role == Role.SLIDER else "Down", value,
                                "Right" if role == Role.SLIDER else "Up"):
            fail(f"the arrow keys do not change {name!r}")


def keyboard_walk(frame, pane, tab):
    """One round of Tab through the window; every enabled control is reached
    and used, and the pane's controls come in reading order."""
    expected = [c for c in showing_controls(frame) if states(c).contains(State.SENSITIVE)]
    reached, order = set(), []
    first = None
    for _ in range(80):
        stop = next_focus()
        if stop is None:
            fail(f"{tab}: Tab moved the focus nowhere after {[stop[0] for stop in order]}")
            return
        key = (spoken_name(stop) if stop.get_role() == Role.PAGE_TAB_LIST else stop.get_name(), box(stop))
        if key == first:
            break
        first = first or key
        if not key[0]:
            fail(f"{tab}: the focus reached a {stop.get_role_name()} without a name")
        middle = (key[1][0] + key[1][2] / 2, key[1][1] + key[1][3] / 2)
        on_tabs = stop.get_role() in (Role.PAGE_TAB, Role.PAGE_TAB_LIST)
        owners = [c for c in expected if (c.get_role() == Role.PAGE_TAB_LIST) == on_tabs]
        owners = [c for c in owners if box(c)[0] <= middle[0] <= box(c)[0] + box(c)[2]
                  and box(c)[1] <= middle[1] <= box(c)[1] + box(c)[3] and spoken_name(c) == key[0]]
        reached.update(id_of(c) for c in owners)
        p = box(pane)
        in_pane = p[0] <= middle[0] <= p[0] + p[2] and p[1] <= middle[1] <= p[1] + p[3]
        order.append((key[0], group_box(stop, pane) or key[1], in_pane))
        # Buttons act (Print, Cancel, a menu): Return and Escape have cases of their own.
        opens_menu = stop.get_role() == Role.TOGGLE_BUTTON and stop.get_child_count() > 0
        if stop.get_role() not in (Role.PUSH_BUTTON, Role.PAGE_TAB, Role.PAGE_TAB_LIST) and not opens_menu:
            use(stop, any(c.get_role() == Role.COMBO_BOX for c in owners))
    missed = [f"{c.get_role_name()} {spoken_name(c)!r}" for c in expected if id_of(c) not in reached]
    if missed:
        fail(f"{tab}: Tab never reaches {missed}")
    # The round from the pane's first control to its last.
    entry = next((i for i in range(len(order)) if order[i][2] and not order[i - 1][2]), 0)
    order = [(name, unit) for name, unit, in_pane in order[entry:] + order[:entry] if in_pane]
    for (name_a, a), (name_b, b) in zip(order, order[1:]):
        if a == b:
            continue  # two controls of one group
        if not (b[0] > a[0] if same_row(a, b) else b[1] > a[1]):
            fail(f"{tab}: Tab goes from {name_a!r} to {name_b!r}, against the reading order")
    print(f"{tab}: Tab reached {[n for n, _ in order]}")


def id_of(node):
    return (node.get_role(), spoken_name(node), box(node))


def group_box(node, pane):
    """The extents of the named group (a box with a title) holding `node` inside the pane."""
    group, at = None, node.get_parent()
    while at is not None and not (at.get_role() == pane.get_role() and at.get_name() == pane.get_name()):
        if at.get_role() == Role.PANEL and at.get_name():
            group = box(at)
        at = at.get_parent()
    return group


def open_tab(frame, name):
    tabs = [n for n in walk(frame, []) if n.get_role() == Role.PAGE_TAB and n.get_name() == name]
    if not tabs:
        sys.exit(f"FAIL: no tab {name!r}")
    tab_list = tabs[0].get_parent()
    Atspi.Selection.select_child(tab_list, tabs[0].get_index_in_parent())
    if not pump(3, lambda: states(tabs[0]).contains(State.SELECTED)):
        sys.exit(f"FAIL: the tab {name!r} did not open")


def check_names(frame, tab):
    letters = {}
    for node in showing_controls(frame):
        letter = alt_letter(node)
        if letter is not None:
            letters.setdefault(letter, []).append(node.get_name())
    for letter, names in letters.items():
        if len(names) > 1:
            fail(f"{tab}: Alt+{letter} is taken by {names}")
    for node in walk(frame, []):
        role, st = node.get_role(), states(node)
        if not st.contains(State.SHOWING):
            continue
        if role in CONTROLS | {Role.ICON, Role.IMAGE, Role.PAGE_TAB} and not spoken_name(node):
            fail(f"{tab}: a showing {node.get_role_name()} has no name")
        if role not in TITLED:
            continue
        titles = labels_left_on_row(frame, node)
        if role == Role.TOGGLE_BUTTON and not titles:
            continue  # a toggle with its own text
        if not titles:
            fail(f"{tab}: the {node.get_role_name()} {node.get_name()!r} has no title beside it")
            continue
        by = [r for r in node.get_relation_set() if r.get_relation_type() == Atspi.RelationType.LABELLED_BY]
        labels = [r.get_target(i) for r in by for i in range(r.get_n_targets())]
        texts = [t.get_name() for t in titles]
        if not any(label.get_name() in texts for label in labels):
            fail(f"{tab}: the {node.get_role_name()} {node.get_name()!r} is not labelled by its title {texts}")
        elif node.get_name() not in [t.rstrip(":").rstrip() for t in texts]:
            fail(f"{tab}: the {node.get_role_name()} is named {node.get_name()!r}, its title says {texts}")
        if role == Role.SLIDER:
            # Its ends, the labels right beside it, describe it; its value is in words.
            s = box(node)
            left = max(titles, key=lambda t: box(t)[0])
            right = [n for n in walk(frame, []) if n.get_role() == Role.LABEL and states(n).contains(State.SHOWING)
                     and same_row(box(n), s) and box(n)[0] >= s[0] + s[2] - 2]
            ends = f"{left.get_name()} to {right[0].get_name()}" if right else None
            if ends and node.get_description() != ends:
                fail(f"{tab}: the slider {node.get_name()!r} is described as {node.get_description()!r}, not {ends!r}")
            words = Atspi.Value.get_text(node)
            if not words:
                fail(f"{tab}: the slider {node.get_name()!r} gives its value without words")
            print(f"{tab}: slider {node.get_name()!r}: {node.get_description()!r}, {words!r}")


def logged_commands(out):
    out.seek(0)
    return [json.loads(line)["command"] for line in out if line.strip()]


def wait_exit(process, seconds):
    try:
        return process.wait(seconds)
    except subprocess.TimeoutExpired:
        process.kill()
        return None


Atspi.init()
process, out, frame, pane = start("--printer", "LX4200")
try:
    if CASE == "names":
        check_names(frame, "Basic")
        open_tab(frame, "Color")
        check_names(frame, "Color")
    elif CASE == "keyboard":
        listener = take_keyboard(process)
        keyboard_walk(frame, pane, "Basic")
        check_alt_letters(frame, "Basic")
        # To the tab list, then the next tab with the arrow key.
        for _ in range(40):
            stop = next_focus()
            if stop is not None and stop.get_role() in (Role.PAGE_TAB, Role.PAGE_TAB_LIST):
                break
        tabs = [n for n in walk(frame, []) if n.get_role() == Role.PAGE_TAB and n.get_name() == "Color"]
        press("Right")
        if not tabs or not pump(3, lambda: states(tabs[0]).contains(State.SELECTED)):
            fail("the Right arrow on the tabs does not open the Color tab")
        else:
            keyboard_walk(frame, pane, "Color")
            check_alt_letters(frame, "Color")
    elif CASE in ("escape", "return"):
        listener = take_keyboard(process)
        press("Return" if CASE == "return" else "Escape")
        if CASE == "return":
            pump(5, lambda: "print" in logged_commands(out))
            press("Escape")
        status = wait_exit(process, 10)
        commands = logged_commands(out)
        expected_status = 5 if CASE == "return" else 0  # a print that failed, then Cancel
        if status != expected_status:
            fail(f"{CASE}: exit status {status}, calls {commands}")
        if (CASE == "return") != ("print" in commands) or not commands or commands[-1] != "shouldHide":
            fail(f"{CASE}: the calls were {commands}")
    else:
        sys.exit(f"unknown case {CASE}")
finally:
    if process.poll() is None:
        process.terminate()
        wait_exit(process, 5)

if failures:
    sys.exit(1)
print("ok")
