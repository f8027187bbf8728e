// Writes the window's first frame, as the compiled game draws it on load,
// for the build to put into the page: the window's markup and style sheet,
// the viewport the window needs, the font family the embedded face answers
// to, the font the window is drawn in, and the box that tells a browser
// that cannot run the game so.
// Usage: node first_frame.mjs MODULE OUTPUT, MODULE the game linked for
// Node.js.
import { writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { resolve } from "node:path";

import { controlRule, windowMarkup, windowStyleSheet } from "./frame.mjs";

// A browser that cannot run the game is told so where the window sends the
// player first: in the control that takes the first focus, the result box.
function noticeBox(design) {
  const box = design.controls.find((control) => control.position === design.firstFocus);
  if (box.kind !== "textBox") throw new Error(`${box.element} cannot show a sentence`);
  return box;
}

// With JavaScript off no script can write into that box: the sentence that
// says so is written over it instead, in its place and font (page.css's
// .no-script).
function styleSheet(design) {
  return windowStyleSheet(design) + controlRule(".no-script", noticeBox(design));
}

const [modulePath, outputPath] = process.argv.slice(2);
const makeModule = createRequire(import.meta.url)(resolve(modulePath));
makeModule({
  onRuntimeInitialized() {
    const read = (reader) => JSON.parse(this.UTF8ToString(reader()));
    const design = read(this._describeWindow);
    this._load();
    writeFileSync(outputPath, JSON.stringify({
      window: windowMarkup(design, read(this._states)),
      style: styleSheet(design),
      // A phone narrower than the window shows the whole window, scaled to fit.
      viewport: `width=${design.width}`,
      fontFamily: design.fontFamilies[0],
      font: `${design.fontPixels}px "${design.fontFamilies[0]}"`,
      noticeBox: noticeBox(design).element,
    }));
  },
});
