#!/usr/bin/python3
"""What the player copied must outlive the game on X11, where the desktop
runs a clipboard manager. Run on the X11 route:

    copy_then_close.py GAME TEXTS_HEADER

Starts a clipboard manager of its own, as GNOME, Xfce, MATE and Cinnamon
run one, then the game; selects the result box's text and copies it with
the keys a player presses (Ctrl+A, Ctrl+C), closes the window as a window
manager's close box does (WM_DELETE_WINDOW), and requires that the game
ends with status 0 and that the clipboard then still holds the
introduction, now served by the manager.

The manager follows the freedesktop clipboard-manager protocol: it owns
CLIPBOARD_MANAGER; asked for SAVE_TARGETS by a program that is about to
end, it fetches the clipboard's text from that program, takes the
clipboard and serves the text itself from then on."""

import subprocess
import sys
import time
from pathlib import Path

try:
    from Xlib import X, XK, Xatom, display, protocol
    from Xlib.ext import xtest
except ImportError:
    print("copy_then_close.py: python3-xlib is missing, so the test is skipped", file=sys.stderr)
    sys.exit(77)


class Atoms:
    def __init__(self, connection):
        for name in ("CLIPBOARD", "CLIPBOARD_MANAGER", "SAVE_TARGETS", "TARGETS",
                     "UTF8_STRING", "WM_PROTOCOLS", "WM_DELETE_WINDOW", "_NET_WM_PID",
                     "ZIMARELA_TRANSFER"):
            setattr(self, name, connection.intern_atom(name))


def fetch_text(connection, atoms, requestor, selection):
    """The selection's text as UTF-8 bytes, asked of its owner as any
    program pastes it; None if the owner refuses or there is none."""
    requestor.convert_selection(selection, atoms.UTF8_STRING, atoms.ZIMARELA_TRANSFER,
                                X.CurrentTime)
    connection.flush()
    while True:
        event = connection.next_event()
        if event.type == X.SelectionNotify and event.requestor == requestor:
            break
    if event.property == X.NONE:
        return None
    reply = requestor.get_full_property(atoms.ZIMARELA_TRANSFER, X.AnyPropertyType)
    requestor.delete_property(atoms.ZIMARELA_TRANSFER)
    # A text too long for one reply would come in pieces (INCR); the
    # introduction never is.
    if reply is None or reply.property_type != atoms.UTF8_STRING:
        return None
    return bytes(reply.value)


def answer(request, property_name):
    """Tells the requestor its conversion is done, or refused (X.NONE)."""
    notify = protocol.event.SelectionNotify(
        time=request.time, requestor=request.requestor, selection=request.selection,
        target=request.target, property=property_name)
    request.requestor.send_event(notify)


def run_manager():
    connection = display.Display()
    atoms = Atoms(connection)
    window = connection.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    window.set_selection_owner(atoms.CLIPBOARD_MANAGER, X.CurrentTime)
    if connection.get_selection_owner(atoms.CLIPBOARD_MANAGER) != window:
        sys.exit("copy_then_close.py: the clipboard manager could not own CLIPBOARD_MANAGER")
    print("ready", flush=True)
    saved = None
    while True:
        request = connection.next_event()
        if request.type != X.SelectionRequest:
            continue
        if request.selection == atoms.CLIPBOARD_MANAGER and request.target == atoms.SAVE_TARGETS:
            # The program asking is still waiting inside its exit, and
            # answers the fetch from there.
            text = fetch_text(connection, atoms, window, atoms.CLIPBOARD)
            if text is not None:
                saved = text
                window.set_selection_owner(atoms.CLIPBOARD, X.CurrentTime)
            answer(request, request.property if text is not None else X.NONE)
        elif request.selection == atoms.CLIPBOARD and saved is not None:
            if request.target == atoms.TARGETS:
                request.requestor.change_property(request.property, Xatom.ATOM, 32,
                                                  [atoms.TARGETS, atoms.UTF8_STRING])
                answer(request, request.property)
            elif request.target == atoms.UTF8_STRING:
                request.requestor.change_property(request.property, atoms.UTF8_STRING, 8, saved)
                answer(request, request.property)
            else:
                answer(request, X.NONE)
        else:
            answer(request, X.NONE)
        connection.flush()


def died_of_signal(status):
    """For a game killed by a signal, the status a shell would report for
    it, with which the route reads the game's core; else 0."""
    return 128 - status if status < 0 else 0


def game_window(connection, atoms, game):
    """The game's shown top level, once it is shown: the viewable window
    with the game's process id that takes WM_DELETE_WINDOW."""
    while True:
        if game.poll() is not None:
            print(f"copy_then_close.py: the game ended with status {game.returncode} "
                  "before its window was shown", file=sys.stderr)
            sys.exit(died_of_signal(game.returncode) or 1)
        for window in connection.screen().root.query_tree().children:
            pid = window.get_full_property(atoms._NET_WM_PID, Xatom.CARDINAL)
            if pid is None or list(pid.value) != [game.pid]:
                continue
            if window.get_attributes().map_state != X.IsViewable:
                continue
            protocols = window.get_full_property(atoms.WM_PROTOCOLS, Xatom.ATOM)
            if protocols is not None and atoms.WM_DELETE_WINDOW in protocols.value:
                return window
        time.sleep(0.1)


def press(connection, *keysyms):
    """Presses the keys in order and releases them in reverse, through the
    server's test extension, as a keyboard would."""
    codes = [connection.keysym_to_keycode(XK.string_to_keysym(name)) for name in keysyms]
    for code in codes:
        xtest.fake_input(connection, X.KeyPress, code)
    for code in reversed(codes):
        xtest.fake_input(connection, X.KeyRelease, code)
    connection.sync()


def main(game_path, texts_header):
    sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "web"))
    from texts_header import read_texts
    introduction = read_texts(texts_header)["kIntroduction"]
    # The result box shows the record's CR LF line breaks as its own.
    expected = introduction.replace("\r\n", "\n")

    connection = display.Display()
    atoms = Atoms(connection)
    if not connection.has_extension("XTEST"):
        sys.exit("copy_then_close.py: the X server has no XTEST to type with")
    me = connection.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)

    manager = subprocess.Popen([sys.executable, __file__, "--manager"], stdout=subprocess.PIPE,
                               text=True)
    if manager.stdout.readline() != "ready\n":
        sys.exit("copy_then_close.py: the clipboard manager did not start")
    manager_window = connection.get_selection_owner(atoms.CLIPBOARD_MANAGER)

    game = subprocess.Popen([game_path])
    window = game_window(connection, atoms, game)
    # The result box has the focus when the window opens; the window gets
    # the keyboard's, as a click on it would give it.
    window.set_input_focus(X.RevertToParent, X.CurrentTime)
    press(connection, "Control_L", "a")
    press(connection, "Control_L", "c")
    while connection.get_selection_owner(atoms.CLIPBOARD) in (X.NONE, manager_window):
        time.sleep(0.1)
    copied = fetch_text(connection, atoms, me, atoms.CLIPBOARD)
    failures = []
    if copied is None or copied.decode(errors="replace") != expected:
        failures.append(f"Ctrl+A, Ctrl+C copied {copied!r}, not the introduction")

    close = protocol.event.ClientMessage(
        window=window, client_type=atoms.WM_PROTOCOLS,
        data=(32, [atoms.WM_DELETE_WINDOW, X.CurrentTime, 0, 0, 0]))
    window.send_event(close)
    connection.flush()
    status = game.wait()
    if died_of_signal(status):
        print(f"copy_then_close.py: the game died of signal {-status}", file=sys.stderr)
        manager.kill()
        return died_of_signal(status)
    if status != 0:
        failures.append(f"the game ended with status {status}")

    owner = connection.get_selection_owner(atoms.CLIPBOARD)
    kept = fetch_text(connection, atoms, me, atoms.CLIPBOARD) if owner != X.NONE else None
    if owner != manager_window:
        failures.append("the clipboard manager does not hold the clipboard after the close")
    if kept != copied:
        failures.append(f"after the close the clipboard holds {kept!r}, not what was copied")
    manager.terminate()
    manager.wait()

    for failure in failures:
        print(f"copy_then_close.py: {failure}", file=sys.stderr)
    if failures:
        return 1
    print("copy_then_close.py: the game ended with status 0, and the clipboard manager"
          " serves the introduction that was copied")
    return 0


if __name__ == "__main__":
    if sys.argv[1:] == ["--manager"]:
        run_manager()
    elif len(sys.argv) == 3:
        sys.exit(main(sys.argv[1], sys.argv[2]))
    else:
        sys.exit("usage: copy_then_close.py GAME TEXTS_HEADER")
