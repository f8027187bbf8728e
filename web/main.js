// Starts the game: the module, the font and the window, whose first draw
// already shows the first game. The module is compiled at once rather than
// in the background, so the page is drawn before it reports itself loaded.
"use strict";

function start(module) {
  const design = JSON.parse(module.describeWindow());
  // The embedded face answers to the window's first font name, so the page
  // draws with it wherever it is opened, and breaks lines as the desktop does.
  kEmbeddedFont.family = design.fontFamilies[0];
  document.fonts.add(kEmbeddedFont);
  // A phone narrower than the window shows the whole window, scaled to fit.
  document.querySelector("meta[name=viewport]").content = `width=${design.width}`;
  const view = buildWindow(document.getElementById("window"), design);
  connectInput(view, new module.Session());
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
