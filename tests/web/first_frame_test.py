#!/usr/bin/python3
"""The window the page is written with, against the game that takes it
over: the game's own draw on load changes nothing in it but the hidden
door table it deals, and a click on the window before the game answers
reaches the game once it does, as if it had come after, in the browser
engine named by --engine."""

import argparse
import os
import sys
import tempfile
import unittest

from browsers import ENGINES, open_page, wait_for
from game_texts import read_texts

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
# Held back instead until the test lets it go.
HELD_START = 'afterDrawn(() => addEventListener("test:start", startGame, { once: true }));'


class FirstFrameTest(unittest.TestCase):
    def setUp(self):
        with open(ARGS.page, encoding="utf-8") as page:
            self.source = page.read()
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)

    def write(self, name, text):
        path = os.path.join(self.folder.name, name)
        with open(path, "w", encoding="utf-8") as out:
            out.write(text)
        return "file://" + path

    def open(self, url, **ready):
        page = open_page(ARGS.engine, url, **ready)
        self.addCleanup(page.close)
        return page

    def without_game(self):
        """The page as written, with the game's start held back until
        start_game is called."""
        self.assertEqual(self.source.count(START), 1)
        return self.write("unstarted.html", self.source.replace(START, HELD_START))

    @staticmethod
    def start_game(page):
        page.script('dispatchEvent(new Event("test:start"))')

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

    def test_clicks_before_the_game_answers_reach_it_once_it_does(self):
        url = self.without_game()
        early = self.open(url, ready=("drawn",))
        before = early.script(SNAPSHOT, DOOR_TABLE)
        self.play(early)
        # Held: neither the game nor the browser has answered yet.
        self.assertEqual(early.script(SNAPSHOT, DOOR_TABLE), before)
        self.start_game(early)
        wait_for(early, lambda: early.script("return 'live' in document.documentElement.dataset"))

        later = self.open("file://" + os.path.abspath(ARGS.page))
        self.play(later)
        answered = later.script(SNAPSHOT, DOOR_TABLE)
        self.assertNotEqual(answered["state"], before["state"])
        held = early.script(SNAPSHOT, DOOR_TABLE)
        self.assertEqual(held["markup"], answered["markup"])
        self.assertEqual(self.scored(early, held), self.scored(later, answered))
        self.assertEqual(early.errors(), [])


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
