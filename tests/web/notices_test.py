#!/usr/bin/python3
"""The page names what it is made of and carries the licences that ask to
travel with it: the game's own in full, the compiled-in runtime by name,
and the font's copyright lines and SIL Open Font License 1.1 as written,
with nothing of the font package's other licences."""

import argparse
import re
import sys

parser = argparse.ArgumentParser()
parser.add_argument("--page", required=True)
parser.add_argument("--licence", required=True, help="the game's LICENSE")
args = parser.parse_args()

comments = re.findall(r"<!--(.*?)-->", open(args.page, encoding="utf-8").read(), re.DOTALL)
note = max(comments, key=len, default="")
wanted = {
    "the game's licence": open(args.licence, encoding="utf-8").read().strip(),
    "emscripten's runtime": "emscripten's runtime",
    "musl": "musl, the C library",
    "libc++": "libc++, libc++abi and compiler-rt",
    "the font's copyright": "Copyright (c) 2012 Red Hat, Inc. with Reserved Font Name Liberation.",
    "the OFL's title": "SIL OPEN FONT LICENSE Version 1.1",
    "the OFL's dashes": "substituting -- in part or in whole --",
    "the OFL's end": "DEALINGS IN THE FONT SOFTWARE.",
}
missing = [what for what, text in wanted.items() if text not in note]
# The font package's copyright file also licenses its packaging under the
# GPL, which has nothing to do with the page.
foreign = [word for word in ("GPL", "Files:", "debian/") if word in note]
if missing or foreign:
    print(f"the page's notices lack {missing} and hold {foreign}:\n{note}", file=sys.stderr)
    sys.exit(1)
print(f"the page's notices hold all {len(wanted)} parts, {len(note)} characters")
