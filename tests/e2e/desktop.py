"""The program in a real window, seen and driven as a person meets it.

The window is read through the accessibility bus (AT-SPI) and driven with
real key presses and clicks (xdotool). Every wait polls with a deadline;
a wait that runs out raises Failure with what was expected and what the
accessibility tree read last.
"""

import os
import subprocess
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

APP_NAME = "kidsum"
POLL = 0.02


class Failure(Exception):
    """A journey's expectation that did not hold."""


def _states(acc):
    return {s.value_nick for s in acc.get_state_set().get_states()}


def describe(acc):
    """One line naming an accessible, for failure messages."""
    try:
        return f"{acc.get_role_name()} {acc.get_name()!r}"
    except GLib.Error:
        return "(gone)"


def text_of(acc):
    return Atspi.Text.get_text(acc, 0, -1)


def walk(acc):
    yield acc
    for i in range(acc.get_child_count()):
        child = acc.get_child_at_index(i)
        if child is not None:
            yield from walk(child)


def wait_for(what, probe, timeout=5.0):
    """Polls probe() until it returns (True, value); returns value.

    probe returns (done, seen): seen is what was read, shown on failure.
    Accessibility calls on objects that are being torn down may fail for a
    moment; such a call counts as 'not yet'.
    """
    deadline = time.monotonic() + timeout
    seen = "nothing"
    while True:
        try:
            done, seen = probe()
            if done:
                return seen
        except GLib.Error as error:
            seen = f"accessibility error: {error.message}"
        if time.monotonic() > deadline:
            raise Failure(f"{what}: not seen within {timeout:.1f} s; AT-SPI read {seen!r}")
        time.sleep(POLL)


class Keyboard:
    """Real input through the X server, as from a keyboard and a mouse."""

    def __init__(self, env):
        self.env = env

    def _xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, timeout=10)

    def keys(self, *names):
        self._xdotool("key", "--delay", "15", *names)

    def click(self, acc, right_inset=None, button=1):
        """Clicks the middle of a control, or a point right_inset pixels
        from its right edge (where a drop-down list has its arrow)."""
        box = acc.get_extents(Atspi.CoordType.SCREEN)
        if box.width <= 0 or box.height <= 0:
            raise Failure(f"cannot click {describe(acc)}: it has no area on screen")
        x = box.x + (box.width - right_inset if right_inset else box.width // 2)
        y = box.y + box.height // 2
        self._xdotool("mousemove", "--sync", str(x), str(y), "click", str(button))


class Program:
    """One run of kidsum: its process and its accessible window."""

    def __init__(self, executable, env, log_path):
        self.log = open(log_path, "wb")
        self.process = subprocess.Popen([executable], env=env, stdout=self.log,
                                        stderr=subprocess.STDOUT)
        self.input = Keyboard(env)
        self._index = None
        self._lists = None
        self.app = wait_for("the application 'kidsum' on the accessibility bus",
                            self._find_app, timeout=15)
        # Read every name, text and state afresh: the tests watch them change.
        self.app.set_cache_mask(Atspi.Cache.NONE)
        self.window = wait_for("the main window, shown and active", self._active_frame,
                               timeout=10)

    def _find_app(self):
        if self.process.poll() is not None:
            raise Failure(f"kidsum ended at start-up with status {self.process.returncode}")
        desktop = Atspi.get_desktop(0)
        names = []
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is None:
                continue
            names.append(app.get_name())
            if app.get_name() == APP_NAME:
                return True, app
        return False, f"applications {names}"

    def _active_frame(self):
        for i in range(self.app.get_child_count()):
            frame = self.app.get_child_at_index(i)
            if frame is not None and frame.get_role() == Atspi.Role.FRAME:
                states = _states(frame)
                if {"showing", "active"} <= states:
                    return True, frame
                return False, f"{describe(frame)} states {sorted(states)}"
        return False, "no frame"

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log.close()

    # Finding controls: by accessible name (and role). The window's
    # controls stay for the program's life, so one walk of the tree finds
    # them all; a label's role follows its content (an image while it shows
    # a picture), so the role is read afresh at each look-up.

    def _controls(self):
        if self._index is None:
            self._index = {}
            self._lists = {}
            for acc in walk(self.window):
                self._index.setdefault(acc.get_name(), []).append(acc)
                if acc.get_role() == Atspi.Role.COMBO_BOX:
                    for relation in acc.get_relation_set():
                        if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
                            for i in range(relation.get_n_targets()):
                                label = relation.get_target(i).get_name()
                                self._lists.setdefault(label, []).append(acc)
        return self._index, self._lists

    def find(self, name, *roles):
        """The one control named `name`, of one of `roles` (any when none)."""
        found = [acc for acc in self._controls()[0].get(name, [])
                 if not roles or acc.get_role() in roles]
        if len(found) != 1:
            kinds = " or ".join(role.value_nick for role in roles) or "control"
            seen = [describe(acc) for acc in self._controls()[0].get(name, [])]
            raise Failure(f"expected one {kinds} named {name!r}; found {len(found)} "
                          f"(named so: {seen})")
        return found[0]

    def text_box(self, name):
        return self.find(name, Atspi.Role.TEXT)

    def button(self, name):
        return self.find(name, Atspi.Role.PUSH_BUTTON)

    def list_labelled(self, label):
        """A drop-down list by the label that names it (its labelled-by
        relation): on Linux the list's own name is its current entry."""
        found = self._controls()[1].get(label, [])
        if len(found) != 1:
            raise Failure(f"expected one drop-down list labelled {label!r}, found {len(found)}")
        return found[0]

    # Reading, with a deadline: each returns what it saw.

    def expect_text(self, acc, expected, timeout=5.0):
        return wait_for(f"{describe(acc)} reading {expected!r}",
                        lambda: (text_of(acc) == expected, text_of(acc)), timeout)

    def expect_name(self, acc, expected, what, timeout=5.0):
        return wait_for(f"{what} reading {expected!r}",
                        lambda: (acc.get_name() == expected, acc.get_name()), timeout)

    def expect_description(self, acc, expected, timeout=5.0):
        return wait_for(f"{describe(acc)} described as {expected!r}",
                        lambda: (acc.get_description() == expected, acc.get_description()),
                        timeout)

    def expect_checked(self, acc, checked, timeout=5.0):
        def probe():
            states = _states(acc)
            return ("checked" in states) == checked, sorted(states)
        return wait_for(f"{describe(acc)} {'ticked' if checked else 'not ticked'}", probe,
                        timeout)

    # Message boxes: windows of the application besides the main one.

    def _message_boxes(self):
        boxes = []
        for i in range(self.app.get_child_count()):
            acc = self.app.get_child_at_index(i)
            if acc is not None and acc.get_role() in (Atspi.Role.ALERT, Atspi.Role.DIALOG):
                boxes.append(acc)
        return boxes

    def message_box(self, timeout=5.0):
        """Waits for a message box to be shown and active; returns its
        title, the texts of its labels and the names of its buttons."""
        def probe():
            boxes = self._message_boxes()
            if not boxes:
                return False, "no message box"
            box = boxes[0]
            if "active" not in _states(box):
                return False, f"{describe(box)} not active yet"
            texts = [acc.get_name() for acc in walk(box)
                     if acc.get_role() == Atspi.Role.LABEL and acc.get_name()]
            buttons = [acc.get_name() for acc in walk(box)
                       if acc.get_role() == Atspi.Role.PUSH_BUTTON]
            return True, (box.get_name(), texts, buttons)
        return wait_for("a message box", probe, timeout)

    def expect_message(self, title, text, timeout=5.0, buttons=("确定",)):
        """Every box the program shows has one button, named in Chinese."""
        shown_title, texts, shown_buttons = self.message_box(timeout)
        if shown_title != title or text not in texts:
            raise Failure(f"expected message box {title!r} saying {text!r}; "
                          f"AT-SPI read title {shown_title!r}, texts {texts!r}")
        if shown_buttons != list(buttons):
            raise Failure(f"message box {title!r} has buttons {shown_buttons!r}, "
                          f"expected {list(buttons)!r}")

    def context_menu(self, acc, timeout=5.0):
        """Opens the context menu of a control with a right click; returns
        the names of its entries, separators left out."""
        # Qt leaves popup menus out of the application's children; the menu
        # is the source of the event that says it is now showing.
        shown = []

        def on_event(event):
            if event.detail1 == 1:
                shown.append(event.source)
        listener = Atspi.EventListener.new(on_event)
        listener.register("object:state-changed:showing")
        context = GLib.MainContext.default()
        self.input.click(acc, button=3)

        def probe():
            while context.pending():
                context.iteration(False)
            for menu in shown:
                if menu.get_role() != Atspi.Role.POPUP_MENU:
                    continue
                items = [menu.get_child_at_index(i) for i in range(menu.get_child_count())]
                names = [item.get_name() for item in items
                         if item is not None and item.get_role() == Atspi.Role.MENU_ITEM
                         and item.get_name()]
                if names:
                    return True, names
            return False, [describe(menu) for menu in shown]
        try:
            return wait_for("a context menu", probe, timeout)
        finally:
            listener.deregister("object:state-changed:showing")

    def close_message_with_return(self):
        self.input.keys("Return")
        wait_for("the message box to close",
                 lambda: (not self._message_boxes(),
                          [describe(b) for b in self._message_boxes()]))
        self.window = wait_for("the main window active again", self._active_frame)

    # Acting as a person.

    def click(self, acc):
        self.input.click(acc)

    def type_keys(self, *keys):
        self.input.keys(*keys)

    def pick(self, label, entry):
        """Opens the list labelled `label` with a click on its arrow, moves
        to `entry` with the arrow keys and takes it with Return."""
        combo = self.list_labelled(label)
        popup = combo.get_child_at_index(0)
        items = [popup.get_child_at_index(i) for i in range(popup.get_child_count())]
        names = [item.get_name() for item in items]
        if entry not in names:
            raise Failure(f"list {label!r} has no entry {entry!r}; it has {names!r}")
        target = names.index(entry)
        self.input.click(combo, right_inset=8)
        wait_for(f"list {label!r} opened",
                 lambda: ("showing" in _states(popup), sorted(_states(popup))))

        def selected():
            return [i for i, item in enumerate(items) if "selected" in _states(item)]
        current = wait_for(f"an entry selected in the open list {label!r}",
                           lambda: (len(selected()) == 1, selected()))[0]
        step = "Down" if target > current else "Up"
        if target != current:
            self.input.keys(*[step] * abs(target - current))
        wait_for(f"entry {entry!r} selected in the open list {label!r}",
                 lambda: (selected() == [target], [names[i] for i in selected()]))
        self.input.keys("Return")
        self.expect_name(combo, entry, f"list {label!r}")
        return combo


def screenshot(env, path):
    subprocess.run(["import", "-window", "root", path], env=env, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, timeout=20)


def private_dir(root, name):
    path = os.path.join(root, name)
    os.makedirs(path, mode=0o700, exist_ok=True)
    return path
