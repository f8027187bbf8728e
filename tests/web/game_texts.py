"""Reads the game's own texts and layout from the C++ sources, so that the
browser tests compare against the very constants the game is built from."""

import re
import sys
from pathlib import Path

# The page's build reads the texts with the same reader.
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "web"))
from texts_header import read_texts  # noqa: E402,F401  (the tests import it from here)
# A test that changes a script or a style of the page gives it the policy
# the build would have given it.
from assemble import inline_elements, source_hash, with_policy  # noqa: E402,F401


def read_back_colours(layout_source, layout_header):
    """The back colour of each drawn control with one of its own, by the
    control's name as the record gives it ("Label1_0"), and the window's."""
    header = Path(layout_header).read_text(encoding="utf-8")
    window = int(re.search(r"kWindowBack = (0x[0-9A-Fa-f]+)", header).group(1), 16)
    colours = {"window": window}
    source = Path(layout_source).read_text(encoding="utf-8")
    for name, back in re.findall(r"\{(\w+), -?\d+, -?\d+, \d+, \d+, (0x[0-9A-Fa-f]+|kWindowBack)",
                                 source):
        colours[name] = window if back == "kWindowBack" else int(back, 16)
    return colours


def read_sizes(layout_source):
    """The width and height in pixels of each control of the layout table,
    by the record's name ("Option2_0"), 15 twips to the pixel."""
    source = Path(layout_source).read_text(encoding="utf-8")
    return {name: (int(width) // 15, int(height) // 15)
            for name, width, height in re.findall(r"\{(\w+), -?\d+, -?\d+, (\d+), (\d+),", source)}
