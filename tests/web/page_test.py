#!/usr/bin/python3
"""The web page in headless Chromium, played as a player plays it: real
clicks and keys on the one file, opened from disk or from a local server."""

import argparse
import functools
import http.server
import io
import os
import sys
import threading
import unittest

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

from game_texts import read_back_colours, read_texts

ARGS = None
TEXTS = None
# Generous, since a loaded machine is slow; every wait ends as soon as what
# it waits for is there.
WAIT_SECONDS = 30


def start_chromium(*flags):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless=new", "--disable-gpu", "--no-first-run", "--disable-sync",
                 "--disable-background-networking", "--disable-component-update",
                 "--window-size=700,560", *flags):
        options.add_argument(flag)
    if os.geteuid() == 0:
        options.add_argument("--no-sandbox")
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


class Page:
    """One browser on the page, with the few moves a player makes."""

    def __init__(self, url, *flags):
        self.driver = start_chromium(*flags)
        self.driver.get(url)
        self.wait_for(lambda: self.script("return 'drawn' in document.documentElement.dataset"))

    def close(self):
        self.driver.quit()

    def script(self, code, *args):
        return self.driver.execute_script(code, *args)

    def wait_for(self, condition):
        return WebDriverWait(self.driver, WAIT_SECONDS).until(lambda _: condition())

    def element(self, control):
        return self.driver.find_element(By.ID, control)

    def mark(self, control):
        return self.element(control).find_element(By.TAG_NAME, "input")

    def click(self, control):
        ActionChains(self.driver).move_to_element(self.element(control)).click().perform()

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def back_tab(self, times=1):
        for _ in range(times):
            ActionChains(self.driver).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(
                Keys.SHIFT).perform()

    def focused(self):
        return self.script("return document.activeElement.closest('.control')?.id")

    def value(self, control):
        return self.element(control).get_property("value")

    def enabled_doors(self):
        return [door for door in range(8) if self.mark(f"Option1_{door}").is_enabled()]

    def peek(self):
        """The door codes, read through the corner spot as a player can."""
        self.click("Label1_2")
        self.wait_for(lambda: self.element("List1").is_displayed())
        return [option.get_property("text")
                for option in self.element("List1").find_elements(By.TAG_NAME, "option")]

    def errors(self):
        return [entry for entry in self.driver.get_log("browser") if entry["level"] == "SEVERE"]


def result(*lines):
    """What the result box shows: the record's text, CR LF read as LF."""
    return "\n".join(lines).replace("\r\n", "\n")


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class PageTest(unittest.TestCase):
    def open(self, url=None, *flags):
        page = Page(url or f"file://{ARGS.page}", *flags)
        self.addCleanup(page.close)
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
        self.assertEqual((page.value("Text2_0"), page.value("Text2_1")), ("1", "0"))
        page.click("Option1_0")  # the doors frame is still locked
        self.assertFalse(page.mark("Option1_0").is_selected())
        self.assertEqual(page.value("Text1_0"), result(TEXTS["kIntroduction"]))

        for offer in range(5):
            page.click("Option2_1")
            self.assertTrue(page.mark("Option2_1").is_selected())
            page.click("Command1_0")
            if offer < 4:
                self.assertFalse(page.mark("Option2_1").is_selected())
                self.assertFalse(page.element("Command1_0").is_enabled())
                self.assertFalse(page.element("Label1_1").is_displayed())
        self.assertTrue(page.element("Label1_1").is_displayed())
        self.assertTrue(page.mark("Option2_0").is_selected())
        self.assertFalse(page.mark("Option2_1").is_enabled())
        self.assertEqual(len(page.enabled_doors()), 3)

        codes = page.peek()
        losing = next(door for door in page.enabled_doors() if codes[door] == "1")
        page.script("document.getElementById('Text1_0').scrollTop = 1e6")
        page.click(f"Option1_{losing}")
        # The result is a new text, shown from its first line.
        self.assertEqual(page.script("return document.getElementById('Text1_0').scrollTop"), 0)
        self.assertEqual(page.value("Text1_0"),
                         result(TEXTS["kResultHeading"], TEXTS["kCabbage"], TEXTS["kLesson"]))
        self.assertEqual(page.value("Text2_1"), "0")

        page.click("Command1_1")
        self.assertEqual((page.value("Text1_0"), page.value("Text2_0")), ("", "2"))
        self.assertFalse(page.element("Label1_1").is_displayed())
        jackpot = page.peek().index("2")
        page.click("Option2_0")
        page.click(f"Option1_{jackpot}")
        self.assertEqual(page.value("Text1_0"),
                         result(TEXTS["kResultHeading"], TEXTS["kJackpot"]))
        self.assertEqual(page.value("Text2_1"), "1")
        self.assertEqual(page.errors(), [])

    def test_the_peek_shows_the_table_for_three_ticks_of_a_real_timer(self):
        page = self.open()
        # The page's own clock, read when the list shows and when it hides.
        page.script("""
            const list = document.getElementById("List1");
            window.peekTimes = [];
            new MutationObserver(() => peekTimes.push([performance.now(), list.hidden]))
                .observe(list, { attributeFilter: ["hidden"] });""")
        page.click("Label1_0")
        self.assertFalse(page.element("List1").is_displayed())
        codes = page.peek()
        self.assertEqual(sorted(codes), ["1"] * 7 + ["2"])
        page.wait_for(lambda: not page.element("List1").is_displayed())
        self.assertEqual([hidden for _, hidden in page.script("return peekTimes")], [False, True])
        (shown, _), (hidden, _) = page.script("return peekTimes")
        # Timers may run late on a busy machine, but never early.
        self.assertGreaterEqual(hidden - shown, 3 * 1000 - 20)

    def test_a_whole_game_by_keyboard_in_the_desktop_tab_order(self):
        page = self.open()
        self.assertEqual(page.focused(), "Text1_0")
        order = []
        for _ in range(5):
            page.keys(Keys.TAB)
            order.append(page.focused())
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
        # to the last door still closed, and pick it.
        self.assertEqual(page.focused(), "Option2_0")
        page.back_tab()
        picked = page.focused()
        self.assertEqual(picked, f"Option1_{page.enabled_doors()[-1]}")
        page.keys(Keys.ARROW_UP)
        self.assertEqual(page.focused(), picked)
        self.assertFalse(page.mark(picked).is_selected())
        page.keys(Keys.SPACE)
        self.assertTrue(page.value("Text1_0").startswith(result(TEXTS["kResultHeading"], "")))
        self.assertEqual(page.focused(), "Command1_1")
        page.keys(Keys.SPACE)
        self.assertEqual(page.value("Text2_0"), "2")

    def test_opens_from_disk_reading_and_storing_nothing(self):
        page = self.open()
        self.assertEqual(page.driver.title, TEXTS["kTitle"])
        icon = page.script("return document.querySelector('link[rel=icon]').href")
        self.assertTrue(icon.startswith("data:image/svg+xml;base64,"))
        self.assertTrue(page.script(
            "return [...document.fonts].some((face) => face.status === 'loaded')"))
        page.click("Option2_1")
        page.click("Command1_0")
        self.assertEqual(page.script("""return [performance.getEntriesByType("resource").length,
            localStorage.length, sessionStorage.length, document.cookie]"""), [0, 0, 0, ""])
        self.assertEqual(page.errors(), [])

    def test_the_window_is_drawn_in_its_own_colours(self):
        colours = read_back_colours(ARGS.layout, ARGS.layout_header)
        for scale, flags in ((1, ()), (1, ("--force-dark-mode", "--enable-features=WebContentsForceDark")),
                             (2, ())):
            with self.subTest(scale=scale, dark=bool(flags)):
                page = self.open(None, f"--force-device-scale-factor={scale}", *flags)
                self.check_colours(page, scale, colours)
                self.check_nothing_overflows(page)

    def check_colours(self, page, scale, colours):
        shot = Image.open(io.BytesIO(page.driver.get_screenshot_as_png())).convert("RGB")
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
    parser.add_argument("--texts", required=True)
    parser.add_argument("--layout", required=True)
    parser.add_argument("--layout-header", required=True)
    ARGS, rest = parser.parse_known_args()
    ARGS.page = os.path.abspath(ARGS.page)
    TEXTS = read_texts(ARGS.texts)
    unittest.main(argv=[sys.argv[0], *rest])


if __name__ == "__main__":
    main()
