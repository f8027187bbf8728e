#!/usr/bin/python3
"""Lighthouse's audits of the page, served on this machine, in Debian's
headless Chromium, with the mobile or the desktop preset.

As a test: every audit of accessibility, best practices and SEO must pass,
save one the fixed layout cannot: target-size, since the option buttons are
strips 20 pixels high stacked 20 pixels apart, where the audit asks for
24 × 24 or 24 pixels between centres. That audit must fail on nothing but
an option button measured at its whole strip, as the layout sizes it, so
that the audit keeps measuring the very target a player clicks. And
robots-txt, which Lighthouse checks by asking for /robots.txt from inside
the page, where the page's own policy refuses every request: it may fail
only as a file Lighthouse could not download at all, with the server
never asked for it. A crawler asks for robots.txt itself, outside any
page and its policy.
With --scores, it prints the named categories' scores instead (bench.sh)."""

import argparse
import functools
import http.server
import json
import os
import subprocess
import sys
import tempfile
import threading

from game_texts import read_sizes

HERE = os.path.dirname(os.path.abspath(__file__))
LIGHTHOUSE = os.path.join(HERE, "node_modules", ".bin", "lighthouse")
AUDITED = ("accessibility", "best-practices", "seo")


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    """Serves the page's folder, and keeps every path it was asked for."""

    def do_GET(self):
        self.server.asked.append(self.path)
        super().do_GET()

    def log_message(self, *args):
        pass


def serve(page):
    folder, name = os.path.split(os.path.abspath(page))
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(QuietHandler, directory=folder))
    server.asked = []
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, f"http://127.0.0.1:{server.server_port}/{name}"


def run_lighthouse(url, preset, categories):
    if not os.path.exists(LIGHTHOUSE):
        sys.exit(f"{LIGHTHOUSE} is missing: scripts/test.sh installs it (npm ci in {HERE})")
    flags = ["--headless=new", "--disable-gpu", "--no-first-run", "--disable-sync",
             "--disable-background-networking", "--disable-component-update",
             "--disable-default-apps", "--disable-extensions"]
    if os.geteuid() == 0:
        flags.append("--no-sandbox")
    with tempfile.TemporaryDirectory() as home:
        report = os.path.join(home, "report.json")
        command = [LIGHTHOUSE, url, "--quiet", "--output=json", f"--output-path={report}",
                   f"--only-categories={','.join(categories)}",
                   f"--chrome-flags={' '.join(flags)}"]
        if preset == "desktop":
            command.append("--preset=desktop")
        subprocess.run(command, check=True, timeout=240,
                       env={**os.environ, "CHROME_PATH": "/usr/bin/chromium", "HOME": home,
                            "TMPDIR": home})
        with open(report, encoding="utf-8") as result:
            return json.load(result)


def failures(report):
    """Each audit of the categories that counts towards its score and did
    not pass, with the elements it failed on."""
    failed = {}
    for category in report["categories"].values():
        for reference in category["auditRefs"]:
            audit = report["audits"][reference["id"]]
            if reference["weight"] > 0 and audit["score"] is not None and audit["score"] < 1:
                items = (audit.get("details") or {}).get("items", [])
                failed[audit["id"]] = [item.get("node", {}) for item in items]
    return failed


def check(report, sizes, asked):
    """What is wrong with the report, as sentences; none if all is well.
    `asked` holds every path the server was asked for."""
    problems = []
    failed = failures(report)
    robots = report["audits"].get("robots-txt", {})
    refused = "unable to download" in robots.get("explanation", "") and "/robots.txt" not in asked
    if failed.pop("robots-txt", None) is not None and not refused:
        problems.append("robots-txt failed: " +
                        str(robots.get("explanation") or robots.get("displayValue")))
    nodes = failed.pop("target-size", [])
    problems += [f"{audit} failed on {[node.get('snippet') for node in nodes]}"
                 for audit, nodes in failed.items()]
    for node in nodes:
        snippet = node.get("snippet", "")
        strip = next((name for name in sizes
                      if name.startswith("Option") and f'name="{name}"' in snippet), None)
        rect = node.get("boundingRect", {})
        measured = (round(rect.get("width", 0)), round(rect.get("height", 0)))
        if strip is None or measured != sizes[strip]:
            problems.append(f"target-size failed on {snippet}, {measured[0]} × {measured[1]} px, "
                            "which is not an option button's whole strip")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--page", required=True)
    parser.add_argument("--preset", choices=("mobile", "desktop"), required=True)
    parser.add_argument("--layout", help="layout/layout.cpp, for the test")
    parser.add_argument("--scores", nargs="+", help="categories whose scores to print")
    args = parser.parse_args()

    server, url = serve(args.page)
    try:
        report = run_lighthouse(url, args.preset, args.scores or AUDITED)
    finally:
        server.shutdown()
    if report.get("runtimeError"):
        sys.exit(f"Lighthouse could not audit the page: {report['runtimeError']['message']}")
    scores = {name: round(category["score"] * 100)
              for name, category in report["categories"].items()}
    print(f"Lighthouse {report['lighthouseVersion']}, {args.preset}: " +
          ", ".join(f"{name} {score}" for name, score in scores.items()))
    if args.scores:
        return
    problems = check(report, read_sizes(args.layout), server.asked)
    if problems:
        sys.exit("\n".join(problems))


if __name__ == "__main__":
    main()
