#!/usr/bin/python3
"""The page's build joins its ES modules into the one module the page
holds: each keeps its own scope, takes what it imports under the name it
asks for, the compiled game's default export included, and the build
stops on an import that nothing before it exports."""

import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "web"))
from page_modules import bundle  # noqa: E402


class PageModulesTest(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.folder = Path(folder.name)

    def write(self, name, text):
        path = self.folder / name
        path.write_text(text, encoding="utf-8")
        return path

    def run_module(self, text):
        return subprocess.run(["node", "--input-type=module", "-e", text], check=True,
                              capture_output=True, text=True).stdout

    def test_modules_take_what_they_import_and_keep_the_rest_their_own(self):
        game = self.write("game.mjs", "var Game = (() => (n) => n + 1)();\n"
                                      "const hidden = 'game';\nexport default Game;\n")
        draw = self.write("draw.js", "const hidden = 'draw';\n"
                                     "export function drawn() { return hidden; }\n"
                                     "export const kKinds = 3;\n")
        main = self.write("main.js", 'import { drawn, kKinds as kinds } from "./draw.js";\n'
                                     'import { default as make } from "./game.mjs";\n'
                                     "const hidden = 'main';\n"
                                     "console.log(make(kinds), drawn(), hidden);\n")
        self.assertEqual(self.run_module(bundle([game, draw, main])), "4 draw main\n")

    def test_an_import_nothing_before_exports_stops_the_build(self):
        draw = self.write("draw.js", "export function drawn() {}\n")
        main = self.write("main.js", 'import { drawn, redrawn } from "./draw.js";\n')
        with self.assertRaisesRegex(SystemExit, r"main\.js imports redrawn from draw"):
            bundle([draw, main])
        with self.assertRaisesRegex(SystemExit, r"draw\.js imports drawn from main"):
            bundle([self.write("draw.js", 'import { drawn } from "./main.js";\n'),
                    self.write("main.js", "export function drawn() {}\n")])

    def test_an_export_in_a_form_it_cannot_join_stops_the_build(self):
        odd = self.write("odd.js", "function drawn() {}\nexport { drawn };\n")
        with self.assertRaisesRegex(SystemExit, "cannot join"):
            bundle([odd])


if __name__ == "__main__":
    unittest.main()
