#!/usr/bin/python3
"""The web page played as a player plays it, with real clicks and keys on
the one file, opened from disk or from a local server, in the browser
engine named by --engine: the same scenarios in Chromium, Firefox ESR and
WebKitGTK."""

import argparse
import functools
import http.server
import io
import os
import sys
import threading
import unittest

from PIL import Image
from selenium.webdriver.common.keys import Keys

from browsers import ENGINES, open_page, wait_for
from game_texts import read_back_colours, read_texts

ARGS = None
TEXTS = None


class Page:
    """One engine on the page, with the few moves a player makes and what
    a player can see, read from the page itself."""

    def __init__(self, url, *flags, **options):
        self.browser = open_page(ARGS.engine, url, *flags, **options)
        self.script = self.browser.script
        # What the scenario itself has the page's policy refuse; anything
        # else refused fails it.
        self.refusals = []

    def close(self):
        self.browser.close()

    def wait_for(self, condition):
        return wait_for(self.browser, condition)

    def click(self, control, across=0.5):
        """A click on the control, `across` its width from its left edge."""
        box = self.script("return document.getElementById(arguments[0])"
                          ".getBoundingClientRect().toJSON()", control)
        self.browser.click_at(box["left"] + across * box["width"], box["top"] + box["height"] / 2)

    def keys(self, *keys):
        self.browser.keys(*keys)

    def back_tab(self, times=1):
        for _ in range(times):
            self.browser.keys(Keys.TAB, shift=True)

    def focused(self):
        return self.script("return document.activeElement.closest('.control')?.id ?? null")

    def value(self, control):
        return self.script("return document.getElementById(arguments[0]).value", control)

    def displayed(self, control):
        return self.script("return document.getElementById(arguments[0])"
                           ".getClientRects().length > 0", control)

    def enabled(self, control):
        return self.script("""const control = document.getElementById(arguments[0]);
            return !(control.querySelector("input") ?? control).matches(":disabled");""", control)

    def selected(self, control):
        """Whether the option button is selected; the mark its strip draws
        must say the same."""
        button, mark = self.script("""
            const strip = document.getElementById(arguments[0]);
            return [strip.querySelector("input").checked,
                    getComputedStyle(strip, "::before").backgroundImage !== "none"];""", control)
        if button != mark:
            raise AssertionError(f"{control} is {'' if button else 'not '}selected, "
                                 "its mark shows otherwise")
        return button

    def focus_on_a_strip_button(self):
        """Whether the focus is on an option button's one radio button."""
        return self.script("return document.activeElement.matches("
                           "'.option-button > input[type=radio]')")

    def option_inputs(self):
        """For every option button: its inputs' types, and whether the
        first covers the whole strip."""
        return self.script("""
            return [...document.querySelectorAll("#window .option-button")].map((strip) => {
              const inputs = [...strip.querySelectorAll("input, button, select, textarea")];
              const own = strip.getBoundingClientRect(), box = inputs[0].getBoundingClientRect();
              return [strip.id, inputs.map((input) => input.type),
                      ["left", "top", "width", "height"].every((side) => own[side] === box[side])];
            });""")

    def enabled_doors(self):
        return [door for door in range(8) if self.enabled(f"Option1_{door}")]

    def peek(self):
        """The door codes, read through the corner spot as a player can."""
        self.click("Label1_2")
        self.wait_for(lambda: self.displayed("List1"))
        return self.script("return [...document.getElementById('List1').options]"
                           ".map((option) => option.text)")


def result(*lines):
    """What the result box shows: the record's text, CR LF read as LF."""
    return "\n".join(lines).replace("\r\n", "\n")


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class CountingServer(http.server.ThreadingHTTPServer):
    """Counts every connection made to it, answered or not."""

    asked = 0

    def verify_request(self, request, client_address):
        self.asked += 1
        return True


class PageTest(unittest.TestCase):
    def open(self, url=None, *flags, **options):
        page = Page(url or f"file://{ARGS.page}", *flags, **options)
        self.addCleanup(page.close)
        self.addCleanup(lambda: self.assertEqual(page.browser.refused(), sorted(page.refusals),
                                                 "the page's policy refused these"))
        return page

    def serve(self):
        folder, name = os.path.split(ARGS.page)
        server = http.server.ThreadingHTTPServer(
            ("127.0.0.1", 0), functools.partial(QuietHandler, directory=folder))
        threading.Thread(target=server.serve_forever, daemon=True).start()
        self.addCleanup(server.shutdown)
        return f"http://127.0.0.1:{server.server_port}/{name}"

    def test_a_whole_game_by_mouse_loses_then_wins(self):
        page = self.open(self.serve())
        # The JavaScript build is never unpacked where WebAssembly runs.
        self.assertEqual(page.script("return document.documentElement.dataset.live"),
                         "webassembly")
        self.play_a_whole_game(page)

    def test_plays_a_whole_game_without_web_assembly(self):
        """With the engine's own switch taking WebAssembly away, as a
        hardened mode does, the same game in JavaScript takes over."""
        # Chromium unpacks it with the page's own inflater, as a browser
        # without DecompressionStream does; the others by their own means.
        own_inflater = ARGS.engine == "chromium"
        page = self.open(self.serve(), webassembly=False,
                         hidden=("DecompressionStream",) if own_inflater else ())
        self.assertEqual(page.script("return [typeof WebAssembly, typeof DecompressionStream, "
                                     "document.documentElement.dataset.live]"),
                         ["undefined", "undefined" if own_inflater else "function", "javascript"])
        self.play_a_whole_game(page)

    def play_a_whole_game(self, page):
        """A loss that shows the lesson, then a win, counted, each door
        found through the peek."""
        self.assertEqual((page.value("Text2_0"), page.value("Text2_1")), ("1", "0"))
        page.click("Option1_0", across=0.95)  # the doors frame is still locked
        self.assertFalse(page.selected("Option1_0"))
        self.assertEqual(page.value("Text1_0"), result(TEXTS["kIntroduction"]))

        for offer in range(5):
            page.click("Option2_1")
            self.assertTrue(page.selected("Option2_1"))
            page.click("Command1_0")
            if offer < 4:
                self.assertFalse(page.selected("Option2_1"))
                self.assertFalse(page.enabled("Command1_0"))
                self.assertFalse(page.displayed("Label1_1"))
        self.assertTrue(page.displayed("Label1_1"))
        self.assertTrue(page.selected("Option2_0"))
        self.assertFalse(page.enabled("Option2_1"))
        self.assertEqual(len(page.enabled_doors()), 3)

        codes = page.peek()
        losing = next(door for door in page.enabled_doors() if codes[door] == "1")
        page.script("document.getElementById('Text1_0').scrollTop = 1e6")
        # A click anywhere on a strip reaches its button: on the mark, on
        # the caption, or on the bare end of the strip.
        page.click(f"Option1_{losing}", across=0.95)
        # The result is a new text, shown from its first line.
        self.assertEqual(page.script("return document.getElementById('Text1_0').scrollTop"), 0)
        self.assertEqual(page.value("Text1_0"),
                         result(TEXTS["kResultHeading"], TEXTS["kCabbage"], TEXTS["kLesson"]))
        self.assertEqual(page.value("Text2_1"), "0")

        page.click("Command1_1")
        self.assertEqual((page.value("Text1_0"), page.value("Text2_0")), ("", "2"))
        self.assertFalse(page.displayed("Label1_1"))
        jackpot = page.peek().index("2")
        page.click("Option2_0", across=0.03)
        page.click(f"Option1_{jackpot}", across=0.95)
        self.assertEqual(page.value("Text1_0"),
                         result(TEXTS["kResultHeading"], TEXTS["kJackpot"]))
        self.assertEqual(page.value("Text2_1"), "1")
        self.assertEqual(page.browser.errors(), [])

    def test_the_peek_shows_the_table_for_three_ticks_of_a_real_timer(self):
        page = self.open()
        # The page's own clock, read when the list shows and when it hides.
        page.script("""
            const list = document.getElementById("List1");
            window.peekTimes = [];
            new MutationObserver(() => peekTimes.push([performance.now(), list.hidden]))
                .observe(list, { attributeFilter: ["hidden"] });""")
        page.click("Label1_0")
        self.assertFalse(page.displayed("List1"))
        codes = page.peek()
        self.assertEqual(sorted(codes), ["1"] * 7 + ["2"])
        page.wait_for(lambda: not page.displayed("List1"))
        self.assertEqual([hidden for _, hidden in page.script("return peekTimes")], [False, True])
        (shown, _), (hidden, _) = page.script("return peekTimes")
        # Timers may run late on a busy machine, but never early.
        self.assertGreaterEqual(hidden - shown, 3 * 1000 - 20)

    def test_a_whole_game_by_keyboard_in_the_desktop_tab_order(self):
        page = self.open()
        # Each option button is one radio button over its whole strip, the
        # one element a click and Tab reach.
        strips = page.option_inputs()
        self.assertEqual(len(strips), 10)
        for control, inputs, covers in strips:
            self.assertEqual((control, inputs, covers), (control, ["radio"], True))
        self.assertEqual(page.focused(), "Text1_0")
        order = []
        for _ in range(5):
            page.keys(Keys.TAB)
            order.append(page.focused())
            if order[-1].startswith("Option"):
                self.assertTrue(page.focus_on_a_strip_button(), order[-1])
        # Locked doors and "Предложение" are passed over, as on the desktop.
        self.assertEqual(order, ["Option2_0", "Option2_1", "Command1_1", "Text2_0", "Text2_1"])

        page.back_tab(3)
        for offer in range(5):
            self.assertEqual(page.focused(), "Option2_1")
            page.keys(Keys.SPACE, Keys.TAB)
            self.assertEqual(page.focused(), "Command1_0")
            page.keys(Keys.SPACE)
            # The press locks the button; the focus moves on to the next.
            self.assertEqual(page.focused(), "Command1_1")
            page.back_tab()
        # The sponsor has locked "Водещият предлага": back past the chooser
        # through every door still closed, each its own stop, as on the
        # desktop, to the result box; then forward to the first of them.
        self.assertEqual(page.focused(), "Option2_0")
        doors = [f"Option1_{door}" for door in page.enabled_doors()]
        order = []
        for _ in range(len(doors) + 1):
            page.back_tab()
            order.append(page.focused())
            if order[-1].startswith("Option"):
                self.assertTrue(page.focus_on_a_strip_button(), order[-1])
        self.assertEqual(order, doors[::-1] + ["Text1_0"])
        page.keys(Keys.TAB)
        picked = page.focused()
        self.assertEqual(picked, doors[0])
        # Arrows select nothing and move nowhere, as on the desktop.
        page.keys(Keys.ARROW_DOWN, Keys.ARROW_UP)
        self.assertEqual(page.focused(), picked)
        self.assertEqual([door for door in doors if page.selected(door)], [])
        page.keys(Keys.SPACE)
        self.assertTrue(page.value("Text1_0").startswith(result(TEXTS["kResultHeading"], "")))
        self.assertEqual(page.focused(), "Command1_1")
        page.keys(Keys.SPACE)
        self.assertEqual(page.value("Text2_0"), "2")

    def test_opens_from_disk_reading_and_storing_nothing(self):
        page = self.open()
        self.assertEqual(page.browser.title(), TEXTS["kTitle"])
        self.assertEqual(page.script("return document.querySelector('meta[name=description]')"
                                     ".content"), TEXTS["kPageDescription"])
        icon = page.script("return document.querySelector('link[rel=icon]').href")
        self.assertTrue(icon.startswith("data:image/svg+xml;base64,"))
        self.assertTrue(page.script(
            "return [...document.fonts].some((face) => face.status === 'loaded')"))
        page.click("Option2_1")
        page.click("Command1_0")
        self.assertEqual(page.script("""return [performance.getEntriesByType("resource").length,
            localStorage.length, sessionStorage.length, document.cookie]"""), [0, 0, 0, ""])
        self.assertEqual(page.browser.errors(), [])

        # The browser itself refuses what the page never does: an image and
        # a fetch from a server on this machine, which is never asked.
        server = CountingServer(("127.0.0.1", 0), QuietHandler)
        threading.Thread(target=server.serve_forever, daemon=True).start()
        self.addCleanup(server.server_close)
        self.addCleanup(server.shutdown)
        page.script("""
            const url = arguments[0];
            const tried = window.tried = {};
            const image = new Image();
            image.onload = image.onerror = (event) => { tried.image = event.type; };
            image.src = url + "image.png";
            fetch(url + "data").then(() => { tried.fetch = "answered"; },
                                     () => { tried.fetch = "failed"; });""",
                    f"http://127.0.0.1:{server.server_port}/")
        page.refusals = ["connect-src", "img-src"]
        page.wait_for(lambda: page.script("return tried.image && tried.fetch && tried"))
        self.assertEqual(page.script("return tried"), {"image": "error", "fetch": "failed"})
        self.assertEqual(server.asked, 0)
        page.wait_for(lambda: len(page.browser.refused()) >= len(page.refusals))
        self.assertEqual(page.browser.refused(), page.refusals)

    def test_the_window_is_drawn_in_its_own_colours(self):
        colours = read_back_colours(ARGS.layout, ARGS.layout_header)
        for scale, flags in ((1, ()), (1, ("--force-dark-mode", "--enable-features=WebContentsForceDark")),
                             (2, ())):
            with self.subTest(scale=scale, dark=bool(flags)):
                page = self.open(None, f"--force-device-scale-factor={scale}", *flags)
                self.check_colours(page, scale, colours)
                self.check_nothing_overflows(page)
        with self.subTest(forced_colours=True):
            page = self.open()
            page.browser.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {
                "features": [{"name": "forced-colors", "value": "active"}]})
            self.check_locked_in_forced_colours(page)
        with self.subTest(javascript=False):
            # The page's scripts do not run, while the driver's still do.
            page = self.open(None, "--blink-settings=scriptEnabled=false", ready=())
            self.check_without_javascript(page)

    def check_without_javascript(self, page):
        """The window is drawn dead; over the result box a sentence says
        why, in the box's place, readable and selectable above the cover."""
        self.assertNotIn("drawn", page.script("return document.documentElement.dataset"))
        sentence, over_the_box, on_top = page.script("""
            const sentence = document.querySelector("#window .no-script");
            const own = sentence.getBoundingClientRect();
            const box = document.getElementById("Text1_0").getBoundingClientRect();
            return [sentence.textContent,
                    ["left", "top", "width", "height"].every((side) => own[side] === box[side]),
                    document.elementFromPoint(own.left + 20, own.top + 10) === sentence];""")
        self.assertEqual(sentence, TEXTS["kJavaScriptOff"])
        self.assertTrue(over_the_box)
        self.assertTrue(on_top)

    def check_locked_in_forced_colours(self, page):
        """A high-contrast theme draws every text in its own colours: a
        locked door or chooser button must take its disabled colour, as the
        locked "Предложение" does, never the colour of an open one."""
        def colour(control):
            return page.script("""const control = document.getElementById(arguments[0]);
                return getComputedStyle(control.querySelector("span") ?? control).color;""",
                               control)

        grey = colour("Command1_0")
        self.assertFalse(page.enabled("Command1_0"))
        self.assertEqual(colour("Option1_0"), grey)  # its frame is locked
        self.assertNotEqual(colour("Option2_1"), grey)
        for _ in range(5):
            page.click("Option2_1")
            page.click("Command1_0")
        opened = [door for door in range(8) if door not in page.enabled_doors()]
        self.assertEqual(len(opened), 5)
        self.assertEqual(colour(f"Option1_{opened[0]}"), grey)  # its own flag
        self.assertEqual(colour("Option2_1"), grey)
        self.assertNotEqual(colour(f"Option1_{page.enabled_doors()[0]}"), grey)
        self.assertNotEqual(colour("Option2_0"), grey)

    def check_colours(self, page, scale, colours):
        shot = Image.open(io.BytesIO(page.browser.screenshot())).convert("RGB")
        boxes = page.script("""
            const boxes = {};
            for (const element of document.querySelectorAll("#window, #window .control")) {
              const box = element.getBoundingClientRect();
              if (box.width) boxes[element.id] = [box.left, box.top, box.right, box.bottom];
            }
            return boxes;""")

        def pixel(x, y):
            return shot.getpixel((round(x * scale), round(y * scale)))

        def near(actual, expected):
            wanted = ((expected >> 16) & 255, (expected >> 8) & 255, expected & 255)
            return all(abs(a - b) <= 2 for a, b in zip(actual, wanted))

        left, top = boxes["window"][:2]
        self.assertTrue(near(pixel(left + 4, top + 4), colours["window"]))
        for control, (_, _, right, bottom) in boxes.items():
            if control in colours and control != "window":
                # The bottom right corner is background: captions start
                # at the top or the left.
                self.assertTrue(near(pixel(right - 5, bottom - 5), colours[control]),
                                f"{control}: {pixel(right - 5, bottom - 5)}")
        # The banner's caption is near black, the result box stays light.
        banner = boxes["Label1_0"]
        darkest = min(sum(pixel(x, y)) for x in range(int(banner[0]), int(banner[2]))
                      for y in range(int(banner[1]), int(banner[3])))
        self.assertLess(darkest, 3 * 80)
        for counter in ("Text2_0", "Text2_1"):
            _, _, right, bottom = boxes[counter]
            self.assertGreater(sum(pixel(right - 5, bottom - 5)), 3 * 220, counter)

    def check_nothing_overflows(self, page):
        overflowing = page.script("""
            const captions = "#window .label, #window button, #window .option-button, legend";
            return [...document.querySelectorAll(captions)]
                .filter((element) => element.offsetParent !== null &&
                    (element.scrollWidth > element.clientWidth ||
                     element.scrollHeight > element.clientHeight))
                .map((element) => element.id || element.parentElement.id);""")
        self.assertEqual(overflowing, [])


def main():
    global ARGS, TEXTS
    parser = argparse.ArgumentParser()
    parser.add_argument("--page", required=True)
    parser.add_argument("--engine", choices=ENGINES, default="chromium")
    parser.add_argument("--texts", required=True)
    parser.add_argument("--layout", required=True)
    parser.add_argument("--layout-header", required=True)
    ARGS, rest = parser.parse_known_args()
    ARGS.page = os.path.abspath(ARGS.page)
    TEXTS = read_texts(ARGS.texts)
    unittest.main(argv=[sys.argv[0], *rest])


if __name__ == "__main__":
    main()
