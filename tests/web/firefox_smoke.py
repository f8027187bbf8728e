#!/usr/bin/python3
"""The page opened from disk in headless Firefox draws the window: its
banner and its back colour cover the areas the layout gives them."""

import argparse
import os
import subprocess
import sys
import tempfile

from PIL import Image

from game_texts import read_back_colours

parser = argparse.ArgumentParser()
parser.add_argument("--page", required=True)
parser.add_argument("--texts")
parser.add_argument("--layout", required=True)
parser.add_argument("--layout-header", required=True)
args = parser.parse_args()
colours = read_back_colours(args.layout, args.layout_header)

with tempfile.TemporaryDirectory() as home:
    shot = os.path.join(home, "page.png")
    # A profile of its own, so nothing of a player's Firefox is touched.
    subprocess.run(["firefox-esr", "--headless", "--no-remote", "--profile", home,
                    "--window-size=640,480", "--screenshot", shot,
                    "file://" + os.path.abspath(args.page)],
                   env={**os.environ, "HOME": home}, check=True, timeout=300,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    pixels = Image.open(shot).convert("RGB").getdata()


def covered(rgb):
    wanted = ((rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255)
    return sum(1 for pixel in pixels if all(abs(a - b) <= 2 for a, b in zip(pixel, wanted)))


# The banner is 305 × 25 pixels, its caption takes a little of it; the
# window's own colour shows around and between the controls, on more than
# any one control covers.
failures = []
if covered(colours["Label1_0"]) < 0.8 * 305 * 25:
    failures.append(f"banner: {covered(colours['Label1_0'])} pixels")
if covered(colours["window"]) < 0.3 * 474 * 354:
    failures.append(f"window: {covered(colours['window'])} pixels")
if failures:
    sys.exit("Firefox did not draw the window: " + ", ".join(failures))
print("Firefox drew the window")
