"""Joins the page's ES modules into one module for the one file. A module
inlined in a page cannot import another by its file name, so each keeps
its own scope inside a function, hands on only what it exports, and takes
only what it imports, resolved here, in the order given."""

import re
from pathlib import Path

IMPORT = re.compile(r'^import \{([^}]*)\} from "\./([\w-]+)\.m?js";\n', re.MULTILINE)
EXPORT = re.compile(r"^export (?:async )?(?:function\*?|const|let|class) (\w+)", re.MULTILINE)
# What the compiled game exports: its factory, by default.
EXPORT_DEFAULT = re.compile(r"^export default (\w+);\n?", re.MULTILINE)


def scope_name(stem):
    return "module_" + stem.replace("-", "_")


def imported(names):
    """The names of one import as [exported, local] pairs."""
    pairs = []
    for name in filter(None, (name.strip() for name in names.split(","))):
        exported, _, local = (part.strip() for part in name.partition(" as "))
        pairs.append((exported, local or exported))
    return pairs


def bundle(paths):
    """The modules at `paths`, each importing only from those before it,
    as the text of one module."""
    exported = {}
    parts = []
    for path in map(Path, paths):
        source = path.read_text(encoding="utf-8")
        takes = []
        for names, stem in IMPORT.findall(source):
            pairs = imported(names)
            missing = [name for name, _ in pairs if name not in exported.get(stem, {})]
            if missing:
                raise SystemExit(f"{path} imports {', '.join(missing)} from {stem}, "
                                 "which no module before it exports")
            bound = ", ".join(name if name == local else f"{name}: {local}"
                              for name, local in pairs)
            takes.append(f"const {{ {bound} }} = {scope_name(stem)};\n")
        names = {name: name for name in EXPORT.findall(source)}
        names.update({"default": name for name in EXPORT_DEFAULT.findall(source)})
        body = EXPORT_DEFAULT.sub("", IMPORT.sub("", source))
        body = EXPORT.sub(lambda match: match.group(0)[len("export "):], body)
        if re.search(r"^\s*(import|export)\b", body, re.MULTILINE):
            raise SystemExit(f"{path} imports or exports in a form the page's build cannot join")
        exported[path.stem] = names
        hands_on = ", ".join(name if name == local else f"{name}: {local}"
                             for name, local in names.items())
        parts.append(f"const {scope_name(path.stem)} = (() => {{\n{''.join(takes)}{body}\n"
                     f"return {{ {hands_on} }};\n}})();\n")
    return "\n".join(parts)
