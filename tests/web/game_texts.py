"""Reads the game's own texts and layout from the C++ sources, so that the
browser tests compare against the very constants the game is built from."""

import re
from pathlib import Path


def read_texts(header):
    """Every `k...` string constant of texts.h, its literals joined."""
    source = Path(header).read_text(encoding="utf-8")
    texts = {}
    for name, body in re.findall(r"std::string_view (k\w+) =((?:\s*\"(?:[^\"\\]|\\.)*\")+);",
                                 source):
        literals = re.findall(r'"((?:[^"\\]|\\.)*)"', body)
        texts[name] = "".join(literals).replace("\\r", "\r").replace("\\n", "\n")
    return texts


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
