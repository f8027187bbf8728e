// Starts the game in the window the page was written with, once that is
// drawn. The module is compiled at once rather than in the background: the
// window is live within the task that starts it, and the clicks held until
// then reach it in order.
import { adoptWindow, focusControl } from "./draw.js";
import { connectInput, holdClicks } from "./input.js";
import { afterDrawn, fitTextBoxes } from "./early.js";
import { default as makeGame } from "./zimarela_module.mjs";

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

function start(module, holding) {
  const session = sessionOf(module);
  const design = session.design();
  const view = adoptWindow(document.getElementById("window"), design);
  connectInput(view, session, holding);
  focusControl(view, design.firstFocus);
  document.documentElement.dataset.live = "";
}

const holding = holdClicks();

function startGame() {
  makeGame({
    onRuntimeInitialized() {
      start(this, holding);
    },
  });
}

fitTextBoxes();
afterDrawn(startGame);
