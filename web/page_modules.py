"""Joins the page's ES modules into one module for the one file. A module
inlined in a page cannot import another by its file name, so each keeps
its own scope inside a function, hands on only what it exports, and takes
only what it imports, resolved here, in the order given."""

import re
from pathlib import Path

IMPORT = re.compile(r'^import \{([^}]*)\} from "\./([\w-]+)\.js";\n', re.MULTILINE)
EXPORT = re.compile(r"^export (?:async )?(?:function\*?|const|let|class) (\w+)", re.MULTILINE)


def scope_name(stem):
    return "module_" + stem.replace("-", "_")


def bundle(paths):
    """The modules at `paths`, each importing only from those before it,
    as the text of one module."""
    exported = {}
    parts = []
    for path in map(Path, paths):
        source = path.read_text(encoding="utf-8")
        takes = []
        for names, stem in IMPORT.findall(source):
            names = [name.strip() for name in names.split(",") if name.strip()]
            missing = [name for name in names if name not in exported.get(stem, ())]
            if missing:
                raise SystemExit(f"{path} imports {', '.join(missing)} from {stem}.js, "
                                 "which no module before it exports")
            takes.append(f"const {{ {', '.join(names)} }} = {scope_name(stem)};\n")
        body = EXPORT.sub(lambda match: match.group(0)[len("export "):], IMPORT.sub("", source))
        if re.search(r"^\s*(import|export)\b", body, re.MULTILINE):
            raise SystemExit(f"{path} imports or exports in a form the page's build cannot join")
        names = EXPORT.findall(source)
        exported[path.stem] = names
        parts.append(f"const {scope_name(path.stem)} = (() => {{\n{''.join(takes)}{body}"
                     f"return {{ {', '.join(names)} }};\n}})();\n")
    return "\n".join(parts)
