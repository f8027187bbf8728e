// Writes the window's first frame, as the compiled game draws it on load,
// for the build to put into the page: the window's markup, the viewport
// the window needs, the font family the embedded face answers to, and
// the font the window is drawn in.
// Usage: node first_frame.mjs MODULE OUTPUT, MODULE the game linked for
// Node.js.
import { writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { resolve } from "node:path";

import { windowMarkup } from "./frame.mjs";

const [modulePath, outputPath] = process.argv.slice(2);
const makeModule = createRequire(import.meta.url)(resolve(modulePath));
makeModule({
  onRuntimeInitialized() {
    const read = (reader) => JSON.parse(this.UTF8ToString(reader()));
    const design = read(this._describeWindow);
    this._load();
    writeFileSync(outputPath, JSON.stringify({
      window: windowMarkup(design, read(this._states)),
      // A phone narrower than the window shows the whole window, scaled to fit.
      viewport: `width=${design.width}`,
      fontFamily: design.fontFamilies[0],
      font: `${design.fontPixels}px "${design.fontFamilies[0]}"`,
    }));
  },
});
