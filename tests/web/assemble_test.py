#!/usr/bin/python3
"""What the page's build refuses, and the policy it writes. A template with
a placeholder that has no value, or a value with nowhere to go, stops the
build. The policy computed for a page lets the browser engine named by
--engine run exactly that page's own scripts and styles, however their
line breaks are written, and the scripts the page inserts whose text the
build was given; it refuses any other."""

import argparse
import os
import re
import sys
import tempfile
import unittest
from pathlib import Path

from browsers import ENGINES, open_page, wait_for

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "web"))
from assemble import early_script, fill, inline_script, with_policy  # noqa: E402

ARGS = None

# Scripts and styles in every form the page's build must read as the
# browser does: line breaks written as CR LF and as a lone CR, markup that
# only looks like a script inside a comment and inside a script of data,
# and a script the page inserts, from text the build knew, beside one whose
# text it did not.
PAGE = ("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta http-equiv=\"Content-Security-Policy\" content=\"\">\n<title>policy</title>\n"
        "<style>\r\nbody { margin: 3px; }\r\n</style>\n"
        "<!-- <script>ran.push(\"comment\");</script> <style>body { margin: 9px; }</style> -->\n"
        "<script type=\"text/plain\" id=\"held\">ran.push(\"inserted\");</script>\n"
        "<script type=\"application/json\">{\"a\": \"<style>\"}</script>\n"
        "</head>\n<body>\n"
        "<script>\rwindow.ran = [\"classic\"];\r\n"
        "addEventListener(\"securitypolicyviolation\", (event) => {\r"
        "  document.documentElement.dataset.refused = event.effectiveDirective;\r"
        "});\n</script>\n"
        "<script type=\"module\">ran.push(\"module\");\n"
        "document.body.dataset.done = \"\";</script>\n"
        "<script>\n"
        "for (const text of [document.getElementById(\"held\").textContent,\n"
        "                    'ran.push(\"unknown\");']) {\n"
        "  const script = document.createElement(\"script\");\n"
        "  script.textContent = text;\n"
        "  document.body.append(script);\n"
        "}\n"
        "</script>\n"
        "</body>\n</html>\n")
INSERTED = 'ran.push("inserted");'


class BuildTest(unittest.TestCase):
    def test_every_placeholder_has_a_value_and_every_value_a_place(self):
        template = "<title>@TITLE@</title>@STYLE@"
        self.assertEqual(fill(template, {"@TITLE@": "@STYLE@", "@STYLE@": "s"}, "page"),
                         "<title>@STYLE@</title>s")
        with self.assertRaisesRegex(SystemExit, r"^page: no value for @STYLE@$"):
            fill(template, {"@TITLE@": "t"}, "page")
        with self.assertRaisesRegex(SystemExit,
                                    r"^page: no value for @TITLE@; nowhere to put @ICON@$"):
            fill(template, {"@STYLE@": "s", "@ICON@": "i"}, "page")

    def test_the_early_script_takes_its_values_as_javascript(self):
        with tempfile.NamedTemporaryFile("w", suffix=".js", encoding="utf-8") as early:
            early.write("f(@WINDOW_FONT@, @NOTICE_BOX@, @CANNOT_RUN@);\n")
            early.flush()
            script = early_script(early.name, {"font": '16px "Serif"', "noticeBox": "Text1_0"},
                                  {"kBrowserCannotRun": "не\r\nможе"})
            self.assertEqual(script, 'f("16px \\"Serif\\"", "Text1_0", "не\\r\\nможе");\n')
            early.write("@MISSPELT@\n")
            early.flush()
            with self.assertRaisesRegex(SystemExit, "no value for @MISSPELT@"):
                early_script(early.name, {"font": "", "noticeBox": ""}, {"kBrowserCannotRun": ""})

    def test_a_script_the_browser_could_read_past_is_not_inlined(self):
        for text in ("a </script> b", "a </SCRIPT b", "a <!-- b"):
            with self.assertRaises(SystemExit):
                inline_script(text, "script")

    def test_a_page_without_its_policy_right_after_its_character_set_is_refused(self):
        with self.assertRaisesRegex(SystemExit, "no policy"):
            with_policy(PAGE.replace("<meta charset=\"utf-8\">\n", ""))


class PolicyTest(unittest.TestCase):
    def test_the_browser_runs_what_the_page_holds_and_refuses_the_rest(self):
        page = with_policy(PAGE, [INSERTED])
        policy = re.search(r'Content-Security-Policy" content="([^"]*)"', page).group(1)
        # Four scripts and a style; the scripts of data and the comment
        # need no hash.
        self.assertEqual(policy.count("'sha256-"), 4 + 1)
        self.assertNotIn("unsafe-", policy.replace("'wasm-unsafe-eval'", ""))
        script_src = next(part for part in policy.split("; ") if part.startswith("script-src "))
        self.assertNotRegex(script_src, "blob:|data:")
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "policy.html")
            Path(path).write_text(page, encoding="utf-8")
            browser = open_page(ARGS.engine, "file://" + path, ready=())
            try:
                wait_for(browser, lambda: browser.script("return 'done' in document.body.dataset"))
                self.assertEqual(browser.script(
                    "return [ran, getComputedStyle(document.body).marginTop]"),
                    [["classic", "inserted", "module"], "3px"])
                wait_for(browser, browser.refused)
                self.assertEqual(browser.refused(), ["script-src-elem"])
            finally:
                browser.close()



def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--engine", choices=ENGINES, default="chromium")
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], *rest])


if __name__ == "__main__":
    main()
