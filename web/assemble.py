#!/usr/bin/python3
"""Puts the whole web page into one file: the compiled game, the page's
styles and script, the icon, and the window's font cut down to the glyphs
the game shows, with the notices and licences of all it holds. Opened from disk or served from
anywhere, the file needs nothing else, and its own Content-Security-Policy
has the browser refuse anything else.

A script that the page holds in some other form and inserts at run time as
a <script> element runs only if the policy lists the hash of its text:
give that text, exactly as the page will set it, with --inserted-script,
or to with_policy() as `inserted_scripts`."""

import argparse
import base64
import hashlib
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
    # A comment opener inside a script can make the browser read past the
    # script's end tag, and the policy's hash would then miss what it runs.
    if re.search(r"</script|<!--", text, re.IGNORECASE):
        raise SystemExit(f"{where} holds </script or <!-- and cannot be inlined")
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


def inflater_script(path):
    """The inflater module as the text of a script element that hands its
    one export on through that element."""
    source = open(path, encoding="utf-8").read()
    if len(re.findall(r"^export ", source, re.MULTILINE)) != 1:
        raise SystemExit(f"{path} must export its inflate function and nothing else")
    source = inline_script(source.replace("export function inflate(", "function inflate("), path)
    return f"document.currentScript.inflate = (() => {{\n{source}\nreturn inflate;\n}})();\n"


def packed(text):
    """Text as base64 of its zlib-packed UTF-8, which an element that never
    runs can hold as it is."""
    return base64.b64encode(zlib.compress(text.encode("utf-8"), 9)).decode("ascii")


def inline_style(text, where):
    if re.search(r"</style", text, re.IGNORECASE):
        raise SystemExit(f"{where} holds </style and cannot be inlined")
    return text


# The page's policy stands right after its character set, before anything
# it governs: the icon, every style and every script.
POLICY_META = re.compile(
    r'(<meta charset="utf-8">\n<meta http-equiv="Content-Security-Policy" content=")[^"]*(">)')
# Where an element the policy allows by its hash starts, and where a comment
# does, inside which nothing starts.
INLINE_START = re.compile(r"<!--|<(script|style)(\s[^>]*)?>", re.IGNORECASE)
SCRIPT_TYPE = re.compile(r"""\stype\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s"'>]+))""", re.IGNORECASE)
# The types under which a browser runs a script element as JavaScript; one
# of any other type holds data, runs nothing and needs no hash.
JAVASCRIPT_TYPES = {"", "module", "application/ecmascript", "application/javascript",
                    "application/x-ecmascript", "application/x-javascript", "text/ecmascript",
                    "text/javascript", "text/javascript1.0", "text/javascript1.1",
                    "text/javascript1.2", "text/javascript1.3", "text/javascript1.4",
                    "text/javascript1.5", "text/jscript", "text/livescript",
                    "text/x-ecmascript", "text/x-javascript"}


def runs(script_attributes):
    """Whether a script element with these attributes runs as JavaScript."""
    kind = SCRIPT_TYPE.search(script_attributes or "")
    return not kind or next(filter(None, kind.groups()), "").strip().lower() in JAVASCRIPT_TYPES


def inline_elements(page):
    """Every style element of `page` and every script element that runs, as
    (tag, text), the text as the browser hashes it: it reads a line break
    written as CR LF, or as a lone CR, as LF."""
    position = 0
    while found := INLINE_START.search(page, position):
        if not found.group(1):
            position = page.find("-->", found.end()) + len("-->")
            if position < len("-->"):
                raise SystemExit("the page has a comment that never ends")
            continue
        tag = found.group(1).lower()
        end = re.compile(f"</{tag}", re.IGNORECASE).search(page, found.end())
        if not end:
            raise SystemExit(f"the page has a <{tag}> that never ends")
        if tag == "style" or runs(found.group(2)):
            yield tag, re.sub(r"\r\n?", "\n", page[found.end():end.start()])
        position = end.end()


def source_hash(text):
    digest = hashlib.sha256(text.encode("utf-8")).digest()
    return f"'sha256-{base64.b64encode(digest).decode('ascii')}'"


def content_security_policy(page, inserted_scripts=()):
    """The policy that lets `page` run its own scripts and the inserted
    ones, take its own styles, compile WebAssembly, and show images and a
    font from data: URLs, and nothing else: it loads, sends and submits
    nothing, and no other script, style or style attribute takes effect.
    An inserted script's text is hashed as given: it is set through the
    DOM, where no parser turns its line breaks."""
    allowed = {"script": [], "style": []}
    for tag, text in inline_elements(page):
        allowed[tag].append(source_hash(text))
    allowed["script"] += map(source_hash, inserted_scripts)
    scripts, styles = (list(dict.fromkeys(allowed[tag])) for tag in ("script", "style"))
    return "; ".join([
        "default-src 'none'",
        " ".join(["script-src", *scripts, "'wasm-unsafe-eval'"]),
        " ".join(["style-src", *(styles or ["'none'"])]),
        "img-src data:",
        "font-src data:",
        "base-uri 'none'",
        "form-action 'none'",
    ])


def with_policy(page, inserted_scripts=()):
    """`page` with its policy, computed from what the page now holds. The
    build writes the page through here, and so must anything that changes a
    script or a style of a written page, or the browser refuses the change.
    The policy holds no character that its attribute would need escaped."""
    if not POLICY_META.search(page):
        raise SystemExit("the page has no policy right after its character set")
    policy = content_security_policy(page, inserted_scripts)
    return POLICY_META.sub(lambda match: match.group(1) + policy + match.group(2), page, count=1)


def policy_comes_first(page):
    """Whether nothing the policy governs stands before it."""
    meta = POLICY_META.search(page)
    governed = re.search(r"<(script|style|link)\b", page, re.IGNORECASE)
    return meta and governed and meta.start() < governed.start()


PLACEHOLDER = re.compile(r"@[A-Z][A-Z0-9_]*@")


def fill(template, values, where):
    """The template with each @NAME@ replaced by its value, in one pass, so
    that nothing inserted is ever read as a placeholder. A placeholder
    without a value would ship as it stands, and in a script break the whole
    page; a value without a placeholder is something the page was meant to
    hold and does not. Either stops the build."""
    named = set(PLACEHOLDER.findall(template))
    problems = []
    if missing := sorted(named - values.keys()):
        problems.append(f"no value for {', '.join(missing)}")
    if unused := sorted(values.keys() - named):
        problems.append(f"nowhere to put {', '.join(unused)}")
    if problems:
        raise SystemExit(f"{where}: {'; '.join(problems)}")
    return PLACEHOLDER.sub(lambda match: values[match.group(0)], template)


def early_script(path, frame, texts):
    """The early script, with what it must know before the game does: the
    window's font, and where and in what words a browser that cannot run
    the game is told so."""
    values = {"@WINDOW_FONT@": frame["font"], "@NOTICE_BOX@": frame["noticeBox"],
              "@CANNOT_RUN@": texts["kBrowserCannotRun"]}
    with open(path, encoding="utf-8") as source:
        template = source.read()
    return fill(template, {name: json.dumps(value, ensure_ascii=False)
                           for name, value in values.items()}, path)


def with_no_script(window, sentence):
    """The window, and inside it, for a browser with JavaScript off, the
    sentence that says why nothing on it answers (page.css's .no-script)."""
    end = "</main>"
    if not window.endswith(end):
        raise SystemExit("the window's markup does not end its <main>")
    return (window[:-len(end)] +
            f'<noscript><p class="no-script">{html.escape(sentence)}</p></noscript>{end}')


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
    parser.add_argument("--inflater",
                        help="what unpacks the JavaScript build where the browser cannot")
    parser.add_argument("--icon", required=True, help="an SVG icon")
    parser.add_argument("--font", required=True)
    parser.add_argument("--font-licence", required=True,
                        help="Debian's copyright file of the font's package")
    parser.add_argument("--notices", required=True, help="what the page is made of, and under what")
    parser.add_argument("--licence", required=True, help="the game's own licence")
    parser.add_argument("--inserted-script", action="append", default=[],
                        help="a file whose text the page sets, at run time, as the text of a "
                             "<script> element it inserts; the policy lists its hash")
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
    # Unpacked and run only where WebAssembly fails, as a script the policy
    # lists by the hash of this very text.
    # The inflater travels beside it, as text that never runs until needed.
    fallback = fallback_script(args.fallback) if args.fallback else None
    inflater = inflater_script(args.inflater) if fallback else None
    parts = {
        "@POLICY@": "",  # computed from the finished page
        "@TITLE@": html.escape(texts["kTitle"]),
        "@DESCRIPTION@": html.escape(texts["kPageDescription"]),
        "@VERSION@": args.version,
        "@ICON@": data_url("image/svg+xml", open(args.icon, "rb").read()),
        "@VIEWPORT@": html.escape(frame["viewport"]),
        "@FONT_FACE@": font_face,
        "@STYLE@": inline_style(open(args.style, encoding="utf-8").read(), args.style),
        "@WINDOW_STYLE@": inline_style(frame["style"], "the window's style sheet"),
        "@EARLY@": inline_script(early_script(args.early, frame, texts), args.early),
        "@WINDOW@": with_no_script(frame["window"], texts["kJavaScriptOff"]),
        "@FONT_LICENCE@": licence,
        "@PAGE@": inline_script(bundle(args.script), "the page's script"),
        "@FALLBACK@": (f'<script id="fallback" type="text/plain">{packed(fallback)}</script>\n'
                       f'<script id="inflater" type="text/plain">{inflater}</script>'
                       if fallback else ""),
    }
    page = fill(open(args.template, encoding="utf-8").read(), parts, args.template)
    inserted = [open(path, encoding="utf-8").read() for path in args.inserted_script]
    if fallback:
        inserted += [fallback, inflater]
    page = with_policy(page, inserted)
    if not policy_comes_first(page):
        raise SystemExit(f"{args.template}: the policy must come before any style or script")
    with open(args.output, "w", encoding="utf-8") as out:
        out.write(page)


if __name__ == "__main__":
    main()
