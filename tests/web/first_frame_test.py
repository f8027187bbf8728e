#!/usr/bin/python3
"""The window the page is written with, against the game that takes it
over: the game's own draw on load changes nothing in it but the hidden
door table it deals; clicks and keys on the window while the file is still
arriving reach the game once it is live, as if they had come after; and a
browser that refuses WebAssembly plays the game's JavaScript build, or is
told so where it can run neither. In the browser engine named by
--engine."""

import argparse
import base64
import functools
import http.server
import os
import re
import sys
import tempfile
import threading
import unittest
import zlib

from selenium.webdriver.common.keys import Keys

from browsers import ENGINES, open_page, wait_for
from game_texts import inline_elements, read_texts, source_hash, with_policy

ARGS = None
TEXTS = None
# Dealt afresh on every load, and hidden: the page is written without it.
DOOR_TABLE = "List1"

# Every element of the window as markup, with the state a browser keeps
# apart from its markup: a box's text, a button's mark, a list's choice.
SNAPSHOT = """
const root = document.getElementById("window").cloneNode(true);
const live = document.getElementById("window");
const state = [...live.querySelectorAll("input, textarea, select")].map((element) =>
    [element.id || element.name, element.value, element.checked, element.selectedIndex]);
const table = root.querySelector("#" + arguments[0]);
const dealt = [table.outerHTML];
table.replaceChildren();
table.removeAttribute("size");
return { markup: root.outerHTML, state, dealt };
"""

# The door both pages pick; the window as written has it locked.
PICKED = "Option1_3"

# The page's last statement starts the game once the window is drawn.
START = "afterDrawn(startGame);"
# Held back instead until the test lets it go, which it may from "held" on.
HELD_START = """afterDrawn(() => {
  addEventListener("test:start", startGame, { once: true });
  document.documentElement.dataset.held = "";
});"""

# A press on the cover, in the middle of a control, as the browser reports
# one; and the end of a press that makes no click, on the page's body.
PRESS = """
const box = document.getElementById(arguments[0]).getBoundingClientRect();
document.getElementById("cover").dispatchEvent(new PointerEvent("pointerdown", {
  bubbles: true, button: 0, buttons: 1,
  clientX: box.left + box.width / 2, clientY: box.top + box.height / 2 }));
"""
PRESS_ENDS = """
const [type] = arguments;
const end = type === "blur" ? new FocusEvent("blur")
                            : new PointerEvent(type, { bubbles: true, button: 0, buttons: 0 });
(type === "blur" ? window : document.body).dispatchEvent(end);
"""


class HeldServer:
    """Serves the page on this machine at once up to its module, which holds
    the game, and the rest only when the test releases it: until then the
    window is drawn and the file provably incomplete, however slow or fast
    the machine."""

    MODULE = b'<script type="module"'

    def __init__(self, path):
        with open(path, "rb") as page:
            body = page.read()
        cut = body.index(self.MODULE)
        self.released = threading.Event()
        released = self.released

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                if self.path != "/zimarela.html":
                    self.send_error(404)
                    return
                self.send_response(200)
                self.send_header("Content-Type", "text/html; charset=utf-8")
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body[:cut])
                self.wfile.flush()
                released.wait()
                self.wfile.write(body[cut:])

            def log_message(self, *args):
                pass

        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.server.daemon_threads = True
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.url = f"http://127.0.0.1:{self.server.server_port}/zimarela.html"

    def close(self):
        self.released.set()
        self.server.shutdown()
        self.server.server_close()


def script_hashes(source):
    """The hashes of the scripts the page runs as it is read."""
    return [source_hash(text) for tag, text in inline_elements(source) if tag == "script"]


def fallback_hash(source):
    """The hash of the script the page unpacks where WebAssembly fails."""
    packed = re.search(r'<script id="fallback" type="text/plain">([^<]*)</script>', source)
    return source_hash(zlib.decompress(base64.b64decode(packed.group(1))).decode("utf-8"))


def script_policy(hashes):
    return "script-src " + " ".join(hashes)


class PolicyServer:
    """Serves the page, its bytes as they are, under a Content-Security-Policy
    header of the host's own."""

    def __init__(self, path, policy, test):
        folder, name = os.path.split(os.path.abspath(path))

        class Handler(http.server.SimpleHTTPRequestHandler):
            def end_headers(self):
                self.send_header("Content-Security-Policy", policy)
                super().end_headers()

            def log_message(self, *args):
                pass

        server = http.server.ThreadingHTTPServer(
            ("127.0.0.1", 0), functools.partial(Handler, directory=folder))
        threading.Thread(target=server.serve_forever, daemon=True).start()
        test.addCleanup(server.server_close)
        test.addCleanup(server.shutdown)
        self.url = f"http://127.0.0.1:{server.server_port}/{name}"


class FirstFrameTest(unittest.TestCase):
    def setUp(self):
        with open(ARGS.page, encoding="utf-8") as page:
            self.source = page.read()
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)

    def write(self, name, text):
        """A changed copy of the page, with the policy its build would give
        it: under the page's own, the browser would refuse the change."""
        path = os.path.join(self.folder.name, name)
        with open(path, "w", encoding="utf-8") as out:
            out.write(with_policy(text))
        return "file://" + path

    def open(self, url, **options):
        page = open_page(ARGS.engine, url, **options)
        # What the scenario itself has a policy refuse; anything else
        # refused fails it.
        page.refusals = []
        self.addCleanup(page.close)
        self.addCleanup(lambda: self.assertEqual(page.refused(), sorted(page.refusals),
                                                 "the page's policy refused these"))
        return page

    def without_game(self):
        """The page as written, with the game's start held back until
        start_game is called."""
        self.assertEqual(self.source.count(START), 1)
        return self.write("unstarted.html", self.source.replace(START, HELD_START))

    def test_the_game_draws_on_load_the_window_the_page_is_written_with(self):
        url = self.without_game()
        written = self.open(url, ready=("drawn",)).script(SNAPSHOT, DOOR_TABLE)
        drawn = self.open("file://" + os.path.abspath(ARGS.page)).script(SNAPSHOT, DOOR_TABLE)
        self.assertEqual(written["markup"], drawn["markup"])
        self.assertEqual(written["state"], drawn["state"])
        # Written empty, dealt by the game; hidden either way.
        self.assertRegex(written["dealt"][0], r"^<select [^>]*hidden[^>]*></select>$")
        self.assertRegex(drawn["dealt"][0],
                         r"^<select [^>]*hidden[^>]*>(<option>\d</option>){8}</select>$")

    def test_a_press_that_never_becomes_a_click_does_not_keep_the_cover(self):
        """A press made before the game is live keeps the cover until it is
        over, so that its click still reaches the game; a press that is
        released elsewhere, cancelled or lost makes no click, and its end
        takes the cover away all the same."""
        url = self.without_game()
        for end in ("pointerup", "pointercancel", "pointermove", "blur"):
            with self.subTest(end):
                page = self.open(url, ready=("drawn", "held"))
                page.script(PRESS, "Command1_1")
                page.script("dispatchEvent(new Event('test:start'))")
                wait_for(page, lambda: page.script(
                    "return 'live' in document.documentElement.dataset"))
                self.assertTrue(page.script("return document.getElementById('cover') !== null"))
                page.script(PRESS_ENDS, end)
                wait_for(page, lambda: page.script(
                    "return document.getElementById('cover') === null"))
                # No click: "Нова игра" was not pressed.
                self.assertEqual(page.script("return document.getElementById('Text2_0').value"),
                                 "1")

    def click_on(self, page, control, across=0.5):
        box = page.script("return document.getElementById(arguments[0])"
                          ".getBoundingClientRect().toJSON()", control)
        page.click_at(box["left"] + across * box["width"], box["top"] + box["height"] / 2)

    def play(self, page):
        """A new game, the direct choice clicked on its caption, and a door
        clicked on the bare end of its strip: the door is still locked in
        the window as written, and only the choice unlocks it."""
        self.click_on(page, "Command1_1")
        self.click_on(page, "Option2_0", across=0.6)
        self.click_on(page, PICKED, across=0.9)

    def scored(self, page, snapshot):
        """The state of `snapshot` without the result and the wins, which
        depend on the deal; those are checked against the page's own door
        table."""
        state = {entry[0]: entry for entry in snapshot["state"]}
        won = page.script("return document.getElementById(arguments[0])"
                          ".options[arguments[1]].text", DOOR_TABLE, int(PICKED[-1])) == "2"
        outcome = [TEXTS["kJackpot"]] if won else [TEXTS["kCabbage"], TEXTS["kLesson"]]
        self.assertEqual(state.pop("Text1_0")[1],
                         "\n".join([TEXTS["kResultHeading"], *outcome]).replace("\r\n", "\n"))
        self.assertEqual(state.pop("Text2_1")[1], "1" if won else "0")
        self.assertTrue(state[PICKED][2], f"{PICKED} is not shown picked")
        return state

    def test_input_while_the_page_arrives_reaches_the_game_once_it_is_live(self):
        """A new game clicked, the direct choice reached with Tab and
        selected with Space, and a door pressed, all while the file is
        still arriving; the door is released once the game is live."""
        server = HeldServer(ARGS.page)
        self.addCleanup(server.close)
        early = self.open(server.url, ready=("drawn",), loaded=False)
        before = early.script(SNAPSHOT, DOOR_TABLE)
        self.click_on(early, "Command1_1")
        for _ in range(3):
            if self.focused(early) == "Option2_0":
                break
            early.keys(Keys.TAB)
        self.assertEqual(self.focused(early), "Option2_0")
        early.keys(Keys.SPACE)
        box = early.script("return document.getElementById(arguments[0])"
                           ".getBoundingClientRect().toJSON()", PICKED)
        early.press_at(box["left"] + 0.9 * box["width"], box["top"] + box["height"] / 2)
        # Held: the rest of the file has not come, and neither the game nor
        # the browser has answered; the direct choice is not shown selected.
        self.assertEqual(early.script("return document.readyState"), "loading")
        self.assertEqual(early.script(SNAPSHOT, DOOR_TABLE), before)
        server.released.set()
        wait_for(early, lambda: early.script("return 'live' in document.documentElement.dataset"))
        early.release_press()

        later = self.open("file://" + os.path.abspath(ARGS.page))
        self.play(later)
        answered = later.script(SNAPSHOT, DOOR_TABLE)
        self.assertNotEqual(answered["state"], before["state"])
        held = early.script(SNAPSHOT, DOOR_TABLE)
        self.assertEqual(held["markup"], answered["markup"])
        self.assertEqual(self.scored(early, held), self.scored(later, answered))
        # The focus stayed where the player put it, until the pick locked
        # the chooser and passed it on, as Tab would, to "Нова игра".
        self.assertEqual(self.focused(early), "Command1_1")
        self.assertEqual(early.errors(), [])

    def test_a_browser_that_refuses_web_assembly_plays_without_it_or_says_so(self):
        """Served under the host's own policy, stricter than the page's,
        which lets the page's scripts run by their hashes. Where it refuses
        WebAssembly, the JavaScript build, unpacked later, plays if that
        policy lets it run; where WebAssembly is missing and the policy
        refuses that build too, the page says so and nothing answers."""
        scripts = script_hashes(self.source)
        # WebKitGTK lets the page's own 'wasm-unsafe-eval' stand against a
        # host's policy that has none, so only the other two refuse it.
        if ARGS.engine != "webkit":
            playing = PolicyServer(ARGS.page, script_policy(
                scripts + [fallback_hash(self.source)]), self)
            page = self.open(playing.url)
            # There, but refused by the host's policy.
            self.assertEqual(page.script("return [typeof WebAssembly, "
                                         "document.documentElement.dataset.live]"),
                             ["object", "javascript"])
            self.assertEqual(page.refused(), ["script-src"])
            page.refusals = ["script-src"]
            self.play(page)
            self.scored(page, page.script(SNAPSHOT, DOOR_TABLE))

        refusing = PolicyServer(ARGS.page, script_policy(scripts), self)
        page = self.open(refusing.url, ready=("drawn",), webassembly=False)
        wait_for(page, lambda: page.script(
            "return document.getElementById('Text1_0').value") == TEXTS["kBrowserCannotRun"])
        self.assertEqual(self.focused(page), "Text1_0")
        # Nothing lies over the sentence, which can be selected and copied,
        # and no box pretends to count.
        self.assertEqual(page.script("""
            const box = document.getElementById("Text1_0").getBoundingClientRect();
            return [document.elementFromPoint(box.left + box.width / 2,
                                              box.top + box.height / 2).id,
                    ...["Text2_0", "Text2_1"].map((id) =>
                        document.getElementById(id).value)];"""), ["Text1_0", "", ""])
        told = page.script(SNAPSHOT, DOOR_TABLE)
        self.play(page)
        page.keys(Keys.TAB, Keys.SPACE, Keys.TAB, Keys.SPACE)
        self.assertEqual(page.script(SNAPSHOT, DOOR_TABLE), told)
        self.assertNotIn("live", page.script("return document.documentElement.dataset"))
        # The JavaScript build was refused by the host's policy (a browser
        # may name the directive script-src-elem).
        refused = page.refused()
        self.assertEqual(len(refused), 1, refused)
        self.assertTrue(refused[0].startswith("script-src"), refused)
        page.refusals = refused

    @staticmethod
    def focused(page):
        return page.script("return document.activeElement.closest('.control')?.id ?? null")


def main():
    global ARGS, TEXTS
    parser = argparse.ArgumentParser()
    parser.add_argument("--page", required=True)
    parser.add_argument("--engine", choices=ENGINES, required=True)
    parser.add_argument("--texts", required=True)
    ARGS, rest = parser.parse_known_args()
    TEXTS = read_texts(ARGS.texts)
    unittest.main(argv=[sys.argv[0], *rest])


if __name__ == "__main__":
    main()
