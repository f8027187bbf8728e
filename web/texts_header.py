"""Reads the game's texts from controls/texts.h, the one header that holds
them, for the page's build and for the browser tests alike."""

import re
from pathlib import Path

# A constant and its literals, which C++ joins into one: kName = "..." "...";
CONSTANT = re.compile(r"std::string_view (k\w+) =((?:\s*\"(?:[^\"\\]|\\.)*\")+);")
LITERAL = re.compile(r'"((?:[^"\\]|\\.)*)"')


def read_texts(header):
    """Every `k...` string constant of the header by its name, its literals
    joined and its \\r and \\n escapes turned into the characters."""
    source = Path(header).read_text(encoding="utf-8")
    texts = {}
    for name, body in CONSTANT.findall(source):
        text = "".join(LITERAL.findall(body))
        texts[name] = text.replace("\\r", "\r").replace("\\n", "\n")
    return texts
