#!/usr/bin/env python3
"""Runs a program under valgrind's memcheck and fails on any memory error,
an invalid read or write, a use of an uninitialised value or a bad free,
that has a frame of the program's own among the innermost twelve of any of
its stacks: where it happened, where the memory was allocated or freed,
where an uninitialised value came from.

Usage: memcheck_ours.py [WRAPPER...] -- PROGRAM [ARGUMENT...]

WRAPPER (a display server's script, say) runs valgrind, which runs
PROGRAM. The display libraries have faults of their own, such as libxcb
writing a request's uninitialised padding to the X server; those are
counted and named, but only the program's own can fail the run, so that
no list of other projects' faults needs keeping per release. Leaks are
another test's concern.
"""
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree


def errors_of(path):
    """The errors of one valgrind XML file, as (kind, what, frames)."""
    try:
        root = ElementTree.parse(path).getroot()
    except ElementTree.ParseError:
        # A process that died before valgrind closed its file; its report
        # on stderr says why.
        return
    for error in root.iter("error"):
        kind = error.findtext("kind", "")
        what = error.findtext("what") or error.findtext("xwhat/text") or kind
        stacks = [[(frame.findtext("obj", ""), frame.findtext("fn", "???"),
                    frame.findtext("file"), frame.findtext("line"))
                   for frame in stack.iter("frame")]
                  for stack in error.iter("stack")]
        yield kind, what, stacks


def main(argv):
    if "--" not in argv:
        sys.exit(__doc__)
    split = argv.index("--")
    wrapper, command = argv[:split], argv[split + 1:]
    if not command:
        sys.exit(__doc__)
    program = os.path.realpath(command[0])
    with tempfile.TemporaryDirectory() as reports:
        status = subprocess.call(wrapper + [
            "valgrind", "--tool=memcheck", "--leak-check=no", "--track-origins=yes",
            "--num-callers=12", "--child-silent-after-fork=yes", "--xml=yes",
            "--xml-file=" + os.path.join(reports, "memcheck.%p.xml"), program] + command[1:])
        ours, others = [], 0
        for name in sorted(os.listdir(reports)):
            for kind, what, stacks in errors_of(os.path.join(reports, name)):
                if kind.startswith("Leak_"):
                    continue
                if any(obj and os.path.realpath(obj) == program
                       for stack in stacks for obj, _, _, _ in stack):
                    ours.append((what, stacks))
                else:
                    others += 1
    print(f"memcheck: {len(ours)} errors with a frame of {os.path.basename(program)}, "
          f"{others} only in other libraries")
    for what, stacks in ours:
        print(what)
        for number, stack in enumerate(stacks):
            if number > 0:
                print("  and")
            for obj, function, file, line in stack:
                place = f"{file}:{line}" if file else os.path.basename(obj)
                print(f"    {function} ({place})")
    if status != 0:
        return status if status > 0 else 128 - status
    return 1 if ours else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
