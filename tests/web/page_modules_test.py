#!/usr/bin/python3
"""The page's build joins its ES modules into the one module the page
holds: each keeps its own scope, takes what it imports under the name it
asks for, the compiled game's default export included, and the build
stops on an import that nothing before it exports. Two of those modules
under Node.js on their own: the start, which falls back from one build of
the game to the next however a build fails, and the inflater that unpacks
the JavaScript build where the browser cannot."""

import json
import os
import random
import subprocess
import sys
import tempfile
import unittest
import zlib
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "web"))
from page_modules import bundle  # noqa: E402

WEB = Path(__file__).resolve().parents[2] / "web"


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


# Ways of making a game, as emscripten's factories behave: one that goes
# live, and every way one can fail. Each records that it was tried.
WAYS = """
import { startFirst } from "%s";
console.warn = () => {};
const live = (name) => (options) => {
  options.onRuntimeInitialized.call({ name });
  return { ready: Promise.resolve() };
};
const failing = {
  missing: () => { throw new Error("no WebAssembly"); },
  throws: () => () => { throw new Error("refused"); },
  rejects: () => () => Promise.reject(new Error("refused")),
  readyRejects: () => () => ({ ready: Promise.reject(new Error("refused")) }),
  abortsAndThrows: () => (options) => { options.onAbort("aborted"); throw new Error("aborted"); },
};
const ways = {
  ...failing,
  live: () => live("live"),
  later: async () => { await new Promise((then) => setTimeout(then)); return live("later"); },
  abortsOnceLive: () => (options) => {
    options.onRuntimeInitialized.call({ name: "abortsOnceLive" });
    setTimeout(() => options.onAbort("aborted"));
  },
};
const results = [];
for (const names of JSON.parse(process.argv[1])) {
  const seen = [];
  await startFirst(names.map((name) => () => {
    seen.push(`tried ${name}`);
    return ways[name]();
  }), (module) => seen.push(`started ${module.name}`), () => seen.push("cannot run"));
  await new Promise((then) => setTimeout(then, 10));
  results.push(seen);
}
console.log(JSON.stringify(results));
"""
FAILURES = ("missing", "throws", "rejects", "readyRejects", "abortsAndThrows")


class StartTest(unittest.TestCase):
    def started(self, *cases):
        code = WAYS % (WEB / "start.mjs").as_uri()
        out = subprocess.run(["node", "--input-type=module", "-e", code, json.dumps(cases)],
                             check=True, capture_output=True, text=True).stdout
        return json.loads(out)

    def test_the_first_way_that_goes_live_is_the_only_one_tried(self):
        self.assertEqual(self.started(["live", "later"], ["abortsOnceLive", "live"]),
                         [["tried live", "started live"],
                          ["tried abortsOnceLive", "started abortsOnceLive"]])

    def test_every_failure_tries_the_next_way_once_and_the_last_says_so(self):
        cases = [[failure, "later"] for failure in FAILURES] + [list(FAILURES)]
        results = self.started(*cases)
        for failure, seen in zip(FAILURES, results):
            self.assertEqual(seen, [f"tried {failure}", "tried later", "started later"], failure)
        self.assertEqual(results[-1], [f"tried {failure}" for failure in FAILURES] + ["cannot run"])


class InflateTest(unittest.TestCase):
    """Against Python's zlib, in each kind of block deflate has."""

    def inflated(self, *packed):
        """What the inflater made of each packed input: its bytes, or the
        error it threw."""
        with tempfile.TemporaryDirectory() as folder:
            paths = []
            for index, data in enumerate(packed):
                paths.append(os.path.join(folder, str(index)))
                Path(paths[-1]).write_bytes(data)
            code = f"""
                import {{ readFileSync, writeFileSync }} from "node:fs";
                import {{ inflate }} from "{(WEB / "inflate.mjs").as_uri()}";
                for (const path of process.argv.slice(1)) {{
                  try {{
                    writeFileSync(path + ".out", inflate(new Uint8Array(readFileSync(path))));
                  }} catch (fault) {{
                    writeFileSync(path + ".error", String(fault));
                  }}
                }}"""
            subprocess.run(["node", "--input-type=module", "-e", code, *paths], check=True)
            return [Path(path + ".out").read_bytes() if os.path.exists(path + ".out")
                    else Path(path + ".error").read_text() for path in paths]

    def test_unpacks_what_zlib_packs(self):
        noise = random.Random(1).randbytes(70000)
        text = (WEB / "inflate.mjs").read_bytes() * 8
        fixed = zlib.compressobj(9, zlib.DEFLATED, 15, 9, zlib.Z_FIXED)
        cases = {
            "nothing": zlib.compress(b"", 9),
            "stored blocks": zlib.compress(noise, 0),
            "fixed codes, overlapping matches": fixed.compress(b"ab" + b"a" * 3000 + text[:5000])
                                                + fixed.flush(),
            "dynamic codes, the farthest matches": zlib.compress(
                noise[:32768] + noise[:32768] + text, 9),
        }
        unpacked = [b"", noise, b"ab" + b"a" * 3000 + text[:5000],
                    noise[:32768] + noise[:32768] + text]
        for (name, packed), expected, got in zip(cases.items(), unpacked,
                                                 self.inflated(*cases.values())):
            self.assertEqual(got, expected, name)

    def test_damaged_data_throws_rather_than_unpacking_wrong(self):
        packed = zlib.compress((WEB / "inflate.mjs").read_bytes(), 9)
        flipped = bytearray(packed)
        flipped[len(packed) // 2] ^= 0x10
        cases = {"a flipped bit": bytes(flipped), "cut short": packed[:-7],
                 "no checksum": packed[:-4], "not zlib": b"\x1f\x8b" + packed[2:]}
        for name, got in zip(cases, self.inflated(*cases.values())):
            self.assertTrue(isinstance(got, str) and got.startswith("Error: "), name)


if __name__ == "__main__":
    unittest.main()
