#!/usr/bin/python3
"""Puts the whole web page into one file: the compiled game, the page's
styles and script, the icon, and the window's font cut down to the glyphs
the game shows, with the font's licence. Opened from disk or served from
anywhere, the file needs nothing else."""

import argparse
import base64
import html
import io
import re

from fontTools import subset
from fontTools.ttLib import TTFont

# The subset is a modified font, which the font's licence forbids to carry
# its reserved names (Liberation, Tinos); it goes by this one instead.
SUBSET_FAMILY = "Zimarela Serif"


def game_texts(texts_header):
    """Every character of every text the game shows, from the one header
    that holds them, with the digits the counters and door numbers use."""
    source = open(texts_header, encoding="utf-8").read()
    literals = re.findall(r'"((?:[^"\\]|\\.)*)"', source)
    text = "".join(literals).replace("\\r", "").replace("\\n", "")
    return "".join(sorted(set(text) | set("0123456789 ")))


def text(texts_header, name):
    """One of the game's texts, its literals joined, escaped for HTML."""
    source = open(texts_header, encoding="utf-8").read()
    body = re.search(rf"\b{name}\s*=((?:\s*\"[^\"]*\")+);", source).group(1)
    return html.escape("".join(re.findall(r'"([^"]*)"', body)))


def subset_font(font_path, characters):
    font = TTFont(font_path)
    options = subset.Options()
    options.flavor = "woff2"
    options.name_IDs = [0, 1, 2, 3, 4, 5, 6, 13, 14]
    options.layout_features = ["kern", "liga"]
    options.drop_tables += ["FFTM"]  # a font editor's timestamp
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=characters)
    subsetter.subset(font)
    names = font["name"]
    for record in names.names:
        if record.nameID in (1, 4):
            record.string = SUBSET_FAMILY if record.nameID == 1 else SUBSET_FAMILY + " Regular"
        elif record.nameID in (3, 6):
            record.string = SUBSET_FAMILY.replace(" ", "") + "-Regular"
    names.names = [record for record in names.names if record.nameID not in (16, 17)]
    font.flavor = "woff2"
    out = io.BytesIO()
    font.save(out)
    return out.getvalue()


def data_url(mime, payload):
    return f"data:{mime};base64,{base64.b64encode(payload).decode('ascii')}"


def inline_script(text, where):
    if re.search(r"</script", text, re.IGNORECASE):
        raise SystemExit(f"{where} holds </script and cannot be inlined")
    return text


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--template", required=True)
    parser.add_argument("--texts", required=True, help="controls/texts.h")
    parser.add_argument("--style", required=True)
    parser.add_argument("--module", required=True, help="the compiled game, one script")
    parser.add_argument("--script", required=True, nargs="+", help="the page's own scripts")
    parser.add_argument("--icon", required=True, help="an SVG icon")
    parser.add_argument("--font", required=True)
    parser.add_argument("--font-licence", required=True)
    parser.add_argument("--output", required=True)
    args = parser.parse_args()

    licence = open(args.font_licence, encoding="utf-8").read()
    if "--" in licence:
        raise SystemExit(f"{args.font_licence} cannot stand in an HTML comment")
    licence = (f"The font {SUBSET_FAMILY} is Liberation Serif, cut down to the glyphs this "
               f"game shows and renamed, as its licence asks of a modified version.\n\n"
               + licence)

    page_script = "\n".join(open(path, encoding="utf-8").read() for path in args.script)
    parts = {
        "@TITLE@": text(args.texts, "kTitle"),
        "@DESCRIPTION@": text(args.texts, "kPageDescription"),
        "@ICON@": data_url("image/svg+xml", open(args.icon, "rb").read()),
        "@STYLE@": open(args.style, encoding="utf-8").read(),
        "@FONT_LICENCE@": licence,
        "@MODULE@": inline_script(open(args.module, encoding="utf-8").read(), args.module),
        "@FONT@": base64.b64encode(subset_font(args.font, game_texts(args.texts))).decode("ascii"),
        "@PAGE@": inline_script(page_script, "the page's script"),
    }
    page = open(args.template, encoding="utf-8").read()
    # One pass, so that nothing inserted is ever read as a placeholder.
    page = re.sub("|".join(map(re.escape, parts)), lambda match: parts[match.group(0)], page)
    with open(args.output, "w", encoding="utf-8") as out:
        out.write(page)


if __name__ == "__main__":
    main()
