// Starts the game: the module, the font and the window, whose first draw
// already shows the first game. The module is compiled at once rather than
// in the background, so the page is drawn before it reports itself loaded.
"use strict";

// The module's calls under the names the record gives its entry points;
// the two readers hand over JSON text.
function sessionOf(module) {
  const read = (reader) => JSON.parse(module.UTF8ToString(reader()));
  return {
    design: () => read(module._describeWindow),
    states: () => read(module._states),
    load: module._load,
    clickCommand1: module._clickCommand1,
    selectOption2: module._selectOption2,
    selectOption1: module._selectOption1,
    clickLabel1: module._clickLabel1,
    tickTimer1: module._tickTimer1,
  };
}

function start(module) {
  const session = sessionOf(module);
  const design = session.design();
  // The embedded face answers to the window's first font name, so the page
  // draws with it wherever it is opened, and breaks lines as the desktop does.
  kEmbeddedFont.family = design.fontFamilies[0];
  document.fonts.add(kEmbeddedFont);
  // A phone narrower than the window shows the whole window, scaled to fit.
  document.querySelector("meta[name=viewport]").content = `width=${design.width}`;
  const view = buildWindow(document.getElementById("window"), design);
  connectInput(view, session);
  // As on the desktop, the focus starts on the first control in tab order.
  focusCandidates(view).find(canTakeFocus)?.focus({ preventScroll: true });
  kEmbeddedFont.loaded.then(() => {
    document.documentElement.dataset.drawn = "";
    performance.mark("drawn");
  });
}

Zimarela({
  onRuntimeInitialized() {
    start(this);
  },
});
