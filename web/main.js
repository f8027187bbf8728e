// Starts the game: the module, the font and the window, whose first draw
// already shows the first game. The module is compiled at once rather than
// in the background, so the page is drawn before it reports itself loaded.
import { buildWindow, focusControl } from "./draw.js";
import { embeddedFont } from "./font.js";
import { connectInput } from "./input.js";

// The module's calls, by what they do; the two readers hand over JSON text.
function sessionOf(module) {
  const read = (reader) => JSON.parse(module.UTF8ToString(reader()));
  return {
    design: () => read(module._describeWindow),
    states: () => read(module._states),
    load: module._load,
    activate: module._activate,
    tickTimer1: module._tickTimer1,
  };
}

function start(module) {
  const session = sessionOf(module);
  const design = session.design();
  // The embedded face answers to the window's first font name, so the page
  // draws with it wherever it is opened, and breaks lines as the desktop does.
  embeddedFont.family = design.fontFamilies[0];
  document.fonts.add(embeddedFont);
  // A phone narrower than the window shows the whole window, scaled to fit.
  document.querySelector("meta[name=viewport]").content = `width=${design.width}`;
  const view = buildWindow(document.getElementById("window"), design);
  connectInput(view, session);
  focusControl(view, design.firstFocus);
  embeddedFont.loaded.then(() => {
    document.documentElement.dataset.drawn = "";
    performance.mark("drawn");
  });
}

// The compiled game's one name on the page: its script, which comes
// before this one, defines the factory that makes the module.
globalThis.Zimarela({
  onRuntimeInitialized() {
    start(this);
  },
});
