// Starts the game in the window the page was written with, once that is
// drawn. The module is compiled at once rather than in the background: the
// window is live within the task that starts it, and what the player did
// until then reaches it in order. What early.js has kept reaches it through
// the cover's one handle.
import { adoptWindow, focusControl } from "./draw.js";
import { connectInput } from "./input.js";
import { default as makeGame } from "./zimarela_module.mjs";

const early = document.getElementById("cover").early;

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
  const view = adoptWindow(document.getElementById("window"), design);
  const activate = connectInput(view, session);
  // A player who has already put the focus on a control keeps it there.
  if (!view.root.contains(document.activeElement)) focusControl(view, design.firstFocus);
  early.take(activate);
  document.documentElement.dataset.live = "";
}

// A browser without WebAssembly (a hardened mode may take it away), or one
// that refuses to compile or start the game, says so instead of leaving the
// player clicking on a window that never answers. The fault itself is
// still thrown, for the console.
function startGame() {
  if (typeof WebAssembly !== "object") {
    early.cannotRun();
    return;
  }
  try {
    makeGame({
      onRuntimeInitialized() {
        start(this);
      },
    });
  } catch (fault) {
    early.cannotRun();
    throw fault;
  }
}

// Compiling the game runs in a task of its own once the window is drawn, so
// that it neither holds the window back nor waits on it.
function afterDrawn(then) {
  early.drawn.then(() => setTimeout(then));
}

afterDrawn(startGame);
