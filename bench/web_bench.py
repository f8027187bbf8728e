#!/usr/bin/python3
"""The web page's figures, in headless Chromium: the size of the one file;
the time from navigation to its first complete draw, against a static page
with the same elements, styles and font and no WebAssembly, loaded
alternately; the first click answered, from navigation, with the CPU at
full speed and slowed four times as on a slow phone, and served from this
machine over a slow mobile network: alternately with a build without the
game's JavaScript build, if one is given, and in a Chromium without
WebAssembly, where that build plays; and whole games played through the
entry points inside the page, for comparison with the native benchmark."""

import argparse
import contextlib
import functools
import http.server
import os
import re
import statistics
import sys
import tempfile
import threading

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "web"))
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "web"))
from assemble import with_policy  # noqa: E402
from browsers import CHROMIUM_WITHOUT_WEBASSEMBLY, start_chromium  # noqa: E402

# The static twin: the drawn window as it stands, without the game's
# scripts, and a mark once its font is in, as the game marks its own. Like
# every copy the benchmark changes, it is written with the policy the
# page's build would give it.
STATIC_TWIN = """
const twin = document.documentElement.cloneNode(true);
for (const script of twin.querySelectorAll("script")) script.remove();
twin.removeAttribute("data-drawn");
twin.removeAttribute("data-live");
const family = getComputedStyle(document.getElementById("window")).fontFamily.split(",")[0];
const face = `@font-face { font-family: ${family};
                           src: url(data:font/woff2;base64,${arguments[0]}); }`;
twin.querySelector("style").append(face);
const mark = document.createElement("script");
mark.textContent = `document.fonts.load("16px " + getComputedStyle(document.getElementById(
    "window")).fontFamily).then(() => performance.mark("drawn"));`;
twin.querySelector("body").append(mark);
return "<!DOCTYPE html>\\n" + twin.outerHTML;
"""

# The page's last statement starts its game; the copy that plays whole
# games also hands the game's factory to the benchmark's script.
START = "afterDrawn(startGame);"
HANDED_ON = "globalThis.makeGame = makeGame;\n" + START

GAMES = """
const [games, done] = arguments;
makeGame({ onRuntimeInitialized() {
  const design = JSON.parse(this.UTF8ToString(this._describeWindow()));
  const at = Object.fromEntries(design.controls.map((c) => [c.element, c.position]));
  const activate = (element) => this._activate(at[element]);
  this._load();
  const play = (count) => {
    for (let game = 0; game < count; ++game) {
      activate("Command1_1");
      for (let offer = 0; offer < 5; ++offer) {
        activate("Option2_1");
        activate("Command1_0");
      }
      for (let door = 0; door < 8; ++door) activate(`Option1_${door}`);
    }
  };
  play(1000);
  const start = performance.now();
  play(games);
  done((performance.now() - start) * 1e6 / games);
}});
"""


# Lighthouse's mobile throttling: 150 ms round trip, 1.6 Mbit/s down and
# 750 kbit/s up (its kilobits are 1024 bits), the CPU slowed four times.
SLOW_NETWORK = {"offline": False, "latency": 150,
                "downloadThroughput": 1.6 * 1024 * 1024 / 8,
                "uploadThroughput": 750 * 1024 / 8}
SLOW_CPU = 4

# Runs before the page's own scripts on every load: at the moment the page
# marks itself drawn, a click on "Директен избор от играч", where a
# player's click would land; the time the game goes live; and the time it
# answers the click, which is when the doors are drawn enabled.
FIRST_CLICK = """
const times = window.firstClick = {};
new MutationObserver(() => {
  const root = document.documentElement;
  if (!("live" in times) && "live" in root.dataset) times.live = performance.now();
  if (!("drawn" in times) && "drawn" in root.dataset) {
    times.drawn = performance.now();
    const box = document.getElementById("Option2_0").getBoundingClientRect();
    const x = box.left + box.width / 2, y = box.top + box.height / 2;
    document.elementFromPoint(x, y).dispatchEvent(new MouseEvent("click",
        { bubbles: true, cancelable: true, view: window, clientX: x, clientY: y }));
  }
  const doors = document.getElementById("Frame1");
  if ("drawn" in times && !("answered" in times) && doors && !doors.disabled) {
    times.answered = performance.now();
  }
}).observe(document, { subtree: true, attributes: true,
                       attributeFilter: ["data-drawn", "data-live", "disabled"] });
"""


def first_click(driver, url):
    """Navigation to the first complete draw, to the game live and to the
    first click answered, in milliseconds."""
    driver.get(url)
    return driver.execute_async_script("""
        const done = arguments[0];
        const poll = () => {
          const times = window.firstClick;
          "answered" in times && "live" in times
              ? done([times.drawn, times.live, times.answered]) : setTimeout(poll, 5);
        };
        poll();""")


def first_clicks(driver, urls, loads, slowdown, network=None):
    """The first click on each page, their loads alternated so that each
    pair meets nearly the same load, and which goes first swapped from one
    pair to the next, so that neither gains from its place; each page's
    times."""
    driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": slowdown})
    if network:
        driver.execute_cdp_cmd("Network.enable", {})
        driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
        driver.execute_cdp_cmd("Network.emulateNetworkConditions", network)
    try:
        times = []
        for load in range(loads):
            order = urls if load % 2 == 0 else urls[::-1]
            clicks = {url: first_click(driver, url) for url in order}
            times.append([clicks[url] for url in urls])
    finally:
        driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": 1})
        if network:
            driver.execute_cdp_cmd("Network.disable", {})
    return list(zip(*times))


def report_first_clicks(times, slowdown, network=None, what=""):
    drawn, live, answered = (statistics.median(column) for column in zip(*times))
    after = statistics.median(answered - drawn for drawn, _, answered in times)
    pace = "full speed" if slowdown == 1 else f"CPU slowed {slowdown}x"
    if network:
        pace = (f"{network['latency']} ms round trip, "
                f"{network['downloadThroughput'] * 8 / 1024 / 1024:.1f} Mbit/s down, {pace}")
    print(f"first click{what}, {pace}, median of {len(times)} loads: drawn at {drawn:.1f} ms, "
          f"live at {live:.1f} ms, answered at {answered:.1f} ms, "
          f"{after:.1f} ms after the draw")


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


@contextlib.contextmanager
def served(page):
    """The page's address, served on this machine, for network throttling,
    which a file from disk escapes."""
    folder, name = os.path.split(os.path.abspath(page))
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(QuietHandler, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        yield f"http://127.0.0.1:{server.server_port}/{name}"
    finally:
        server.shutdown()
        server.server_close()


def without_webassembly(url, loads):
    """The first click over the slow network in a Chromium whose V8 has no
    WebAssembly, as in a hardened mode, where the JavaScript build plays."""
    driver = start_chromium(CHROMIUM_WITHOUT_WEBASSEMBLY)
    try:
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": FIRST_CLICK})
        return first_clicks(driver, [url], loads, SLOW_CPU, SLOW_NETWORK)[0]
    finally:
        driver.quit()


def drawn_at(driver, url):
    driver.get(url)
    return driver.execute_async_script("""
        const done = arguments[0];
        const poll = () => {
          const mark = performance.getEntriesByName("drawn")[0];
          mark ? done(mark.startTime) : setTimeout(poll, 5);
        };
        poll();""")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--page", required=True)
    parser.add_argument("--pairs", type=int, default=15)
    parser.add_argument("--games", type=int, default=20000)
    parser.add_argument("--repetitions", type=int, default=10)
    parser.add_argument("--loads", type=int, default=15)
    parser.add_argument("--bare", help="a build of the same commit without the JavaScript "
                        "build, to load alternately with the page over the slow network")
    args = parser.parse_args()
    page = "file://" + os.path.abspath(args.page)

    print(f"zimarela.html: {os.path.getsize(args.page)} bytes")
    if args.bare:
        print(f"without the JavaScript build: {os.path.getsize(args.bare)} bytes")
    driver = start_chromium()
    driver.set_script_timeout(300)
    try:
        drawn_at(driver, page)
        with tempfile.TemporaryDirectory() as folder:
            source = open(args.page, encoding="utf-8").read()
            twin = os.path.join(folder, "static.html")
            with open(twin, "w", encoding="utf-8") as out:
                font = re.search(r"base64,([A-Za-z0-9+/=]+)\)", source).group(1)
                out.write(with_policy(driver.execute_script(STATIC_TWIN, font)))
            game, static = [], []
            for _ in range(args.pairs):
                game.append(drawn_at(driver, page))
                static.append(drawn_at(driver, "file://" + twin))
            script = driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                            {"source": FIRST_CLICK})
            for slowdown in (1, 4):
                report_first_clicks(first_clicks(driver, [page], args.loads, slowdown)[0],
                                    slowdown)
            with served(args.page) as url, served(args.bare or args.page) as bare:
                slow = first_clicks(driver, [url, bare] if args.bare else [url], args.loads,
                                    SLOW_CPU, SLOW_NETWORK)
                report_first_clicks(slow[0], SLOW_CPU, SLOW_NETWORK, ", served")
                if args.bare:
                    report_first_clicks(slow[1], SLOW_CPU, SLOW_NETWORK,
                                        ", served, without the JavaScript build, alternated")
                    later = statistics.median(
                        carried[1] - left_out[1] for carried, left_out in zip(*slow))
                    print(f"live later for carrying the JavaScript build, median of the "
                          f"{args.loads} alternated pairs: {later:.1f} ms")
                report_first_clicks(without_webassembly(url, args.loads), SLOW_CPU, SLOW_NETWORK,
                                    ", served, without WebAssembly (V8 jitless)")
            driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument",
                                   {"identifier": script["identifier"]})
            if source.count(START) != 1:
                sys.exit(f"{args.page} does not end in {START}")
            player = os.path.join(folder, "player.html")
            with open(player, "w", encoding="utf-8") as out:
                out.write(with_policy(source.replace(START, HANDED_ON)))
            drawn_at(driver, "file://" + player)
            per_game = [driver.execute_async_script(GAMES, args.games)
                        for _ in range(args.repetitions)]
        game_median, static_median = statistics.median(game), statistics.median(static)
        print(f"first complete draw, median of {args.pairs} alternated pairs: "
              f"page {game_median:.1f} ms, static twin {static_median:.1f} ms, "
              f"ratio {game_median / static_median:.3f}")
        # Each pair meets nearly the same load, so its own ratio cancels a
        # busy moment that the ratio of the two medians would keep.
        pair_ratio = statistics.median(g / s for g, s in zip(game, static))
        print(f"first complete draw, median of the {args.pairs} per-pair ratios: {pair_ratio:.3f}")
        print(f"one complete game through the entry points in the page, median of "
              f"{args.repetitions} runs of {args.games}: {statistics.median(per_game):.0f} ns")
    finally:
        driver.quit()


if __name__ == "__main__":
    main()
