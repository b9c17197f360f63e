#!/usr/bin/python3
"""Reads a player window over the desktop's accessibility bus, as a screen reader does.

Starts a private virtual display, a private session bus and the accessibility
bus on it, opens a document in the viewer there, and reads the player through
pyatspi, the client library screen readers use: the frame read-out's text, the
frame slider's value and range, the items of the open speed menu, and that
no control of the window, shown or hidden, is listed without a name. Qt's
bridge to the bus runs only on the X11 platform (not on the offscreen one the
other viewer tests use), hence the display.

Usage: player_over_accessibility_bus.py PELLOR_PROGRAM
Exit status: 0 passed, 1 failed, 77 skipped (where no display or bus can be started).
"""

import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIPPED = 77
# Every wait is bounded; the whole check takes a few seconds.
START_TIMEOUT = 10.0
VIEWER_TIMEOUT = 25.0
STEP_TIMEOUT = 5.0

FRAMES = 90
SPEEDS = ["0.25\u00d7", "0.5\u00d7", "0.75\u00d7", "\u2713 1.0\u00d7", "1.25\u00d7", "1.5\u00d7", "2.0\u00d7"]


class Skip(Exception):
    pass


class Failure(Exception):
    pass


def document():
    """A 90-frame animation of one moving square."""
    return (
        '{"v":"5.7.4","fr":30,"ip":0,"op":%d,"w":200,"h":100,"nm":"bus","ddd":0,"assets":[],"layers":['
        '{"ddd":0,"ind":1,"ty":4,"nm":"Square","sr":1,"ip":0,"op":%d,"st":0,"bm":0,'
        '"ks":{"o":{"a":0,"k":100},"r":{"a":0,"k":0},"a":{"a":0,"k":[0,0,0]},"s":{"a":0,"k":[100,100,100]},'
        '"p":{"a":1,"k":[{"t":0,"s":[20,50,0],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":%d,"s":[180,50,0]}]}},'
        '"shapes":[{"ty":"rc","nm":"Box","d":1,"s":{"a":0,"k":[30,30]},"p":{"a":0,"k":[0,0]},"r":{"a":0,"k":0}},'
        '{"ty":"fl","nm":"Fill","c":{"a":0,"k":[0.9,0.2,0.2,1]},"o":{"a":0,"k":100},"r":1}]}]}' % (FRAMES, FRAMES, FRAMES)
    )


def read_line(stream_fd, timeout, what):
    """The first line written to the descriptor, waiting at most `timeout` seconds."""
    data = b""
    deadline = time.monotonic() + timeout
    while not data.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([stream_fd], [], [], left)[0]:
            raise Skip("%s did not start within %.0f s" % (what, timeout))
        chunk = os.read(stream_fd, 256)
        if not chunk:
            raise Skip("%s exited while starting" % what)
        data += chunk
    return data.decode().strip()


def wait_until(condition, timeout, what):
    """Polls `condition` until it returns a true value, pumping the client's events meanwhile."""
    from gi.repository import GLib

    context = GLib.MainContext.default()
    deadline = time.monotonic() + timeout
    while True:
        while context.iteration(False):
            pass
        try:
            result = condition()
        except Failure:
            raise
        except Exception:  # an object that went away while it was read: ask again
            result = None
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure("timed out after %.0f s waiting for %s" % (timeout, what))
        time.sleep(0.05)


class Session:
    """The processes of one run, each in a process group of its own, stopped together."""

    def __init__(self, folder):
        self.folder = folder
        self.processes = []
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS")}
        # The viewer's settings and recent documents stay in the run's folder.
        self.env.update(HOME=folder, XDG_CONFIG_HOME=os.path.join(folder, "config"),
                        XDG_DATA_HOME=os.path.join(folder, "data"), XDG_CACHE_HOME=os.path.join(folder, "cache"),
                        XDG_RUNTIME_DIR=folder)

    def start(self, argv, env=None, **options):
        process = subprocess.Popen(argv, env=env or self.env, start_new_session=True, stdin=subprocess.DEVNULL,
                                   **options)
        self.processes.append(process)
        return process

    def stop(self):
        # The accessibility bus and its registry are children of the launcher, in its group.
        for process in reversed(self.processes):
            try:
                os.killpg(process.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        for process in reversed(self.processes):
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
            try:  # what the group started and left behind
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass


def start_display(session):
    if not shutil.which("Xvfb"):
        raise Skip("Xvfb is not installed")
    readable, writable = os.pipe()
    try:
        session.start(["Xvfb", "-displayfd", str(writable), "-screen", "0", "1440x900x24", "-nolisten", "tcp"],
                      pass_fds=[writable], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(writable)
        display = read_line(readable, START_TIMEOUT, "the virtual display")
    finally:
        os.close(readable)
    session.env["DISPLAY"] = ":" + display


def start_buses(session):
    launcher = next((path for path in (shutil.which("at-spi-bus-launcher"), "/usr/libexec/at-spi-bus-launcher",
                                       "/usr/lib/at-spi2-core/at-spi-bus-launcher") if path and os.access(path, os.X_OK)),
                    None)
    if not shutil.which("dbus-daemon") or not launcher:
        raise Skip("dbus-daemon or at-spi-bus-launcher is not installed")
    daemon = session.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    session.env["DBUS_SESSION_BUS_ADDRESS"] = read_line(daemon.stdout.fileno(), START_TIMEOUT, "the session bus")
    session.start([launcher, "--launch-immediately"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # Qt connects its bridge only when the accessibility bus is already there.
    from gi.repository import Gio, GLib

    bus = Gio.DBusConnection.new_for_address_sync(
        session.env["DBUS_SESSION_BUS_ADDRESS"],
        Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)

    def launched():
        reply = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
                              GLib.Variant("(s)", ("org.a11y.Bus",)), None, Gio.DBusCallFlags.NONE, -1, None)
        return reply.unpack()[0]

    deadline = time.monotonic() + START_TIMEOUT
    while not launched():
        if time.monotonic() > deadline:
            raise Skip("the accessibility bus did not start within %.0f s" % START_TIMEOUT)
        time.sleep(0.05)
    bus.close_sync(None)


def find(root, role, name, depth=0):
    """The first object below `root` with this role name and accessible name."""
    if depth > 40:
        return None
    if root.getRoleName() == role and root.name == name:
        return root
    for index in range(root.childCount):
        child = root.getChildAtIndex(index)
        found = child and find(child, role, name, depth + 1)
        if found:
            return found
    return None


CONTROL_ROLES = ("push button", "toggle button", "check box", "radio button", "slider", "combo box")


def unnamed_controls(root, depth=0):
    """The controls below `root`, shown or hidden, that have no accessible name, by role."""
    if depth > 40:
        return []
    found = [root.getRoleName()] if root.getRoleName() in CONTROL_ROLES and not root.name else []
    for index in range(root.childCount):
        child = root.getChildAtIndex(index)
        if child:
            found += unnamed_controls(child, depth + 1)
    return found


def check(condition, message):
    if not condition:
        raise Failure(message)


def read_player(pyatspi, session, program, path):
    viewer_env = dict(session.env, QT_QPA_PLATFORM="xcb",
                      # A screen reader turns the bridge on through the desktop's settings; Qt's own switch
                      # does it here without them.
                      QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    viewer_log = os.path.join(session.folder, "viewer.log")

    def start_viewer():
        with open(viewer_log, "w") as log:
            return session.start([program, path], env=viewer_env, stderr=log)

    viewer = start_viewer()
    starts_left = 2
    desktop = pyatspi.Registry.getDesktop(0)

    def player_window():
        nonlocal viewer, starts_left
        if viewer.poll() is not None:
            with open(viewer_log) as log:
                said = log.read()
            sys.stderr.write(said)
            # Now and then, on a loaded machine, the display server turns the
            # viewer's first connection away though it takes others: it is
            # started once more.
            if "could not connect to display" in said and starts_left > 0:
                starts_left -= 1
                viewer = start_viewer()
                return None
        check(viewer.poll() is None, "the viewer exited with status %s" % viewer.returncode)
        for application in desktop:
            if application is not None and application.name == "Pellor":
                window = find(application, "frame", os.path.basename(path))
                if window and find(window, "label", "Current frame"):
                    return window
        return None

    window = wait_until(player_window, VIEWER_TIMEOUT, "the player window on the accessibility bus")
    readout = find(window, "label", "Current frame")
    slider = find(window, "slider", "Frame")
    speed = find(window, "push button", "Playback Speed")
    check(slider is not None and speed is not None, "the slider and the speed button are in the tree")
    unnamed = unnamed_controls(window)
    check(not unnamed, "every control of the player window has a name (unnamed: %s)" % ", ".join(unnamed))

    # The read-out: its text, as a screen reader reads it, follows the frame a
    # client sets through the slider's value; each change is announced.
    check("Text" in readout.get_interfaces(), "the read-out offers its text (it offers %s)" % readout.get_interfaces())
    text = readout.queryText()
    value = slider.queryValue()
    announced = []

    def on_text_changed(event):
        if event.source == readout and event.type.endswith("insert"):
            announced.append(event.any_data)

    pyatspi.Registry.registerEventListener(on_text_changed, "object:text-changed")
    pause = find(window, "push button", "Pause")
    if pause is not None:
        pause.queryAction().doAction(0)
        wait_until(lambda: find(window, "push button", "Play"), STEP_TIMEOUT, "playback to pause")
    for frame, shown in ((25, "#25/90"), (0, "#00/90"), (90, "#90/90")):
        value.currentValue = frame
        wait_until(lambda: text.getText(0, -1) == shown, STEP_TIMEOUT, "the read-out to show %s" % shown)
        check(text.characterCount == len(shown), "the read-out counts %d characters" % len(shown))
        check(value.currentValue == frame, "the slider's value is frame %d (it is %s)" % (frame, value.currentValue))
        wait_until(lambda: shown in announced, STEP_TIMEOUT, "the read-out to announce %s" % shown)
    check((value.minimumValue, value.maximumValue, value.minimumIncrement) == (0, FRAMES, 1),
          "the slider runs from frame 0 to %d in steps of 1 (it gives %s, %s, %s)"
          % (FRAMES, value.minimumValue, value.maximumValue, value.minimumIncrement))
    pyatspi.Registry.deregisterEventListener(on_text_changed, "object:text-changed")

    # The speed menu: opened by a press, it is the button's child, its items
    # the menu's, and a press on an item chooses that speed.
    check(speed.childCount == 0, "a closed speed menu is not in the tree")
    speed.queryAction().doAction(0)
    menu = wait_until(lambda: speed.childCount == 1 and speed.getChildAtIndex(0), STEP_TIMEOUT, "the open speed menu")
    check(menu.getRoleName() == "popup menu", "the speed menu is a popup menu (it is a %s)" % menu.getRoleName())
    check(menu.parent == speed, "the speed menu's parent is its button")
    items = [menu.getChildAtIndex(index) for index in range(menu.childCount)]
    names = [item.name for item in items]
    check(names == SPEEDS, "the speed menu's items are %s (they are %s)" % (SPEEDS, names))
    check(all(item.getRoleName() == "menu item" for item in items), "each speed is a menu item")
    check(items[3].getState().contains(pyatspi.STATE_FOCUSED), "the menu opens on the current speed")
    items[6].queryAction().doAction(0)
    wait_until(lambda: speed.childCount == 0, STEP_TIMEOUT, "the speed menu to close")
    wait_until(lambda: speed.description == "2.0\u00d7", STEP_TIMEOUT, "the speed button to show 2.0\u00d7")


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    program = os.path.abspath(sys.argv[1])
    with tempfile.TemporaryDirectory(prefix="pellor-bus-") as folder:
        session = Session(folder)
        try:
            try:
                import gi

                gi.require_version("Atspi", "2.0")
                from gi.repository import Gio  # noqa: F401
            except (ImportError, ValueError) as error:
                raise Skip("the accessibility client library is not installed (%s)" % error)
            start_display(session)
            start_buses(session)
            # The client finds the accessibility bus through the session bus and display set here.
            os.environ.update(session.env)
            try:
                import pyatspi
            except ImportError as error:
                raise Skip("pyatspi is not installed (%s)" % error)
            path = os.path.join(folder, "clip.json")
            with open(path, "w") as out:
                out.write(document())
            read_player(pyatspi, session, program, path)
        except Skip as skip:
            print("SKIPPED: %s" % skip)
            return SKIPPED
        except Failure as failure:
            print("FAILED: %s" % failure)
            return 1
        finally:
            session.stop()
    print("PASSED: the read-out's text, the slider's value and range and the speed menu's items were read over the bus")
    return 0


if __name__ == "__main__":
    sys.exit(main())
