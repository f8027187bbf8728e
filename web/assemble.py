#!/usr/bin/python3
"""Puts the whole web page into one file: the compiled game, the page's
styles and script, the icon, and the window's font cut down to the glyphs
the game shows, with the notices and licences of all it holds. Opened from disk or served from
anywhere, the file needs nothing else."""

import argparse
import base64
import html
import io
import json
import re
import zlib

from fontTools import subset
from fontTools.misc.timeTools import timestampSinceEpoch
from fontTools.ttLib import TTFont

from page_modules import bundle
from texts_header import read_texts

# The subset is a modified font, which the font's licence forbids to carry
# its reserved names (Liberation, Tinos); it goes by this one instead.
SUBSET_FAMILY = "Zimarela Serif"


def game_texts(texts):
    """Every character of every text the game shows, with the digits the
    counters and door numbers use; line breaks draw no glyph."""
    shown = set("".join(texts.values())) - set("\r\n")
    return "".join(sorted(shown | set("0123456789 ")))


def subset_font(font_path, characters, epoch):
    # A saved font records when it was modified: the build's date, not the
    # moment it runs, so that every build of a commit writes the same bytes.
    font = TTFont(font_path, recalcTimestamp=False)
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
    font["head"].modified = timestampSinceEpoch(epoch)
    font.flavor = "woff2"
    out = io.BytesIO()
    font.save(out)
    return out.getvalue()


def ofl(copyright_path):
    """The font's copyright lines and the text of its licence, the SIL Open
    Font License 1.1, from Debian's machine-readable copyright file of the
    package that holds the font. That file folds each field's lines behind
    one space, with a lone dot for an empty line, and where the licence has
    a dash it has a question mark."""
    holders, text = [], ""
    # The text may stand under the font's files or in a paragraph of its own.
    for paragraph in open(copyright_path, encoding="utf-8").read().split("\n\n"):
        fields, name = {}, None
        for line in paragraph.splitlines():
            if line[:1] in (" ", "\t") and name:
                fields[name].append("" if line.strip() == "." else line[1:])
            elif ":" in line:
                name, value = line.split(":", 1)
                fields[name] = [value.strip()] if value.strip() else []
        if fields.get("License", [""])[0] == "SIL-OFL-1.1":
            holders = fields.get("Copyright", holders)
            text = "\n".join(fields["License"][1:]) or text
    if not holders or "SIL OPEN FONT LICENSE Version 1.1" not in text or "DISCLAIMER" not in text:
        raise SystemExit(f"{copyright_path} does not hold the font's SIL Open Font License 1.1")
    text = re.sub(r"(?<= )\?(?= |$)", "--", text, flags=re.MULTILINE)
    return "\n".join(holders) + "\n\n" + text


def comment_text(text, where):
    """What an HTML comment may hold."""
    if any(bad in text for bad in ("<!--", "-->", "--!>")) or text.startswith(">"):
        raise SystemExit(f"{where} cannot stand in an HTML comment")
    return text


def data_url(mime, payload):
    return f"data:{mime};base64,{base64.b64encode(payload).decode('ascii')}"


def inline_script(text, where):
    if re.search(r"</script", text, re.IGNORECASE):
        raise SystemExit(f"{where} holds </script and cannot be inlined")
    return text


def fallback_script(path):
    """The game built to JavaScript alone, as the text of the script element
    that runs it: the factory it declares is handed on through that
    element rather than left in a global. No part of it may make code from
    a string, which the page's policy forbids."""
    source = open(path, encoding="utf-8").read()
    if not source.lstrip().startswith("var Zimarela = "):
        raise SystemExit(f"{path} does not declare the factory Zimarela")
    found = re.search(r"\beval\b|\bFunction\s*\(", source)
    if found:
        raise SystemExit(f"{path} makes code from a string ({found.group(0)})")
    return f"document.currentScript.game = (() => {{\n{source}\nreturn Zimarela;\n}})();\n"


def packed(text):
    """Text as base64 of its zlib-packed UTF-8, which an element that never
    runs can hold as it is."""
    return base64.b64encode(zlib.compress(text.encode("utf-8"), 9)).decode("ascii")


def early_script(path, frame, texts):
    """The early script, with what it must know before the game does: the
    window's font, and where and in what words a browser that cannot run
    the game is told so."""
    values = {"@WINDOW_FONT@": frame["font"], "@NOTICE_BOX@": frame["noticeBox"],
              "@CANNOT_RUN@": texts["kBrowserCannotRun"]}
    source = open(path, encoding="utf-8").read()
    return re.sub("|".join(values),
                  lambda match: json.dumps(values[match.group(0)], ensure_ascii=False), source)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--template", required=True)
    parser.add_argument("--version", required=True, help="the game's version")
    parser.add_argument("--epoch", required=True, type=int,
                        help="the build's date, in seconds since 1970")
    parser.add_argument("--texts", required=True, help="controls/texts.h")
    parser.add_argument("--style", required=True)
    parser.add_argument("--frame", required=True,
                        help="the window's first frame, as first_frame.mjs writes it")
    parser.add_argument("--early", required=True,
                        help="the classic script that runs before the window is read")
    parser.add_argument("--script", required=True, nargs="+",
                        help="the page's modules, the compiled game's among them, "
                             "each after those it imports from")
    parser.add_argument("--fallback",
                        help="the game built to JavaScript alone, for a browser without "
                             "WebAssembly; without it, such a browser is told it cannot play")
    parser.add_argument("--icon", required=True, help="an SVG icon")
    parser.add_argument("--font", required=True)
    parser.add_argument("--font-licence", required=True,
                        help="Debian's copyright file of the font's package")
    parser.add_argument("--notices", required=True, help="what the page is made of, and under what")
    parser.add_argument("--licence", required=True, help="the game's own licence")
    parser.add_argument("--output", required=True)
    args = parser.parse_args()

    licence = comment_text("\n\n".join([
        open(args.notices, encoding="utf-8").read().strip(),
        open(args.licence, encoding="utf-8").read().strip(),
        ofl(args.font_licence)]), "the notices")

    texts = read_texts(args.texts)
    font = base64.b64encode(subset_font(args.font, game_texts(texts), args.epoch)).decode("ascii")
    frame = json.load(open(args.frame, encoding="utf-8"))
    # The embedded face answers to the window's first font name, so that the
    # page draws with it wherever it is opened and breaks lines as the
    # desktop does. It is declared where the browser meets it first.
    font_face = (f'@font-face {{ font-family: "{frame["fontFamily"]}"; '
                 f'src: url(data:font/woff2;base64,{font}); }}')
    parts = {
        "@TITLE@": html.escape(texts["kTitle"]),
        "@DESCRIPTION@": html.escape(texts["kPageDescription"]),
        "@VERSION@": args.version,
        "@ICON@": data_url("image/svg+xml", open(args.icon, "rb").read()),
        "@VIEWPORT@": html.escape(frame["viewport"]),
        "@FONT_FACE@": font_face,
        "@STYLE@": open(args.style, encoding="utf-8").read(),
        "@EARLY@": inline_script(early_script(args.early, frame, texts), args.early),
        "@WINDOW@": frame["window"],
        "@FONT_LICENCE@": licence,
        "@PAGE@": inline_script(bundle(args.script), "the page's script"),
        "@FALLBACK@": (f'<script id="fallback" type="text/plain">'
                       f'{packed(fallback_script(args.fallback))}</script>'
                       if args.fallback else ""),
    }
    page = open(args.template, encoding="utf-8").read()
    # One pass, so that nothing inserted is ever read as a placeholder.
    page = re.sub("|".join(map(re.escape, parts)), lambda match: parts[match.group(0)], page)
    with open(args.output, "w", encoding="utf-8") as out:
        out.write(page)


if __name__ == "__main__":
    main()
